# Runs PROGRAM with ARGS (a ;-list) and fails unless it exits with EXPECTED.
# Standard input is INPUT when given, else empty, as in CI. EMULATOR, when
# given, runs the program (wine, for the Windows build).
# With -DSTDERR=REGEX, what the program wrote to its error stream must match
# REGEX; with -DSTDOUT_MATCHES=REGEX, its output must match REGEX; with
# -DSTDOUT=FILE, its output must be FILE's text, the prompts of a
# build without line editing taken out.
# With -DFRESH=DIR, DIR is removed before the run.
# With -DPROTECT=FILE, ARGS name a fresh copy of FILE as @COPY@ and as
# @COPY_ALIAS@ (the same file spelt another way), and the copy must come out
# of the run unchanged, alone in its folder (@COPY_DIR@): no temporary file
# may be left beside it.
# With -DFILE_LIMIT=BLOCKS, the program may write no file past that many
# 512-byte blocks (a full disk, as far as it can tell); with
# -DINTERRUPT_AFTER=SECONDS, it gets SIGINT (Ctrl-C) after that long.
if(DEFINED PROTECT)
  get_filename_component(protected_name "${PROTECT}" NAME)
  set(protected_dir "${CMAKE_CURRENT_BINARY_DIR}/protected")
  file(REMOVE_RECURSE "${protected_dir}")
  file(MAKE_DIRECTORY "${protected_dir}")
  file(COPY_FILE "${PROTECT}" "${protected_dir}/${protected_name}")
  file(SHA256 "${protected_dir}/${protected_name}" before)
  string(REPLACE "@COPY@" "${protected_dir}/${protected_name}" ARGS "${ARGS}")
  string(REPLACE "@COPY_ALIAS@" "${protected_dir}/./${protected_name}" ARGS "${ARGS}")
  string(REPLACE "@COPY_DIR@" "${protected_dir}" ARGS "${ARGS}")
endif()
set(command ${EMULATOR} ${PROGRAM})
if(FILE_LIMIT)
  # SIGXFSZ ignored, so a write past the limit fails as on a full disk.
  # (Lines, not `;`, which would split the CMake list.)
  set(command sh -c "trap '' XFSZ\nulimit -f ${FILE_LIMIT}\nexec \"$0\" \"$@\"" ${command})
endif()
if(INTERRUPT_AFTER)
  set(command timeout --preserve-status -k 10 -s INT ${INTERRUPT_AFTER} ${command})
endif()
if(FRESH)
  file(REMOVE_RECURSE "${FRESH}")
endif()
if(NOT INPUT AND CMAKE_HOST_WIN32)
  set(INPUT NUL)
elseif(NOT INPUT)
  set(INPUT /dev/null)
endif()
# An interactive session keeps its history here, not in the home folder.
set(ENV{XDG_STATE_HOME} "${CMAKE_CURRENT_BINARY_DIR}/state")
execute_process(COMMAND ${command} ${ARGS}
                INPUT_FILE ${INPUT}
                RESULT_VARIABLE status
                OUTPUT_VARIABLE out
                ERROR_VARIABLE err)
# A Windows program ends its lines with CR LF.
string(REPLACE "\r" "" out "${out}")
string(REPLACE "\r" "" err "${err}")
if(NOT "${status}" STREQUAL "${EXPECTED}")
  message(FATAL_ERROR "expected exit status ${EXPECTED}, got ${status}\nstdout:\n${out}\nstderr:\n${err}")
endif()
if(STDERR AND NOT err MATCHES "${STDERR}")
  message(FATAL_ERROR "the error stream does not match ${STDERR}\nstderr:\n${err}")
endif()
if(STDOUT_MATCHES AND NOT out MATCHES "${STDOUT_MATCHES}")
  message(FATAL_ERROR "the output does not match ${STDOUT_MATCHES}\nstdout:\n${out}")
endif()
if(STDOUT)
  file(READ "${STDOUT}" expected)
  string(REGEX REPLACE "(^|\n)(> )+" "\\1" out "${out}")
  if(NOT out STREQUAL expected)
    get_filename_component(actual "${STDOUT}" NAME_WE)
    set(actual "${CMAKE_CURRENT_BINARY_DIR}/${actual}.actual")
    file(WRITE "${actual}" "${out}")
    if(CMAKE_HOST_UNIX)
      execute_process(COMMAND diff -u "${STDOUT}" "${actual}")
    endif()
    message(FATAL_ERROR "the output differs from ${STDOUT} (actual output: ${actual})")
  endif()
endif()
if(DEFINED PROTECT)
  file(SHA256 "${protected_dir}/${protected_name}" after)
  if(NOT before STREQUAL after)
    message(FATAL_ERROR "the run changed ${protected_dir}/${protected_name}\nstderr:\n${err}")
  endif()
  file(GLOB left RELATIVE "${protected_dir}" "${protected_dir}/*")
  if(NOT left STREQUAL protected_name)
    message(FATAL_ERROR "the run left ${left} in ${protected_dir}\nstderr:\n${err}")
  endif()
endif()
message(STATUS "exit status ${status} as expected\nstderr:\n${err}")

# Runs PROGRAM with ARGS (a ;-list) and fails unless it exits with EXPECTED.
# Standard input is empty, as in CI. EMULATOR, when given, runs the program
# (wine, for the Windows build).
# With -DPROTECT=FILE, ARGS name a fresh copy of FILE as @COPY@ and as
# @COPY_ALIAS@ (the same file spelt another way), and the copy must come out
# of the run unchanged.
if(DEFINED PROTECT)
  get_filename_component(protected_name "${PROTECT}" NAME)
  set(protected_dir "${CMAKE_CURRENT_BINARY_DIR}/protected")
  file(MAKE_DIRECTORY "${protected_dir}")
  file(COPY_FILE "${PROTECT}" "${protected_dir}/${protected_name}")
  file(SHA256 "${protected_dir}/${protected_name}" before)
  string(REPLACE "@COPY@" "${protected_dir}/${protected_name}" ARGS "${ARGS}")
  string(REPLACE "@COPY_ALIAS@" "${protected_dir}/./${protected_name}" ARGS "${ARGS}")
endif()
execute_process(COMMAND ${EMULATOR} ${PROGRAM} ${ARGS}
                INPUT_FILE /dev/null
                RESULT_VARIABLE status
                OUTPUT_VARIABLE out
                ERROR_VARIABLE err)
if(NOT "${status}" STREQUAL "${EXPECTED}")
  message(FATAL_ERROR "expected exit status ${EXPECTED}, got ${status}\nstdout:\n${out}\nstderr:\n${err}")
endif()
if(DEFINED PROTECT)
  file(SHA256 "${protected_dir}/${protected_name}" after)
  if(NOT before STREQUAL after)
    message(FATAL_ERROR "the run changed ${protected_dir}/${protected_name}\nstderr:\n${err}")
  endif()
endif()
message(STATUS "exit status ${status} as expected\nstderr:\n${err}")

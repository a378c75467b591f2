# vexlo_pe_inputs_command(OUT WORK_DIR [-DMANY=ON]): sets OUT to the command
# that makes make_pe_inputs.cmake's Windows files in WORK_DIR, or to nothing
# when one of LLVM's tools (or perl) it needs is not installed. LLVM's tools
# go by Debian's versioned names or by their own (LLVM's Windows
# installation). In CI a missing tool stops the configure (vexlo_rows_need).
function(vexlo_pe_inputs_command out work_dir)
  set(command ${CMAKE_COMMAND})
  foreach(tool CLANG:clang LLD_LINK:lld-link DLLTOOL:llvm-dlltool LLVM_LIB:llvm-lib PERL:perl)
    string(REPLACE ":" ";" tool "${tool}")
    list(GET tool 0 variable)
    list(GET tool 1 name)
    set(names ${name})
    if(NOT variable STREQUAL "PERL")
      set(names ${name}-19 ${name})
    endif()
    find_program(VEXLO_PE_INPUTS_${variable} NAMES ${names}
                 HINTS /usr/lib/llvm-19/bin "$ENV{ProgramFiles}/LLVM/bin")
    vexlo_rows_need("${VEXLO_PE_INPUTS_${variable}}"
                    "Windows files for the PE reader's checks (${name})")
    if(NOT VEXLO_ROWS_ON)
      set(${out} "" PARENT_SCOPE)
      return()
    endif()
    list(APPEND command -D${variable}=${VEXLO_PE_INPUTS_${variable}})
  endforeach()
  set(${out} ${command} -DWORK_DIR=${work_dir} ${ARGN}
      -P ${CMAKE_CURRENT_FUNCTION_LIST_DIR}/make_pe_inputs.cmake PARENT_SCOPE)
endfunction()

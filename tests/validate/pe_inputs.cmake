# vexlo_pe_inputs_command(OUT WORK_DIR [-DMANY=ON]): sets OUT to the command
# that makes make_pe_inputs.cmake's Windows files in WORK_DIR, or to nothing
# when one of LLVM's tools (or perl) it needs is not installed.
function(vexlo_pe_inputs_command out work_dir)
  set(command ${CMAKE_COMMAND})
  foreach(tool CLANG:clang-19 LLD_LINK:lld-link-19 DLLTOOL:llvm-dlltool-19 LLVM_LIB:llvm-lib-19
               PERL:perl)
    string(REPLACE ":" ";" tool "${tool}")
    list(GET tool 0 variable)
    list(GET tool 1 name)
    find_program(VEXLO_PE_INPUTS_${variable} NAMES ${name})
    if(NOT VEXLO_PE_INPUTS_${variable})
      message(STATUS "Windows files for the PE reader's checks: off (no ${name})")
      set(${out} "" PARENT_SCOPE)
      return()
    endif()
    list(APPEND command -D${variable}=${VEXLO_PE_INPUTS_${variable}})
  endforeach()
  set(${out} ${command} -DWORK_DIR=${work_dir} ${ARGN}
      -P ${CMAKE_CURRENT_FUNCTION_LIST_DIR}/make_pe_inputs.cmake PARENT_SCOPE)
endfunction()

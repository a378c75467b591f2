# vexlo_expect_report(VERB STATUS OUTPUT ERRORS): fails unless the program's
# exit STATUS is EXPECT_STATUS and its OUTPUT has a line matching each regular
# expression of EXPECT_LINES; prints the output, and its ERRORS on a failure.
function(vexlo_expect_report verb status output errors)
  # A Windows program ends its lines with CR LF.
  string(REPLACE "\r" "" output "${output}")
  message("${output}")
  if(NOT status STREQUAL EXPECT_STATUS)
    message(FATAL_ERROR "${verb} exited with ${status}, expected ${EXPECT_STATUS}\n${errors}")
  endif()
  foreach(expected IN LISTS EXPECT_LINES)
    if(NOT output MATCHES "${expected}")
      message(FATAL_ERROR "${verb}'s report lacks a line matching: ${expected}\n${errors}")
    endif()
  endforeach()
endfunction()

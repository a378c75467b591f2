# Runs `corvane-sim validate` (or another verb on a plugin) on one plugin and
# checks its exit status and that each expected line appears in its output.
#   -DPROGRAM=corvane-sim -DPLUGIN=lib.so -DEXPECT_STATUS=N
#   -DEXPECT_LINES="regex;regex" [-DEXTRA_ARGS="--steps;300"] [-DEMULATOR=wine-run.sh]
#   [-DEXPECT_ERROR=regex]: standard error matches it and no check ran
#   [-DVERB=check-sdk]: runs that verb instead of validate
if(NOT VERB)
  set(VERB validate)
endif()
execute_process(
  COMMAND ${EMULATOR} ${PROGRAM} ${VERB} ${PLUGIN} ${EXTRA_ARGS}
  OUTPUT_VARIABLE output
  ERROR_VARIABLE errors
  RESULT_VARIABLE status)
# A Windows program ends its lines with CR LF.
string(REPLACE "\r" "" output "${output}")
message("${output}")
if(NOT status STREQUAL EXPECT_STATUS)
  message(FATAL_ERROR "${VERB} exited with ${status}, expected ${EXPECT_STATUS}\n${errors}")
endif()
foreach(expected IN LISTS EXPECT_LINES)
  if(NOT output MATCHES "${expected}")
    message(FATAL_ERROR "${VERB}'s report lacks a line matching: ${expected}")
  endif()
endforeach()
if(DEFINED EXPECT_ERROR AND (NOT errors MATCHES "${EXPECT_ERROR}" OR output MATCHES "passed|FAILED"))
  message(FATAL_ERROR "expected only an error matching ${EXPECT_ERROR}, got:\n${errors}")
endif()

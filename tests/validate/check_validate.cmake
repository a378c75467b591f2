# Runs `corvane-sim validate` (or another verb on a plugin) on one plugin and
# checks its exit status and that each expected line appears in its output.
#   -DPROGRAM=corvane-sim -DPLUGIN=lib.so -DEXPECT_STATUS=N
#   -DEXPECT_LINES="regex;regex" [-DEXTRA_ARGS="--steps;300"] [-DEMULATOR=wine-run.sh]
#   [-DEXPECT_ERROR=regex]: standard error matches it and no check ran
#   [-DVERB=check-sdk]: runs that verb instead of validate
include(${CMAKE_CURRENT_LIST_DIR}/expect_report.cmake)
if(NOT VERB)
  set(VERB validate)
endif()
execute_process(
  COMMAND ${EMULATOR} ${PROGRAM} ${VERB} ${PLUGIN} ${EXTRA_ARGS}
  OUTPUT_VARIABLE output
  ERROR_VARIABLE errors
  RESULT_VARIABLE status)
vexlo_expect_report(${VERB} "${status}" "${output}" "${errors}")
if(DEFINED EXPECT_ERROR AND (NOT errors MATCHES "${EXPECT_ERROR}" OR output MATCHES "passed|FAILED"))
  message(FATAL_ERROR "expected only an error matching ${EXPECT_ERROR}, got:\n${errors}")
endif()

# One row of the SDK check's table: runs `PROGRAM [VERB] PLUGIN HOST` and
# checks its exit status and what it printed. EXPECT matches standard output
# followed by standard error; an answer of status 2 must be one line on
# standard error and nothing on standard output.
#   cmake -DPROGRAM=corvane-sim [-DVERB=check-sdk] [-DEMULATOR=...]
#         -DPLUGIN=x.dll -DHOST=pluginsdk.dll -DEXPECT_STATUS=N -DEXPECT=regex -P this file
cmake_minimum_required(VERSION 3.25)
execute_process(COMMAND ${EMULATOR} ${PROGRAM} ${VERB} ${PLUGIN} ${HOST}
                OUTPUT_VARIABLE output ERROR_VARIABLE errors RESULT_VARIABLE status TIMEOUT 60)
string(REPLACE "\r" "" output "${output}")
string(REPLACE "\r" "" errors "${errors}")
message("${output}${errors}")
if(NOT status STREQUAL EXPECT_STATUS)
  message(FATAL_ERROR "the check exited with ${status}, expected ${EXPECT_STATUS}")
endif()
if(NOT "${output}${errors}" MATCHES "${EXPECT}")
  message(FATAL_ERROR "the check's answer does not match: ${EXPECT}")
endif()
if(status STREQUAL "2" AND (NOT output STREQUAL "" OR NOT errors MATCHES "^[^\n]+\n$"))
  message(FATAL_ERROR "a file refused is one line on standard error and nothing else")
endif()

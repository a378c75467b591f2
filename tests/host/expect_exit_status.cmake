# Runs PROGRAM with ARGS (a ;-list) and fails unless it exits with EXPECTED.
# Standard input is empty, as in CI.
execute_process(COMMAND ${PROGRAM} ${ARGS}
                INPUT_FILE /dev/null
                RESULT_VARIABLE status
                OUTPUT_VARIABLE out
                ERROR_VARIABLE err)
if(NOT "${status}" STREQUAL "${EXPECTED}")
  message(FATAL_ERROR "expected exit status ${EXPECTED}, got ${status}\nstdout:\n${out}\nstderr:\n${err}")
endif()
message(STATUS "exit status ${status} as expected\nstderr:\n${err}")

# Runs `corvane-sim.exe validate` under wine on one plugin and checks its
# exit status and that each expected line is in its report.
#
# Run as: cmake -DWINE=... -DWINEPREFIX=... -DSIM=corvane-sim.exe -DPLUGIN=x.dll
#               -DEXPECT_STATUS=N "-DEXPECT_LINES=regex;regex"
#               ["-DEXTRA_ARGS=--timeout;2"] -P this file

cmake_minimum_required(VERSION 3.25)
include(${CMAKE_CURRENT_LIST_DIR}/wine_environment.cmake)
include(${CMAKE_CURRENT_LIST_DIR}/../validate/expect_report.cmake)

file(REAL_PATH "${PLUGIN}" plugin)
string(REPLACE "/" "\\" plugin "Z:${plugin}")
get_filename_component(name "${PLUGIN}" NAME_WE)
# Through files, not pipes: see run_scenario_under_wine.cmake.
set(report_file "${CMAKE_CURRENT_BINARY_DIR}/validate-${name}.wine-report")
set(errors_file "${CMAKE_CURRENT_BINARY_DIR}/validate-${name}.wine-errors")
execute_process(COMMAND "${WINE}" "${SIM}" validate "${plugin}" ${EXTRA_ARGS}
                OUTPUT_FILE "${report_file}" ERROR_FILE "${errors_file}" RESULT_VARIABLE status
                TIMEOUT 240)
file(READ "${report_file}" report)
file(READ "${errors_file}" errors)
vexlo_expect_report(validate "${status}" "${report}" "${errors}")

# Plays one scenario through corvane-sim and compares everything it printed
# with the scenario's expected output, line by line.
#   cmake -DSIM=... -DPLUGIN=... -DSCRIPT=x.cfg -DEXPECTED=x.expected -DACTUAL=x.actual
#         [-DSCREENSHOTS=OFF] [-DEMULATOR=wine-run.sh] -P check_scenario.cmake
# EMULATOR, when given, runs the program (wine, for the Windows build).
include(${CMAKE_CURRENT_LIST_DIR}/without_screenshots.cmake)

file(READ ${EXPECTED} expected)
if(DEFINED SCREENSHOTS AND NOT SCREENSHOTS)
  get_filename_component(folder "${ACTUAL}" DIRECTORY)
  vexlo_scenario_without_screenshots(SCRIPT expected "${folder}")
  # What the comparison below shows a difference against.
  set(EXPECTED "${ACTUAL}.expected")
  file(WRITE "${EXPECTED}" "${expected}")
endif()

execute_process(
  COMMAND ${EMULATOR} ${SIM} ${PLUGIN} ${SCRIPT}
  OUTPUT_VARIABLE actual
  ERROR_VARIABLE errors
  RESULT_VARIABLE status)
# A Windows program ends its lines with CR LF.
string(REPLACE "\r" "" actual "${actual}")
file(WRITE ${ACTUAL} "${actual}")
if(NOT status EQUAL 0)
  message(FATAL_ERROR "corvane-sim ended with status ${status}:\n${errors}")
endif()
if(NOT actual STREQUAL expected)
  if(CMAKE_HOST_UNIX)
    execute_process(COMMAND diff -u ${EXPECTED} ${ACTUAL})
  endif()
  message(FATAL_ERROR "the output differs from ${EXPECTED} (actual output: ${ACTUAL})")
endif()

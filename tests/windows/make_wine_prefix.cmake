# Makes the wine prefix the Windows tests run in, once per build folder: a
# new prefix takes several seconds, every later wine start well under one.
#
# Run as: cmake -DWINE=... -DWINEPREFIX=... -P this file

cmake_minimum_required(VERSION 3.25)
include(${CMAKE_CURRENT_LIST_DIR}/wine_environment.cmake)

# Written once wineboot has finished; wine itself writes its registry files
# only when its server ends, seconds later.
set(ready_marker "${WINEPREFIX}/vexlo-prefix-ready")
if(EXISTS "${ready_marker}")
  message(STATUS "wine prefix ${WINEPREFIX} is ready")
  return()
endif()

get_filename_component(wine_dir "${WINE}" DIRECTORY)
find_program(WINEBOOT NAMES wineboot HINTS "${wine_dir}" REQUIRED)
file(MAKE_DIRECTORY "${WINEPREFIX}")
# Not through pipes: wine's background processes inherit them and would hold
# this step until they end.
execute_process(COMMAND "${WINEBOOT}" --init RESULT_VARIABLE result OUTPUT_FILE /dev/null
                ERROR_FILE /dev/null TIMEOUT 120)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "wineboot --init could not make ${WINEPREFIX} (${result})")
endif()
# wineboot returns while the services it started still run and before the
# server has written the new registry to disk; a program started meanwhile
# may meet a half-made prefix. Waiting for that server to end makes the
# prefix complete before any test uses it.
find_program(WINESERVER NAMES wineserver HINTS "${wine_dir}" REQUIRED)
execute_process(COMMAND "${WINESERVER}" -w RESULT_VARIABLE result OUTPUT_FILE /dev/null
                ERROR_FILE /dev/null TIMEOUT 120)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "wine's server for ${WINEPREFIX} did not end after wineboot (${result})")
endif()
file(TOUCH "${ready_marker}")
message(STATUS "made wine prefix ${WINEPREFIX}")

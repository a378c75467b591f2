# Makes the wine prefix the Windows tests run in, once per build folder: a
# new prefix takes several seconds, every later wine start well under one.
#
# Run as: cmake -DWINE=... -DWINEPREFIX=... -P this file

cmake_minimum_required(VERSION 3.25)
include(${CMAKE_CURRENT_LIST_DIR}/wine_environment.cmake)

if(EXISTS "${WINEPREFIX}/system.reg")
  message(STATUS "wine prefix ${WINEPREFIX} is ready")
  return()
endif()

get_filename_component(wine_dir "${WINE}" DIRECTORY)
find_program(WINEBOOT NAMES wineboot HINTS "${wine_dir}" REQUIRED)
file(MAKE_DIRECTORY "${WINEPREFIX}")
execute_process(COMMAND "${WINEBOOT}" --init RESULT_VARIABLE result OUTPUT_QUIET ERROR_QUIET
                TIMEOUT 120)
if(NOT result EQUAL 0 OR NOT EXISTS "${WINEPREFIX}/system.reg")
  message(FATAL_ERROR "wineboot --init could not make ${WINEPREFIX} (${result})")
endif()
message(STATUS "made wine prefix ${WINEPREFIX}")

# Plays one scenario in corvane-sim.exe under wine, the host loading
# vexlo.dll through LoadLibrary, and compares the trace it prints with the
# trace the Linux build is expected to print, line by line.
#
# Run as: cmake -DWINE=... -DWINEPREFIX=... -DSIM=corvane-sim.exe
#               -DPLUGIN=vexlo.dll -DSCENARIO=x.cfg -DEXPECTED=x.expected
#               -DSCREENSHOTS=ON|OFF [-DCOPY_INTO=FOLDER] -P this file

cmake_minimum_required(VERSION 3.25)
include(${CMAKE_CURRENT_LIST_DIR}/wine_environment.cmake)
include(${CMAKE_CURRENT_LIST_DIR}/../../scenarios/without_screenshots.cmake)

# A Windows program sees this machine's files on drive Z:, with backslashes.
function(vexlo_windows_path path out)
  file(REAL_PATH "${path}" absolute)
  string(REPLACE "/" "\\" windows "Z:${absolute}")
  set(${out} "${windows}" PARENT_SCOPE)
endfunction()

foreach(input IN ITEMS SIM PLUGIN SCENARIO EXPECTED)
  if(NOT EXISTS "${${input}}")
    message(FATAL_ERROR "${input} ${${input}} does not exist")
  endif()
endforeach()

file(READ "${EXPECTED}" expected)

# Built without screenshots (no Cairo or FreeType for Windows), the program
# would refuse a scenario's sim_screenshot: each becomes a plain frame.
if(NOT SCREENSHOTS)
  vexlo_scenario_without_screenshots(SCENARIO expected "${CMAKE_CURRENT_BINARY_DIR}")
endif()

# With COPY_INTO, the plugin and the scenario are played from a folder of
# that name, whose letters no ANSI code page has all of: the names reach
# LoadLibraryW and the script reader intact only when the program takes its
# arguments as UTF-16. Wine hands them on in the locale's encoding.
if(COPY_INTO)
  set(folder "${CMAKE_CURRENT_BINARY_DIR}/${COPY_INTO}")
  file(MAKE_DIRECTORY "${folder}")
  file(COPY "${PLUGIN}" "${SCENARIO}" DESTINATION "${folder}")
  get_filename_component(plugin_name "${PLUGIN}" NAME)
  get_filename_component(scenario_name "${SCENARIO}" NAME)
  set(PLUGIN "${folder}/${plugin_name}")
  set(SCENARIO "${folder}/${scenario_name}")
  set(ENV{LC_ALL} "C.UTF-8")
endif()

vexlo_windows_path("${PLUGIN}" plugin)
vexlo_windows_path("${SCENARIO}" scenario)
# Files the scenario writes land in the test's working folder. The output
# goes through files, not pipes: wine's background processes inherit the
# program's handles and outlive it by seconds, and a pipe stays open until
# they are gone.
file(REAL_PATH "${SIM}" sim)
get_filename_component(name "${SCENARIO}" NAME_WE)
get_filename_component(output_folder "${SCENARIO}" DIRECTORY)
if(NOT COPY_INTO)
  set(output_folder "${CMAKE_CURRENT_BINARY_DIR}")
endif()
set(trace_file "${output_folder}/${name}.wine-trace")
set(errors_file "${output_folder}/${name}.wine-errors")
execute_process(COMMAND "${WINE}" "${sim}" "${plugin}" "${scenario}"
                OUTPUT_FILE "${trace_file}" ERROR_FILE "${errors_file}" RESULT_VARIABLE result
                TIMEOUT 60)
file(READ "${trace_file}" trace)
file(READ "${errors_file}" errors)

# Compared byte for byte: standard output is binary, so lines end with LF
# as on Linux, not with the C runtime's CR LF.

if(NOT result EQUAL 0)
  message(FATAL_ERROR "corvane-sim.exe ${plugin} ${scenario} exited with ${result}\n"
                      "stderr:\n${errors}\nstdout:\n${trace}")
endif()

if(NOT trace STREQUAL expected)
  # Find the first line that differs. Lines may hold ';' or brackets, which
  # CMake lists split on or join across: stand-ins take their place while
  # the texts are lists.
  string(ASCII 1 semicolon)
  string(ASCII 2 open_bracket)
  string(ASCII 3 close_bracket)
  foreach(text IN ITEMS trace expected)
    string(REPLACE ";" "${semicolon}" ${text} "${${text}}")
    string(REPLACE "[" "${open_bracket}" ${text} "${${text}}")
    string(REPLACE "]" "${close_bracket}" ${text} "${${text}}")
  endforeach()
  string(REGEX MATCHALL "[^\n]*\n|[^\n]+$" got_lines "${trace}")
  string(REGEX MATCHALL "[^\n]*\n|[^\n]+$" want_lines "${expected}")
  list(LENGTH got_lines got_count)
  list(LENGTH want_lines want_count)
  set(line 0)
  set(got "(no line)")
  set(want "(no line)")
  while(line LESS got_count OR line LESS want_count)
    set(got "(no line)")
    set(want "(no line)")
    if(line LESS got_count)
      list(GET got_lines ${line} got)
    endif()
    if(line LESS want_count)
      list(GET want_lines ${line} want)
    endif()
    if(NOT got STREQUAL want)
      break()
    endif()
    math(EXPR line "${line} + 1")
  endwhile()
  foreach(text IN ITEMS got want)
    string(REPLACE "${semicolon}" ";" ${text} "${${text}}")
    string(REPLACE "${open_bracket}" "[" ${text} "${${text}}")
    string(REPLACE "${close_bracket}" "]" ${text} "${${text}}")
    string(STRIP "${${text}}" ${text})
  endforeach()
  math(EXPR shown "${line} + 1")
  message(FATAL_ERROR "the trace under wine differs from ${EXPECTED} at line ${shown} "
                      "(${got_count} lines against ${want_count}):\n"
                      "  expected: ${want}\n  got:      ${got}\n"
                      "stderr:\n${errors}")
endif()
message(STATUS "${SCENARIO}: the trace under wine equals the expected one")

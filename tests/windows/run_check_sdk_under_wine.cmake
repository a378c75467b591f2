# Runs `corvane-sim.exe check-sdk PLUGIN HOST` under wine, or with CHECK set
# `vexlo-check.exe PLUGIN HOST`, and checks its exit status and report.
# HOST can first be made from the stand-in's SDK library:
# RENAME=TEXT copies it with every TEXT in it spelled otherwise, so that the
# one export whose name holds TEXT is gone; TRUNCATE=N copies its first N
# bytes; DLLTOOL and OBJDUMP make it into a Microsoft-style import library of
# short import objects.
#
# Run as: cmake -DWINE=... -DWINEPREFIX=... -DSIM=corvane-sim.exe -DPLUGIN=x.dll
#               -DROW=name [-DCHECK=vexlo-check.exe]
#               -DHOST=pluginsdk.dll|.lib [-DRENAME=TEXT|-DTRUNCATE=N -DPERL=perl]
#               [-DDLLTOOL=llvm-dlltool -DOBJDUMP=objdump]
#               -DEXPECT_STATUS=N -DEXPECT=regex -P this file

cmake_minimum_required(VERSION 3.25)
include(${CMAKE_CURRENT_LIST_DIR}/wine_environment.cmake)

set(host "${HOST}")
if(RENAME)
  get_filename_component(host "${HOST}" NAME_WE)
  set(host "${CMAKE_CURRENT_BINARY_DIR}/${host}-without-${RENAME}-${ROW}.dll")
  file(COPY_FILE "${HOST}" "${host}")
  # The last letter changed: the name keeps its length and the file its layout.
  string(REGEX REPLACE ".$" "X" renamed "${RENAME}")
  execute_process(COMMAND "${PERL}" -0777 -pi -e "s/${RENAME}/${renamed}/g" "${host}"
                  COMMAND_ERROR_IS_FATAL ANY)
elseif(TRUNCATE)
  set(host "${CMAKE_CURRENT_BINARY_DIR}/pluginsdk-first-${TRUNCATE}-bytes.dll")
  file(COPY_FILE "${HOST}" "${host}")
  execute_process(COMMAND "${PERL}" -e "truncate($ARGV[0], ${TRUNCATE}) or die" "${host}"
                  COMMAND_ERROR_IS_FATAL ANY)
elseif(DLLTOOL)
  include(${CMAKE_CURRENT_LIST_DIR}/pe_tables.cmake)
  vexlo_pe_dump("${HOST}" "${OBJDUMP}" dump)
  vexlo_pe_exports("${dump}" exports)
  list(JOIN exports "\n" exports)
  get_filename_component(dll "${HOST}" NAME)
  # Named after the tool: libraries of two kinds may be made side by side.
  get_filename_component(tool "${DLLTOOL}" NAME)
  set(def "${CMAKE_CURRENT_BINARY_DIR}/pluginsdk-${tool}.def")
  file(WRITE "${def}" "LIBRARY ${dll}\nEXPORTS\n${exports}\n")
  set(host "${CMAKE_CURRENT_BINARY_DIR}/pluginsdk-${tool}.lib")
  execute_process(COMMAND "${DLLTOOL}" -m i386:x86-64 -d "${def}" -l "${host}"
                  COMMAND_ERROR_IS_FATAL ANY)
endif()

set(arguments)
foreach(file IN ITEMS "${PLUGIN}" "${host}")
  file(REAL_PATH "${file}" file)
  string(REPLACE "/" "\\" file "Z:${file}")
  list(APPEND arguments "${file}")
endforeach()
# Through files, not pipes: see run_scenario_under_wine.cmake. Each row
# (ROW) has its own.
set(program "${SIM}" check-sdk)
if(CHECK)
  set(program "${CHECK}")
endif()
set(report_file "${CMAKE_CURRENT_BINARY_DIR}/check-sdk-${ROW}.wine-report")
execute_process(COMMAND "${WINE}" ${program} ${arguments} OUTPUT_FILE "${report_file}"
                ERROR_FILE "${report_file}.errors" RESULT_VARIABLE status TIMEOUT 60)
file(READ "${report_file}" report)
file(READ "${report_file}.errors" errors)
message("${report}${errors}")
if(NOT status STREQUAL EXPECT_STATUS)
  message(FATAL_ERROR "check-sdk exited with ${status}, expected ${EXPECT_STATUS}")
endif()
if(NOT "${report}${errors}" MATCHES "${EXPECT}")
  message(FATAL_ERROR "check-sdk's report does not match: ${EXPECT}")
endif()

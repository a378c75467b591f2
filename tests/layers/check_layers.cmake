# Fails when a folder includes a header of a layer it may not use (the
# Layout table of docs/architecture.md): the base nothing above it, the
# session layer nothing above it, the tools
# nothing of the plugin or the tests, the plugin and the SDK nothing of the
# host. The compiler already refuses some of these; this check covers the
# folders that share the repository root as their include path.
#   cmake -DSOURCE_DIR=<repository> -P check_layers.cmake
set(rules
    "sdk|host/ source/ tests/ bench/"
    "source/vexlo|host/ tests/ bench/"
    "host/base|host/session/ host/tools/ source/ tests/ bench/"
    "host/session|host/tools/ source/ tests/ bench/"
    "host/tools|source/ tests/ bench/")
set(faults "")
foreach(rule IN LISTS rules)
  string(REPLACE "|" ";" parts "${rule}")
  list(GET parts 0 folder)
  list(GET parts 1 forbidden)
  string(REPLACE " " ";" forbidden "${forbidden}")
  file(GLOB_RECURSE sources "${SOURCE_DIR}/${folder}/*.h" "${SOURCE_DIR}/${folder}/*.cpp")
  foreach(source IN LISTS sources)
    file(STRINGS "${source}" includes REGEX "^#include [\"<]")
    foreach(line IN LISTS includes)
      foreach(prefix IN LISTS forbidden)
        if(line MATCHES "^#include [\"<]${prefix}")
          file(RELATIVE_PATH name "${SOURCE_DIR}" "${source}")
          string(APPEND faults "\n  ${name}: ${line} (${folder}/ may not use ${prefix})")
        endif()
      endforeach()
    endforeach()
  endforeach()
endforeach()
if(faults)
  message(FATAL_ERROR "includes across layers:${faults}")
endif()

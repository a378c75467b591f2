# Builds vexlo.dll as a player or packager with the host's SDK does on
# Linux: the plugin alone, with the clang-cl toolchain, against an SDK folder
# (VEXLO_HOST_SDK_DIR). The folder is made up here from the stand-in host:
# its headers under include/corvane/ (all but entry.h, which the host's SDK
# is not known to ship, and no plugin.cpp), and under lib/ an import library
# of its pluginsdk.dll made from the DLL's export table, read by lld-link as
# it reads the host's own pluginsdk.lib.
#
# Run as: cmake -DSOURCE_DIR=... -DWORK_DIR=... -DSDK_DLL=pluginsdk.dll
#               -DSTL_DIR=... -DREADOBJ=... -DDLLTOOL=... -P this file
# The plugin lands in WORK_DIR/build/bin/vexlo.dll, with vexlo-check.exe.

cmake_minimum_required(VERSION 3.25)

set(sdk "${WORK_DIR}/sdk")
file(REMOVE_RECURSE "${sdk}")
file(GLOB headers "${SOURCE_DIR}/sdk/corvane/*.h")
list(FILTER headers EXCLUDE REGEX "/entry\\.h$")
file(COPY ${headers} DESTINATION "${sdk}/include/corvane")

include(${SOURCE_DIR}/toolchain/msvc-clang/import_library.cmake)
vexlo_import_library_from_dll("${READOBJ}" "${DLLTOOL}" "${SDK_DLL}" pluginsdk.dll
                              "${sdk}/lib/pluginsdk.lib")

set(build "${WORK_DIR}/build")
set(log "${WORK_DIR}/build.log")
execute_process(
  COMMAND "${CMAKE_COMMAND}" -S "${SOURCE_DIR}" -B "${build}"
          "-DCMAKE_TOOLCHAIN_FILE=${SOURCE_DIR}/toolchain/msvc-clang/toolchain.cmake"
          -DCMAKE_BUILD_TYPE=Release -DCMAKE_COMPILE_WARNING_AS_ERROR=ON -DVEXLO_BUILD_TESTS=OFF
          "-DVEXLO_HOST_SDK_DIR=${sdk}" "-DVEXLO_MSVC_STL_DIR=${STL_DIR}"
  OUTPUT_FILE "${log}" ERROR_FILE "${log}.errors" RESULT_VARIABLE result)
if(result EQUAL 0)
  execute_process(COMMAND "${CMAKE_COMMAND}" --build "${build}" --target vexlo vexlo-check --parallel 2
                  OUTPUT_FILE "${log}" ERROR_FILE "${log}.errors" RESULT_VARIABLE result)
endif()
if(NOT result EQUAL 0)
  file(READ "${log}" output)
  file(READ "${log}.errors" errors)
  message(FATAL_ERROR "the plugin did not build against ${sdk}:\n${output}\n${errors}")
endif()
message(STATUS "built ${build}/bin/vexlo.dll against ${sdk}")

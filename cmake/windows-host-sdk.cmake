# Builds the plugin against the real host's SDK folder, named by
# VEXLO_HOST_SDK_DIR, instead of sdk/ and the stand-in host. It provides the
# three targets the plugin links, under the names sdk/ and host/ give them:
#   corvane-sdk-headers  the host's headers (<corvane/*.h>), and this
#                        project's <corvane/entry.h> where the host has none
#   corvane-plugin-base  the plugin base class compiled into the plugin
#   pluginsdk            the host's SDK import library (pluginsdk.lib)
#
# The folder holds the headers as corvane/plugin.h and so on, either directly
# or under include/, and the import library directly or under lib/.

# The folder is outside any cross toolchain's sysroot: search it as given.
find_path(VEXLO_HOST_SDK_INCLUDE_DIR corvane/plugin.h
          PATHS "${VEXLO_HOST_SDK_DIR}" PATH_SUFFIXES include
          NO_DEFAULT_PATH NO_CMAKE_FIND_ROOT_PATH
          DOC "Folder holding the host SDK's corvane/*.h")
find_library(VEXLO_HOST_SDK_LIBRARY NAMES pluginsdk
             PATHS "${VEXLO_HOST_SDK_DIR}" PATH_SUFFIXES lib
             NO_DEFAULT_PATH NO_CMAKE_FIND_ROOT_PATH
             DOC "The host SDK's import library")
if(NOT VEXLO_HOST_SDK_INCLUDE_DIR OR NOT VEXLO_HOST_SDK_LIBRARY)
  message(FATAL_ERROR
          "VEXLO_HOST_SDK_DIR=${VEXLO_HOST_SDK_DIR} lacks corvane/plugin.h or the pluginsdk import "
          "library (looked in the folder and in its include/ and lib/). Set "
          "VEXLO_HOST_SDK_INCLUDE_DIR and VEXLO_HOST_SDK_LIBRARY to point at them directly.")
endif()
if(VEXLO_BUILD_TESTS)
  message(FATAL_ERROR "the tests run on the stand-in host: configure with VEXLO_BUILD_TESTS=OFF "
                      "when building against VEXLO_HOST_SDK_DIR")
endif()
message(STATUS "Building the plugin against the host SDK in ${VEXLO_HOST_SDK_INCLUDE_DIR} "
               "and ${VEXLO_HOST_SDK_LIBRARY}")

add_library(corvane-sdk-headers INTERFACE)
# A system include: the host's headers are not ours to fix, so warnings inside
# them (under /W4 and warnings as errors) must not fail the plugin's build.
target_include_directories(corvane-sdk-headers SYSTEM INTERFACE ${VEXLO_HOST_SDK_INCLUDE_DIR})

# The entry declarations (descriptor record, factory and teardown types,
# export names) are this project's: the host's SDK is not known to ship them.
# They come from sdk/ in a folder of their own, so that none of the host's
# own headers is shadowed by this project's copy.
if(NOT EXISTS ${VEXLO_HOST_SDK_INCLUDE_DIR}/corvane/entry.h)
  set(entry_include_dir ${CMAKE_BINARY_DIR}/host-sdk/include)
  configure_file(${PROJECT_SOURCE_DIR}/sdk/corvane/entry.h ${entry_include_dir}/corvane/entry.h
                 COPYONLY)
  target_include_directories(corvane-sdk-headers INTERFACE ${entry_include_dir})
endif()

# The base class is compiled into every plugin. The host SDK's own definition
# is used when it ships one beside the header; otherwise this project's,
# which defines exactly what plugin.h declares and nothing else. Its include
# is rewritten to the SDK's path so that the host's header, not the copy in
# sdk/, declares what it defines.
set(plugin_base_source ${VEXLO_HOST_SDK_INCLUDE_DIR}/corvane/plugin.cpp)
if(NOT EXISTS ${plugin_base_source})
  file(READ ${PROJECT_SOURCE_DIR}/sdk/corvane/plugin.cpp base_text)
  string(REPLACE "#include \"plugin.h\"" "#include <corvane/plugin.h>" base_text "${base_text}")
  set(plugin_base_source ${CMAKE_BINARY_DIR}/host-sdk/plugin_base.cpp)
  file(GENERATE OUTPUT ${plugin_base_source} CONTENT "${base_text}")
  set_property(DIRECTORY ${PROJECT_SOURCE_DIR} APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS
                                                            ${PROJECT_SOURCE_DIR}/sdk/corvane/plugin.cpp)
endif()
add_library(corvane-plugin-base INTERFACE)
target_sources(corvane-plugin-base INTERFACE ${plugin_base_source})
target_link_libraries(corvane-plugin-base INTERFACE corvane-sdk-headers)
target_compile_definitions(corvane-plugin-base INTERFACE CORVANE_BUILDING_PLUGIN)

add_library(pluginsdk UNKNOWN IMPORTED)
set_target_properties(pluginsdk PROPERTIES IMPORTED_LOCATION ${VEXLO_HOST_SDK_LIBRARY})
target_link_libraries(pluginsdk INTERFACE corvane-sdk-headers)

# vexlo_plugin_library(TARGET SOURCES... [OUTPUT_DIRECTORY DIR] [EXPORT_MAP FILE])
#
# A library that a host loads as a plugin: the plugin itself and the test
# fixtures that stand in for other plugins. Each is built the way a host
# expects to open it:
#   - named as the file a host picks up (vexlo.so, vexlo.dll), with no "lib";
#   - showing only what the SDK's export macros mark, so two plugins loaded
#     into one host never bind to each other's internals;
#   - with the plugin base class compiled in and the SDK library linked,
#     found at run time beside the program (BUILD_RPATH from its folder,
#     OUTPUT_DIRECTORY when it lands elsewhere than bin/);
#   - on Linux, linked with every symbol resolved, so that a missing SDK
#     function fails the build rather than the load;
#   - under GCC, without unique symbols, which would pin the library in
#     memory after the host unloads it, so that a reload saw the previous
#     load's state.
# EXPORT_MAP names a linker version script that narrows the exported names
# further (on Linux); a fixture whose test looks up names of its own goes
# without one.
function(vexlo_plugin_library target)
  cmake_parse_arguments(PARSE_ARGV 1 plugin "" "OUTPUT_DIRECTORY;EXPORT_MAP" "")
  add_library(${target} MODULE ${plugin_UNPARSED_ARGUMENTS})
  set_target_properties(${target} PROPERTIES
    PREFIX ""
    CXX_VISIBILITY_PRESET hidden
    VISIBILITY_INLINES_HIDDEN ON)
  target_link_libraries(${target} PRIVATE corvane-plugin-base pluginsdk vexlo-warnings)

  # The SDK library lands in CMAKE_LIBRARY_OUTPUT_DIRECTORY.
  set(sdk_folder "$ORIGIN")
  if(plugin_OUTPUT_DIRECTORY)
    set_target_properties(${target} PROPERTIES LIBRARY_OUTPUT_DIRECTORY ${plugin_OUTPUT_DIRECTORY})
    file(RELATIVE_PATH to_sdk ${plugin_OUTPUT_DIRECTORY} ${CMAKE_LIBRARY_OUTPUT_DIRECTORY})
    string(REGEX REPLACE "/$" "" to_sdk "${to_sdk}")
    if(to_sdk)
      set(sdk_folder "$ORIGIN/${to_sdk}")
    endif()
  endif()
  set_target_properties(${target} PROPERTIES BUILD_RPATH "${sdk_folder}")

  if(CMAKE_SYSTEM_NAME STREQUAL "Linux")
    if(plugin_EXPORT_MAP)
      target_link_options(${target} PRIVATE "-Wl,--version-script=${plugin_EXPORT_MAP}")
      set_property(TARGET ${target} APPEND PROPERTY LINK_DEPENDS ${plugin_EXPORT_MAP})
    endif()
    # Under the sanitizers a plugin leaves their runtime's symbols to the program.
    if(NOT VEXLO_SANITIZE)
      target_link_options(${target} PRIVATE "-Wl,--no-undefined")
    endif()
  endif()
  if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
    target_compile_options(${target} PRIVATE -fno-gnu-unique)
  endif()
endfunction()

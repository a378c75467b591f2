# Checks what vexlo.dll shows a Windows host: the name its export table gives,
# exactly the exports a host and the plugin base class need, and imports from
# the host's SDK library, KERNEL32 and the C runtime only, so that the file
# loads with no DLL shipped beside it.
#
# Run as: cmake -DPLUGIN=vexlo.dll -DOBJDUMP=... -DCXXFILT=... -P this file

cmake_minimum_required(VERSION 3.25)
include(${CMAKE_CURRENT_LIST_DIR}/pe_tables.cmake)

# Every export, as C++ writes it, once per symbol: GCC emits a constructor
# twice (complete and base object) and the destructor three times (also the
# deleting one). The run-time type record comes with the virtual table, since
# GCC exports it with every exported polymorphic class.
set(class "Corvane::Plugin::CorvanePlugin")
set(expected_exports
    "exports"
    "getPlugin"
    "deleteMe"
    "${class}::CorvanePlugin()"
    "${class}::CorvanePlugin()"
    "${class}::CorvanePlugin(${class} const&)"
    "${class}::CorvanePlugin(${class} const&)"
    "${class}::CorvanePlugin(${class}&&)"
    "${class}::CorvanePlugin(${class}&&)"
    "${class}::~CorvanePlugin()"
    "${class}::~CorvanePlugin()"
    "${class}::~CorvanePlugin()"
    "${class}::operator=(${class} const&)"
    "${class}::operator=(${class}&&)"
    "${class}::onLoad()"
    "${class}::onUnload()"
    "vtable for ${class}"
    "typeinfo for ${class}")
set(expected_name "vexlo.dll")
set(sdk_library "pluginsdk.dll")

set(faults "")

vexlo_pe_dump("${PLUGIN}" "${OBJDUMP}" dump)

vexlo_pe_export_name("${dump}" name)
if(NOT name STREQUAL expected_name)
  list(APPEND faults "the export table names the library '${name}', not '${expected_name}'")
endif()

vexlo_pe_exports("${dump}" mangled)
vexlo_demangle("${mangled}" "${CXXFILT}" exported)
set(missing ${expected_exports})
set(extra ${exported})
foreach(symbol IN LISTS expected_exports)
  list(FIND extra "${symbol}" at)
  if(NOT at EQUAL -1)
    list(REMOVE_AT extra ${at})
    list(FIND missing "${symbol}" at)
    list(REMOVE_AT missing ${at})
  endif()
endforeach()
foreach(symbol IN LISTS missing)
  list(APPEND faults "not exported: ${symbol}")
endforeach()
foreach(symbol IN LISTS extra)
  list(APPEND faults "exported but must stay inside: ${symbol}")
endforeach()

vexlo_pe_imported_dlls("${dump}" dlls)
set(has_sdk FALSE)
set(has_kernel32 FALSE)
set(has_c_runtime FALSE)
foreach(dll IN LISTS dlls)
  string(TOLOWER "${dll}" lower)
  vexlo_pe_is_c_runtime("${dll}" is_c_runtime)
  if(lower STREQUAL sdk_library)
    set(has_sdk TRUE)
  elseif(lower STREQUAL "kernel32.dll")
    set(has_kernel32 TRUE)
  elseif(is_c_runtime)
    set(has_c_runtime TRUE)
  else()
    list(APPEND faults "imports ${dll}, which a Windows machine with the host does not have")
  endif()
endforeach()
foreach(needed IN ITEMS sdk kernel32 c_runtime)
  if(NOT has_${needed})
    list(APPEND faults "imports nothing from the ${needed} library; imports are: ${dlls}")
  endif()
endforeach()

if(faults)
  list(JOIN faults "\n  " report)
  message(FATAL_ERROR "${PLUGIN}:\n  ${report}")
endif()
list(LENGTH exported count)
message(STATUS "${name}: ${count} exports as expected; imports ${dlls}")

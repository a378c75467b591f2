# Checks what vexlo.dll shows a Windows host: the name its export table gives,
# exactly the exports a host and the plugin base class need, under
# Microsoft's decorated names, and imports from the host's SDK library,
# KERNEL32 and the Visual C++ runtime only (the C++ library among them, which
# the host loads too), so that the file loads with nothing shipped beside it.
# Also its load-configuration directory; on PROBE, a DLL of the same startup
# code, exactly, with __chkstk's unwind data, by its linker map PROBE_MAP.
#
# Run as: cmake -DPLUGIN=vexlo.dll -DOBJDUMP=... -DUNDNAME=... -DREADOBJ=...
#               [-DPROBE=probe.dll -DPROBE_MAP=probe.map] -P this file

cmake_minimum_required(VERSION 3.25)
include(${CMAKE_CURRENT_LIST_DIR}/pe_tables.cmake)

# Every export, as Microsoft's tools write it undecorated. The virtual table
# is exported with the class, as Visual C++ does for any exported class
# with virtual functions; no run-time type record is.
set(class "Corvane::Plugin::CorvanePlugin")
set(expected_exports
    "exports"
    "getPlugin"
    "deleteMe"
    "public: __cdecl ${class}::CorvanePlugin(void)"
    "public: __cdecl ${class}::CorvanePlugin(class ${class} const &)"
    "public: __cdecl ${class}::CorvanePlugin(class ${class} &&)"
    "public: virtual __cdecl ${class}::~CorvanePlugin(void)"
    "public: class ${class} & __cdecl ${class}::operator=(class ${class} const &)"
    "public: class ${class} & __cdecl ${class}::operator=(class ${class} &&)"
    "public: virtual void __cdecl ${class}::onLoad(void)"
    "public: virtual void __cdecl ${class}::onUnload(void)"
    "const ${class}::`vftable'")
set(expected_name "vexlo.dll")
set(sdk_library "pluginsdk.dll")

set(faults "")

vexlo_pe_dump("${PLUGIN}" "${OBJDUMP}" dump)

vexlo_pe_export_name("${dump}" name)
if(NOT name STREQUAL expected_name)
  list(APPEND faults "the export table names the library '${name}', not '${expected_name}'")
endif()

vexlo_pe_exports("${dump}" mangled)
vexlo_undecorate("${mangled}" "${UNDNAME}" exported)
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
set(has_cpp_library FALSE)
foreach(dll IN LISTS dlls)
  string(TOLOWER "${dll}" lower)
  vexlo_pe_is_c_runtime("${dll}" is_c_runtime)
  if(lower STREQUAL sdk_library)
    set(has_sdk TRUE)
  elseif(lower STREQUAL "kernel32.dll")
    set(has_kernel32 TRUE)
  elseif(lower STREQUAL "msvcp140.dll")
    set(has_cpp_library TRUE)
  elseif(is_c_runtime)
    set(has_c_runtime TRUE)
  else()
    list(APPEND faults "imports ${dll}, which a Windows machine with the host does not have")
  endif()
endforeach()
foreach(needed IN ITEMS sdk kernel32 c_runtime cpp_library)
  if(NOT has_${needed})
    list(APPEND faults "imports nothing from the ${needed} library; imports are: ${dlls}")
  endif()
endforeach()

vexlo_pe_startup_faults("${PLUGIN}" "${READOBJ}" "" faults)
if(PROBE)
  vexlo_pe_startup_faults("${PROBE}" "${READOBJ}" "${PROBE_MAP}" faults)
endif()

if(faults)
  list(JOIN faults "\n  " report)
  message(FATAL_ERROR "${PLUGIN}:\n  ${report}")
endif()
list(LENGTH exported count)
message(STATUS "${name}: ${count} exports as expected; imports ${dlls}")

# Checks that the Windows files run with nothing shipped beside them but
# each other: every DLL they import is pluginsdk.dll, the Visual C++ runtime
# (which the host needs itself) or one that Windows provides. A file linked
# against a debug runtime (msvcp140d.dll, ucrtbased.dll) or any other
# library's DLL fails here.
#
# Run as: cmake "-DFILES=a.dll|b.exe" -DOBJDUMP=... -P this file

cmake_minimum_required(VERSION 3.25)
include(${CMAKE_CURRENT_LIST_DIR}/pe_tables.cmake)

set(project_dlls pluginsdk.dll)
# DLLs every Windows installation has, in lower case.
set(windows_dlls
    kernel32.dll
    user32.dll
    gdi32.dll
    advapi32.dll
    shell32.dll
    ole32.dll
    oleaut32.dll
    ws2_32.dll
    bcrypt.dll
    ntdll.dll
    shlwapi.dll
    version.dll)

string(REPLACE "|" ";" files "${FILES}")
set(faults "")
foreach(file IN LISTS files)
  vexlo_pe_dump("${file}" "${OBJDUMP}" dump)
  vexlo_pe_imported_dlls("${dump}" dlls)
  foreach(dll IN LISTS dlls)
    string(TOLOWER "${dll}" lower)
    vexlo_pe_is_c_runtime("${dll}" is_c_runtime)
    if(NOT is_c_runtime AND NOT lower IN_LIST project_dlls AND NOT lower IN_LIST windows_dlls)
      list(APPEND faults "${file} imports ${dll}")
    endif()
  endforeach()
  get_filename_component(name "${file}" NAME)
  message(STATUS "${name} imports ${dlls}")
endforeach()

if(faults)
  list(JOIN faults "\n  " report)
  message(FATAL_ERROR "DLLs that would have to be shipped beside the files:\n  ${report}")
endif()

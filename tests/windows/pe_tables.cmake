# Reads a Windows PE file's export and import tables through the MinGW-w64
# toolchain's objdump -p, for the checks of the Windows build.

# vexlo_pe_dump(FILE OBJDUMP OUT): OUT receives `objdump -p FILE`.
function(vexlo_pe_dump file objdump out)
  if(NOT EXISTS "${file}")
    message(FATAL_ERROR "${file} does not exist: build it first")
  endif()
  execute_process(COMMAND "${objdump}" -p "${file}" OUTPUT_VARIABLE dump ERROR_VARIABLE errors
                  RESULT_VARIABLE result)
  if(NOT result EQUAL 0)
    message(FATAL_ERROR "${objdump} -p ${file} failed (${result}): ${errors}")
  endif()
  set(${out} "${dump}" PARENT_SCOPE)
endfunction()

# vexlo_pe_export_name(DUMP OUT): the library name the export table gives,
# the name a loader matches imports against.
function(vexlo_pe_export_name dump out)
  if(NOT dump MATCHES "\nName[ \t]+[0-9a-fA-F]+ ([^\n]+)\n")
    message(FATAL_ERROR "the file has no export table")
  endif()
  string(STRIP "${CMAKE_MATCH_1}" name)
  set(${out} "${name}" PARENT_SCOPE)
endfunction()

# vexlo_pe_exports(DUMP OUT): the exported names, in the table's order.
function(vexlo_pe_exports dump out)
  set(header "[Ordinal/Name Pointer] Table")
  string(FIND "${dump}" "${header}" start)
  if(start EQUAL -1)
    set(${out} "" PARENT_SCOPE)
    return()
  endif()
  string(SUBSTRING "${dump}" ${start} -1 table)
  # The table runs to the first empty line after its header.
  string(FIND "${table}" "\n\n" end)
  if(NOT end EQUAL -1)
    string(SUBSTRING "${table}" 0 ${end} table)
  endif()
  string(REGEX MATCHALL "\\[ *[0-9]+\\] [^\n]+" rows "${table}")
  set(names "")
  foreach(row IN LISTS rows)
    string(REGEX REPLACE "^\\[ *[0-9]+\\] " "" name "${row}")
    string(STRIP "${name}" name)
    list(APPEND names "${name}")
  endforeach()
  set(${out} "${names}" PARENT_SCOPE)
endfunction()

# vexlo_pe_imported_dlls(DUMP OUT): the DLLs the file imports from, as the
# import table spells them.
function(vexlo_pe_imported_dlls dump out)
  string(REGEX MATCHALL "DLL Name: [^\n]+" rows "${dump}")
  set(dlls "")
  foreach(row IN LISTS rows)
    string(REGEX REPLACE "^DLL Name: " "" dll "${row}")
    string(STRIP "${dll}" dll)
    list(APPEND dlls "${dll}")
  endforeach()
  set(${out} "${dlls}" PARENT_SCOPE)
endfunction()

# vexlo_pe_is_c_runtime(DLL OUT): whether DLL is one of the C runtimes that
# Windows itself provides (the classic msvcrt or the universal one).
function(vexlo_pe_is_c_runtime dll out)
  string(TOLOWER "${dll}" dll)
  if(dll STREQUAL "msvcrt.dll" OR dll STREQUAL "ucrtbase.dll" OR dll MATCHES "^api-ms-win-crt-")
    set(${out} TRUE PARENT_SCOPE)
  else()
    set(${out} FALSE PARENT_SCOPE)
  endif()
endfunction()

# vexlo_demangle(NAMES CXXFILT OUT): NAMES as C++ writes them, one for one;
# names that are not mangled C++ names stay as they are.
function(vexlo_demangle names cxxfilt out)
  if(names STREQUAL "")
    set(${out} "" PARENT_SCOPE)
    return()
  endif()
  execute_process(COMMAND "${cxxfilt}" ${names} OUTPUT_VARIABLE text RESULT_VARIABLE result)
  if(NOT result EQUAL 0)
    message(FATAL_ERROR "${cxxfilt} failed (${result})")
  endif()
  string(STRIP "${text}" text)
  string(REPLACE "\n" ";" demangled "${text}")
  set(${out} "${demangled}" PARENT_SCOPE)
endfunction()

# Reads a Windows PE file's export and import tables through LLVM's
# objdump -p, and undecorates Microsoft C++ names with llvm-undname, for the
# checks of the Windows build.

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
  if(NOT dump MATCHES "Export Table:\n DLL name: ([^\n]+)\n")
    message(FATAL_ERROR "the file has no export table")
  endif()
  string(STRIP "${CMAKE_MATCH_1}" name)
  set(${out} "${name}" PARENT_SCOPE)
endfunction()

# vexlo_pe_rows_after(TEXT LEAD OUT): what follows the regular expression
# LEAD to the end of each line it starts, stripped, in order.
function(vexlo_pe_rows_after text lead out)
  string(REGEX MATCHALL "${lead}[^\n]+" rows "${text}")
  set(values "")
  foreach(row IN LISTS rows)
    string(REGEX REPLACE "^${lead}" "" value "${row}")
    string(STRIP "${value}" value)
    list(APPEND values "${value}")
  endforeach()
  set(${out} "${values}" PARENT_SCOPE)
endfunction()

# vexlo_pe_exports(DUMP OUT): the exported names, in the table's order.
function(vexlo_pe_exports dump out)
  string(FIND "${dump}" "Export Table:" start)
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
  # Rows: ordinal, address, name.
  vexlo_pe_rows_after("${table}" "\n +[0-9]+ +0x[0-9a-fA-F]+ +" names)
  set(${out} "${names}" PARENT_SCOPE)
endfunction()

# vexlo_pe_imported_dlls(DUMP OUT): the DLLs the file imports from, as the
# import table spells them.
function(vexlo_pe_imported_dlls dump out)
  vexlo_pe_rows_after("${dump}" "DLL Name: " dlls)
  set(${out} "${dlls}" PARENT_SCOPE)
endfunction()

# vexlo_pe_is_c_runtime(DLL OUT): whether DLL is part of the Visual C++
# runtime a /MD build imports (the C++ library, the compiler's runtime and
# the universal C runtime, by its own name or its api-ms-win-crt-* set).
function(vexlo_pe_is_c_runtime dll out)
  string(TOLOWER "${dll}" dll)
  if(dll MATCHES "^(msvcp140|vcruntime140|ucrtbase)\\.dll$" OR dll MATCHES "^api-ms-win-crt-")
    set(${out} TRUE PARENT_SCOPE)
  else()
    set(${out} FALSE PARENT_SCOPE)
  endif()
endfunction()

# vexlo_undecorate(NAMES UNDNAME OUT): NAMES as Microsoft's tools write them
# undecorated, one for one; names that are not decorated C++ names (the C
# entry points) stay as they are.
function(vexlo_undecorate names undname out)
  set(readable "")
  foreach(name IN LISTS names)
    if(name MATCHES "^\\?")
      execute_process(COMMAND "${undname}" "${name}" OUTPUT_VARIABLE text RESULT_VARIABLE result)
      string(REGEX REPLACE "^[^\n]*\n([^\n]*).*" "\\1" text "${text}")
      if(NOT result EQUAL 0 OR text MATCHES "^error:")
        message(FATAL_ERROR "${undname} cannot read the name ${name}")
      endif()
      list(APPEND readable "${text}")
    else()
      list(APPEND readable "${name}")
    endif()
  endforeach()
  set(${out} "${readable}" PARENT_SCOPE)
endfunction()

# vexlo_pe_startup_faults(FILE READOBJ MAP OUT): what is wrong with the
# tables the startup code gives FILE, appended to the list OUT. Every file
# carries a load-configuration directory as Microsoft's linker writes it
# (the full size, no control-flow guard) that points at a /GS cookie. With
# MAP, the linker's map of FILE, the cookie must be __security_cookie, and
# __chkstk, when FILE has it, must have a .pdata entry.
function(vexlo_pe_startup_faults file readobj map out)
  set(faults ${${out}})
  get_filename_component(name "${file}" NAME)
  execute_process(COMMAND "${readobj}" --coff-load-config --unwind "${file}" OUTPUT_VARIABLE dump
                  RESULT_VARIABLE result)
  if(NOT result EQUAL 0 OR NOT dump MATCHES "LoadConfig \\[\n  Size: (0x[0-9A-Fa-f]+)\n")
    list(APPEND faults "${name} has no load-configuration directory")
  elseif(NOT CMAKE_MATCH_1 STREQUAL "0x140")
    list(APPEND faults "${name}'s load-configuration directory is ${CMAKE_MATCH_1} bytes, not 0x140")
  elseif(NOT dump MATCHES "\n  SecurityCookie: (0x[0-9A-Fa-f]+)\n" OR CMAKE_MATCH_1 STREQUAL "0x0")
    list(APPEND faults "${name}'s load-configuration directory names no /GS cookie")
  else()
    string(TOLOWER "${CMAKE_MATCH_1}" cookie)
    if(NOT dump MATCHES "\n  GuardFlags \\[ \\(0x0\\)\n")
      list(APPEND faults "${name} claims control-flow guard, which it was not built with")
    endif()
  endif()
  if(map)
    file(READ "${map}" symbols)
    if(NOT symbols MATCHES " __security_cookie +0*([0-9a-f]+) ")
      list(APPEND faults "${map} has no __security_cookie")
    elseif(NOT cookie STREQUAL "0x${CMAKE_MATCH_1}")
      list(APPEND faults "${name}'s cookie is at 0x${CMAKE_MATCH_1}, its directory names ${cookie}")
    endif()
    if(symbols MATCHES " __chkstk +0*([0-9a-f]+) ")
      set(chkstk "${CMAKE_MATCH_1}")
      string(TOLOWER "${dump}" lower_dump)
      if(NOT lower_dump MATCHES "startaddress: \\(0x0*${chkstk}\\)")
        list(APPEND faults "${name} has no .pdata entry for __chkstk (at 0x${chkstk})")
      endif()
    else()
      list(APPEND faults "${name} does not have __chkstk, whose unwind data is to be checked")
    endif()
  endif()
  set(${out} "${faults}" PARENT_SCOPE)
endfunction()

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

# vexlo_pe_startup_faults(FILE READOBJ MAP OUT): appends to OUT what is wrong
# with FILE's load-configuration directory (full size, no control-flow guard,
# a /GS cookie) and, by its linker map MAP, its cookie and __chkstk's .pdata.
function(vexlo_pe_startup_faults file readobj map out)
  set(faults ${${out}})
  get_filename_component(name "${file}" NAME)
  execute_process(COMMAND "${readobj}" --coff-load-config --unwind "${file}" OUTPUT_VARIABLE dump)
  string(TOLOWER "${dump}" dump)
  set(cookie "0x0")
  if(dump MATCHES "\n  securitycookie: (0x[0-9a-f]+)\n")
    set(cookie "${CMAKE_MATCH_1}")
  endif()
  if(NOT dump MATCHES "loadconfig \\[\n  size: 0x140\n")
    list(APPEND faults "${name} has no load-configuration directory of 0x140 bytes")
  elseif(cookie STREQUAL "0x0")
    list(APPEND faults "${name}'s load-configuration directory names no /GS cookie")
  elseif(NOT dump MATCHES "\n  guardflags \\[ \\(0x0\\)\n")
    list(APPEND faults "${name} claims control-flow guard, which it was not built with")
  endif()
  if(map)
    file(READ "${map}" symbols)
    string(REGEX MATCH " __security_cookie +0*([0-9a-f]+) " found "${symbols}")
    if(NOT cookie STREQUAL "0x${CMAKE_MATCH_1}")
      list(APPEND faults "${name}'s directory names ${cookie}, not __security_cookie")
    endif()
    string(REGEX MATCH " __chkstk +0*([0-9a-f]+) " found "${symbols}")
    if(NOT dump MATCHES "startaddress: \\(0x0*${CMAKE_MATCH_1}\\)")
      list(APPEND faults "${name} has no __chkstk or no .pdata entry for it")
    endif()
  endif()
  set(${out} "${faults}" PARENT_SCOPE)
endfunction()

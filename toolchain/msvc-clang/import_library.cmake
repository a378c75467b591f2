# vexlo_import_library_from_dll(READOBJ DLLTOOL DLL_FILE DLL_NAME LIBRARY):
# writes LIBRARY, an import library that lists every name DLL_FILE exports,
# imported from DLL_NAME (say pluginsdk.dll), read from the DLL's export
# table with llvm-readobj and written with llvm-dlltool. Used when the build
# is configured (the runtime DLLs) and from scripts (a host SDK folder).
function(vexlo_import_library_from_dll readobj dlltool dll_file dll_name library)
  execute_process(COMMAND "${readobj}" --coff-exports "${dll_file}" OUTPUT_VARIABLE exports
                  RESULT_VARIABLE result)
  string(REGEX MATCHALL "\n  Name: [^\n]+" names "${exports}")
  list(TRANSFORM names REPLACE "\n  Name: " "")
  if(NOT result EQUAL 0 OR names STREQUAL "")
    message(FATAL_ERROR "no exports read from ${dll_file}")
  endif()
  list(JOIN names "\n" lines)
  set(definitions "${library}.def")
  file(WRITE "${definitions}" "LIBRARY ${dll_name}\nEXPORTS\n${lines}\n")
  execute_process(COMMAND "${dlltool}" -m i386:x86-64 -d "${definitions}" -l "${library}"
                  RESULT_VARIABLE result)
  file(REMOVE "${definitions}")
  if(NOT result EQUAL 0)
    message(FATAL_ERROR "llvm-dlltool could not make ${library}")
  endif()
endfunction()

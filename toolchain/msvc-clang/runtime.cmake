# The runtime every target of the clang-cl build links, made by the build
# itself. Included by the top-level CMakeLists.txt before any target, when
# the toolchain is toolchain.cmake:
#   - import libraries of the runtime DLLs and the Windows DLLs the programs
#     use, from the export tables of wine's builtin DLLs;
#   - msvc-clang-msvcprt: the part of the C++ library that Microsoft's import
#     library for msvcp140.dll carries as code, compiled from the STL's
#     sources;
#   - msvc-clang-startup: this folder's startup code (entry points,
#     initialisers, atexit, /GS cookie and load configuration, __chkstk,
#     thread-safe statics, TLS and thread_local objects, new and delete).

set(import_dir "${CMAKE_BINARY_DIR}/msvc-clang/lib")
file(MAKE_DIRECTORY "${import_dir}")
find_program(VEXLO_LLVM_READOBJ NAMES llvm-readobj-19 llvm-readobj HINTS /usr/lib/llvm-19/bin REQUIRED)
find_program(VEXLO_LLVM_DLLTOOL NAMES llvm-dlltool-19 llvm-dlltool HINTS /usr/lib/llvm-19/bin
             REQUIRED)

include(${CMAKE_CURRENT_LIST_DIR}/import_library.cmake)

# vexlo_msvc_clang_import_library(DLL): DLL.lib in import_dir, listing every
# name DLL exports. Made at configure time, once per build folder.
function(vexlo_msvc_clang_import_library dll)
  set(library "${import_dir}/${dll}.lib")
  if(EXISTS "${library}")
    return()
  endif()
  set(dll_file "${VEXLO_WINE_DLL_DIR}/${dll}.dll")
  if(NOT EXISTS "${dll_file}")
    message(FATAL_ERROR "${dll_file} is missing (Debian: apt-get install wine)")
  endif()
  vexlo_import_library_from_dll("${VEXLO_LLVM_READOBJ}" "${VEXLO_LLVM_DLLTOOL}" "${dll_file}"
                                "${dll}.dll" "${library}")
endfunction()

# In the order Visual Studio's libraries are searched: a name both wine's
# vcruntime140.dll and its ucrtbase.dll export (memcpy, the C++ exception
# handler) is imported from vcruntime140.dll, as an MSVC build does.
set(runtime_dlls vcruntime140 ucrtbase msvcp140 kernel32)
foreach(dll IN LISTS runtime_dlls ITEMS shell32 dbghelp)
  vexlo_msvc_clang_import_library(${dll})
endforeach()
# Named import libraries (shell32, dbghelp) are found here, as in a Windows SDK.
link_directories("${import_dir}")

# The STL's sources are third party: compiled as its own build compiles them
# (_CRTBLD), without the project's warnings.
set(stl_src "${VEXLO_MSVC_STL_DIR}/stl/src")
add_library(msvc-clang-msvcprt STATIC
  "${stl_src}/charconv.cpp"
  "${stl_src}/filesystem.cpp"
  "${stl_src}/format.cpp"
  "${stl_src}/locale0_implib.cpp"
  "${stl_src}/nothrow.cpp"
  "${stl_src}/sharedmutex.cpp"
  "${stl_src}/syserror_import_lib.cpp"
  "${stl_src}/xcharconv_ryu_tables.cpp"
  "${stl_src}/xcharconv_tables_double.cpp"
  "${stl_src}/xcharconv_tables_float.cpp"
  "${stl_src}/xonce2.cpp")
target_compile_definitions(msvc-clang-msvcprt PRIVATE _CRTBLD)
target_compile_options(msvc-clang-msvcprt PRIVATE -w)
set_target_properties(msvc-clang-msvcprt PROPERTIES COMPILE_WARNING_AS_ERROR OFF)

set(startup_dir "${CMAKE_CURRENT_LIST_DIR}/startup")
add_library(msvc-clang-startup STATIC
  "${startup_dir}/compiler_support.cpp"
  "${startup_dir}/dll_entry.cpp"
  "${startup_dir}/dll_main_default.cpp"
  "${startup_dir}/exe_entry.cpp"
  "${startup_dir}/module.cpp"
  "${startup_dir}/new_delete.cpp"
  "${startup_dir}/security_cookie.cpp"
  "${startup_dir}/thread_local_objects.cpp"
  "${startup_dir}/thread_safe_statics.cpp"
  "${startup_dir}/tls_directory.cpp"
  "${startup_dir}/type_info.cpp")
# The entry points run before the cookie is set, so nothing here checks it.
target_compile_options(msvc-clang-startup PRIVATE /GS- /W4)

# Every target made after this point links the runtime.
set(runtime_libraries msvc-clang-startup msvc-clang-msvcprt)
foreach(dll IN LISTS runtime_dlls)
  list(APPEND runtime_libraries "${import_dir}/${dll}.lib")
endforeach()
link_libraries(${runtime_libraries})

# Toolchain for the Windows x64 files in Microsoft's C++ ABI, built on Linux:
# clang-cl and lld-link (LLVM 19), Microsoft's C++ standard library from its
# sources, wine's C runtime and Windows headers, and this folder's own
# compiler-support headers and startup code. The files import the Visual C++
# runtime DLLs (msvcp140.dll, vcruntime140.dll, ucrtbase.dll) as a /MD build
# of Visual Studio does; no runtime is linked in statically.
#
# Cache variables:
#   VEXLO_MSVC_STL_DIR      Microsoft's STL (its stl/inc and stl/src); also
#                           read from the environment
#   VEXLO_WINE_INCLUDE_DIR  wine's headers (msvcrt/ and windows/ in it)
#   VEXLO_WINE_DLL_DIR      wine's Windows DLLs, whose export tables give the
#                           import libraries (runtime.cmake)

set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR AMD64)

set(VEXLO_MSVC_CLANG_DIR "${CMAKE_CURRENT_LIST_DIR}")
get_filename_component(vexlo_repository_root "${CMAKE_CURRENT_LIST_DIR}/../.." ABSOLUTE)

# The STL is not in any package registry: CI finds it in ../shared beside the
# clone; a person names its folder with -DVEXLO_MSVC_STL_DIR=... or, for every
# build folder at once, the environment variable of the same name.
if(NOT VEXLO_MSVC_STL_DIR)
  if(NOT "$ENV{VEXLO_MSVC_STL_DIR}" STREQUAL "")
    set(stl_default "$ENV{VEXLO_MSVC_STL_DIR}")
  else()
    get_filename_component(stl_default "${vexlo_repository_root}/../shared/msvc-stl" ABSOLUTE)
  endif()
  set(VEXLO_MSVC_STL_DIR "${stl_default}" CACHE PATH "Microsoft's STL sources (stl/inc, stl/src)")
endif()
if(NOT EXISTS "${VEXLO_MSVC_STL_DIR}/stl/inc/yvals_core.h")
  message(FATAL_ERROR
          "Microsoft's STL is not in ${VEXLO_MSVC_STL_DIR} (no stl/inc/yvals_core.h there). Get it with\n"
          "  git clone --depth 1 --branch vs-2022-17.14 https://github.com/microsoft/STL ${VEXLO_MSVC_STL_DIR}\n"
          "or name its folder with -DVEXLO_MSVC_STL_DIR=... or the environment variable VEXLO_MSVC_STL_DIR")
endif()

set(VEXLO_WINE_INCLUDE_DIR /usr/include/wine/wine CACHE PATH "wine's headers (msvcrt/, windows/)")
set(VEXLO_WINE_DLL_DIR /usr/lib/x86_64-linux-gnu/wine/x86_64-windows CACHE PATH
    "wine's Windows DLLs, read for their export tables")
if(NOT EXISTS "${VEXLO_WINE_INCLUDE_DIR}/msvcrt/corecrt.h")
  message(FATAL_ERROR "wine's headers are not in ${VEXLO_WINE_INCLUDE_DIR} (Debian: apt-get install libwine-dev)")
endif()

# Each setting above reaches the compiler checks' own projects too.
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES VEXLO_MSVC_STL_DIR VEXLO_WINE_INCLUDE_DIR
     VEXLO_WINE_DLL_DIR)

set(llvm_hint /usr/lib/llvm-19/bin)
find_program(VEXLO_CLANG_CL NAMES clang-cl-19 clang-cl HINTS ${llvm_hint} REQUIRED
             DOC "clang-cl 19 (Debian: clang-19)")
find_program(VEXLO_LLD_LINK NAMES lld-link-19 lld-link HINTS ${llvm_hint} REQUIRED
             DOC "lld-link 19 (Debian: lld-19)")
find_program(VEXLO_LLVM_LIB NAMES llvm-lib-19 llvm-lib HINTS ${llvm_hint} REQUIRED)
find_program(VEXLO_LLVM_RC NAMES llvm-rc-19 llvm-rc HINTS ${llvm_hint} REQUIRED)
find_program(VEXLO_LLVM_MT NAMES llvm-mt-19 llvm-mt HINTS ${llvm_hint})
set(CMAKE_C_COMPILER "${VEXLO_CLANG_CL}")
set(CMAKE_CXX_COMPILER "${VEXLO_CLANG_CL}")
set(CMAKE_LINKER "${VEXLO_LLD_LINK}")
set(CMAKE_AR "${VEXLO_LLVM_LIB}")
set(CMAKE_RC_COMPILER "${VEXLO_LLVM_RC}")
if(VEXLO_LLVM_MT)
  set(CMAKE_MT "${VEXLO_LLVM_MT}")
endif()

# The import libraries and the startup code do not exist before the project
# builds them (runtime.cmake), so the compiler checks compile without linking.
set(CMAKE_TRY_COMPILE_TARGET_TYPE STATIC_LIBRARY)

# Headers: this folder's first (they complete or correct the others), then
# the STL's, wine's C runtime and wine's Windows API. /X leaves out whatever
# the environment's INCLUDE names.
#   WINE_UNICODE_NATIVE: WCHAR is wchar_t, as on Windows (wine's default in
#     C++ is char16_t).
#   _USE_STD_VECTOR_ALGORITHMS=0: the STL's algorithms stay in the headers
#     instead of calling its hand-vectorised library part, which clang builds
#     only for processors with AVX2.
#   /Brepro: no time stamps in the objects, so that a build gives the same
#     bytes each time.
set(vexlo_msvc_clang_flags
    "/X -imsvc \"${CMAKE_CURRENT_LIST_DIR}/include\" -imsvc \"${VEXLO_MSVC_STL_DIR}/stl/inc\" \
-imsvc \"${VEXLO_WINE_INCLUDE_DIR}/msvcrt\" -imsvc \"${VEXLO_WINE_INCLUDE_DIR}/windows\" \
/DWINE_UNICODE_NATIVE /D_USE_STD_VECTOR_ALGORITHMS=0 /EHsc /Brepro")
set(CMAKE_C_FLAGS_INIT "${vexlo_msvc_clang_flags}")
set(CMAKE_CXX_FLAGS_INIT "${vexlo_msvc_clang_flags}")

# The runtime comes only from the libraries runtime.cmake makes and links to
# every target, never from libraries the compiler names by default.
# /Brepro: the linker's time stamp is a hash of the contents.
set(vexlo_msvc_clang_link_flags "/nodefaultlib /manifest:no /Brepro")
set(CMAKE_EXE_LINKER_FLAGS_INIT "${vexlo_msvc_clang_link_flags}")
set(CMAKE_SHARED_LINKER_FLAGS_INIT "${vexlo_msvc_clang_link_flags}")
set(CMAKE_MODULE_LINKER_FLAGS_INIT "${vexlo_msvc_clang_link_flags}")
set(CMAKE_C_STANDARD_LIBRARIES "" CACHE STRING "" FORCE)
set(CMAKE_CXX_STANDARD_LIBRARIES "" CACHE STRING "" FORCE)

set(VEXLO_MSVC_CLANG ON)

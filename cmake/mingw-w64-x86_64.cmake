# Toolchain for cross-building the 64-bit Windows files (vexlo.dll,
# pluginsdk.dll, corvane-sim.exe) on Linux with Debian's MinGW-w64.
#
# The posix-threads flavour of the compiler is used because std::thread,
# std::mutex and friends need it; the win32 flavour lacks them.

set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(VEXLO_MINGW_TRIPLET x86_64-w64-mingw32)

find_program(VEXLO_MINGW_CXX NAMES ${VEXLO_MINGW_TRIPLET}-g++-posix REQUIRED
             DOC "MinGW-w64 C++ compiler, posix threads (Debian: g++-mingw-w64-x86-64-posix)")
find_program(VEXLO_MINGW_CC NAMES ${VEXLO_MINGW_TRIPLET}-gcc-posix
             DOC "MinGW-w64 C compiler, posix threads")
set(CMAKE_CXX_COMPILER ${VEXLO_MINGW_CXX})
if(VEXLO_MINGW_CC)
  set(CMAKE_C_COMPILER ${VEXLO_MINGW_CC})
endif()

# The tests read the built files' tables with the toolchain's own objdump.
find_program(VEXLO_MINGW_OBJDUMP NAMES ${VEXLO_MINGW_TRIPLET}-objdump
             DOC "MinGW-w64 objdump, reads PE export and import tables")

# GCC 12 reports a false -Wrestrict overlap inside libstdc++'s string
# concatenation once it inlines at -O2 (as this Release build does); the
# warning says nothing about the project's code.
set(CMAKE_CXX_FLAGS_INIT "-Wno-restrict")

set(CMAKE_FIND_ROOT_PATH /usr/${VEXLO_MINGW_TRIPLET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# The GCC runtime, the C++ runtime and winpthread are linked into every file
# built here, so that the DLLs and the simulator run with nothing shipped
# beside them. MinGW's system libraries (kernel32, msvcrt, ...) are import
# libraries even as static archives, so -static keeps them imports while
# making the linker take winpthread's archive instead of its DLL.
set(VEXLO_MINGW_STATIC_RUNTIME "-static-libgcc -static-libstdc++ -static")
set(CMAKE_SHARED_LINKER_FLAGS_INIT "${VEXLO_MINGW_STATIC_RUNTIME}")
set(CMAKE_MODULE_LINKER_FLAGS_INIT "${VEXLO_MINGW_STATIC_RUNTIME}")
set(CMAKE_EXE_LINKER_FLAGS_INIT "${VEXLO_MINGW_STATIC_RUNTIME}")

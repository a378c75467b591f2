// What the startup code of a DLL and of a program share: running the
// module's static initialisers and, at its end, its registered exit
// functions. Each module (DLL or program) links its own copy.
#pragma once

#include <corecrt_startup.h>

extern "C" {
_ACRTIMP void __cdecl _initterm(_PVFV *first, _PVFV *last);
_ACRTIMP int __cdecl _initterm_e(_PIFV *first, _PIFV *last);
}

namespace msvc_clang_startup {

// Sets the /GS cookie, then runs the module's C initialisers (which may
// fail: false) and its C++ dynamic initialisers, in the order the linker
// laid them out.
bool initialize_module();

// Runs the functions the module registered with atexit (the destructors of
// its static objects among them), last registered first.
void terminate_module();

} // namespace msvc_clang_startup

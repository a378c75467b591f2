// <stdlib.h> for this toolchain: wine's, with atexit, _onexit and
// at_quick_exit declared as functions of the calling module rather than
// imports. A DLL's registered functions must run when that DLL is unloaded,
// not when the process ends, so each module keeps its own tables (this
// toolchain's startup code); wine's header imports atexit and _onexit from
// the runtime DLL. Its unsafe functions are marked deprecated, as
// Microsoft's are (insecure_functions.h).
#pragma once
#define atexit __vexlo_runtime_atexit
#define _onexit __vexlo_runtime_onexit
#include_next <stdlib.h>
#undef atexit
#undef _onexit

_CRT_BEGIN_C_HEADER
int __cdecl atexit(void(__cdecl *function)(void));
_onexit_t __cdecl _onexit(_onexit_t function);
_ACRTIMP unsigned int __cdecl _set_abort_behavior(unsigned int flags, unsigned int mask);
_ACRTIMP int __cdecl _crt_at_quick_exit(void(__cdecl *function)(void));
_ACRTIMP __declspec(noreturn) void __cdecl quick_exit(int status);
int __cdecl at_quick_exit(void(__cdecl *function)(void));
_CRT_END_C_HEADER

#ifdef __cplusplus
// The integer overloads of abs that Microsoft's <stdlib.h> adds for C++.
extern "C++" {
inline long __cdecl abs(long x) noexcept { return labs(x); }
inline long long __cdecl abs(long long x) noexcept { return llabs(x); }
}
#endif
#include <insecure_functions.h>

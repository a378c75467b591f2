// <corecrt.h> for this toolchain: wine's, plus what Microsoft's runtime
// declares at this level and the C++ library relies on: the multibyte
// conversion state and the invalid-parameter report.
#pragma once
#include_next <corecrt.h>
#include <vcruntime.h>

_CRT_BEGIN_C_HEADER

#ifndef _MBSTATET_DEFINED
#define _MBSTATET_DEFINED
typedef struct _Mbstatet {
  unsigned long _Wchar;
  unsigned short _Byte, _State;
} _Mbstatet;
#endif

_ACRTIMP __declspec(noreturn) void __cdecl _invoke_watson(const wchar_t *, const wchar_t *,
                                                          const wchar_t *, unsigned int, uintptr_t);
_ACRTIMP void __cdecl _invalid_parameter_noinfo(void);
_ACRTIMP unsigned int __cdecl ___lc_codepage_func(void);
_ACRTIMP __declspec(noreturn) void __cdecl _invalid_parameter_noinfo_noreturn(void);

_CRT_END_C_HEADER

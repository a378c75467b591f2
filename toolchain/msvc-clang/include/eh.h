// <eh.h> for this toolchain: the terminate and unexpected handlers and the
// structured-exception translator. wine's ucrtbase.dll exports all three
// under C names (its vcruntime140.dll set_unexpected and _set_se_translator,
// not set_terminate); declared with C++ linkage, as wine's header does, they
// would be looked for under decorated names no runtime DLL exports.
#pragma once
#define __WINE_EH_H

#include <corecrt.h>

#ifndef __cplusplus
#error "eh.h is for C++ sources"
#endif

#pragma pack(push, _CRT_PACKING)

struct _EXCEPTION_POINTERS;

typedef void(__cdecl *terminate_handler)(void);
typedef void(__cdecl *terminate_function)(void);
typedef void(__cdecl *unexpected_handler)(void);
typedef void(__cdecl *unexpected_function)(void);
typedef void(__cdecl *_se_translator_function)(unsigned int, struct _EXCEPTION_POINTERS *);

extern "C" {
_ACRTIMP terminate_handler __cdecl set_terminate(terminate_handler handler) noexcept;
_ACRTIMP terminate_handler __cdecl _get_terminate(void);
_VCRTIMP unexpected_handler __cdecl _get_unexpected(void);
_ACRTIMP __declspec(noreturn) void __cdecl terminate(void) noexcept;
_VCRTIMP unexpected_handler __cdecl set_unexpected(unexpected_handler handler) noexcept;
_VCRTIMP __declspec(noreturn) void __cdecl unexpected(void) noexcept(false);
_VCRTIMP _se_translator_function __cdecl _set_se_translator(_se_translator_function translator);
_VCRTIMP bool __cdecl __uncaught_exception(void);
_VCRTIMP int __cdecl __uncaught_exceptions(void);
}

#pragma pack(pop)

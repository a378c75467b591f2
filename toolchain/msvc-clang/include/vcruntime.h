// The compiler-support declarations every C runtime and standard library
// header of this toolchain starts from: calling conventions, import
// markers, the pointer-sized integer types and the /GS cookie. Microsoft's
// compiler brings them with itself; this build, compiling with clang-cl
// against wine's C headers, supplies them here, following the documented
// x64 ABI.
#pragma once
#define _VCRUNTIME_H

#include <sal.h>
#include <vadefs.h>

#define _VCRT_COMPILER_PREPROCESSOR 1
#define _CRT_PACKING 8

#ifdef __cplusplus
#define _CRT_BEGIN_C_HEADER __pragma(pack(push, _CRT_PACKING)) extern "C" {
#define _CRT_END_C_HEADER                                                                          \
  }                                                                                                \
  __pragma(pack(pop))
#else
#define _CRT_BEGIN_C_HEADER __pragma(pack(push, _CRT_PACKING))
#define _CRT_END_C_HEADER __pragma(pack(pop))
#endif

// Every program and library of this build links the runtime as DLLs (/MD).
#define _VCRTIMP __declspec(dllimport)
#define _CRTIMP __declspec(dllimport)
// The C++ library's own exports; its static part, compiled into this build
// (_CRTBLD), defines them.
#ifndef _CRTIMP2
#if defined(_DLL) && !defined(_STATIC_CPPLIB) && !defined(_CRTBLD)
#define _CRTIMP2 __declspec(dllimport)
#else
#define _CRTIMP2
#endif
#endif
#ifndef _MRTIMP2
#define _MRTIMP2 _CRTIMP2
#endif
// The C++ library's few functions in its satellite DLLs (polymorphic
// allocators' default resource, special maths); none is used here.
#define _CRT_SATELLITE_1 __declspec(dllimport)
#define _CRT_SATELLITE_2 __declspec(dllimport)
#define _CRT_SATELLITE_CODECVT_IDS __declspec(dllimport)
#define _CRT_SATELLITE_CODECVT_IDS_NOIMPORT
// Per-process and per-appdomain data exist only under the .NET runtime.
#define _PGLOBAL
#define _AGLOBAL
// constexpr in Microsoft's compiler's own extension; nothing for clang.
#define _MSVC_CONSTEXPR
#define _VCRT_NOALIAS __declspec(noalias)
#define _VCRT_RESTRICT __declspec(restrict)
#define _VCRT_ALLOCATOR __declspec(allocator)
#define _VCRT_ALIGN(x) __declspec(align(x))
#define _CRT_ALIGN(x) __declspec(align(x))
#define _CRTALLOCATOR __declspec(allocator)
#define _CRTRESTRICT __declspec(restrict)
#define _UNALIGNED __unaligned

#define _CRT_STRINGIZE_(x) #x
#define _CRT_STRINGIZE(x) _CRT_STRINGIZE_(x)
#define _CRT_WIDE_(s) L##s
#define _CRT_WIDE(s) _CRT_WIDE_(s)
#define _CRT_CONCATENATE_(a, b) a##b
#define _CRT_CONCATENATE(a, b) _CRT_CONCATENATE_(a, b)
#define _CRT_UNPARENTHESIZE_(...) __VA_ARGS__
#define _CRT_UNPARENTHESIZE(...) _CRT_UNPARENTHESIZE_ __VA_ARGS__

#define __CRTDECL __cdecl
#define __CLRCALL_OR_CDECL __cdecl
#define __CLRCALL_PURE_OR_CDECL __cdecl
#define __CLR_OR_THIS_CALL
#define _CRT_GUARDOVERFLOW
#define _CRT_HYBRIDPATCHABLE
#define _CRT_DEPRECATE_TEXT(text) __declspec(deprecated(text))
// Warning C4996 on the C runtime's unsafe functions (insecure_functions.h),
// in the words of Microsoft's headers, unless the sources opt out.
#ifdef _CRT_SECURE_NO_WARNINGS
#define _CRT_INSECURE_DEPRECATE(replacement)
#else
#define _CRT_INSECURE_DEPRECATE(replacement)                                                       \
  _CRT_DEPRECATE_TEXT("This function or variable may be unsafe. Consider using " #replacement      \
                      " instead. To disable deprecation, use _CRT_SECURE_NO_WARNINGS. "             \
                      "See online help for details.")
#endif
#define _CRT_INSECURE_DEPRECATE_MEMORY(replacement)
#define _CRT_SECURE_CPP_NOTHROW throw()
#define _VCRUNTIME_DISABLED_WARNINGS 4514 4820

#ifndef _HAS_EXCEPTIONS
#define _HAS_EXCEPTIONS 1
#endif
#ifndef _HAS_NODISCARD
#define _HAS_NODISCARD 1
#endif
#if _HAS_NODISCARD
#define _NODISCARD [[nodiscard]]
#else
#define _NODISCARD
#endif
// Which C++ standard the sources are compiled as, for the C++ library.
#ifdef __cplusplus
#ifndef _HAS_CXX17
#define _HAS_CXX17 (_MSVC_LANG > 201402L)
#endif
#ifndef _HAS_CXX20
#define _HAS_CXX20 (_HAS_CXX17 && _MSVC_LANG > 201703L)
#endif
#ifndef _HAS_CXX23
#define _HAS_CXX23 (_HAS_CXX20 && _MSVC_LANG > 202002L)
#endif
#else
#define _HAS_CXX17 0
#define _HAS_CXX20 0
#define _HAS_CXX23 0
#endif

#ifndef _CRT_HAS_CXX17
#ifdef __cplusplus
#define _CRT_HAS_CXX17 (__cplusplus >= 201703L)
#else
#define _CRT_HAS_CXX17 0
#endif
#endif

#ifndef _SIZE_T_DEFINED
#define _SIZE_T_DEFINED
typedef unsigned __int64 size_t;
#endif
#ifndef _PTRDIFF_T_DEFINED
#define _PTRDIFF_T_DEFINED
typedef __int64 ptrdiff_t;
#endif
#ifndef _INTPTR_T_DEFINED
#define _INTPTR_T_DEFINED
typedef __int64 intptr_t;
#endif
#ifndef _UINTPTR_T_DEFINED
#define _UINTPTR_T_DEFINED
typedef unsigned __int64 uintptr_t;
#endif

#ifdef __cplusplus
typedef bool __vcrt_bool;
#else
typedef _Bool __vcrt_bool;
#endif
#ifndef NULL
#ifdef __cplusplus
#define NULL 0
#else
#define NULL ((void *)0)
#endif
#endif

#ifdef __cplusplus
extern "C++" {
template <typename T, size_t N> char (*__countof_helper(_UNALIGNED T (&)[N]))[N];
}
#define __crt_countof(a) (sizeof(*__countof_helper(a)) + 0)
#else
#define __crt_countof(a) (sizeof(a) / sizeof(a[0]))
#endif
#ifndef _countof
#define _countof __crt_countof
#endif

// The /GS cookie lives in each module (the startup code of this toolchain).
_CRT_BEGIN_C_HEADER
extern uintptr_t __security_cookie;
void __cdecl __security_init_cookie(void);
void __cdecl __security_check_cookie(uintptr_t cookie);
__declspec(noreturn) void __cdecl __report_gsfailure(uintptr_t cookie);
_CRT_END_C_HEADER

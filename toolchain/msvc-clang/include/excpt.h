// <excpt.h> for this toolchain: wine's, plus the intrinsics that read the
// exception being filtered inside a __try/__except filter, which clang-cl
// provides as Microsoft's compiler does (wine's header names them only when
// it is told that its own exception macros are not in use).
#pragma once
#include_next <excpt.h>

#ifndef GetExceptionCode
#ifdef __cplusplus
extern "C" {
#endif
unsigned long __cdecl _exception_code(void);
void *__cdecl _exception_info(void);
int __cdecl _abnormal_termination(void);
#ifdef __cplusplus
}
#endif
#define GetExceptionCode _exception_code
#define GetExceptionInformation() ((struct _EXCEPTION_POINTERS *)_exception_info())
#define AbnormalTermination _abnormal_termination
#endif

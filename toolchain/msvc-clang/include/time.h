// <time.h> for this toolchain: wine's, plus the C11 timespec and
// timespec_get and the bounds-checked localtime_s and gmtime_s, which
// ucrtbase.dll provides under their 64-bit names; and its unsafe functions
// marked deprecated, as Microsoft's are (insecure_functions.h).
#pragma once
#include <insecure_functions.h>
#include_next <time.h>

_CRT_BEGIN_C_HEADER
#ifndef _CRT_TIMESPEC_DEFINED
#define _CRT_TIMESPEC_DEFINED
struct timespec {
  time_t tv_sec;
  long tv_nsec;
};
#endif
#ifndef TIME_UTC
#define TIME_UTC 1
#endif
_ACRTIMP int __cdecl _timespec64_get(struct timespec *when, int base);
static __inline int __cdecl timespec_get(struct timespec *when, int base) {
  return _timespec64_get(when, base);
}
_ACRTIMP errno_t __cdecl _gmtime64_s(struct tm *result, const __time64_t *when);
static __inline errno_t __cdecl localtime_s(struct tm *result, const time_t *when) {
  return _localtime64_s(result, when);
}
static __inline errno_t __cdecl gmtime_s(struct tm *result, const time_t *when) {
  return _gmtime64_s(result, when);
}
_CRT_END_C_HEADER
#include <insecure_functions.h>

// <time.h> for this toolchain: wine's, plus the C11 timespec and
// timespec_get, which ucrtbase.dll provides as _timespec64_get.
#pragma once
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
_CRT_END_C_HEADER

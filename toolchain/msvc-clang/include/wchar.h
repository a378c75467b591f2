// <wchar.h> for this toolchain: wine's wide-character headers, with the
// conversion state as Microsoft's runtime and standard library define it.
// The state is a structure there, and msvcp140.dll's stream functions take
// it in their decorated names (121 of wine's msvcp140.dll's exports name
// _Mbstatet): declared as an int, as wine does, sixteen of them would be
// imported under names the DLL does not export. The unsafe
// functions are marked deprecated, as Microsoft's are (insecure_functions.h).
#pragma once
#define __WINE_WCHAR_H

#include <corecrt.h>
#include <insecure_functions.h>
#include <corecrt_wctype.h>
#include <corecrt_wdirect.h>
#include <corecrt_wio.h>
#include <corecrt_wprocess.h>
#include <corecrt_wstdio.h>
#include <corecrt_wstdlib.h>
#include <corecrt_wstring.h>
#include <corecrt_wtime.h>
#include <string.h>
#include <sys/stat.h>

_CRT_BEGIN_C_HEADER

#ifndef WCHAR_MIN
#define WCHAR_MIN 0x0000
#define WCHAR_MAX 0xffff
#endif

typedef _Mbstatet mbstate_t;

_ACRTIMP wint_t __cdecl btowc(int);
_ACRTIMP size_t __cdecl mbrlen(const char *, size_t, mbstate_t *);
_ACRTIMP size_t __cdecl mbrtowc(wchar_t *, const char *, size_t, mbstate_t *);
_ACRTIMP size_t __cdecl mbsrtowcs(wchar_t *, const char **, size_t, mbstate_t *);
_ACRTIMP size_t __cdecl wcrtomb(char *, wchar_t, mbstate_t *);
_ACRTIMP size_t __cdecl wcsrtombs(char *, const wchar_t **, size_t, mbstate_t *);
_ACRTIMP int __cdecl wctob(wint_t);
_ACRTIMP errno_t __cdecl wmemcpy_s(wchar_t *, size_t, const wchar_t *, size_t);
_ACRTIMP errno_t __cdecl wmemmove_s(wchar_t *, size_t, const wchar_t *, size_t);
_ACRTIMP long double __cdecl wcstold(const wchar_t *, wchar_t **);

static __inline int __cdecl fwide(FILE *, int mode) { return mode; }
static __inline int __cdecl mbsinit(const mbstate_t *state) {
  return state == NULL || state->_Wchar == 0;
}

static __inline int __cdecl vfwscanf(FILE *file, const wchar_t *format, va_list args) {
  return __stdio_common_vfwscanf(_CRT_INTERNAL_LOCAL_SCANF_OPTIONS, file, format, NULL, args);
}
static __inline int __cdecl vwscanf(const wchar_t *format, va_list args) {
  return vfwscanf(stdin, format, args);
}
static __inline int __cdecl vswscanf(const wchar_t *buffer, const wchar_t *format, va_list args) {
  return __stdio_common_vswscanf(_CRT_INTERNAL_LOCAL_SCANF_OPTIONS, buffer, (size_t)-1, format,
                                 NULL, args);
}

static __inline const wchar_t *__cdecl wmemchr(const wchar_t *s, wchar_t c, size_t n) {
  for (; n != 0; ++s, --n)
    if (*s == c)
      return s;
  return NULL;
}
static __inline int __cdecl wmemcmp(const wchar_t *a, const wchar_t *b, size_t n) {
  for (; n != 0; ++a, ++b, --n)
    if (*a != *b)
      return *a < *b ? -1 : 1;
  return 0;
}
static __inline wchar_t *__cdecl wmemcpy(wchar_t *to, const wchar_t *from, size_t n) {
  return (wchar_t *)memcpy(to, from, n * sizeof(wchar_t));
}
static __inline wchar_t *__cdecl wmemmove(wchar_t *to, const wchar_t *from, size_t n) {
  return (wchar_t *)memmove(to, from, n * sizeof(wchar_t));
}
static __inline wchar_t *__cdecl wmemset(wchar_t *s, wchar_t c, size_t n) {
  for (size_t i = 0; i != n; ++i)
    s[i] = c;
  return s;
}

_CRT_END_C_HEADER

#ifdef __cplusplus
extern "C++" inline wchar_t *__cdecl wmemchr(wchar_t *s, wchar_t c, size_t n) {
  return const_cast<wchar_t *>(wmemchr(static_cast<const wchar_t *>(s), c, n));
}
#endif
#include <insecure_functions.h>

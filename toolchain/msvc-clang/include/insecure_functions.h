// The C runtime functions Microsoft's headers mark deprecated as unsafe
// (warning C4996: no bound on what they write, hidden static buffers, or
// global state), marked the same way here. wine's headers mark nothing, so
// without this a call that Visual Studio's build stops on would compile
// here. _CRT_SECURE_NO_WARNINGS turns it off, as with Microsoft's headers.
//
// A function wine defines inline in its header must be declared with the
// attribute before that definition, and one it only declares after that
// declaration; so this folder's <stdio.h>, <string.h>, <time.h> and
// <wchar.h> include this file before wine's header, and every wrapper of a
// header below includes it after. There is no include guard: each group is taken once,
// when its wine header has (or, for the inline ones, has not yet) been read.
//
// Left out: wscanf, which wine declares with a FILE * first parameter (a
// redeclaration with the right one would be another function).
#include <corecrt.h>

_CRT_BEGIN_C_HEADER

#if !defined(__WINE_STDIO_H) && !defined(_VEXLO_INSECURE_INLINE_STDIO) && defined(_UCRT) &&        \
    !defined(_NO_CRT_STDIO_INLINE)
#define _VEXLO_INSECURE_INLINE_STDIO
struct _iobuf;
_CRT_INSECURE_DEPRECATE(sprintf_s) static int __cdecl sprintf(char *, const char *, ...);
_CRT_INSECURE_DEPRECATE(vsprintf_s) static int __cdecl vsprintf(char *, const char *, va_list);
_CRT_INSECURE_DEPRECATE(sscanf_s) static int __cdecl sscanf(const char *, const char *, ...);
_CRT_INSECURE_DEPRECATE(fscanf_s) static int __cdecl fscanf(struct _iobuf *, const char *, ...);
_CRT_INSECURE_DEPRECATE(scanf_s) static int __cdecl scanf(const char *, ...);
#endif

#if !defined(_WSTDIO_DEFINED) && !defined(_VEXLO_INSECURE_INLINE_WSTDIO) && defined(_UCRT) &&      \
    !defined(_NO_CRT_STDIO_INLINE)
#define _VEXLO_INSECURE_INLINE_WSTDIO
struct _iobuf;
_CRT_INSECURE_DEPRECATE(swprintf_s)
static int __cdecl _swprintf(wchar_t *, const wchar_t *, ...);
_CRT_INSECURE_DEPRECATE(vswprintf_s)
static int __cdecl _vswprintf(wchar_t *, const wchar_t *, va_list);
_CRT_INSECURE_DEPRECATE(swscanf_s)
static int __cdecl swscanf(const wchar_t *, const wchar_t *, ...);
_CRT_INSECURE_DEPRECATE(fwscanf_s)
static int __cdecl fwscanf(struct _iobuf *, const wchar_t *, ...);
#endif

#if !defined(_WSTRING_DEFINED) && !defined(_VEXLO_INSECURE_INLINE_WSTRING) && defined(_UCRT)
#define _VEXLO_INSECURE_INLINE_WSTRING
_CRT_INSECURE_DEPRECATE(wcstok_s) static wchar_t *_wcstok(wchar_t *, const wchar_t *);
#ifdef __cplusplus
extern "C++" _CRT_INSECURE_DEPRECATE(wcstok_s) wchar_t *wcstok(wchar_t *, const wchar_t *);
#endif
#endif

#if !defined(__WINE_TIME_H) && !defined(_VEXLO_INSECURE_INLINE_TIME) && !defined(_USE_32BIT_TIME_T)
#define _VEXLO_INSECURE_INLINE_TIME
struct tm;
_CRT_INSECURE_DEPRECATE(localtime_s) static struct tm *localtime(const time_t *);
_CRT_INSECURE_DEPRECATE(gmtime_s) static struct tm *gmtime(const time_t *);
_CRT_INSECURE_DEPRECATE(ctime_s) static char *ctime(const time_t *);
#endif

#if !defined(_WTIME_DEFINED) && !defined(_VEXLO_INSECURE_INLINE_WTIME) &&                          \
    !defined(_USE_32BIT_TIME_T)
#define _VEXLO_INSECURE_INLINE_WTIME
_CRT_INSECURE_DEPRECATE(_wctime_s) static wchar_t *_wctime(const time_t *);
#endif

#if defined(__WINE_STDIO_H) && !defined(_VEXLO_INSECURE_STDIO)
#define _VEXLO_INSECURE_STDIO
_CRT_INSECURE_DEPRECATE(fopen_s) FILE *__cdecl fopen(const char *, const char *);
_CRT_INSECURE_DEPRECATE(freopen_s) FILE *__cdecl freopen(const char *, const char *, FILE *);
_CRT_INSECURE_DEPRECATE(tmpnam_s) char *__cdecl tmpnam(char *);
#endif

#if defined(_WSTDIO_DEFINED) && !defined(_VEXLO_INSECURE_WSTDIO)
#define _VEXLO_INSECURE_WSTDIO
_CRT_INSECURE_DEPRECATE(_wfopen_s) FILE *__cdecl _wfopen(const wchar_t *, const wchar_t *);
_CRT_INSECURE_DEPRECATE(_wfreopen_s)
FILE *__cdecl _wfreopen(const wchar_t *, const wchar_t *, FILE *);
_CRT_INSECURE_DEPRECATE(_wtmpnam_s) wchar_t *__cdecl _wtmpnam(wchar_t *);
#endif

#if defined(__WINE_STDLIB_H) && !defined(_VEXLO_INSECURE_STDLIB)
#define _VEXLO_INSECURE_STDLIB
_CRT_INSECURE_DEPRECATE(_dupenv_s) char *__cdecl getenv(const char *);
#endif

#if defined(_WSTDLIB_DEFINED) && !defined(_VEXLO_INSECURE_WSTDLIB)
#define _VEXLO_INSECURE_WSTDLIB
_CRT_INSECURE_DEPRECATE(_wdupenv_s) wchar_t *__cdecl _wgetenv(const wchar_t *);
_CRT_INSECURE_DEPRECATE(mbstowcs_s) size_t __cdecl mbstowcs(wchar_t *, const char *, size_t);
_CRT_INSECURE_DEPRECATE(wcstombs_s) size_t __cdecl wcstombs(char *, const wchar_t *, size_t);
#endif

#if defined(__WINE_STRING_H) && !defined(_VEXLO_INSECURE_STRING)
#define _VEXLO_INSECURE_STRING
_CRT_INSECURE_DEPRECATE(strcpy_s) char *__cdecl strcpy(char *, const char *);
_CRT_INSECURE_DEPRECATE(strcat_s) char *__cdecl strcat(char *, const char *);
_CRT_INSECURE_DEPRECATE(strncpy_s) char *__cdecl strncpy(char *, const char *, size_t);
_CRT_INSECURE_DEPRECATE(strncat_s) char *__cdecl strncat(char *, const char *, size_t);
_CRT_INSECURE_DEPRECATE(strerror_s) char *__cdecl strerror(int);
_CRT_INSECURE_DEPRECATE(_strerror_s) char *__cdecl _strerror(const char *);
_CRT_INSECURE_DEPRECATE(strtok_s) char *__cdecl strtok(char *, const char *);
#endif

#if defined(_WSTRING_DEFINED) && !defined(_VEXLO_INSECURE_WSTRING)
#define _VEXLO_INSECURE_WSTRING
_CRT_INSECURE_DEPRECATE(wcscpy_s) wchar_t *__cdecl wcscpy(wchar_t *, const wchar_t *);
_CRT_INSECURE_DEPRECATE(wcscat_s) wchar_t *__cdecl wcscat(wchar_t *, const wchar_t *);
_CRT_INSECURE_DEPRECATE(wcsncpy_s) wchar_t *__cdecl wcsncpy(wchar_t *, const wchar_t *, size_t);
_CRT_INSECURE_DEPRECATE(wcsncat_s) wchar_t *__cdecl wcsncat(wchar_t *, const wchar_t *, size_t);
_CRT_INSECURE_DEPRECATE(wcstok_s) wchar_t *__cdecl wcstok(wchar_t *, const wchar_t *, wchar_t **);
#endif

#if defined(__WINE_TIME_H) && !defined(_VEXLO_INSECURE_TIME)
#define _VEXLO_INSECURE_TIME
_CRT_INSECURE_DEPRECATE(asctime_s) char *__cdecl asctime(const struct tm *);
_CRT_INSECURE_DEPRECATE(_localtime64_s) struct tm *__cdecl _localtime64(const __time64_t *);
_CRT_INSECURE_DEPRECATE(_gmtime64_s) struct tm *__cdecl _gmtime64(const __time64_t *);
_CRT_INSECURE_DEPRECATE(_ctime64_s) char *__cdecl _ctime64(const __time64_t *);
#endif

#if defined(_WTIME_DEFINED) && !defined(_VEXLO_INSECURE_WTIME)
#define _VEXLO_INSECURE_WTIME
_CRT_INSECURE_DEPRECATE(_wasctime_s) wchar_t *__cdecl _wasctime(const struct tm *);
_CRT_INSECURE_DEPRECATE(_wctime64_s) wchar_t *__cdecl _wctime64(const __time64_t *);
#endif

_CRT_END_C_HEADER

// <stdio.h> for this toolchain: wine's, plus the C99 va_list scanning
// functions the C++ library names in <cstdio>, as the runtime's inline
// wrappers over its common scanning entry point; and its unsafe functions
// marked deprecated, as Microsoft's are (insecure_functions.h).
#pragma once
#include <insecure_functions.h>
#include_next <stdio.h>

_CRT_BEGIN_C_HEADER
_ACRTIMP errno_t __cdecl _get_stream_buffer_pointers(FILE *stream, char ***base, char ***pointer,
                                                     int **count);
static __inline int __cdecl vfscanf(FILE *file, const char *format, va_list args) {
  return __stdio_common_vfscanf(_CRT_INTERNAL_LOCAL_SCANF_OPTIONS, file, format, NULL, args);
}
static __inline int __cdecl vscanf(const char *format, va_list args) {
  return vfscanf(stdin, format, args);
}
static __inline int __cdecl vsscanf(const char *buffer, const char *format, va_list args) {
  return __stdio_common_vsscanf(_CRT_INTERNAL_LOCAL_SCANF_OPTIONS, buffer, (size_t)-1, format, NULL,
                                args);
}
_CRT_END_C_HEADER
#include <insecure_functions.h>

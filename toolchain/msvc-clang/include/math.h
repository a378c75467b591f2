// <math.h> for this toolchain: wine's, plus the C99 functions it leaves out
// that the C++ library names in <cmath>. long double is double in
// Microsoft's x64 ABI, so its functions are the double ones; the few double
// and float ones wine's header lacks are ucrtbase.dll's.
#pragma once
#include_next <math.h>

_CRT_BEGIN_C_HEADER

// x64 evaluates float and double in their own precision.
typedef float float_t;
typedef double double_t;

_ACRTIMP double __cdecl erfc(double);
_ACRTIMP float __cdecl erfcf(float);
_ACRTIMP double __cdecl fma(double, double, double);
_ACRTIMP float __cdecl fmaf(float, float, float);
_ACRTIMP double __cdecl nan(const char *);
_ACRTIMP float __cdecl nanf(const char *);
_ACRTIMP double __cdecl nexttoward(double, long double);
_ACRTIMP float __cdecl nexttowardf(float, long double);

static __inline long double __cdecl fmal(long double x, long double y, long double z) {
  return fma((double)x, (double)y, (double)z);
}
static __inline long double __cdecl frexpl(long double x, int *exponent) {
  return frexp((double)x, exponent);
}
static __inline int __cdecl ilogbl(long double x) { return ilogb((double)x); }
static __inline long double __cdecl ldexpl(long double x, int exponent) {
  return ldexp((double)x, exponent);
}
static __inline long long __cdecl llrintl(long double x) { return llrint((double)x); }
static __inline long long __cdecl llroundl(long double x) { return llround((double)x); }
static __inline long __cdecl lrintl(long double x) { return lrint((double)x); }
static __inline long __cdecl lroundl(long double x) { return lround((double)x); }
static __inline long double __cdecl modfl(long double x, long double *whole) {
  double d;
  const double fraction = modf((double)x, &d);
  *whole = d;
  return fraction;
}
static __inline long double __cdecl nanl(const char *tag) { return nan(tag); }
static __inline long double __cdecl nexttowardl(long double x, long double y) {
  return nexttoward((double)x, y);
}
static __inline long double __cdecl remquol(long double x, long double y, int *quotient) {
  return remquo((double)x, (double)y, quotient);
}
static __inline long double __cdecl scalblnl(long double x, long exponent) {
  return scalbln((double)x, exponent);
}
static __inline long double __cdecl scalbnl(long double x, int exponent) {
  return scalbn((double)x, exponent);
}

// The long double function of one or two arguments that is its double one.
#define LD1(name)                                                                                  \
  static __inline long double __cdecl name##l(long double x) { return name((double)x); }
#define LD2(name)                                                                                  \
  static __inline long double __cdecl name##l(long double x, long double y) {                      \
    return name((double)x, (double)y);                                                             \
  }
// clang-format off
LD1(acos) LD1(acosh) LD1(asin) LD1(asinh) LD1(atan) LD1(atanh) LD1(cbrt) LD1(ceil) LD1(cos)
LD1(cosh) LD1(erf) LD1(erfc) LD1(exp) LD1(exp2) LD1(expm1) LD1(fabs) LD1(floor) LD1(lgamma)
LD1(log) LD1(log10) LD1(log1p) LD1(log2) LD1(logb) LD1(nearbyint) LD1(rint) LD1(round) LD1(sin)
LD1(sinh) LD1(sqrt) LD1(tan) LD1(tanh) LD1(tgamma) LD1(trunc)
LD2(atan2) LD2(copysign) LD2(fdim) LD2(fmax) LD2(fmin) LD2(fmod) LD2(hypot) LD2(nextafter) LD2(pow)
LD2(remainder)
#undef LD1
#undef LD2
// clang-format on

_CRT_END_C_HEADER

#ifdef __cplusplus
// Classification and comparison are functions in C++, overloaded by the
// C++ library in <cmath>, not macros.
#undef fpclassify
#undef signbit
#undef isfinite
#undef isinf
#undef isnan
#undef isnormal
#undef isgreater
#undef isgreaterequal
#undef isless
#undef islessequal
#undef islessgreater
#undef isunordered
extern "C++" {
template <class T> inline int fpclassify(T x) noexcept {
  return __builtin_fpclassify(FP_NAN, FP_INFINITE, FP_NORMAL, FP_SUBNORMAL, FP_ZERO, x);
}
template <class T> inline bool signbit(T x) noexcept { return __builtin_signbit(x); }
template <class T> inline bool isnormal(T x) noexcept { return __builtin_isnormal(x); }
template <class T, class U> inline bool isgreater(T x, U y) noexcept {
  return __builtin_isgreater(x, y);
}
template <class T, class U> inline bool isgreaterequal(T x, U y) noexcept {
  return __builtin_isgreaterequal(x, y);
}
template <class T, class U> inline bool isless(T x, U y) noexcept { return __builtin_isless(x, y); }
template <class T, class U> inline bool islessequal(T x, U y) noexcept {
  return __builtin_islessequal(x, y);
}
template <class T, class U> inline bool islessgreater(T x, U y) noexcept {
  return __builtin_islessgreater(x, y);
}
template <class T, class U> inline bool isunordered(T x, U y) noexcept {
  return __builtin_isunordered(x, y);
}
}
#endif

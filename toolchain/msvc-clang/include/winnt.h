// <winnt.h> for this toolchain: wine's, whose inline 128-bit compare-exchange
// for compilers other than Microsoft's takes the name of the intrinsic that
// clang-cl already provides. It is compiled here under a name of its own;
// after the header the intrinsic is the compiler's again.
#pragma once
#define _InterlockedCompareExchange128 __wine_InterlockedCompareExchange128
#include_next <winnt.h>
#undef _InterlockedCompareExchange128

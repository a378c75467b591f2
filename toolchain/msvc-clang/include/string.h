// <string.h> for this toolchain: wine's, which unlike Microsoft's does not
// bring <errno.h>; the C++ library's string conversions use ERANGE from it.
// Its unsafe functions are marked deprecated, as Microsoft's are
// (insecure_functions.h).
#pragma once
#include <errno.h>
#include <insecure_functions.h>
#include_next <string.h>
#include <insecure_functions.h>

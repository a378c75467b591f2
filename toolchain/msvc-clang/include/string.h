// <string.h> for this toolchain: wine's, which unlike Microsoft's does not
// bring <errno.h>; the C++ library's string conversions use ERANGE from it.
#pragma once
#include <errno.h>
#include_next <string.h>

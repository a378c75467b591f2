// <signal.h> for this toolchain: wine's, plus the C type for a variable a
// signal handler may write.
#pragma once
#include_next <signal.h>
typedef int sig_atomic_t;

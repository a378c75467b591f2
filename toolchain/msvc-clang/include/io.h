// <io.h> for this toolchain: wine's, without its macros that rename open
// and sopen to _open and _sopen. Microsoft's header declares the POSIX names
// as functions; as macros they would also rename every member function
// called open in a file that includes <io.h>.
#pragma once
#include_next <io.h>
#undef open
#undef sopen

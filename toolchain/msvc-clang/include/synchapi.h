// <synchapi.h> for this toolchain. Wine's declares only part of what
// Microsoft's does (one-time initialisation is in its <winbase.h>) and
// counts on <windows.h> for the basic types, while the C++ library's
// sources include it on its own: on its own, it brings all of <windows.h>.
#ifdef __WINE_WINBASE_H
#include_next <synchapi.h>
#else
#include <windows.h>
#endif

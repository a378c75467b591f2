// The module's thread-local storage directory. The loader reads it to give
// every thread a copy of the module's .tls data (the bytes between
// _tls_start and _tls_end, the linker sorting .tls$ sections by name) and to
// store the module's slot number in _tls_index, through which compiled code
// finds that copy. A module without it would share one copy among threads,
// or read a slot that is not its own.
#include <windows.h>

#pragma section(".tls", long, read, write)
#pragma section(".tls$ZZZ", long, read, write)
#pragma section(".CRT$XLA", long, read)
#pragma section(".CRT$XLZ", long, read)
#pragma section(".rdata$T", long, read)

extern "C" {
ULONG _tls_index = 0;

__declspec(allocate(".tls")) char _tls_start = 0;
__declspec(allocate(".tls$ZZZ")) char _tls_end = 0;

// The (empty) list of callbacks the loader runs as threads start and end.
__declspec(allocate(".CRT$XLA")) PIMAGE_TLS_CALLBACK __xl_a = nullptr;
__declspec(allocate(".CRT$XLZ")) PIMAGE_TLS_CALLBACK __xl_z = nullptr;

// The linker points the image's TLS directory entry at this symbol.
extern __declspec(allocate(".rdata$T")) const IMAGE_TLS_DIRECTORY64 _tls_used;
__declspec(allocate(".rdata$T")) const IMAGE_TLS_DIRECTORY64 _tls_used = {
    reinterpret_cast<ULONGLONG>(&_tls_start),
    reinterpret_cast<ULONGLONG>(&_tls_end),
    reinterpret_cast<ULONGLONG>(&_tls_index),
    reinterpret_cast<ULONGLONG>(&__xl_a + 1),
    0,
    0};
}

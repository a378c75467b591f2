// The /GS stack cookie: a value per module, written into a function's frame
// on entry and compared on return; a difference means the frame was
// overrun, and the process ends at once rather than return through it.
#include <intrin.h>
#include <windows.h>

namespace {
// What the cookie holds until it is set: a fixed value, so that a module
// whose cookie was never set can be told (and still works).
constexpr uintptr_t initial_cookie = 0x00002B992DDFA232;
} // namespace

extern "C" {
uintptr_t __security_cookie = initial_cookie;
uintptr_t __security_cookie_complement = ~initial_cookie;

// Set once, at the module's start, before any function that checks it runs.
void __cdecl __security_init_cookie(void) {
  if (__security_cookie != initial_cookie)
    return;
  FILETIME time{};
  GetSystemTimeAsFileTime(&time);
  LARGE_INTEGER counter{};
  QueryPerformanceCounter(&counter);
  uintptr_t cookie = (static_cast<uintptr_t>(time.dwHighDateTime) << 32) ^ time.dwLowDateTime;
  cookie ^= static_cast<uintptr_t>(GetCurrentThreadId()) ^ GetCurrentProcessId();
  cookie ^= (static_cast<uintptr_t>(counter.LowPart) << 32) ^ counter.QuadPart;
  cookie ^= reinterpret_cast<uintptr_t>(&cookie);
  // The top 16 bits stay clear, as an x64 address's do.
  cookie &= 0x0000FFFFFFFFFFFF;
  if (cookie == initial_cookie)
    ++cookie;
  __security_cookie = cookie;
  __security_cookie_complement = ~cookie;
}

__declspec(noreturn) void __cdecl __report_gsfailure(uintptr_t) {
  __fastfail(FAST_FAIL_STACK_COOKIE_CHECK_FAILURE);
}

void __cdecl __security_check_cookie(uintptr_t cookie) {
  if (cookie != __security_cookie)
    __report_gsfailure(cookie);
}
}

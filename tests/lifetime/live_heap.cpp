// Live heap bytes from the sanitizer's allocator, glibc's, or the Windows C
// runtime's heap (which the program, the SDK library and the plugin share).
#include "live_heap.h"

#if defined(__has_feature)
#if __has_feature(address_sanitizer)
#define VEXLO_LIVE_HEAP_FROM_SANITIZER 1
#endif
#endif
#if defined(__SANITIZE_ADDRESS__)
#define VEXLO_LIVE_HEAP_FROM_SANITIZER 1
#endif

#if defined(VEXLO_LIVE_HEAP_FROM_SANITIZER)
// Declared here since GCC ships no header for the sanitizer allocator's
// statistics; both compilers' runtimes define it.
extern "C" std::size_t __sanitizer_get_current_allocated_bytes();
#else
#include <malloc.h>
#endif

namespace lifetime {

std::size_t liveHeapBytes() {
#if defined(VEXLO_LIVE_HEAP_FROM_SANITIZER)
  return __sanitizer_get_current_allocated_bytes();
#elif defined(_WIN32)
  std::size_t used = 0;
  _HEAPINFO block{};
  while (_heapwalk(&block) == _HEAPOK) {
    if (block._useflag == _USEDENTRY) {
      used += block._size;
    }
  }
  return used;
#else
  return mallinfo2().uordblks;
#endif
}

} // namespace lifetime

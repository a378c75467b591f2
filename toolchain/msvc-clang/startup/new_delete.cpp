// The replaceable allocation functions, in each module: allocation through
// ucrtbase.dll's heap, retried through the new handler while it frees
// memory, and std::bad_alloc when nothing more can be had. Blocks cross
// modules freely, since all modules allocate from the same heap.
#include <malloc.h>
#include <vcruntime_exception.h>
#include <vcruntime_new.h>

extern "C" _ACRTIMP int __cdecl _callnewh(size_t size);

namespace {
void *allocate(size_t size) {
  if (size == 0)
    size = 1;
  for (;;) {
    if (void *block = malloc(size))
      return block;
    if (_callnewh(size) == 0)
      throw std::bad_alloc();
  }
}

void *allocate_aligned(size_t size, std::align_val_t alignment) {
  if (size == 0)
    size = 1;
  for (;;) {
    if (void *block = _aligned_malloc(size, static_cast<size_t>(alignment)))
      return block;
    if (_callnewh(size) == 0)
      throw std::bad_alloc();
  }
}

template <class Allocate> void *allocate_or_null(Allocate allocate_block) noexcept {
  try {
    return allocate_block();
  } catch (...) {
    return nullptr;
  }
}
} // namespace

void *__cdecl operator new(size_t size) { return allocate(size); }
void *__cdecl operator new[](size_t size) { return allocate(size); }
void *__cdecl operator new(size_t size, const std::nothrow_t &) noexcept {
  return allocate_or_null([size] { return allocate(size); });
}
void *__cdecl operator new[](size_t size, const std::nothrow_t &) noexcept {
  return allocate_or_null([size] { return allocate(size); });
}
void __cdecl operator delete(void *block) noexcept { free(block); }
void __cdecl operator delete[](void *block) noexcept { free(block); }
void __cdecl operator delete(void *block, const std::nothrow_t &) noexcept { free(block); }
void __cdecl operator delete[](void *block, const std::nothrow_t &) noexcept { free(block); }
void __cdecl operator delete(void *block, size_t) noexcept { free(block); }
void __cdecl operator delete[](void *block, size_t) noexcept { free(block); }

void *__cdecl operator new(size_t size, std::align_val_t alignment) {
  return allocate_aligned(size, alignment);
}
void *__cdecl operator new[](size_t size, std::align_val_t alignment) {
  return allocate_aligned(size, alignment);
}
void *__cdecl operator new(size_t size, std::align_val_t alignment,
                           const std::nothrow_t &) noexcept {
  return allocate_or_null([=] { return allocate_aligned(size, alignment); });
}
void *__cdecl operator new[](size_t size, std::align_val_t alignment,
                             const std::nothrow_t &) noexcept {
  return allocate_or_null([=] { return allocate_aligned(size, alignment); });
}
void __cdecl operator delete(void *block, std::align_val_t) noexcept { _aligned_free(block); }
void __cdecl operator delete[](void *block, std::align_val_t) noexcept { _aligned_free(block); }
void __cdecl operator delete(void *block, std::align_val_t, const std::nothrow_t &) noexcept {
  _aligned_free(block);
}
void __cdecl operator delete[](void *block, std::align_val_t, const std::nothrow_t &) noexcept {
  _aligned_free(block);
}
void __cdecl operator delete(void *block, size_t, std::align_val_t) noexcept {
  _aligned_free(block);
}
void __cdecl operator delete[](void *block, size_t, std::align_val_t) noexcept {
  _aligned_free(block);
}

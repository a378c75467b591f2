// Replacements of the global allocation functions that count every
// allocation, over malloc and free.
//
// Replacing the global operator new and delete is standard C++ and builds with
// any compiler. What it counts is not the same everywhere: on Linux the
// program's replacements serve every shared library in the process, the
// plugin and the SDK library included. On Windows each DLL carries its own
// operator new (MSVC links it into every module, and MinGW's static C++
// runtime does too), so there the count holds the benchmark program's own
// allocations only, not those made inside vexlo.dll or pluginsdk.dll.
#include "allocation_counter.h"

#include <atomic>
#include <cstdlib>
#include <new>

#if defined(_WIN32)
#include <malloc.h>
#endif

namespace {

std::atomic<std::uint64_t> allocations{0};

void *allocate(std::size_t size) {
  allocations.fetch_add(1, std::memory_order_relaxed);
  // malloc(0) may return null, which operator new may not.
  return std::malloc(size == 0 ? 1 : size);
}

void *allocateAligned(std::size_t size, std::align_val_t alignment) {
  allocations.fetch_add(1, std::memory_order_relaxed);
  const auto align = static_cast<std::size_t>(alignment);
#if defined(_WIN32)
  // Windows' C runtime has no aligned_alloc: its aligned blocks come from
  // _aligned_malloc and must go back through _aligned_free.
  return _aligned_malloc(size == 0 ? 1 : size, align);
#else
  // aligned_alloc wants a size that is a multiple of the alignment.
  const std::size_t rounded = ((size == 0 ? 1 : size) + align - 1) / align * align;
  return std::aligned_alloc(align, rounded);
#endif
}

void freeAligned(void *block) {
#if defined(_WIN32)
  _aligned_free(block);
#else
  std::free(block);
#endif
}

void *orThrow(void *block) {
  if (block == nullptr) {
    throw std::bad_alloc();
  }
  return block;
}

} // namespace

std::uint64_t vexlo::bench::allocationCount() {
  return allocations.load(std::memory_order_relaxed);
}

void *operator new(std::size_t size) { return orThrow(allocate(size)); }
void *operator new[](std::size_t size) { return orThrow(allocate(size)); }
void *operator new(std::size_t size, const std::nothrow_t & /*tag*/) noexcept {
  return allocate(size);
}
void *operator new[](std::size_t size, const std::nothrow_t & /*tag*/) noexcept {
  return allocate(size);
}
void *operator new(std::size_t size, std::align_val_t alignment) {
  return orThrow(allocateAligned(size, alignment));
}
void *operator new[](std::size_t size, std::align_val_t alignment) {
  return orThrow(allocateAligned(size, alignment));
}
void *operator new(std::size_t size, std::align_val_t alignment,
                   const std::nothrow_t & /*tag*/) noexcept {
  return allocateAligned(size, alignment);
}
void *operator new[](std::size_t size, std::align_val_t alignment,
                     const std::nothrow_t & /*tag*/) noexcept {
  return allocateAligned(size, alignment);
}

void operator delete(void *block) noexcept { std::free(block); }
void operator delete[](void *block) noexcept { std::free(block); }
void operator delete(void *block, std::size_t /*size*/) noexcept { std::free(block); }
void operator delete[](void *block, std::size_t /*size*/) noexcept { std::free(block); }
void operator delete(void *block, const std::nothrow_t & /*tag*/) noexcept { std::free(block); }
void operator delete[](void *block, const std::nothrow_t & /*tag*/) noexcept { std::free(block); }
void operator delete(void *block, std::align_val_t /*alignment*/) noexcept { freeAligned(block); }
void operator delete[](void *block, std::align_val_t /*alignment*/) noexcept { freeAligned(block); }
void operator delete(void *block, std::size_t /*size*/, std::align_val_t /*alignment*/) noexcept {
  freeAligned(block);
}
void operator delete[](void *block, std::size_t /*size*/, std::align_val_t /*alignment*/) noexcept {
  freeAligned(block);
}
void operator delete(void *block, std::align_val_t /*alignment*/,
                     const std::nothrow_t & /*tag*/) noexcept {
  freeAligned(block);
}
void operator delete[](void *block, std::align_val_t /*alignment*/,
                       const std::nothrow_t & /*tag*/) noexcept {
  freeAligned(block);
}

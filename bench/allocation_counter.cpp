// Replacements of the global allocation functions that count every
// allocation, over malloc and free.
#include "allocation_counter.h"

#include <atomic>
#include <cstdlib>
#include <new>

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
  // aligned_alloc wants a size that is a multiple of the alignment.
  const std::size_t rounded = ((size == 0 ? 1 : size) + align - 1) / align * align;
  return std::aligned_alloc(align, rounded);
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
void operator delete(void *block, std::align_val_t /*alignment*/) noexcept { std::free(block); }
void operator delete[](void *block, std::align_val_t /*alignment*/) noexcept { std::free(block); }
void operator delete(void *block, std::size_t /*size*/, std::align_val_t /*alignment*/) noexcept {
  std::free(block);
}
void operator delete[](void *block, std::size_t /*size*/, std::align_val_t /*alignment*/) noexcept {
  std::free(block);
}
void operator delete(void *block, std::align_val_t /*alignment*/,
                     const std::nothrow_t & /*tag*/) noexcept {
  std::free(block);
}
void operator delete[](void *block, std::align_val_t /*alignment*/,
                       const std::nothrow_t & /*tag*/) noexcept {
  std::free(block);
}

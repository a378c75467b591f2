// The runtime-internal allocation helpers the C++ library's own sources use
// when they are compiled into a program: a heap block owned by a pointer
// that frees it, allocated from the C runtime's heap.
#pragma once
#include <stdlib.h>

#define _malloc_crt malloc
#define _calloc_crt calloc
#define _free_crt free

#ifdef __cplusplus
extern "C++" {
template <class T> class __crt_unique_heap_ptr {
public:
  explicit __crt_unique_heap_ptr(T *block = nullptr) noexcept : block_(block) {}
  __crt_unique_heap_ptr(__crt_unique_heap_ptr &&other) noexcept : block_(other.release()) {}
  __crt_unique_heap_ptr &operator=(__crt_unique_heap_ptr &&other) noexcept {
    if (this != &other) {
      free(block_);
      block_ = other.release();
    }
    return *this;
  }
  __crt_unique_heap_ptr(const __crt_unique_heap_ptr &) = delete;
  __crt_unique_heap_ptr &operator=(const __crt_unique_heap_ptr &) = delete;
  ~__crt_unique_heap_ptr() { free(block_); }

  T *get() const noexcept { return block_; }
  T *release() noexcept {
    T *const block = block_;
    block_ = nullptr;
    return block;
  }
  explicit operator bool() const noexcept { return block_ != nullptr; }

private:
  T *block_;
};
}
#define _malloc_crt_t(t, n) __crt_unique_heap_ptr<t>(static_cast<t *>(_malloc_crt((n) * sizeof(t))))
#define _calloc_crt_t(t, n) __crt_unique_heap_ptr<t>(static_cast<t *>(_calloc_crt((n), sizeof(t))))
#endif

// The allocation functions and std::align_val_t and std::nothrow_t. The
// replaceable operators are defined in each module by this toolchain's
// startup code, as Microsoft's static runtime library does, so that a
// module's new and delete stay its own.
#pragma once
#include <vcruntime.h>

#pragma pack(push, _CRT_PACKING)

extern "C++" {

namespace std {
enum class align_val_t : size_t {};

#ifndef __NOTHROW_T_DEFINED
#define __NOTHROW_T_DEFINED
struct nothrow_t {
  explicit nothrow_t() = default;
};
extern const nothrow_t nothrow;
#endif
} // namespace std

[[nodiscard]] __declspec(allocator) void *__cdecl operator new(size_t size);
[[nodiscard]] __declspec(allocator) void *__cdecl operator new(size_t size,
                                                               const std::nothrow_t &) noexcept;
[[nodiscard]] __declspec(allocator) void *__cdecl operator new[](size_t size);
[[nodiscard]] __declspec(allocator) void *__cdecl operator new[](size_t size,
                                                                 const std::nothrow_t &) noexcept;
void __cdecl operator delete(void *block) noexcept;
void __cdecl operator delete(void *block, const std::nothrow_t &) noexcept;
void __cdecl operator delete[](void *block) noexcept;
void __cdecl operator delete[](void *block, const std::nothrow_t &) noexcept;
void __cdecl operator delete(void *block, size_t size) noexcept;
void __cdecl operator delete[](void *block, size_t size) noexcept;

[[nodiscard]] __declspec(allocator) void *__cdecl operator new(size_t size, std::align_val_t al);
[[nodiscard]] __declspec(allocator) void *__cdecl operator new(size_t size, std::align_val_t al,
                                                               const std::nothrow_t &) noexcept;
[[nodiscard]] __declspec(allocator) void *__cdecl operator new[](size_t size, std::align_val_t al);
[[nodiscard]] __declspec(allocator) void *__cdecl operator new[](size_t size, std::align_val_t al,
                                                                 const std::nothrow_t &) noexcept;
void __cdecl operator delete(void *block, std::align_val_t al) noexcept;
void __cdecl operator delete(void *block, std::align_val_t al, const std::nothrow_t &) noexcept;
void __cdecl operator delete[](void *block, std::align_val_t al) noexcept;
void __cdecl operator delete[](void *block, std::align_val_t al, const std::nothrow_t &) noexcept;
void __cdecl operator delete(void *block, size_t size, std::align_val_t al) noexcept;
void __cdecl operator delete[](void *block, size_t size, std::align_val_t al) noexcept;

#ifndef __PLACEMENT_NEW_INLINE
#define __PLACEMENT_NEW_INLINE
[[nodiscard]] inline void *__cdecl operator new(size_t, void *where) noexcept { return where; }
inline void __cdecl operator delete(void *, void *) noexcept {}
#endif
#ifndef __PLACEMENT_VEC_NEW_INLINE
#define __PLACEMENT_VEC_NEW_INLINE
[[nodiscard]] inline void *__cdecl operator new[](size_t, void *where) noexcept { return where; }
inline void __cdecl operator delete[](void *, void *) noexcept {}
#endif
}

#pragma pack(pop)

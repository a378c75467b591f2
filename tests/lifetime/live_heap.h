// The bytes the process holds on its heap right now, as the allocator in use
// counts them (the sanitizer's allocator when built with it).
#pragma once

#include <cstddef>

namespace lifetime {

std::size_t liveHeapBytes();

} // namespace lifetime

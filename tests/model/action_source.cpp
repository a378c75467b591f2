// The choice sources behind the random host actions.
#include "action_source.h"

#include "host/tools/validate/splitmix64.h"

namespace modelcheck {

namespace {
constexpr unsigned kHalfBits = 32;
constexpr unsigned kByteBits = 8;
} // namespace

std::uint32_t SeededSource::below(std::uint32_t count) {
  const std::uint64_t z = corvane::splitmix64(state_);
  // Multiply-shift keeps the choice unbiased enough and avoids a division.
  return static_cast<std::uint32_t>(((z >> kHalfBits) * count) >> kHalfBits);
}

std::uint32_t ByteSource::below(std::uint32_t count) {
  if (count <= 1) {
    return 0;
  }
  std::uint32_t value = 0;
  // As many bytes as the count needs, so that every choice is reachable.
  for (std::uint32_t range = 1; range < count && at_ < size_; range <<= kByteBits) {
    value = (value << kByteBits) | data_[at_++];
  }
  return value % count;
}

} // namespace modelcheck

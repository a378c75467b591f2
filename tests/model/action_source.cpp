// The choice sources behind the random host actions.
#include "action_source.h"

namespace modelcheck {

namespace {
// splitmix64: tiny, fast and fully specified, so a seed replays anywhere.
constexpr std::uint64_t kGolden = 0x9E3779B97F4A7C15ULL;
constexpr std::uint64_t kMix1 = 0xBF58476D1CE4E5B9ULL;
constexpr std::uint64_t kMix2 = 0x94D049BB133111EBULL;
constexpr unsigned kShift1 = 30;
constexpr unsigned kShift2 = 27;
constexpr unsigned kShift3 = 31;
constexpr unsigned kHalfBits = 32;
constexpr unsigned kByteBits = 8;
} // namespace

std::uint32_t SeededSource::below(std::uint32_t count) {
  state_ += kGolden;
  std::uint64_t z = state_;
  z = (z ^ (z >> kShift1)) * kMix1;
  z = (z ^ (z >> kShift2)) * kMix2;
  z ^= z >> kShift3;
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

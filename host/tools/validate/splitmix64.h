// splitmix64: a tiny, fully specified generator, so that a seed replays the
// same run on any machine. Shared by the validate verb and the model check.
#pragma once

#include <cstdint>

namespace corvane {

// Advances `state` and returns the next 64 random bits.
inline std::uint64_t splitmix64(std::uint64_t &state) {
  constexpr std::uint64_t kGolden = 0x9E3779B97F4A7C15ULL;
  constexpr std::uint64_t kMix1 = 0xBF58476D1CE4E5B9ULL;
  constexpr std::uint64_t kMix2 = 0x94D049BB133111EBULL;
  constexpr unsigned kShift1 = 30;
  constexpr unsigned kShift2 = 27;
  constexpr unsigned kShift3 = 31;
  state += kGolden;
  std::uint64_t z = state;
  z = (z ^ (z >> kShift1)) * kMix1;
  z = (z ^ (z >> kShift2)) * kMix2;
  return z ^ (z >> kShift3);
}

} // namespace corvane

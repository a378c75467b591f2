// A fuzzer's bytes as the random host actions' choices.
#include "action_source.h"

namespace modelcheck {

namespace {
constexpr unsigned kByteBits = 8;
} // namespace

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

// Counting the characters of UTF-8 text.
#include "utf8.h"

#include <algorithm>
#include <cstdint>

namespace corvane::text {

bool isUtf8Continuation(char byte) {
  constexpr std::uint8_t kContinuationMask = 0xC0;
  constexpr std::uint8_t kContinuationTag = 0x80;
  return (static_cast<std::uint8_t>(byte) & kContinuationMask) == kContinuationTag;
}

std::size_t utf8CharCount(std::string_view text) {
  return static_cast<std::size_t>(
      std::count_if(text.begin(), text.end(), [](char c) { return !isUtf8Continuation(c); }));
}

} // namespace corvane::text

// UTF-8 text as the timeline measures it: counted in characters.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace corvane::text {

// Whether `byte` stands inside a UTF-8 sequence, after its first byte.
inline bool isUtf8Continuation(char byte) {
  constexpr std::uint8_t kContinuationMask = 0xC0;
  constexpr std::uint8_t kContinuationTag = 0x80;
  return (static_cast<std::uint8_t>(byte) & kContinuationMask) == kContinuationTag;
}

// How many characters `text` holds: its bytes that start a sequence.
inline std::size_t utf8CharCount(std::string_view text) {
  return static_cast<std::size_t>(
      std::count_if(text.begin(), text.end(), [](char c) { return !isUtf8Continuation(c); }));
}

} // namespace corvane::text

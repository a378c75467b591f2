// UTF-8 decoding with replacement of malformed sequences.
#include "utf8.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>

namespace corvane::text {

namespace {

constexpr char32_t kMaxCodePoint = 0x10FFFF;
constexpr char32_t kSurrogateFirst = 0xD800;
constexpr char32_t kSurrogateLast = 0xDFFF;
constexpr std::uint8_t kContinuationMask = 0xC0;
constexpr std::uint8_t kContinuationTag = 0x80;
constexpr std::uint8_t kPayloadBits = 6;
constexpr std::uint8_t kPayloadMask = 0x3F;

struct LeadByte {
  std::size_t length; // bytes in the whole sequence
  char32_t initial;   // the lead byte's payload
  char32_t smallest;  // below this the sequence is overlong
};

// The sequence a lead byte starts, or length 0 when it starts none.
LeadByte readLead(std::uint8_t byte) {
  if (byte < 0x80) {
    return {1, byte, 0};
  }
  if ((byte & 0xE0) == 0xC0) {
    return {2, static_cast<char32_t>(byte & 0x1F), 0x80};
  }
  if ((byte & 0xF0) == 0xE0) {
    return {3, static_cast<char32_t>(byte & 0x0F), 0x800};
  }
  if ((byte & 0xF8) == 0xF0) {
    return {4, static_cast<char32_t>(byte & 0x07), 0x10000};
  }
  return {0, 0, 0};
}

} // namespace

std::u32string decodeUtf8(std::string_view text) {
  std::u32string out;
  out.reserve(text.size());
  std::size_t at = 0;
  while (at < text.size()) {
    const LeadByte lead = readLead(static_cast<std::uint8_t>(text[at]));
    bool valid = lead.length != 0 && at + lead.length <= text.size();
    char32_t code = lead.initial;
    for (std::size_t i = 1; valid && i < lead.length; ++i) {
      const auto next = static_cast<std::uint8_t>(text[at + i]);
      valid = (next & kContinuationMask) == kContinuationTag;
      code = (code << kPayloadBits) | (next & kPayloadMask);
    }
    valid = valid && code >= lead.smallest && code <= kMaxCodePoint &&
            (code < kSurrogateFirst || code > kSurrogateLast);
    if (valid) {
      out.push_back(code);
      at += lead.length;
    } else {
      out.push_back(kReplacementCharacter);
      ++at;
    }
  }
  return out;
}

bool isUtf8Continuation(char byte) {
  return (static_cast<std::uint8_t>(byte) & kContinuationMask) == kContinuationTag;
}

std::size_t utf8CharCount(std::string_view text) {
  return static_cast<std::size_t>(
      std::count_if(text.begin(), text.end(), [](char c) { return !isUtf8Continuation(c); }));
}

std::string encodeUtf8(std::u32string_view codes) {
  static constexpr char32_t kLead[] = {0x00, 0xC0, 0xE0, 0xF0};
  std::string out;
  for (const char32_t code : codes) {
    const std::size_t extra = code < 0x80 ? 0 : code < 0x800 ? 1 : code < 0x10000 ? 2 : 3;
    out += static_cast<char>(kLead[extra] | code >> (kPayloadBits * extra));
    for (std::size_t shift = extra; shift-- > 0;) {
      out +=
          static_cast<char>(kContinuationTag | ((code >> (kPayloadBits * shift)) & kPayloadMask));
    }
  }
  return out;
}

std::string drawableUtf8(std::string_view text) {
  constexpr char32_t kFirstPrintable = 0x20;
  std::u32string codes = decodeUtf8(text);
  std::erase_if(codes, [](char32_t code) { return code < kFirstPrintable; });
  return encodeUtf8(codes);
}

} // namespace corvane::text

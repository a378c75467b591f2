// Writing trace arguments: text escapes and number forms.
#include "trace_format.h"

#include <algorithm>
#include <array>
#include <charconv>

namespace corvane::host {

namespace {

constexpr unsigned char kFirstPrintable = 0x20;
constexpr unsigned char kDelete = 0x7F;
constexpr std::string_view kHexDigits = "0123456789abcdef";
constexpr unsigned kNibbleBits = 4;
constexpr unsigned kNibbleMask = 0xF;
// Enough for any float or double in shortest form, sign and exponent included.
constexpr std::size_t kNumberBufferSize = 32;
constexpr int kMicrosDigits = 6;
constexpr std::int64_t kBase = 10;

template <typename Number> std::string shortest(Number value) {
  std::array<char, kNumberBufferSize> buffer{};
  const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value);
  return std::string(buffer.data(), result.ptr);
}

} // namespace

void appendQuoted(std::string &out, std::string_view text) {
  out += '"';
  for (const char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    switch (c) {
    case '"':
      out += "\\\"";
      break;
    case '\\':
      out += "\\\\";
      break;
    case '\n':
      out += "\\n";
      break;
    case '\r':
      out += "\\r";
      break;
    case '\t':
      out += "\\t";
      break;
    default:
      if (byte < kFirstPrintable || byte == kDelete) {
        out += "\\x";
        out += kHexDigits[byte >> kNibbleBits];
        out += kHexDigits[byte & kNibbleMask];
      } else {
        out += c;
      }
    }
  }
  out += '"';
}

std::string quoteText(std::string_view text) {
  std::string out;
  appendQuoted(out, text);
  return out;
}

std::string shortestNumber(float value) { return shortest(value); }

std::string shortestNumber(double value) { return shortest(value); }

std::string secondsText(std::int64_t micros, int decimals) {
  decimals = std::clamp(decimals, 0, kMicrosDigits);
  std::int64_t unit = 1; // microseconds in the last decimal kept
  std::int64_t perSecond = 1;
  for (int digit = 0; digit < kMicrosDigits; ++digit) {
    (digit < decimals ? perSecond : unit) *= kBase;
  }
  const std::int64_t rounded = (micros + unit / 2) / unit;
  std::string text = std::to_string(rounded / perSecond);
  if (decimals > 0) {
    std::string fraction = std::to_string(rounded % perSecond);
    text += '.';
    text.append(static_cast<std::size_t>(decimals) - fraction.size(), '0');
    text += fraction;
  }
  return text;
}

} // namespace corvane::host

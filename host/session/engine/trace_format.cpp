// Writing trace arguments: text escapes, number forms and times.
#include "trace_format.h"

#include <algorithm>
#include <array>
#include <charconv>

#include "virtual_clock.h"

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
    const std::string_view escape = c == '"'    ? "\\\""
                                    : c == '\\' ? "\\\\"
                                    : c == '\n' ? "\\n"
                                    : c == '\r' ? "\\r"
                                    : c == '\t' ? "\\t"
                                                : "";
    if (!escape.empty()) {
      out += escape;
    } else if (byte < kFirstPrintable || byte == kDelete) {
      out += "\\x";
      out += kHexDigits[byte >> kNibbleBits];
      out += kHexDigits[byte & kNibbleMask];
    } else {
      out += c;
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
  std::int64_t unit = kMicrosPerSecond; // microseconds in the last digit kept
  for (int digit = 0; digit < std::clamp(decimals, 0, kMicrosDigits); ++digit) {
    unit /= kBase;
  }
  const std::int64_t rounded = (micros + unit / 2) / unit;
  const std::int64_t perSecond = kMicrosPerSecond / unit;
  std::string text = std::to_string(rounded / perSecond);
  if (perSecond > 1) {
    // The fraction's digits, leading zeros kept, after a leading 1.
    text += '.';
    text += std::to_string(perSecond + rounded % perSecond).substr(1);
  }
  return text;
}

} // namespace corvane::host

// Expected trace text, written independently of the host's own formatter so
// that the lockstep check also covers it.
#include "trace_text.h"

#include <array>
#include <charconv>
#include <cstdio>

namespace modelcheck {

namespace {
constexpr std::int64_t kMicrosPerMilli = 1000;
constexpr std::int64_t kMillisPerSecond = 1000;
constexpr unsigned char kSpace = 0x20;
constexpr unsigned char kDelete = 0x7F;
constexpr std::size_t kNumberCapacity = 48;
} // namespace

std::string timeText(std::int64_t micros) {
  const std::int64_t millis = (micros + kMicrosPerMilli / 2) / kMicrosPerMilli;
  std::array<char, kNumberCapacity> buffer{};
  std::snprintf(buffer.data(), buffer.size(), "[%lld.%03lld]",
                static_cast<long long>(millis / kMillisPerSecond),
                static_cast<long long>(millis % kMillisPerSecond));
  return buffer.data();
}

std::string quotedText(std::string_view text) {
  std::string out = "\"";
  for (const char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if (c == '"' || c == '\\') {
      out += '\\';
      out += c;
    } else if (c == '\n') {
      out += "\\n";
    } else if (c == '\r') {
      out += "\\r";
    } else if (c == '\t') {
      out += "\\t";
    } else if (byte < kSpace || byte == kDelete) {
      std::array<char, 8> escape{};
      std::snprintf(escape.data(), escape.size(), "\\x%02x", static_cast<unsigned>(byte));
      out += escape.data();
    } else {
      out += c;
    }
  }
  out += '"';
  return out;
}

std::string numberText(float value) {
  std::array<char, kNumberCapacity> buffer{};
  const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value);
  return std::string(buffer.data(), result.ptr);
}

std::string numberText(std::int32_t value) { return std::to_string(value); }

} // namespace modelcheck

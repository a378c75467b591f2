// Setting text readings for the model, written from the host's documented
// conversion rules.
#include "setting_text.h"

#include <cfloat>
#include <charconv>
#include <cmath>
#include <limits>

#include "trace_text.h"

namespace modelcheck {

namespace {

bool isDigit(char c) { return c >= '0' && c <= '9'; }

// Length of the decimal number at the start of `text` (0 when none).
std::size_t decimalPrefix(std::string_view text) {
  std::size_t at = 0;
  if (at < text.size() && text[at] == '-') {
    ++at;
  }
  const std::size_t digitsStart = at;
  while (at < text.size() && isDigit(text[at])) {
    ++at;
  }
  if (at == digitsStart) {
    return 0;
  }
  if (at + 1 < text.size() && text[at] == '.' && isDigit(text[at + 1])) {
    ++at;
    while (at < text.size() && isDigit(text[at])) {
      ++at;
    }
  }
  return at;
}

double parseDecimal(std::string_view text) {
  double value = 0.0;
  const auto result = std::from_chars(text.data(), text.data() + text.size(), value);
  if (result.ec == std::errc::result_out_of_range) {
    // Too many digits for a double: only huge magnitudes get here, since a
    // tiny one would need an exponent, which a decimal number never has.
    const bool negative = !text.empty() && text.front() == '-';
    return negative ? -std::numeric_limits<double>::infinity()
                    : std::numeric_limits<double>::infinity();
  }
  return value;
}

double clampInto(double value, const Bounds &bounds) {
  if (bounds.hasMin && value < static_cast<double>(bounds.min)) {
    return static_cast<double>(bounds.min);
  }
  if (bounds.hasMax && value > static_cast<double>(bounds.max)) {
    return static_cast<double>(bounds.max);
  }
  return value;
}

double readNumber(std::string_view text, const Bounds &bounds) {
  return clampInto(leadingNumber(text).value_or(0.0), bounds);
}

} // namespace

bool isDecimal(std::string_view text) {
  return !text.empty() && decimalPrefix(text) == text.size();
}

std::optional<double> leadingNumber(std::string_view text) {
  const std::size_t length = decimalPrefix(text);
  if (length == 0) {
    return std::nullopt;
  }
  return parseDecimal(text.substr(0, length));
}

std::optional<std::string> storedText(std::string_view value, const Bounds &bounds) {
  if (!bounds.hasMin && !bounds.hasMax) {
    return std::string(value);
  }
  if (!isDecimal(value)) {
    return std::nullopt;
  }
  const double number = parseDecimal(value);
  if (bounds.hasMin && number < static_cast<double>(bounds.min)) {
    return numberText(bounds.min);
  }
  if (bounds.hasMax && number > static_cast<double>(bounds.max)) {
    return numberText(bounds.max);
  }
  return std::string(value);
}

float readFloat(std::string_view text, const Bounds &bounds) {
  const double number = readNumber(text, bounds);
  if (number > static_cast<double>(FLT_MAX)) {
    return FLT_MAX;
  }
  if (number < -static_cast<double>(FLT_MAX)) {
    return -FLT_MAX;
  }
  return static_cast<float>(number);
}

std::int32_t readInt(std::string_view text, const Bounds &bounds) {
  const double number = std::trunc(readNumber(text, bounds));
  constexpr auto kMax = std::numeric_limits<std::int32_t>::max();
  constexpr auto kMin = std::numeric_limits<std::int32_t>::min();
  if (number >= static_cast<double>(kMax)) {
    return kMax;
  }
  if (number <= static_cast<double>(kMin)) {
    return kMin;
  }
  return static_cast<std::int32_t>(number);
}

bool readBool(std::string_view text, const Bounds &bounds) {
  return readNumber(text, bounds) != 0.0;
}

} // namespace modelcheck

// Value conversion for settings: decimal parsing, clamping and saturation.
#include "value_conversion.h"

#include <algorithm>
#include <cfloat>
#include <charconv>
#include <climits>
#include <cmath>
#include <limits>

#include "trace_format.h"

namespace corvane::host {

namespace {

// The number `text` starts with, clamped into the bounds.
double readNumber(std::string_view text, const SettingBounds &bounds) {
  const double value = leadingDecimal(text);
  if (bounds.hasMin && value < static_cast<double>(bounds.min)) {
    return bounds.min;
  }
  if (bounds.hasMax && value > static_cast<double>(bounds.max)) {
    return bounds.max;
  }
  return value;
}

// Length of the decimal number `text` starts with; 0 when there is none.
std::size_t decimalPrefixLength(std::string_view text) {
  const auto digitsEnd = [text](std::size_t from) {
    return std::min(text.find_first_not_of("0123456789", from), text.size());
  };
  const std::size_t digitsStart = text.starts_with('-') ? 1 : 0;
  const std::size_t end = digitsEnd(digitsStart);
  if (end == digitsStart) {
    return 0;
  }
  // A point belongs to the number only with a digit after it.
  const std::size_t fractionEnd = end < text.size() && text[end] == '.' ? digitsEnd(end + 1) : end;
  return fractionEnd > end + 1 ? fractionEnd : end;
}

} // namespace

bool isDecimalNumber(std::string_view text) {
  return !text.empty() && decimalPrefixLength(text) == text.size();
}

double leadingDecimal(std::string_view text) {
  const std::size_t length = decimalPrefixLength(text);
  if (length == 0) {
    return 0.0;
  }
  const char *first = text.data();
  const char *last = text.data() + length;
  double value = 0.0;
  const auto result = std::from_chars(first, last, value, std::chars_format::fixed);
  if (result.ec == std::errc::result_out_of_range) {
    // Too large or too small for a double: the integer part tells which.
    const std::string_view number = text.substr(0, length);
    const bool hugeMagnitude = number.find_first_of("123456789") < number.find('.');
    const double magnitude = hugeMagnitude ? std::numeric_limits<double>::infinity() : 0.0;
    return number.front() == '-' ? -magnitude : magnitude;
  }
  return value;
}

float readFloat(std::string_view text, const SettingBounds &bounds) {
  return static_cast<float>(
      std::clamp(readNumber(text, bounds), -double{FLT_MAX}, double{FLT_MAX}));
}

int readInt(std::string_view text, const SettingBounds &bounds) {
  return static_cast<int>(
      std::clamp(std::trunc(readNumber(text, bounds)), double{INT_MIN}, double{INT_MAX}));
}

bool readBool(std::string_view text, const SettingBounds &bounds) {
  return readNumber(text, bounds) != 0.0;
}

Expected<std::string> boundedText(std::string text, const SettingBounds &bounds) {
  if (!bounds.hasMin && !bounds.hasMax) {
    return text;
  }
  if (!isDecimalNumber(text)) {
    return Error{ErrorKind::BadInput, "not a decimal number"};
  }
  const double value = leadingDecimal(text);
  if (bounds.hasMin && value < static_cast<double>(bounds.min)) {
    return shortestNumber(bounds.min);
  }
  if (bounds.hasMax && value > static_cast<double>(bounds.max)) {
    return shortestNumber(bounds.max);
  }
  return text;
}

} // namespace corvane::host

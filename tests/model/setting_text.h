// How the model reads and stores setting texts: decimal numbers, bounds,
// and the bool, int, float and text readings a plugin sees.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace modelcheck {

// A setting's optional bounds, as registered (32-bit floats).
struct Bounds {
  bool hasMin = false;
  float min = 0.0F;
  bool hasMax = false;
  float max = 0.0F;
};

// Whether `text` is wholly a decimal number: an optional minus sign, digits,
// and optionally a point followed by digits.
bool isDecimal(std::string_view text);

// The decimal number `text` starts with, if any ("2.5x" gives 2.5, "5." gives
// 5, ".5" and "-" give none). Overlong digit runs read as infinities.
std::optional<double> leadingNumber(std::string_view text);

// What a console set stores for a bounded setting: nothing when refused, the
// text itself inside the bounds, the bound in shortest form when clamped.
// Unbounded settings store any text.
std::optional<std::string> storedText(std::string_view value, const Bounds &bounds);

// The readings of a stored text.
float readFloat(std::string_view text, const Bounds &bounds);
std::int32_t readInt(std::string_view text, const Bounds &bounds);
bool readBool(std::string_view text, const Bounds &bounds);

} // namespace modelcheck

// How a setting's text reads as a number, int, bool, and how bounds apply to
// a new text.
#pragma once

#include <string>
#include <string_view>

#include "host/base/error.h"
#include "host_export.h"

namespace corvane::host {

// A setting's optional lower and upper bound.
struct SettingBounds {
  bool hasMin = false;
  float min = 0.0F;
  bool hasMax = false;
  float max = 0.0F;
};

// Whether all of `text` is one decimal number: an optional minus sign,
// digits, and optionally a point followed by digits ("-", ".5" and "2." are
// none).
CORVANE_HOST_API bool isDecimalNumber(std::string_view text);
// The value of the decimal number `text` starts with, 0 when there is none.
// Numbers beyond double's range give ±infinity, never undefined behaviour.
CORVANE_HOST_API double leadingDecimal(std::string_view text);

// The setting's value as each SDK type: the leading number clamped into the
// bounds, then saturated into the type's range (ints truncate toward zero).
CORVANE_HOST_API float readFloat(std::string_view text, const SettingBounds &bounds);
CORVANE_HOST_API int readInt(std::string_view text, const SettingBounds &bounds);
CORVANE_HOST_API bool readBool(std::string_view text, const SettingBounds &bounds);

// The text a setting with `bounds` stores for `text`: as given without
// bounds or inside them, the bound in shortest form when clamped, refused
// (bad input) when bounded and `text` is not wholly a decimal number.
CORVANE_HOST_API Expected<std::string> boundedText(std::string text, const SettingBounds &bounds);

} // namespace corvane::host

// The known name a mistyped one was probably meant to be, for "did you mean".
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace corvane::console {

// The name in `known` closest to `typed`, counting a dropped, added, changed
// or swapped neighbouring letter as one slip; nothing when even the closest
// needs more slips than a typo makes (two, and fewer than half the letters).
std::optional<std::string> nearestName(std::string_view typed,
                                       const std::vector<std::string> &known);

} // namespace corvane::console

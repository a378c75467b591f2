// The simulated game time, in whole microseconds: they keep timer order
// exact where float seconds would drift.
#pragma once

#include <cstdint>

#include "host_export.h"

namespace corvane::host {

// Microseconds in one second of game time.
inline constexpr std::int64_t kMicrosPerSecond = 1'000'000;

// A delay in seconds as whole microseconds: rounded to nearest, a negative or
// NaN delay counts as 0 and a huge one saturates instead of overflowing.
CORVANE_HOST_API std::int64_t delayToMicros(double seconds);

// `now + delay`, saturating at the largest representable time.
CORVANE_HOST_API std::int64_t addSaturated(std::int64_t now, std::int64_t delay);

} // namespace corvane::host

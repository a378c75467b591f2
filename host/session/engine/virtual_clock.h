// VirtualClock: the simulated game time, in whole microseconds.
#pragma once

#include <cstdint>

#include "host_export.h"

namespace corvane::host {

// Microseconds in one second of game time.
inline constexpr std::int64_t kMicrosPerSecond = 1'000'000;

// Game time never passes on its own: the simulator moves it. Whole
// microseconds keep timer order exact where float seconds would drift.
class CORVANE_HOST_API VirtualClock {
public:
  std::int64_t nowMicros() const { return now_; }
  void set(std::int64_t micros) { now_ = micros; }

private:
  std::int64_t now_ = 0;
};

// A delay in seconds as whole microseconds: rounded to nearest, a negative or
// NaN delay counts as 0 and a huge one saturates instead of overflowing.
CORVANE_HOST_API std::int64_t delayToMicros(double seconds);

// `now + delay`, saturating at the largest representable time.
CORVANE_HOST_API std::int64_t addSaturated(std::int64_t now, std::int64_t delay);

} // namespace corvane::host

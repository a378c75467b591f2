// Conversions between seconds and the virtual clock's microseconds.
#include "virtual_clock.h"

#include <cmath>
#include <limits>

namespace corvane::host {

namespace {
// Keeps llround's argument well inside the range of int64.
constexpr double kMaxDelayMicros = 4.0e18;
} // namespace

std::int64_t delayToMicros(double seconds) {
  if (std::isnan(seconds) || seconds <= 0.0) {
    return 0;
  }
  const double micros = seconds * static_cast<double>(kMicrosPerSecond);
  if (micros >= kMaxDelayMicros) {
    return static_cast<std::int64_t>(kMaxDelayMicros);
  }
  return std::llround(micros);
}

std::int64_t addSaturated(std::int64_t now, std::int64_t delay) {
  constexpr std::int64_t kMax = std::numeric_limits<std::int64_t>::max();
  return delay > kMax - now ? kMax : now + delay;
}

} // namespace corvane::host

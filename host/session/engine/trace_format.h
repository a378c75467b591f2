// How values are written in trace lines and console output: quoted texts with
// escapes, shortest round-trip numbers, times on the host's clock.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include <corvane/value_types.h>

#include "host_export.h"

namespace corvane::host {

// Appends `text` double-quoted, escaping `"`, `\`, newline, carriage return,
// tab, and every other byte below 0x20 or 0x7F as \xNN.
CORVANE_HOST_API void appendQuoted(std::string &out, std::string_view text);
// `text` double-quoted and escaped as appendQuoted does.
CORVANE_HOST_API std::string quoteText(std::string_view text);
// The shortest text that reads back as `value` (std::to_chars).
CORVANE_HOST_API std::string shortestNumber(float value);
CORVANE_HOST_API std::string shortestNumber(double value);
// A time on the host's clock (or a stretch of it) in seconds, rounded half
// up to `decimals` decimals, at most six: "12.500". The trace, sim_status and
// the timeline print times so.
CORVANE_HOST_API std::string secondsText(std::int64_t micros, int decimals = 3);

} // namespace corvane::host

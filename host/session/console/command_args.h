// Argument parsing shared by the console commands: bools, counts, seconds.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "console.h"

namespace corvane::console {

// "true" or "false".
std::optional<bool> parseBool(std::string_view word);
// A non-negative whole number that fits in 32 bits.
std::optional<std::uint32_t> parseCount(std::string_view word);
// A non-negative decimal number of seconds, as whole microseconds.
std::optional<std::int64_t> parseSeconds(std::string_view word);

// "usage: USAGE (got ARGUMENTS)" for a command given the wrong arguments.
std::string usageMessage(std::string_view usage, const Words &words);
// The usage message of the console's command that `words` name, as an error.
CommandResult usageError(const Console &console, const Words &words);

} // namespace corvane::console

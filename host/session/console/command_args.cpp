// Argument parsing shared by the console commands.
#include "command_args.h"

#include <charconv>

#include "host/session/engine/trace_format.h"
#include "host/session/engine/value_conversion.h"
#include "host/session/engine/virtual_clock.h"

namespace corvane::console {

namespace {
// The longest wait a script may ask for in one step: a century of game time
// keeps every due time far from overflow.
constexpr double kMaxWaitSeconds = 100.0 * 365 * 24 * 3600;
} // namespace

std::optional<bool> parseBool(std::string_view word) {
  if (word == "true" || word == "false") {
    return word == "true";
  }
  return std::nullopt;
}

std::optional<std::uint32_t> parseCount(std::string_view word) {
  std::uint32_t value = 0;
  const auto result = std::from_chars(word.data(), word.data() + word.size(), value);
  if (word.empty() || result.ec != std::errc{} || result.ptr != word.data() + word.size()) {
    return std::nullopt;
  }
  return value;
}

std::optional<std::int64_t> parseSeconds(std::string_view word) {
  if (!host::isDecimalNumber(word) || word.front() == '-') {
    return std::nullopt;
  }
  const double seconds = host::leadingDecimal(word);
  if (seconds > kMaxWaitSeconds) {
    return std::nullopt;
  }
  return host::delayToMicros(seconds);
}

std::string usageMessage(std::string_view usage, const Words &words) {
  std::string message = "usage: " + std::string(usage);
  // Names what the line gave, so that a long script's mistake is found at once.
  if (words.size() == 1) {
    return message + " (got no argument)";
  }
  message += " (got";
  for (std::size_t i = 1; i < words.size(); ++i) {
    message += ' ';
    host::appendQuoted(message, words[i]);
  }
  return message + ')';
}

CommandResult usageError(const Console &console, const Words &words) {
  return CommandResult::error(usageMessage(console.commands().at(words.front()).usage, words));
}

} // namespace corvane::console

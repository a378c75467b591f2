// Reading the validate verb's command line.
#include "validate_options.h"

#include <charconv>

namespace corvane::validate {

namespace {

std::optional<std::uint64_t> wholeNumber(const std::string &text) {
  std::uint64_t value = 0;
  const auto result = std::from_chars(text.data(), text.data() + text.size(), value);
  if (text.empty() || result.ec != std::errc() || result.ptr != text.data() + text.size()) {
    return std::nullopt;
  }
  return value;
}

std::optional<double> positiveSeconds(const std::string &text) {
  double value = 0.0;
  const auto result = std::from_chars(text.data(), text.data() + text.size(), value);
  if (text.empty() || result.ec != std::errc() || result.ptr != text.data() + text.size() ||
      !(value > 0.0)) {
    return std::nullopt;
  }
  return value;
}

} // namespace

const char *validateUsage() {
  return "usage: corvane-sim validate PLUGIN [--seed N] [--steps N] [--in-process] "
         "[--timeout SECONDS]\n"
         "\n"
         "Checks what must hold for any plugin of this host and prints each check as\n"
         "passed or failed with the reason, then `N passed, N failed`. Exit status 0\n"
         "when every check passed, 1 otherwise, 2 for a usage error.\n"
         "\n"
         "  --seed N            seed of the random run (default 1)\n"
         "  --steps N           console lines in the random run (default 2000)\n"
         "  --in-process        run the checks here, not each in a child process\n"
         "  --timeout SECONDS   time one check may take before it counts as hung (60)\n";
}

std::optional<std::string> parseValidateOptions(const std::vector<std::string> &words,
                                                ValidateOptions &options) {
  for (std::size_t at = 0; at < words.size(); ++at) {
    const std::string &word = words[at];
    const bool takesValue = word == "--seed" || word == "--steps" || word == "--timeout";
    if (takesValue && at + 1 >= words.size()) {
      return word + " needs a value";
    }
    if (word == "--seed" || word == "--steps") {
      const auto number = wholeNumber(words[++at]);
      if (!number) {
        return word + " needs a whole number, not \"" + words[at] + "\"";
      }
      (word == "--seed" ? options.seed : options.steps) = *number;
    } else if (word == "--timeout") {
      const auto seconds = positiveSeconds(words[++at]);
      if (!seconds) {
        return "--timeout needs a number of seconds above 0, not \"" + words[at] + "\"";
      }
      options.timeoutSeconds = *seconds;
    } else if (word == "--in-process") {
      options.inProcess = true;
    } else if (word.starts_with("-")) {
      return "unknown option " + word;
    } else if (options.pluginPath.empty()) {
      options.pluginPath = word;
    } else {
      return "more than one plugin given (" + options.pluginPath + ", " + word + ")";
    }
  }
  if (options.pluginPath.empty()) {
    return "no plugin given";
  }
  return std::nullopt;
}

} // namespace corvane::validate

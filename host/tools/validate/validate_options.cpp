// Reading the validate verb's command line.
#include "validate_options.h"

#include <charconv>
#include <optional>

#include "host/tools/common/option_table.h"

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

Failure parseValidateOptions(const std::vector<std::string> &words, ValidateOptions &options) {
  sim::OptionTable table(sim::OptionTable::Wording::Verb);
  const auto wholeNumberInto = [](std::uint64_t &target) {
    return [&target](const std::string &value) -> Failure {
      const auto number = wholeNumber(value);
      if (!number) {
        return Error{ErrorKind::BadInput, "needs a whole number, not \"" + value + "\""};
      }
      target = *number;
      return std::nullopt;
    };
  };
  table.add(
      {"--seed", "", "N", "seed of the random run (default 1)", wholeNumberInto(options.seed)});
  table.add({"--steps", "", "N", "console lines in the random run (default 2000)",
             wholeNumberInto(options.steps)});
  table.add({"--in-process", "", "", "run the checks here, not each in a child process",
             [&options](const std::string &) -> Failure {
               options.inProcess = true;
               return std::nullopt;
             }});
  table.add({"--timeout", "", "SECONDS", "time one check may take before it counts as hung (60)",
             [&options](const std::string &value) -> Failure {
               const auto seconds = positiveSeconds(value);
               if (!seconds) {
                 return Error{ErrorKind::BadInput,
                              "needs a number of seconds above 0, not \"" + value + "\""};
               }
               options.timeoutSeconds = *seconds;
               return std::nullopt;
             }});
  const auto plugins = table.parse(words);
  if (!plugins) {
    return plugins.error();
  }
  if (plugins->empty()) {
    return Error{ErrorKind::BadInput, "no plugin given"};
  }
  if (plugins->size() > 1) {
    return Error{ErrorKind::BadInput,
                 "more than one plugin given (" + (*plugins)[0] + ", " + (*plugins)[1] + ")"};
  }
  options.pluginPath = plugins->front();
  return std::nullopt;
}

} // namespace corvane::validate

// The options of `corvane-sim validate PLUGIN [--seed N] [--steps N]
// [--in-process] [--timeout SECONDS]`.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "host/session/error.h"

namespace corvane::validate {

struct ValidateOptions {
  std::string pluginPath;
  // The random run's seed; the same seed replays the same console lines.
  std::uint64_t seed = 1;
  // How many console lines the random run plays.
  std::uint64_t steps = 2000;
  // Run every check in this process instead of a child of its own (a crash
  // then ends the whole run).
  bool inProcess = false;
  // How long one check may take in its child before it counts as hung.
  double timeoutSeconds = 60.0;
};

// Reads the words after `validate`; bad input when they are wrong.
Failure parseValidateOptions(const std::vector<std::string> &words, ValidateOptions &options);

// The usage line and the options, for errors and --help.
const char *validateUsage();

} // namespace corvane::validate

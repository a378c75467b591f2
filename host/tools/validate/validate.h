// The `validate` verb of corvane-sim: `corvane-sim validate PLUGIN [--seed N]
// [--steps N] [--in-process] [--timeout SECONDS]` runs every check on one
// plugin and reports each as passed or failed.
#pragma once

#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

#include "host/base/error.h"

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

// Runs every check and prints one line per check and the closing
// `N passed, N failed`; returns 0 when all passed, 1 otherwise.
int runValidate(const ValidateOptions &options, std::ostream &out);

// The verb's entry: `words` are the command-line words after `validate`.
// Returns the program's exit status (2 for a usage error).
int validateMain(const std::vector<std::string> &words, std::ostream &out, std::ostream &err);

} // namespace corvane::validate

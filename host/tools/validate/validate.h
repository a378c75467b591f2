// The `validate` verb of corvane-sim: runs every check on one plugin and
// reports each as passed or failed.
#pragma once

#include <ostream>
#include <string>
#include <vector>

#include "validate_options.h"

namespace corvane::validate {

// Runs every check and prints one line per check and the closing
// `N passed, N failed`; returns 0 when all passed, 1 otherwise.
int runValidate(const ValidateOptions &options, std::ostream &out);

// The verb's entry: `words` are the command-line words after `validate`.
// Returns the program's exit status (2 for a usage error).
int validateMain(const std::vector<std::string> &words, std::ostream &out, std::ostream &err);

} // namespace corvane::validate

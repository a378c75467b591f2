// What corvane-sim's verbs (validate, check-sdk) share: their exit statuses,
// asking for help, and how an error that ends a verb is told.
#pragma once

#include <algorithm>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "host/base/error.h"
#include "host/base/outcome.h"

namespace corvane::sim {

// Whether any word is `--help` or `-h`.
inline bool asksForHelp(const std::vector<std::string> &words) {
  return std::any_of(words.begin(), words.end(),
                     [](const std::string &word) { return word == "--help" || word == "-h"; });
}

// Prints `corvane-sim VERB: message`, then `usage` for bad input, and
// returns the usage exit status.
inline int reportVerbError(std::ostream &err, std::string_view verb, const Error &error,
                           std::string_view usage) {
  err << "corvane-sim " << verb << ": " << error.message << '\n';
  if (error.kind == ErrorKind::BadInput) {
    err << usage;
  }
  return exitStatus(Outcome::BadInput);
}

} // namespace corvane::sim

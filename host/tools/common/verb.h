// What corvane-sim's verbs (validate, check-sdk) share: their exit statuses,
// asking for help, and how an error that ends a verb is told.
#pragma once

#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "host/session/error.h"

namespace corvane::sim {

inline constexpr int kVerbExitPassed = 0;
inline constexpr int kVerbExitFailed = 1;
inline constexpr int kVerbExitUsage = 2;

// Whether any word is `--help` or `-h`.
bool asksForHelp(const std::vector<std::string> &words);

// Prints `corvane-sim VERB: message`, then `usage` for bad input, and
// returns the usage exit status.
int reportVerbError(std::ostream &err, std::string_view verb, const Error &error,
                    std::string_view usage);

} // namespace corvane::sim

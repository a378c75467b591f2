#include "verb.h"

#include <algorithm>

namespace corvane::sim {

bool asksForHelp(const std::vector<std::string> &words) {
  return std::any_of(words.begin(), words.end(),
                     [](const std::string &word) { return word == "--help" || word == "-h"; });
}

int reportVerbError(std::ostream &err, std::string_view verb, const Error &error,
                    std::string_view usage) {
  err << "corvane-sim " << verb << ": " << error.message << '\n';
  if (error.kind == ErrorKind::BadInput) {
    err << usage;
  }
  return kVerbExitUsage;
}

} // namespace corvane::sim

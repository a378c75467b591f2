// The registry of named validation checks: what holds for any plugin of this
// host, each with a stable name and a one-line description, and what one
// check found.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "host/base/outcome.h"
#include "validate.h"

namespace corvane::validate {

// What one check found: success, a plugin that failed it, or bad input when
// the file is no plugin at all; with why, when it did not pass.
struct CheckResult {
  Outcome outcome = Outcome::Success;
  std::string reason;

  bool passed() const { return outcome == Outcome::Success; }
  static CheckResult pass() { return {}; }
  static CheckResult fail(std::string reason, Outcome outcome = Outcome::PluginFailed) {
    return {outcome, std::move(reason)};
  }
};

// A check's progress notes ("step 12: sim_frame"), so that a crash or hang
// can be reported with what the check was doing.
using ProgressNote = std::function<void(const std::string &)>;

struct Check {
  std::string_view name;
  std::string_view description;
  std::function<CheckResult(const ValidateOptions &, const ProgressNote &)> run;
};

// Every check, in the order they run.
extern const std::vector<Check> kChecks;

} // namespace corvane::validate

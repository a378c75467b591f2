// The registry of named validation checks: what holds for any plugin of this
// host, each with a stable name and a one-line description, and what one
// check found.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "host/base/error.h"
#include "validate.h"

namespace corvane::validate {

struct CheckResult {
  bool passed = false;
  // Why it failed: a CheckFailed error, or NoPlugin when the file is no
  // plugin at all; empty when it passed.
  Error failure;

  static CheckResult pass() { return {true, {}}; }
  static CheckResult fail(std::string reason, ErrorKind kind = ErrorKind::CheckFailed) {
    return {false, Error{kind, std::move(reason)}};
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
const std::vector<Check> &allChecks();

} // namespace corvane::validate

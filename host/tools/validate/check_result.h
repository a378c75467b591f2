// What one validation check found, and where a check reports its progress.
#pragma once

#include <functional>
#include <string>
#include <utility>

#include "host/session/error.h"

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

} // namespace corvane::validate

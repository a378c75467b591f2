// What one validation check found, and where a check reports its progress.
#pragma once

#include <functional>
#include <string>

namespace corvane::validate {

struct CheckResult {
  bool passed = false;
  // Why it failed; empty when it passed.
  std::string reason;
};

// A check's progress notes ("step 12: sim_frame"), so that a crash or hang
// can be reported with what the check was doing.
using ProgressNote = std::function<void(const std::string &)>;

} // namespace corvane::validate

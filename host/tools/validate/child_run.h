// Running one check in a child process, so that a crash or a hang becomes
// that check's failure instead of the validator's end.
#pragma once

#include <functional>

#include "check_result.h"

namespace corvane::validate {

// Whether checks can run in child processes here (not on Windows, where
// they run in the validator's own process).
bool childProcessesAvailable();

// Runs `check` in a child and returns what it found: its own result, or a
// failure naming the signal or exit status it crashed with, or a hang after
// `timeoutSeconds`, each with the check's last progress note.
CheckResult runInChild(const std::function<CheckResult(const ProgressNote &)> &check,
                       double timeoutSeconds);

} // namespace corvane::validate

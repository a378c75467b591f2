// Running one check in a child process, so that a crash or a hang becomes
// that check's failure instead of the validator's end.
#pragma once

#include <functional>
#include <ostream>
#include <string_view>

#include "check_result.h"
#include "checks.h"
#include "validate_options.h"

namespace corvane::validate {

// The words that make `corvane-sim validate` one check's child process:
// `validate --child-check NAME --seed N --steps N -- PLUGIN`. Windows cannot
// fork, so there each check runs in a new corvane-sim started this way.
inline constexpr std::string_view kChildCheckOption = "--child-check";

// Runs `check` on `options`' plugin in a child process and returns what it
// found: its own result, or a failure naming the signal, exception or exit
// status it crashed with, or a hang after `options.timeoutSeconds`, each
// with the check's last progress note.
CheckResult runCheckInChild(const Check &check, const ValidateOptions &options);

// The child's side: runs `check` and writes its progress notes and its
// result to `out` as the lines runCheckInChild reads. Returns the child's
// exit status.
int runChildCheck(const Check &check, const ValidateOptions &options, std::ostream &out);

#if !defined(_WIN32)
// Runs `check` in a forked child; what it returns as runCheckInChild.
CheckResult runInChild(const std::function<CheckResult(const ProgressNote &)> &check,
                       double timeoutSeconds);
#endif

} // namespace corvane::validate

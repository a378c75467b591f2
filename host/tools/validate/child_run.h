// Running one check in a child process, so that a crash or a hang becomes
// that check's failure instead of the validator's end.
#pragma once

#include <functional>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "checks.h"

namespace corvane::validate {

// The words that make `corvane-sim validate` one check's child process:
// `validate --child-check NAME --seed N --steps N -- PLUGIN`. Every check
// runs in a new process of this program started this way.
inline constexpr std::string_view kChildCheckOption = "--child-check";

// What a child process runs: a check on its options, bound.
using CheckBody = std::function<CheckResult(const ProgressNote &)>;

// Starts this program again with `words` as its arguments, expecting it to
// answer through reportFromChild, and returns what the check found: its own
// result, or a failure naming the signal, exception or exit status it
// crashed with, or a hang after `timeoutSeconds`, each with the check's
// last progress note.
CheckResult runInChild(const std::vector<std::string> &words, double timeoutSeconds);

// The child's side: runs `body`, which fails when an exception escapes it,
// and writes its progress notes and its result to `out` as the lines
// runInChild reads. Returns the child's exit status.
int reportFromChild(const CheckBody &body, std::ostream &out);

} // namespace corvane::validate

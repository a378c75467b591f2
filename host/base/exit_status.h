// The exit statuses of corvane-sim and its verbs, each defined here once:
// the console's run statuses are these numbers too.
#pragma once

namespace corvane {

// Everything ran; for a verb, every check passed.
inline constexpr int kExitPassed = 0;
// A sim_expect, or a verb's check, failed.
inline constexpr int kExitFailed = 1;
// A usage error, a refused library, a script error, or a file the run could
// not write.
inline constexpr int kExitUsage = 2;

} // namespace corvane

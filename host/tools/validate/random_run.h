// The seeded random run: console lines, hooked and unknown game functions,
// timers and frames against whatever the plugin registered.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "check_result.h"

namespace corvane::validate {

// What a plugin registered during its load, read from the verbose trace.
struct Registrations {
  std::vector<std::string> settings;
  std::vector<std::string> notifiers;
  std::vector<std::string> hookedFunctions;
};

// The registrations named by verbose trace lines (`registerCvar "NAME" ...`,
// `registerNotifier "NAME" ...`, `HookEvent "NAME"`, `HookEventPost "NAME"`).
Registrations registrationsFromTrace(const std::string &trace);

// The console lines of a random run: the same seed and registrations give
// the same lines.
std::vector<std::string> randomConsoleLines(const Registrations &registrations, std::uint64_t seed,
                                            std::uint64_t steps);

// Loads the plugin, plays the random run, unloads it. Fails when the plugin
// cannot be loaded; a crash or hang is the caller's to catch.
CheckResult randomRun(const std::string &pluginPath, std::uint64_t seed, std::uint64_t steps,
                      const ProgressNote &note);

} // namespace corvane::validate

// The seeded random run: console lines, hooked and unknown game functions,
// timers and frames against whatever the plugin registered.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "checks.h"
#include "host/session/simulator.h"

namespace corvane::validate {

// What a plugin registered during its load, as the host announced it.
struct Registrations {
  std::vector<std::string> settings;
  std::vector<std::string> notifiers;
  std::vector<std::string> hookedFunctions;
};

// Loads the plugin into `simulator` and returns the settings, commands and
// hooked functions it registered while loading; nothing when it did not load.
std::optional<Registrations> loadCollectingRegistrations(sim::Simulator &simulator,
                                                         const std::string &pluginPath);

// The console lines of a random run: the same seed and registrations give
// the same lines.
std::vector<std::string> randomConsoleLines(const Registrations &registrations, std::uint64_t seed,
                                            std::uint64_t steps);

// Loads the plugin, plays the random run, unloads it. Fails when the plugin
// cannot be loaded; a crash or hang is the caller's to catch.
CheckResult randomRun(const ValidateOptions &options, const ProgressNote &note);

} // namespace corvane::validate

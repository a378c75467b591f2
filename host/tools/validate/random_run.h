// The seeded random run: console lines, hooked and unknown game functions,
// timers and frames against whatever the plugin registered.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "checks.h"
#include "host/session/simulator.h"

namespace corvane::validate {

// Where random console lines take their choices from: a seed, or (in the
// tests) a fuzzer's bytes.
class Choices {
public:
  virtual ~Choices() = default;
  // A choice in [0, count); count is at least 1.
  virtual std::uint32_t below(std::uint32_t count) = 0;
  template <typename Items> const auto &pick(const Items &items) {
    return items[below(static_cast<std::uint32_t>(items.size()))];
  }
};

// A seeded choice sequence (splitmix64), the same on every platform and
// standard library, so that a seed replays the same run anywhere.
class SeededChoices final : public Choices {
public:
  explicit SeededChoices(std::uint64_t seed) : state_(seed) {}
  std::uint32_t below(std::uint32_t count) override;

private:
  std::uint64_t state_;
};

// One kind of console line: how often it comes against the others, and how
// it is made.
struct LineKind {
  std::uint32_t weight = 1;
  std::function<std::string(Choices &)> make;
};

// A line of one of `kinds`, each as often as its weight says. validate's
// random run and the model check both make their lines here.
std::string randomLine(Choices &choices, std::span<const LineKind> kinds);

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

// The lockstep check: the real plugin in the stand-in host and the model,
// driven by the same console lines, compared on every traced call.
#pragma once

#include <cstdint>
#include <deque>
#include <memory>
#include <optional>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "invariants.h"
#include "vexlo_model.h"

namespace corvane::sim {
class Simulator;
}

namespace modelcheck {

// One loaded plugin and one model, stepped together.
class Lockstep {
public:
  // Loads the plugin at `pluginPath`; check loaded() before stepping.
  explicit Lockstep(const std::string &pluginPath);
  ~Lockstep();
  Lockstep(const Lockstep &) = delete;
  Lockstep &operator=(const Lockstep &) = delete;

  bool loaded() const;
  // Runs `line` on both sides. Empty when the traces, the refusal and the
  // error lines agree and every invariant holds; otherwise what differed.
  std::optional<std::string> step(std::string_view line);
  std::size_t stepsRun() const { return steps_; }
  // Whether the last step's line was refused as a script error.
  bool lastRefused() const { return lastRefused_; }
  // How many trace lines and search starts the run has seen.
  std::size_t traceLines() const { return traceLines_; }
  std::size_t searchStarts() const { return searchStarts_; }
  const VexloModel &model() const { return model_; }

private:
  std::ostringstream trace_;
  std::ostringstream err_;
  std::unique_ptr<corvane::sim::Simulator> simulator_;
  VexloModel model_;
  InvariantChecker invariants_;
  // The host state the model also predicts, compared after every step.
  std::string hostStateDifference() const;

  std::vector<std::string> settingNames_;
  std::size_t steps_ = 0;
  bool lastRefused_ = false;
  std::size_t traceLines_ = 0;
  std::size_t searchStarts_ = 0;
};

struct LockstepOptions {
  std::string pluginPath;
  std::uint64_t seed = 1;
  std::size_t steps = 1000;
  // How many of the last actions a failure report lists.
  std::size_t history = 25;
  // Where the failure's replay script goes ("" for none): every action up to
  // the failing one, playable with corvane-sim.
  std::string replayScript;
  // The command that reruns this seed, printed with a failure.
  std::string replayCommand;
};

struct LockstepResult {
  bool passed = true;
  std::size_t steps = 0;
  std::size_t traceLines = 0;
  std::size_t searchStarts = 0;
  std::string report;
};

// A seeded random run of `options.steps` actions, stopping at the first
// difference.
LockstepResult runLockstep(const LockstepOptions &options);

} // namespace modelcheck

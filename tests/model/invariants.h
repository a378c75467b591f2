// Properties every step of a run must keep, checked on the real trace beside
// the model's line-by-line prediction.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "vexlo_model.h"

namespace modelcheck {

// Checks, after each step:
// - a search starts no earlier than the waiting time after the current arming,
//   and never for an arming whose timer the party blocked;
// - no search starts while a match is running;
// - at most one search starts per arming;
// - a frame draws the bar exactly when a queue is armed or the preview is on;
// - every colour passed to the canvas is in the bar's colour table;
// - setting the key text sends one console command when the text is accepted
//   and none otherwise, and nothing else sends one.
class InvariantChecker {
public:
  // The violations of `line`'s step, given the real trace of the step and the
  // model after it; empty when all hold.
  std::vector<std::string> check(std::string_view line, bool lineRefused,
                                 const std::vector<std::string> &trace, const VexloModel &model);

private:
  std::map<std::uint64_t, int> startsPerArming_;
};

// The time of a trace line, in whole milliseconds ("[1.250] ..." gives 1250).
std::optional<std::int64_t> traceMillis(std::string_view line);
// The operation and arguments of a trace line, after its time.
std::string_view traceBody(std::string_view line);

} // namespace modelcheck

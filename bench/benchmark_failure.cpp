// Benchmark failures.
#include "benchmark_failure.h"

#include <atomic>

namespace vexlo::bench {

namespace {
std::atomic<bool> failed{false};
} // namespace

void failBenchmark(benchmark::State &state, const std::string &reason) {
  failed = true;
  state.SkipWithError(reason.c_str());
}

bool startOrFail(benchmark::State &state, vexlo::testing::Session &session,
                 std::string_view setup) {
  if (const auto error = session.start(setup)) {
    failBenchmark(state, *error);
    return false;
  }
  return true;
}

bool anyBenchmarkFailed() { return failed; }

} // namespace vexlo::bench

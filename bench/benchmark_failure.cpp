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

bool anyBenchmarkFailed() { return failed; }

} // namespace vexlo::bench

// Benchmark failures: a benchmark that cannot measure what it is meant to
// reports why and makes the whole program fail, so that a smoke run catches it.
#pragma once

#include <string>

#include <benchmark/benchmark.h>

namespace vexlo::bench {

// Ends `state`'s benchmark with `reason` instead of a timing.
void failBenchmark(benchmark::State &state, const std::string &reason);

// Whether any benchmark of this run failed.
bool anyBenchmarkFailed();

} // namespace vexlo::bench

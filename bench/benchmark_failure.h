// Benchmark failures: a benchmark that cannot measure what it is meant to
// reports why and makes the whole program fail, so that a smoke run catches it.
#pragma once

#include <string>
#include <string_view>

#include <benchmark/benchmark.h>

#include "session.h"

namespace vexlo::bench {

// Ends `state`'s benchmark with `reason` instead of a timing.
void failBenchmark(benchmark::State &state, const std::string &reason);

// Starts `session` with the console text `setup`; when that fails, ends
// `state`'s benchmark with the error and returns false.
bool startOrFail(benchmark::State &state, vexlo::testing::Session &session, std::string_view setup);

// Whether any benchmark of this run failed.
bool anyBenchmarkFailed();

} // namespace vexlo::bench

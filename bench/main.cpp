// vexlo-bench: the plugin's per-frame and per-event cost in the stand-in host.
// Exits 1 when a benchmark could not measure what it is meant to; timings are
// judged by check_targets.py, not here.
#include <benchmark/benchmark.h>

#include "benchmark_failure.h"

int main(int argc, char **argv) {
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
    return 1;
  }
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return vexlo::bench::anyBenchmarkFailed() ? 1 : 0;
}

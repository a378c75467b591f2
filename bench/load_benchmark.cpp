// Benchmark of loading the plugin library into a fresh host, its onLoad,
// and its unload.
#include <benchmark/benchmark.h>

#include <memory>

#include "allocation_counter.h"
#include "benchmark_failure.h"
#include "host/session/simulator.h"

namespace {

void BM_Load(benchmark::State &state) {
  vexlo::bench::AllocationScope allocations;
  std::uint64_t untimedAllocations = 0;
  for (auto _ : state) {
    // Each load meets a host that has never seen the plugin, as a game
    // starting up does; making and dropping that host is not timed.
    state.PauseTiming();
    const std::uint64_t beforeHost = vexlo::bench::allocationCount();
    auto simulator = std::make_unique<corvane::sim::Simulator>(corvane::sim::SimulatorOptions{});
    untimedAllocations += vexlo::bench::allocationCount() - beforeHost;
    state.ResumeTiming();

    const bool loaded = simulator->load(VEXLO_PLUGIN_PATH);
    simulator->unload();

    state.PauseTiming();
    const std::uint64_t beforeDrop = vexlo::bench::allocationCount();
    simulator.reset();
    untimedAllocations += vexlo::bench::allocationCount() - beforeDrop;
    state.ResumeTiming();
    if (!loaded) {
      vexlo::bench::failBenchmark(state, "the plugin at " VEXLO_PLUGIN_PATH " was refused");
      break;
    }
  }
  state.counters["allocs_per_load"] =
      benchmark::Counter(static_cast<double>(allocations.allocations() - untimedAllocations),
                         benchmark::Counter::kAvgIterations);
}

} // namespace

BENCHMARK(BM_Load)->Unit(benchmark::kMicrosecond);

// Benchmarks of the plugin's event paths: a hooked game function and the
// queue command, each on a path that changes nothing.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <string>
#include <vector>

#include "allocation_counter.h"
#include "benchmark_failure.h"
#include "session.h"

namespace {

using corvane::host::Op;
using vexlo::bench::AllocationScope;
using vexlo::testing::kSilent;
using vexlo::testing::Session;

// In the menu with the queue idle, the start of an event reaches the
// plugin's handler, which looks at the game state and leaves everything as it
// was.
constexpr const char *kStartEvent = "Function TAGame.GameEvent_TA.StartEvent";
constexpr const char *kQueueCommand = "vexlo_queue";

// The calls with an effect outside the plugin made so far: a path that
// changes nothing adds none.
std::uint64_t effectCalls(const corvane::host::Host &host) {
  std::uint64_t calls = 0;
  for (std::size_t op = 0; op < corvane::host::kOpCount; ++op) {
    if (corvane::host::kOpTable[op].kind == corvane::host::OpKind::Effect) {
      calls += host.callCount(static_cast<Op>(op));
    }
  }
  return calls;
}

void reportAllocations(benchmark::State &state, const AllocationScope &allocations) {
  state.counters["allocs_per_call"] = benchmark::Counter(
      static_cast<double>(allocations.allocations()), benchmark::Counter::kAvgIterations);
}

void BM_HookDispatch(benchmark::State &state) {
  Session session(kSilent);
  if (!vexlo::bench::startOrFail(state, session, "vexlo_enabled 1")) {
    return;
  }
  corvane::host::Host &host = session.host();
  const std::string function = kStartEvent;
  const std::uint64_t effectsBefore = effectCalls(host);
  const std::uint64_t stateReadsBefore = host.callCount(Op::IsInOnlineGame);
  const AllocationScope allocations;
  for (auto _ : state) {
    host.callFunction(function);
  }
  reportAllocations(state, allocations);
  // The handler asks whether an online game is running, once per call.
  if (host.callCount(Op::IsInOnlineGame) - stateReadsBefore !=
      static_cast<std::uint64_t>(state.iterations())) {
    vexlo::bench::failBenchmark(state, "the hooked function did not reach the plugin's handler");
  } else if (effectCalls(host) != effectsBefore) {
    vexlo::bench::failBenchmark(state, "the hooked function changed something");
  }
}

void BM_Notifier(benchmark::State &state) {
  Session session(kSilent);
  // A disabled plugin refuses to arm.
  if (!vexlo::bench::startOrFail(state, session, "vexlo_enabled 0")) {
    return;
  }
  corvane::host::Host &host = session.host();
  const std::vector<std::string> words{kQueueCommand};
  const std::uint64_t effectsBefore = effectCalls(host);
  bool ran = true;
  const AllocationScope allocations;
  for (auto _ : state) {
    ran = host.runNotifier(words) && ran;
  }
  reportAllocations(state, allocations);
  if (!ran) {
    vexlo::bench::failBenchmark(state, "the queue command is not registered");
  } else if (effectCalls(host) != effectsBefore || host.pendingTimers() != 0) {
    vexlo::bench::failBenchmark(state, "the refused queue command changed something");
  }
}

} // namespace

BENCHMARK(BM_HookDispatch);
BENCHMARK(BM_Notifier);

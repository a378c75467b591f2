// The plugin library loaded, wired, driven and unloaded 1,000 times in one
// process, each time with timers pending and the host still holding its
// share of the plugin when unloading starts: nothing leaks, nothing of the
// plugin runs after its teardown, and memory does not grow.
#include <gtest/gtest.h>

#if defined(_WIN32)
#include <windows.h>
#else
#include <dlfcn.h>
#endif

#include <cstdint>
#include <filesystem>
#include <sstream>
#include <string>

#include "host/session/loader/shared_library.h"
#include "host/session/simulator.h"
#include "live_heap.h"

namespace {

using corvane::Outcome;
using corvane::host::Op;
using corvane::sim::Simulator;
using corvane::sim::SimulatorOptions;

constexpr int kCycles = 1000;
// Cycles run before the heap is first measured, so that one-time
// allocations (the loader's caches, the first library mapping) are done.
constexpr int kWarmUpCycles = 100;
// What the heap may grow by between the warm-up and the last cycle: far less
// than one cycle leaking a single setting, hook or timer per cycle would take.
constexpr std::size_t kAllowedGrowthBytes = 16 * 1024;
// One host keeps each load's plugin context until the host itself goes (the
// wrappers a plugin library still holds in its globals point at it until
// the library is closed): that record, and nothing of the plugin, may stay.
constexpr std::size_t kContextRecordBytes = 512;

// Wires everything the plugin has: settings with bound values and change
// callbacks, the notifier, the key binding, hooks, timers and the drawable;
// leaves a launch timer and a party timer pending.
constexpr std::string_view kDrive =
    "vexlo_enabled 1\nvexlo_bind F1\nvexlo_hbtext \"Queue\"\nvexlo_waitingtime 2\n"
    "sim_key F1\nsim_frame 2\nsim_wait 2\nsim_searching true\nsim_match_end\n"
    "vexlo_queue\nvexlo_queue\nsim_party_join\nsim_wait 0.5\nsim_frame";

// What a host does after the plugin is gone: every event it hooked, timers
// falling due, frames, its key and command.
constexpr std::string_view kAfterUnload =
    "sim_wait 10\nsim_frame 3\nsim_game_found\nsim_match_end\nsim_leave_match\n"
    "sim_search_cancelled\nsim_party_join\nsim_party_leave\nsim_key F1\nsim_wait 10";

std::uint64_t totalCalls(Simulator &simulator) {
  std::uint64_t total = 0;
  for (std::size_t op = 0; op < corvane::host::kOpCount; ++op) {
    total += simulator.host().callCount(static_cast<Op>(op));
  }
  return total;
}

// One cycle in `simulator`; false (with a failure recorded) when it went wrong.
bool cycle(Simulator &simulator, int number) {
  if (!simulator.load(VEXLO_PLUGIN_PATH)) {
    ADD_FAILURE() << "load " << number << " refused";
    return false;
  }
  if (simulator.run(kDrive, "<lifetime>") != Outcome::Success) {
    ADD_FAILURE() << "driving the plugin failed in cycle " << number;
    return false;
  }
  EXPECT_GE(simulator.host().pendingTimers(), 2U) << "cycle " << number;
  simulator.unload();
  EXPECT_EQ(simulator.host().pendingTimers(), 0U) << "timers survived unload " << number;
  const std::uint64_t before = totalCalls(simulator);
  simulator.run(kAfterUnload, "<lifetime>");
  if (totalCalls(simulator) != before) {
    ADD_FAILURE() << "the plugin was called after its teardown in cycle " << number;
    return false;
  }
  return true;
}

// What the system's loader itself keeps per load and unload of the plugin
// library, with no host involved: nothing in a plain build, a record per
// load under the sanitizer runtime.
std::size_t loaderGrowthPerCycle() {
  constexpr int kBareWarmUp = 50;
  constexpr int kBareMeasured = 300;
  std::size_t start = 0;
  for (int number = 0; number < kBareWarmUp + kBareMeasured; ++number) {
    if (number == kBareWarmUp) {
      start = lifetime::liveHeapBytes();
    }
    corvane::loader::SharedLibrary::open(VEXLO_PLUGIN_PATH);
  }
  const std::size_t end = lifetime::liveHeapBytes();
  return end > start ? (end - start + kBareMeasured - 1) / kBareMeasured : 0;
}

// Asks the system's loader without loading anything.
bool libraryStillMapped() {
#if defined(_WIN32)
  return GetModuleHandleW(std::filesystem::path(VEXLO_PLUGIN_PATH).wstring().c_str()) != nullptr;
#else
  void *handle = dlopen(VEXLO_PLUGIN_PATH, RTLD_NOW | RTLD_NOLOAD);
  if (handle == nullptr) {
    return false;
  }
  dlclose(handle);
  return true;
#endif
}

TEST(LifetimeStress, ThousandCyclesInFreshHostsLeaveNothingBehind) {
  const std::size_t loaderGrowth = loaderGrowthPerCycle();
  std::size_t warmHeap = 0;
  for (int number = 1; number <= kCycles; ++number) {
    if (number == kWarmUpCycles + 1) {
      warmHeap = lifetime::liveHeapBytes();
    }
    std::ostringstream err;
    Simulator simulator(SimulatorOptions{nullptr, &err, nullptr, false});
    if (!cycle(simulator, number)) {
      FAIL() << err.str();
    }
    EXPECT_FALSE(libraryStillMapped()) << "the library stayed mapped after unload " << number;
  }
  const std::size_t endHeap = lifetime::liveHeapBytes();
  constexpr std::size_t kMeasuredCycles = kCycles - kWarmUpCycles;
  EXPECT_LE(endHeap, warmHeap + kAllowedGrowthBytes + kMeasuredCycles * loaderGrowth)
      << "the heap grew by " << endHeap - warmHeap << " bytes over " << kMeasuredCycles
      << " cycles, the loader alone by " << loaderGrowth << " per cycle";
}

TEST(LifetimeStress, ThousandCyclesInOneHostDoNotGrowIt) {
  const std::size_t loaderGrowth = loaderGrowthPerCycle();
  std::ostringstream err;
  Simulator simulator(SimulatorOptions{nullptr, &err, nullptr, false});
  std::size_t warmHeap = 0;
  for (int number = 1; number <= kCycles; ++number) {
    if (number == kWarmUpCycles + 1) {
      warmHeap = lifetime::liveHeapBytes();
    }
    if (!cycle(simulator, number)) {
      FAIL() << err.str();
    }
  }
  const std::size_t endHeap = lifetime::liveHeapBytes();
  constexpr std::size_t kMeasuredCycles = kCycles - kWarmUpCycles;
  EXPECT_LE(endHeap,
            warmHeap + kAllowedGrowthBytes + kMeasuredCycles * (kContextRecordBytes + loaderGrowth))
      << "the heap grew by " << endHeap - warmHeap << " bytes over " << kMeasuredCycles
      << " cycles, the loader alone by " << loaderGrowth << " per cycle";
  // Settings and the key binding stay with the console across reloads.
  EXPECT_EQ(simulator.host().settingValue("vexlo_hbtext"), "Queue");
  EXPECT_EQ(simulator.host().keyBinding("F1"), "vexlo_queue");
}

} // namespace

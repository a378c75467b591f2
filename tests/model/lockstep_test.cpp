// The randomized model check: seeded random actions against the real plugin
// and the model in lockstep, 100,000 steps over five seeds.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <string>

#if defined(_WIN32)
#include <windows.h>
#endif

#include "host/base/utf8_path.h"
#include "lockstep.h"

namespace modelcheck {
namespace {

constexpr std::uint64_t kSeeds[] = {1, 2, 3, 4, 5};
constexpr std::size_t kStepsPerSeed = 20'000;

std::string selfPath() {
#if defined(_WIN32)
  wchar_t path[MAX_PATH];
  const DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
  return length == 0 || length == MAX_PATH ? std::string("model-check.exe")
                                           : std::filesystem::path(path).string();
#else
  std::error_code error;
  const auto path = std::filesystem::read_symlink("/proc/self/exe", error);
  return error ? std::string("model-check") : path.string();
#endif
}

// The command line that reruns `seed` for `steps` steps, in the shell's syntax.
std::string replayCommand(std::uint64_t seed, std::size_t steps) {
  const std::string filter = " --gtest_filter=ModelCheckReplay.*";
#if defined(_WIN32)
  return "set VEXLO_MODEL_SEED=" + std::to_string(seed) +
         "& set VEXLO_MODEL_STEPS=" + std::to_string(steps) + "& " + selfPath() + filter;
#else
  return "VEXLO_MODEL_SEED=" + std::to_string(seed) +
         " VEXLO_MODEL_STEPS=" + std::to_string(steps) + " " + selfPath() + filter;
#endif
}

LockstepResult runSeed(std::uint64_t seed, std::size_t steps) {
  LockstepOptions options;
  options.pluginPath = VEXLO_PLUGIN_PATH;
  options.seed = seed;
  options.steps = steps;
  options.replayScript = testing::TempDir() + "modelcheck-seed-" + std::to_string(seed) + ".cfg";
  options.replayCommand = replayCommand(seed, steps);
  const auto start = std::chrono::steady_clock::now();
  LockstepResult result = runLockstep(options);
  const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;
  std::cout << "seed " << seed << ": " << result.steps << " steps in " << elapsed.count() << " s, "
            << static_cast<double>(result.steps) / elapsed.count() << " steps/s, "
            << result.traceLines << " trace lines, " << result.searchStarts << " searches\n";
  return result;
}

class ModelCheck : public testing::TestWithParam<std::uint64_t> {};

TEST_P(ModelCheck, PluginMatchesTheModelOnEveryStep) {
  const LockstepResult result = runSeed(GetParam(), kStepsPerSeed);
  EXPECT_TRUE(result.passed) << result.report;
  EXPECT_EQ(result.steps, kStepsPerSeed);
}

INSTANTIATE_TEST_SUITE_P(Seeds, ModelCheck, testing::ValuesIn(kSeeds));

// Reruns one seed for as many steps as a failure report gave.
TEST(ModelCheckReplay, ReplaysTheSeedFromTheEnvironment) {
  const auto seed = corvane::platform::environmentVariable("VEXLO_MODEL_SEED");
  if (!seed) {
    GTEST_SKIP() << "set VEXLO_MODEL_SEED (and VEXLO_MODEL_STEPS) to replay a run";
  }
  const auto steps = corvane::platform::environmentVariable("VEXLO_MODEL_STEPS");
  const LockstepResult result =
      runSeed(std::stoull(*seed), steps ? std::stoull(*steps) : kStepsPerSeed);
  EXPECT_TRUE(result.passed) << result.report;
}

TEST(ModelCheckDriver, ReportsTheSeedStepAndActionsOfADifference) {
  Lockstep lockstep(VEXLO_PLUGIN_PATH);
  ASSERT_TRUE(lockstep.loaded());
  EXPECT_FALSE(lockstep.step("vexlo_enabled 1").has_value());
  EXPECT_FALSE(lockstep.step("vexlo_queue").has_value());
  // The plugin refuses nothing here, but the model's host has no `echo`: the
  // two must part, and the report must say how.
  const auto difference = lockstep.step("echo hello");
  ASSERT_TRUE(difference.has_value());
  EXPECT_NE(difference->find("refuses"), std::string::npos) << *difference;
}

} // namespace
} // namespace modelcheck

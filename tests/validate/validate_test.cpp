// The validate verb's parts: its options, the registrations it reads from
// the trace, the random run's lines, and checks run in child processes that
// crash, hang or pass. The program is its own child process.
#include <gtest/gtest.h>

#include <csignal>
#include <iostream>
#include <map>
#include <sstream>

#include "host/session/simulator.h"
#include "host/tools/validate/child_run.h"
#include "host/tools/validate/random_run.h"
#include "host/tools/validate/validate.h"

namespace corvane::validate {
namespace {

TEST(ValidateOptions, ReadsSeedStepsTimeoutAndInProcess) {
  ValidateOptions options;
  EXPECT_FALSE(parseValidateOptions(
      {"plugin.so", "--seed", "42", "--steps", "7", "--in-process", "--timeout", "1.5"}, options));
  EXPECT_EQ(options.pluginPath, "plugin.so");
  EXPECT_EQ(options.seed, 42U);
  EXPECT_EQ(options.steps, 7U);
  EXPECT_TRUE(options.inProcess);
  EXPECT_DOUBLE_EQ(options.timeoutSeconds, 1.5);
}

TEST(ValidateOptions, NamesWhatIsWrong) {
  const auto problem = [](const std::vector<std::string> &words) {
    ValidateOptions options;
    return parseValidateOptions(words, options).value_or(Error{}).message;
  };
  EXPECT_EQ(problem({}), "no plugin given");
  EXPECT_EQ(problem({"p.so", "--seed"}), "--seed needs a value");
  EXPECT_EQ(problem({"p.so", "--steps", "-3"}), "--steps needs a whole number, not \"-3\"");
  EXPECT_EQ(problem({"p.so", "--timeout", "0"}),
            "--timeout needs a number of seconds above 0, not \"0\"");
  EXPECT_EQ(problem({"p.so", "--fast"}), "unknown option --fast");
  EXPECT_EQ(problem({"a.so", "b.so"}), "more than one plugin given (a.so, b.so)");
}

TEST(ValidateRandomRun, FindsEverythingTheVexloPluginRegisters) {
  sim::Simulator simulator(sim::SimulatorOptions{});
  const std::optional<Registrations> loaded =
      loadCollectingRegistrations(simulator, VEXLO_PLUGIN_PATH);
  ASSERT_TRUE(loaded.has_value());
  const Registrations &found = *loaded;
  EXPECT_EQ(found.settings.size(), 10U);
  EXPECT_EQ(found.settings.front(), "vexlo_waitingtime");
  EXPECT_EQ(found.notifiers, std::vector<std::string>{"vexlo_queue"});
  EXPECT_EQ(found.hookedFunctions.size(), 13U);
}

TEST(ValidateRandomRun, SameSeedGivesTheSameLinesAndOtherSeedsOthers) {
  const Registrations registrations{{"level"}, {"go"}, {"Function A.B"}};
  const auto first = randomConsoleLines(registrations, 9, 200);
  EXPECT_EQ(first, randomConsoleLines(registrations, 9, 200));
  EXPECT_NE(first, randomConsoleLines(registrations, 10, 200));
  EXPECT_EQ(first.size(), 200U);
  const auto uses = [&first](std::string_view text) {
    return std::any_of(first.begin(), first.end(), [text](const std::string &line) {
      return line.find(text) != std::string::npos;
    });
  };
  EXPECT_TRUE(uses("\"level\" "));
  EXPECT_TRUE(uses("\"go\""));
  EXPECT_TRUE(uses("sim_call \"Function A.B\""));
  EXPECT_TRUE(uses("sim_wait"));
  EXPECT_TRUE(uses("sim_frame"));
}

#if !defined(_WIN32)
// The bodies ValidateChildRun runs in a new process of this program, by name.
const std::map<std::string, CheckBody, std::less<>> childBodies = {
    {"pass", [](const ProgressNote &) { return CheckResult::pass(); }},
    {"fail", [](const ProgressNote &) { return CheckResult::fail("two\nlines"); }},
    {"noplugin",
     [](const ProgressNote &) {
       return CheckResult::fail("no descriptor", corvane::Outcome::BadInput);
     }},
    {"crash",
     [](const ProgressNote &note) -> CheckResult {
       note("step 3: boom");
       std::raise(SIGKILL);
       return CheckResult::pass();
     }},
    {"hang",
     [](const ProgressNote &note) -> CheckResult {
       note("waiting");
       for (volatile bool forever = true; forever;) {
       }
       return CheckResult::pass();
     }},
};
constexpr std::string_view kBodyOption = "--child-body";

TEST(ValidateChildRun, ReportsPassFailCrashAndHangOfTheCheck) {
  const auto inChild = [](const std::string &body, double timeoutSeconds) {
    return runInChild({std::string(kBodyOption), body}, timeoutSeconds);
  };
  const CheckResult pass = inChild("pass", 5);
  EXPECT_TRUE(pass.passed()) << pass.reason;
  const CheckResult fail = inChild("fail", 5);
  EXPECT_FALSE(fail.passed());
  EXPECT_EQ(fail.reason, "two lines");
  // A file that is no plugin must not come back as a failed check.
  EXPECT_EQ(fail.outcome, corvane::Outcome::PluginFailed);
  EXPECT_EQ(inChild("noplugin", 5).outcome, corvane::Outcome::BadInput);
  const CheckResult crash = inChild("crash", 5);
  EXPECT_FALSE(crash.passed());
  EXPECT_NE(crash.reason.find("crashed with signal 9"), std::string::npos) << crash.reason;
  EXPECT_NE(crash.reason.find("during step 3: boom"), std::string::npos) << crash.reason;
  const CheckResult hang = inChild("hang", 0.3);
  EXPECT_FALSE(hang.passed());
  EXPECT_NE(hang.reason.find("hung"), std::string::npos) << hang.reason;
}
#else
const std::map<std::string, CheckBody, std::less<>> childBodies;
constexpr std::string_view kBodyOption;
#endif

TEST(ValidatePlugins, VexloPassesEveryCheckInProcess) {
  std::ostringstream out;
  ValidateOptions options;
  options.pluginPath = VEXLO_PLUGIN_PATH;
  options.steps = 500;
  options.inProcess = true;
  EXPECT_EQ(runValidate(options, out), 0) << out.str();
  EXPECT_NE(out.str().find("\n8 passed, 0 failed\n"), std::string::npos) << out.str();
}

TEST(ValidatePlugins, BadDescriptorFailsOnlyItsDescriptorChecks) {
  std::ostringstream out;
  ValidateOptions options;
  options.pluginPath = VEXLO_BROKEN_DESCRIPTOR_PATH;
  options.steps = 50;
  EXPECT_EQ(runValidate(options, out), 1);
  const std::string report = out.str();
  EXPECT_NE(report.find("FAILED  api-version: API version is 94, expected 95"), std::string::npos)
      << report;
  EXPECT_NE(report.find("FAILED  descriptor-fields: missing in the descriptor: className"),
            std::string::npos)
      << report;
  EXPECT_NE(report.find("passed  factory-stable"), std::string::npos) << report;
  // The host refuses to load it, which the load checks report by name.
  EXPECT_NE(report.find("FAILED  load-unload-cycles: load 1 of 10 was refused"), std::string::npos)
      << report;
}

TEST(ValidatePlugins, UsageErrorsExitWithTwo) {
  std::ostringstream out;
  std::ostringstream err;
  EXPECT_EQ(validateMain({"--steps", "x", "p.so"}, out, err), 2);
  EXPECT_NE(err.str().find("--steps needs a whole number"), std::string::npos) << err.str();
  EXPECT_EQ(validateMain({"--help"}, out, err), 0);
  EXPECT_NE(out.str().find("usage: corvane-sim validate PLUGIN"), std::string::npos);
}

} // namespace
} // namespace corvane::validate

// Each check runs in a new process of the program that validates, which here
// is this test program: it answers `validate --child-check ...` as
// corvane-sim does, and runs one of the child-run test's bodies by name.
int main(int argc, char **argv) {
  using namespace corvane::validate;
  const std::vector<std::string> words(argv + 1, argv + argc);
  if (words.size() == 2 && words[0] == kBodyOption && childBodies.contains(words[1])) {
    return reportFromChild(childBodies.find(words[1])->second, std::cout);
  }
  if (!words.empty() && words[0] == "validate") {
    return validateMain({words.begin() + 1, words.end()}, std::cout, std::cerr);
  }
  testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}

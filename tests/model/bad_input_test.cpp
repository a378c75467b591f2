// Bad console, setting and script input: each gets one clear error line that
// names what was wrong, and the host and plugin are left exactly as they were.
// These cases back the table of bad inputs in docs/corvane-sim.md.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "host/session/simulator.h"
#include "host/tools/screenshot/screenshot.h"
#include "host/tools/timeline/timeline_extension.h"

namespace {

using corvane::Outcome;
using corvane::sim::Simulator;
using corvane::sim::SimulatorOptions;

constexpr const char *kSettings[] = {
    "vexlo_waitingtime", "vexlo_enabled",     "vexlo_freeplay", "vexlo_playlist", "vexlo_hbtext",
    "vexlo_hbtextsize",  "vexlo_hbtextcolor", "vexlo_hbheight", "vexlo_simulate", "vexlo_bind"};

// Everything a bad line could disturb, as the host shows it.
std::string snapshot(Simulator &simulator) {
  corvane::host::Host &host = simulator.host();
  std::ostringstream out;
  out << host.nowMicros() << ' ' << static_cast<int>(host.state()) << ' ' << host.searching() << ' '
      << host.matchmakingUsable() << ' ' << host.pendingTimers() << ' '
      << host.lastCategory().value_or(-1) << ' ' << host.selectedPlaylists().size() << '\n';
  for (const char *name : kSettings) {
    out << name << '=' << host.settingValue(name).value_or("<none>") << '\n';
  }
  for (const char *key : {"F1", "F9"}) {
    out << key << '=' << host.keyBinding(key).value_or("<none>") << '\n';
  }
  return out.str();
}

struct BadInput {
  const char *line;
  // A word the error line must contain, so that it names what was wrong.
  const char *named;
};

class BadInputTest : public testing::TestWithParam<BadInput> {
protected:
  void SetUp() override {
    ASSERT_TRUE(simulator_.load(VEXLO_PLUGIN_PATH));
    // A state with something to lose: an armed queue with its timer, a bound
    // key, a search running.
    ASSERT_EQ(simulator_.run("vexlo_enabled 1\nvexlo_bind F1\nvexlo_queue\nsim_searching true\n"
                             "sim_wait 0.5\nsim_frame"),
              Outcome::Success);
    err_.str({});
    trace_.str({});
  }

  std::ostringstream out_;
  std::ostringstream err_;
  std::ostringstream trace_;
  corvane::screenshot::ScreenshotExtension screenshots_;
  corvane::timeline::TimelineExtension timelines_;
  Simulator simulator_{SimulatorOptions{
      &out_, &err_, &trace_, false, {screenshots_.forSessions(), timelines_.forSessions()}}};
};

TEST_P(BadInputTest, GivesOneLineNamingTheFaultAndChangesNothing) {
  const BadInput input = GetParam();
  const std::string before = snapshot(simulator_);
  EXPECT_EQ(simulator_.run(input.line, "<bad>", 7), Outcome::BadInput);
  const std::string errors = err_.str();
  ASSERT_FALSE(errors.empty());
  EXPECT_EQ(errors.find('\n'), errors.size() - 1) << "more than one line: " << errors;
  EXPECT_EQ(errors.rfind("<bad>:7: ", 0), 0U) << errors;
  EXPECT_NE(errors.find(input.named), std::string::npos) << errors;
  EXPECT_EQ(snapshot(simulator_), before);
  EXPECT_EQ(trace_.str(), "");
}

INSTANTIATE_TEST_SUITE_P(
    ConsoleAndSettings, BadInputTest,
    testing::Values(BadInput{"vexlo_hbheight abc", "abc"},
                    BadInput{"vexlo_waitingtime \"\"", "vexlo_waitingtime"},
                    BadInput{"vexlo_enabled yes", "yes"}, BadInput{"vexlo_hbtextsize 2.", "2."},
                    BadInput{"vexlo_hbtext two words", "vexlo_hbtext"},
                    BadInput{"vexlo_nope 1", "vexlo_nope"},
                    BadInput{"vexlo_enable 1", "did you mean vexlo_enabled?"},
                    // Two letters short: as far as the length may differ.
                    BadInput{"vexlo_enabe 1", "did you mean vexlo_enabled?"},
                    BadInput{"sim_wait -1", "sim_wait"}, BadInput{"sim_wait soon", "sim_wait"},
                    BadInput{"sim_state space", "sim_state"},
                    BadInput{"sim_matchmaking maybe", "sim_matchmaking"},
                    BadInput{"sim_searching yes", "sim_searching"},
                    BadInput{"sim_frame x", "sim_frame"}, BadInput{"sim_frame 1000001", "1000000"},
                    BadInput{"sim_call", "sim_call"}, BadInput{"sim_key", "sim_key"},
                    BadInput{"unbind F9", "F9"}, BadInput{"bind F9", "bind"},
                    BadInput{"vexlo_hbtext \"open", "quote"},
                    BadInput{"exec no-such-script.cfg", "no-such-script.cfg"},
                    BadInput{"sim_expect weather sunny", "sim_expect"},
                    BadInput{"sim_expect calls NoSuchOp 1", "NoSuchOp"},
                    // A picture written in another format than its name says.
                    BadInput{"sim_timeline session.jpg", "session.jpg"},
                    BadInput{"sim_screenshot bar.bmp", "bar.bmp"},
                    // A picture that cannot be written renders no frame (the
                    // fault: the frame is drawn, then the file refused).
                    BadInput{"sim_screenshot no-such-folder/bar.png", "no-such-folder"}));

// The path of a file named `name` in the test's scratch folder, holding `text`.
std::string writtenFile(const char *name, const char *text) {
  const std::filesystem::path path = std::filesystem::path(testing::TempDir()) / name;
  std::ofstream(path) << text;
  return path.string();
}

TEST(BadScript, MissingScriptFileIsNamed) {
  std::ostringstream err;
  Simulator simulator(SimulatorOptions{nullptr, &err, nullptr, false});
  ASSERT_TRUE(simulator.load(VEXLO_PLUGIN_PATH));
  EXPECT_EQ(simulator.runScript("/no/such/scenario.cfg"), Outcome::BadInput);
  EXPECT_NE(err.str().find("/no/such/scenario.cfg"), std::string::npos) << err.str();
}

TEST(BadScript, ErrorEndsTheScriptAtItsLine) {
  const std::string script = writtenFile(
      "bad-input-script.cfg", "vexlo_hbheight 50\nvexlo_hbheight tall\nvexlo_hbheight 70\n");
  std::ostringstream err;
  Simulator simulator(SimulatorOptions{nullptr, &err, nullptr, false});
  ASSERT_TRUE(simulator.load(VEXLO_PLUGIN_PATH));
  EXPECT_EQ(simulator.runScript(script), Outcome::BadInput);
  EXPECT_NE(err.str().find("bad-input-script.cfg:2: "), std::string::npos) << err.str();
  EXPECT_EQ(simulator.host().settingValue("vexlo_hbheight"), "50");
}

TEST(BadPlugin, FileThatIsNoLibraryIsRefusedByName) {
  const std::string notLibrary = writtenFile("not-a-plugin.so", "plain text");
  std::ostringstream err;
  Simulator simulator(SimulatorOptions{nullptr, &err, nullptr, false});
  EXPECT_FALSE(simulator.load(notLibrary));
  EXPECT_FALSE(simulator.loaded());
  EXPECT_NE(err.str().find("not-a-plugin.so"), std::string::npos) << err.str();
}

} // namespace

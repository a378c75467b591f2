// A timeline picture of a short recorded run: its size and what is where.
#include <host/tools/timeline/timeline_layout.h>
#include <host/tools/timeline/timeline_render.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#if defined(_WIN32)
#include <process.h> // _getpid: Microsoft's library has no <unistd.h>
#define getpid _getpid
#else
#include <unistd.h>
#endif

#include <gtest/gtest.h>

#include "../screenshot/png_reader.h"

// Under LeakSanitizer: fontconfig, which Cairo asks for the labels' font,
// keeps its configuration until the process ends (the same 651 bytes for one
// picture or twenty), and frees it only on a call no library should make for
// its program.
extern "C" const char *__lsan_default_suppressions() { return "leak:libfontconfig.so\n"; }

namespace corvane::timeline {
namespace {

namespace fs = std::filesystem;

// A player arms in the menu, goes to freeplay, searches, plays online. The
// host feeds state and bar on every frame, so each arrives more than once.
constexpr Micros kSecond = host::kMicrosPerSecond;

Timeline recordedRun() {
  using host::GameState;
  Recorder recorder;
  for (const Micros t : {0, 1}) {
    recorder.setState(t * kSecond, GameState::Menu);
  }
  recorder.event(5 * kSecond, EventKind::Key, "F3");
  recorder.event(5 * kSecond, EventKind::Notifier, "vexlo_queue");
  recorder.event(5 * kSecond, EventKind::Command, "load_freeplay");
  recorder.timerSet(1, 5 * kSecond, 25 * kSecond);
  for (const Micros t : {5, 6, 7}) {
    recorder.barShown(t * kSecond, "Queue armed \xFF"); // a player's text, not valid UTF-8
    recorder.setState((t + 1) * kSecond, GameState::Freeplay);
  }
  recorder.timerEnded(1, 25 * kSecond, TimerOutcome::Fired);
  recorder.searchStarted(25 * kSecond, 1, {5});
  recorder.searchStarted(26 * kSecond, 1, {5});
  recorder.searchStopped(40 * kSecond);
  recorder.barHidden(40 * kSecond);
  recorder.setState(40 * kSecond, GameState::Online);
  recorder.event(80 * kSecond, EventKind::Function,
                 "Function TAGame.GameEvent_Soccar_TA.EventMatchEnded");
  recorder.setState(85 * kSecond, GameState::Menu);
  return recorder.snapshot(95 * kSecond);
}

// Catches repeated notifications recorded as new intervals, intervals left
// open at the end, lanes drawn out of place or in the wrong colour, a search
// found the moment it started drawn too thin to see, an SVG without the
// full text of its marks, and a failed write reported without the file or
// the reason, and a bar text that is not valid UTF-8 failing the picture.
TEST(TimelinePictureTest, ShowsTheRecordedRunInItsLanes) {
  Timeline run = recordedRun();
  ASSERT_EQ(run.states.size(), 4U);
  EXPECT_EQ(run.states.back().end, 95 * kSecond);
  EXPECT_EQ(run.bars.size(), 1U);
  EXPECT_EQ(run.searches.size(), 1U);
  EXPECT_EQ(run.timers.at(0).outcome, TimerOutcome::Fired);
  run.searches.push_back(SearchSpan{60 * kSecond, 60 * kSecond, 1, {5}});

  const fs::path folder =
      fs::temp_directory_path() / ("vexlo-timeline-" + std::to_string(getpid()));
  fs::create_directories(folder);
  const std::string path = (folder / "run.png").string();
  ASSERT_EQ(renderTimeline(run, path), std::nullopt);
  const auto png = screenshot::testing::readPng(path);
  ASSERT_TRUE(png.has_value());

  const Layout layout = layOut(run);
  EXPECT_EQ(png->width, kDefaultPictureWidth);
  EXPECT_EQ(png->height, layout.height);
  const auto at = [&](double t, LaneKind kind) {
    for (const Lane &lane : layout.lanes) {
      if (lane.kind == kind) {
        const auto pixel = png->pixel(static_cast<int>(layout.scale.x(t)),
                                      static_cast<int>(lane.top + lane.height / 2.0));
        return Rgb{pixel.r, pixel.g, pixel.b};
      }
    }
    return Rgb{};
  };
  EXPECT_EQ(at(60.0, LaneKind::State), stateColour(host::GameState::Online));
  EXPECT_EQ(at(20.0, LaneKind::State), stateColour(host::GameState::Freeplay));
  EXPECT_LT(at(38.0, LaneKind::Bar).r, 64);      // the bar is black, as in the game
  EXPECT_GT(at(52.0, LaneKind::Bar).r, 192);     // and hidden after it
  EXPECT_LT(at(60.15, LaneKind::Search).r, 128); // 1.6 px past its start, in search blue

  // An SVG names what a mark or interval is, in full, with its times.
  const std::string svgPath = (folder / "run.svg").string();
  ASSERT_EQ(renderTimeline(run, svgPath), std::nullopt);
  std::ostringstream svg;
  svg << std::ifstream(svgPath).rdbuf();
  EXPECT_NE(svg.str().find("<title>search: playlist 5, category 1, 25.000 s to 40.000 s</title>"),
            std::string::npos);
  fs::remove_all(folder);

  EXPECT_EQ(renderTimeline(run, (folder / "gone" / "run.png").string()).value().message,
            "cannot write timeline " + (folder / "gone" / "run.png").string() +
                ": No such file or directory");
}

} // namespace
} // namespace corvane::timeline

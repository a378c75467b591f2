// What the launch asks of matchmaking: which playlists it selects and which
// category it starts, for every kind of playlist number.
#include <cstdint>
#include <limits>

#include "launch_trace.h"
#include "plugin_test.h"

namespace {

using vexlo::testing::launchLines;
using vexlo::testing::selectionLines;

// The trace of a launch one second after arming, for the playlist set.
Lines launchTrace(std::int32_t playlist) {
  PluginSession session;
  session.run("vexlo_enabled 1\nvexlo_waitingtime 1\nvexlo_playlist " + std::to_string(playlist) +
              "\nvexlo_queue");
  return session.run("sim_wait 1");
}

TEST(MatchmakingLaunch, ClearsTheFixedSetThenSelectsTheConfiguredPlaylist) {
  EXPECT_EQ(launchTrace(0), launchLines("1.000", 0, 0));
}

TEST(MatchmakingLaunch, DerivesTheCategoryFromThePlaylistNumber) {
  struct Case {
    std::int32_t playlist;
    std::int32_t category;
  };
  for (const Case &c : {Case{3, 0}, Case{4, 1}, Case{5, 1}, Case{6, 1}, Case{12, 0}, Case{13, 2},
                        Case{14, 2}, Case{16, 2}, Case{17, 0}}) {
    EXPECT_EQ(launchTrace(c.playlist), launchLines("1.000", c.playlist, c.category))
        << "playlist " << c.playlist;
  }
}

TEST(MatchmakingLaunch, PassesNumbersOutsideTheSetThroughUnchanged) {
  constexpr std::int32_t kLowest = std::numeric_limits<std::int32_t>::min(); // -2147483648
  EXPECT_EQ(launchTrace(10), launchLines("1.000", 10, 0));
  EXPECT_EQ(launchTrace(-3), launchLines("1.000", -3, 0))
      << "a negative number is a huge one taken as unsigned";
  EXPECT_EQ(launchTrace(kLowest), launchLines("1.000", kLowest, 0));
}

TEST(MatchmakingLaunch, LeavesOtherSelectionsAsTheyWere) {
  PluginSession session;
  session.run("vexlo_enabled 1\nvexlo_waitingtime 1\nvexlo_playlist 10\nvexlo_queue\nsim_wait 1\n"
              "vexlo_queue\nvexlo_playlist 14\nvexlo_queue\nsim_wait 1");
  session.run("sim_expect selected 10,14\nsim_expect category 2");
}

TEST(MatchmakingLaunch, InsideARunningMatchSelectsButDoesNotStart) {
  PluginSession session;
  // A found game in the menu leaves the match counted as running; arming is
  // still allowed there, and the player is online when the timer fires.
  session.run("vexlo_enabled 1\nvexlo_waitingtime 1\nsim_game_found\nsim_state menu\nvexlo_queue\n"
              "sim_state online");
  const Lines trace = session.run("sim_wait 1\nsim_expect searching false\nsim_expect selected 5");
  EXPECT_EQ(trace, selectionLines("1.000", 5));
}

TEST(MatchmakingLaunch, DoesNothingWhileMatchmakingIsUnusable) {
  PluginSession session;
  session.run("vexlo_enabled 1\nvexlo_waitingtime 1\nvexlo_queue\nsim_matchmaking off");
  EXPECT_THAT(session.run("sim_wait 1\nsim_expect selected none\nsim_expect searching false"),
              IsEmpty());
  EXPECT_THAT(session.run("sim_searching true\nvexlo_queue\nsim_expect searching true"), IsEmpty())
      << "disarming cannot cancel through an unusable handle";
}

TEST(MatchmakingLaunch, TheLaunchRepeatsOnEveryArming) {
  PluginSession session;
  session.run("vexlo_enabled 1\nvexlo_waitingtime 1\nvexlo_queue\nsim_wait 1");
  const Lines again = session.run("vexlo_queue\nvexlo_queue\nsim_wait 1");
  ASSERT_EQ(again.size(), 15U);
  EXPECT_EQ(again.front(), "[1.000] CancelMatchmaking") << "disarming cancels the first search";
  EXPECT_EQ(again[1], "[1.000] SetTimeout 1");
  EXPECT_EQ(again.back(), "[2.000] StartMatchmaking 1");
}

} // namespace

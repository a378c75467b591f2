// Arming, launching and disarming a queue, for every game event in either
// state, as the host sees it.
#include "launch_trace.h"
#include "plugin_test.h"

namespace {

using vexlo::testing::launchLines;

constexpr const char *kFindGameComplete =
    "sim_call \"Function ProjectX.OnlineGameMatchmakingBase_X.EventFindGameComplete\"";
constexpr const char *kStartRound = "sim_call \"Function GameEvent_Soccar_TA.Active.StartRound\"";
constexpr const char *kStartEvent = "sim_call \"Function TAGame.GameEvent_TA.StartEvent\"";
constexpr const char *kMatchmakingCancel =
    "sim_call \"Function ProjectX.OnlineGameMatchmakingBase_X.Cancel\"";

// An enabled plugin with a ten-second wait; it launches the default playlist,
// 5, in category 1.
using QueueTest = EnabledPluginTest<10>;

TEST_F(QueueTest, ArmingWaitsThenLaunchesAndStaysArmed) {
  EXPECT_THAT(run("vexlo_queue"), ElementsAre("[0.000] SetTimeout 10"));
  EXPECT_THAT(run("sim_wait 9.999"), IsEmpty());
  EXPECT_EQ(run("sim_wait 0.001"), launchLines("10.000", 5, 1));
  EXPECT_THAT(run("sim_expect searching true\nsim_expect selected 5\nsim_expect category 1\n"
                  "sim_frame\nsim_expect drawn true"),
              Not(IsEmpty()))
      << "the bar stays up while the search runs";
}

TEST_F(QueueTest, DisarmingCancelsTheSearchAndTheLaunch) {
  run("vexlo_queue\nsim_searching true");
  EXPECT_THAT(run("vexlo_queue"), ElementsAre("[0.000] CancelMatchmaking"));
  EXPECT_THAT(run("sim_frame\nsim_expect drawn false\nsim_wait 60"), IsEmpty());
}

TEST_F(QueueTest, DisarmingWithoutASearchCancelsNothing) {
  run("vexlo_queue");
  EXPECT_THAT(run("vexlo_queue"), IsEmpty());
}

TEST_F(QueueTest, RefusedWhileDisabled) {
  EXPECT_THAT(run("vexlo_enabled 0\nvexlo_queue\nsim_frame\nsim_expect drawn false\nsim_wait 60"),
              IsEmpty());
}

TEST_F(QueueTest, RefusedDuringARunningOnlineMatchUntilItEnds) {
  run("sim_game_found");
  EXPECT_THAT(run("vexlo_queue\nsim_frame\nsim_expect drawn false"), IsEmpty());
  EXPECT_THAT(run("sim_match_end\nvexlo_queue"), ElementsAre("[0.000] SetTimeout 10"));
}

TEST_F(QueueTest, ArmsAtOnceWhenLoadedDuringAnOnlineMatch) {
  EXPECT_THAT(run("sim_state online\nvexlo_queue"), ElementsAre("[0.000] SetTimeout 10"));
}

TEST_F(QueueTest, OutsideOnlineMatchesAlwaysToggles) {
  run("sim_game_found\nsim_state menu");
  EXPECT_THAT(run("vexlo_queue"), ElementsAre("[0.000] SetTimeout 10"))
      << "a match still counted as running does not block arming outside it";
}

TEST_F(QueueTest, TimerOfADisarmedQueueDoesNothing) {
  run("vexlo_queue\nvexlo_queue");
  EXPECT_THAT(run("sim_wait 20\nsim_expect searching false"), IsEmpty());
}

TEST_F(QueueTest, GameFoundDisarmsAndCancelsTheSearch) {
  run("vexlo_queue\nsim_wait 10");
  EXPECT_THAT(run(kFindGameComplete), ElementsAre("[10.000] CancelMatchmaking"));
  EXPECT_THAT(run("sim_frame\nsim_expect drawn false\nsim_expect state menu"), IsEmpty())
      << "found even while the game does not report an online match yet";
}

TEST_F(QueueTest, GameFoundWhileIdleCancelsARunningSearchAndBlocksArmingOnline) {
  EXPECT_THAT(run(std::string("sim_searching true\n") + kFindGameComplete),
              ElementsAre("[0.000] CancelMatchmaking"));
  EXPECT_THAT(run("sim_state online\nvexlo_queue"), IsEmpty()) << "the found match is running";
}

TEST_F(QueueTest, RoundOrEventStartOnlineDisarms) {
  for (const char *event : {kStartRound, kStartEvent}) {
    run("sim_state online\nsim_match_end\nvexlo_queue\nsim_searching true");
    EXPECT_THAT(run(event), ElementsAre("[0.000] CancelMatchmaking")) << event;
    EXPECT_THAT(run("sim_frame\nsim_expect drawn false\nvexlo_queue"), IsEmpty())
        << event << " starts a match: arming is refused";
  }
}

TEST_F(QueueTest, RoundOrEventStartOutsideOnlineGamesChangesNothing) {
  run("vexlo_queue\nsim_searching true");
  EXPECT_THAT(run(std::string(kStartRound) + "\n" + kStartEvent + "\nsim_expect searching true"),
              IsEmpty());
  run("sim_frame\nsim_expect drawn true");
  EXPECT_EQ(run("sim_wait 10"), launchLines("10.000", 5, 1));
}

TEST_F(QueueTest, MatchEndKeepsAnArmedQueueArmed) {
  run("vexlo_queue");
  EXPECT_THAT(run("sim_state online\nsim_match_end\nsim_frame\nsim_expect drawn true"),
              Not(IsEmpty()));
  EXPECT_EQ(run("sim_wait 10"), launchLines("10.000", 5, 1));
}

TEST_F(QueueTest, MatchEndNeverArmsByItself) {
  EXPECT_THAT(run("sim_state online\nsim_match_end\nsim_frame\nsim_expect drawn false\n"
                  "sim_expect timers 0"),
              IsEmpty());
}

TEST_F(QueueTest, CancelledSearchDisarmsWithoutCancellingAgain) {
  run("vexlo_queue\nsim_searching true");
  EXPECT_THAT(run(std::string(kMatchmakingCancel) + "\nsim_frame\nsim_expect drawn false\n"
                                                    "sim_expect searching true\nsim_wait 20"),
              IsEmpty());
}

TEST_F(QueueTest, CancelledSearchCountsTheMatchAsOver) {
  run("sim_game_found");
  EXPECT_THAT(run("vexlo_queue"), IsEmpty()) << "refused: the found match runs";
  EXPECT_THAT(run(std::string(kMatchmakingCancel) + "\nvexlo_queue"),
              ElementsAre("[0.000] SetTimeout 10"));
}

TEST_F(QueueTest, ArmingCancelsASearchAlreadyRunning) {
  EXPECT_THAT(run("sim_searching true\nvexlo_queue"),
              ElementsAre("[0.000] CancelMatchmaking", "[0.000] SetTimeout 10"));
}

TEST_F(QueueTest, FreeplayIsLoadedWhenArmingOnly) {
  run("vexlo_freeplay 1");
  EXPECT_THAT(run("vexlo_queue"), ElementsAre(R"([0.000] executeCommand "load_freeplay" true)",
                                              "[0.000] SetTimeout 10"));
  EXPECT_THAT(run("sim_expect state freeplay\nvexlo_queue"), IsEmpty());
  EXPECT_THAT(run("vexlo_queue"), ElementsAre("[0.000] SetTimeout 10")) << "already in freeplay";
}

TEST_F(QueueTest, ReArmingInsideTheWaitLaunchesOnceAfterTheLatestArming) {
  const Lines trace = run("vexlo_queue\nsim_wait 2\nvexlo_queue\nsim_wait 3\nvexlo_queue\n"
                          "sim_wait 20");
  Lines expected = {"[0.000] SetTimeout 10", "[5.000] SetTimeout 10"};
  const Lines launch = launchLines("15.000", 5, 1);
  expected.insert(expected.end(), launch.begin(), launch.end());
  EXPECT_EQ(trace, expected);
}

TEST_F(QueueTest, ArmingWhilePartyBlockedShowsTheBarButNeverLaunches) {
  run("vexlo_queue\nsim_party_join\nsim_wait 1\nvexlo_queue");
  EXPECT_THAT(run("vexlo_queue\nsim_frame\nsim_expect drawn true"),
              Not(Contains(HasSubstr("SetTimeout"))));
  EXPECT_THAT(run("sim_wait 60\nsim_expect searching false"), IsEmpty())
      << "the timer of the earlier arming is superseded";
}

TEST_F(QueueTest, DisablingDisarmsAndCancelsTheSearch) {
  run("vexlo_queue\nsim_searching true");
  EXPECT_THAT(run("vexlo_enabled 0"), ElementsAre("[0.000] CancelMatchmaking"));
  EXPECT_THAT(run("sim_frame\nsim_expect drawn false\nsim_wait 20\nvexlo_enabled 1\nsim_wait 20"),
              IsEmpty());
}

TEST_F(QueueTest, DisablingWhileIdleLeavesThePlayersSearchAlone) {
  EXPECT_THAT(run("sim_searching true\nvexlo_enabled 0\nsim_expect searching true\n"
                  "vexlo_enabled 1\nsim_expect searching true"),
              IsEmpty());
}

} // namespace

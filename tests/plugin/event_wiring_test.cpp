// Party events: joining a lobby blocks launching a second later, leaving or
// creating one lifts the block at once.
#include "plugin_test.h"

namespace {

class PartyTest : public EnabledPluginTest<5> {
protected:
  // Arms the queue and reports whether it got a launch timer.
  bool armingGetsATimer() {
    const Lines trace = run("vexlo_queue");
    run("vexlo_queue");
    return !trace.empty() && trace.back().find("SetTimeout 5") != std::string::npos;
  }
};

TEST_F(PartyTest, JoiningALobbyBlocksOnlyOneSecondLater) {
  EXPECT_THAT(run("sim_party_join"), ElementsAre("[0.000] SetTimeout 1"));
  EXPECT_TRUE(armingGetsATimer()) << "inside the second, arming still schedules";
  run("sim_wait 1");
  EXPECT_FALSE(armingGetsATimer());
}

TEST_F(PartyTest, BecomingLobbyOwnerBlocksToo) {
  EXPECT_THAT(run("sim_call \"Function ProjectX.Parties_X.SetLobbyOwner\"\nsim_wait 1"),
              ElementsAre("[0.000] SetTimeout 1"));
  EXPECT_FALSE(armingGetsATimer());
}

TEST_F(PartyTest, EachReleaseLiftsTheBlock) {
  for (const char *release :
       {"Function ProjectX.OnlineGameParty_X.EventPartyDestroyed",
        "Function ProjectX.Parties_X.LeaveLobby", "Function ProjectX.Parties_X.CreateLobby",
        "Function ProjectX.OnlineGameParty_X.GetMatchmakingRestrictionError"}) {
    run("sim_party_join\nsim_wait 1");
    ASSERT_FALSE(armingGetsATimer());
    run(std::string("sim_call \"") + release + "\"");
    EXPECT_TRUE(armingGetsATimer()) << release;
  }
}

TEST_F(PartyTest, ACreateRightAfterAJoinIsOverwrittenWhenTheJoinSettles) {
  run("sim_party_join\nsim_wait 0.5\nsim_call \"Function ProjectX.Parties_X.CreateLobby\"");
  EXPECT_TRUE(armingGetsATimer());
  run("sim_wait 0.5");
  EXPECT_FALSE(armingGetsATimer());
}

TEST_F(PartyTest, EveryJoinStartsItsOwnTimer) {
  EXPECT_THAT(run("sim_party_join\nsim_party_join\nsim_expect timers 2"),
              ElementsAre("[0.000] SetTimeout 1", "[0.000] SetTimeout 1"));
}

TEST(GameEvents, UnhookedFunctionsAndNearMissNamesDoNothing) {
  PluginSession session;
  session.run("vexlo_enabled 1\nvexlo_queue\nsim_searching true");
  EXPECT_THAT(
      session.run(
          "sim_call \"Function TAGame.GameEvent_Soccar_TA.Active.StartRound\"\n"
          "sim_call \"Function ProjectX.OnlineGameMatchmakingBase_X.EventFindGameComplete \"\n"
          "sim_call \"function ProjectX.OnlineGameMatchmakingBase_X.Cancel\"\n"
          "sim_call \"Function Unknown.Thing\"\n"
          "sim_frame\nsim_expect drawn true\nsim_expect searching true"),
      Not(Contains(HasSubstr("Matchmaking"))));
}

} // namespace

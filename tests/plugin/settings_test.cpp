// The plugin's settings and queue command as a player meets them in the
// console, and the registrations a host sees when it loads the plugin.
#include "plugin_test.h"

namespace {

// Adds the trace line of hooking each of the game functions `names` with `op`.
void addHooks(Lines &trace, const std::string &op, std::initializer_list<const char *> names) {
  for (const char *name : names) {
    trace.push_back("[0.000] " + op + " \"Function " + name + "\"");
  }
}

TEST(PluginLoad, RegistersEverythingInItsOrder) {
  PluginSession session(/*verbose=*/true);
  Lines expected = {
      R"~([0.000] registerCvar "vexlo_waitingtime" "(1,60)" "Vexlo : Minimium waiting time" true true 1 true 600 true)~",
      R"~([0.000] registerCvar "vexlo_enabled" "0" "Vexlo : Enable plugin" true true 0 true 1 true)~",
      R"~([0.000] bindTo "vexlo_enabled" bool)~",
      R"~([0.000] addOnValueChanged "vexlo_enabled")~",
      R"~([0.000] registerCvar "vexlo_freeplay" "0" "Vexlo : Enable instant freeplay before queuing" true true 0 true 1 true)~",
      R"~([0.000] bindTo "vexlo_freeplay" bool)~",
      R"~([0.000] registerCvar "vexlo_playlist" "5" "Vexlo : Playlist" true false 0 false 0 true)~",
      R"~([0.000] bindTo "vexlo_playlist" int)~",
      R"~([0.000] registerCvar "vexlo_hbtext" "" "Vexlo : Hiding bar text" true false 0 false 0 true)~",
      R"~([0.000] bindTo "vexlo_hbtext" string)~",
      R"~([0.000] registerCvar "vexlo_hbtextsize" "3.3" "Vexlo : Hiding bar text" true true 1 true 7 true)~",
      R"~([0.000] bindTo "vexlo_hbtextsize" float)~",
      R"~([0.000] registerCvar "vexlo_hbtextcolor" "6" "Vexlo : Hiding bar Text color" true false 0 false 0 true)~",
      R"~([0.000] bindTo "vexlo_hbtextcolor" int)~",
      R"~([0.000] registerCvar "vexlo_hbheight" "60" "Vexlo : Hiding bar height" true true 10 true 100 true)~",
      R"~([0.000] bindTo "vexlo_hbheight" int)~",
      R"~([0.000] registerCvar "vexlo_simulate" "0" "Vexlo : Simulate Hiding bar" true true 0 true 1 false)~",
      R"~([0.000] addOnValueChanged "vexlo_simulate")~",
      R"~([0.000] registerNotifier "vexlo_queue" "Vexlo : Queue" 0)~",
  };
  addHooks(expected, "HookEvent",
           {"TAGame.GameEvent_Soccar_TA.OnMatchWinnerSet", "TAGame.GameEvent_Soccar_TA.Destroyed",
            "TAGame.GameEvent_Soccar_TA.EventMatchEnded",
            "ProjectX.OnlineGameMatchmakingBase_X.Cancel"});
  addHooks(expected, "HookEventPost",
           {"ProjectX.OnlineGameMatchmakingBase_X.EventFindGameComplete",
            "GameEvent_Soccar_TA.Active.StartRound", "TAGame.GameEvent_TA.StartEvent"});
  addHooks(expected, "HookEvent",
           {"ProjectX.OnlineGameParty_X.EventPartyDestroyed", "ProjectX.Parties_X.LeaveLobby",
            "ProjectX.Parties_X.CreateLobby",
            "ProjectX.OnlineGameParty_X.GetMatchmakingRestrictionError",
            "ProjectX.Parties_X.JoinLobby", "ProjectX.Parties_X.SetLobbyOwner"});
  expected.push_back(
      R"~([0.000] registerCvar "vexlo_bind" "" "Vexlo : Bind to toggle queuing" true false 0 false 0 true)~");
  expected.push_back(R"~([0.000] addOnValueChanged "vexlo_bind")~");
  expected.push_back(R"~([0.000] RegisterDrawable)~");
  EXPECT_EQ(session.takeTrace(), expected);
}

TEST(PluginSettings, ReadBackTheirDefaults) {
  PluginSession session;
  session.run("vexlo_waitingtime\nvexlo_enabled\nvexlo_freeplay\nvexlo_playlist\nvexlo_hbtext\n"
              "vexlo_hbtextsize\nvexlo_hbtextcolor\nvexlo_hbheight\nvexlo_simulate\nvexlo_bind");
  EXPECT_EQ(session.takeOutput(), "vexlo_waitingtime = \"(1,60)\"\n"
                                  "vexlo_enabled = \"0\"\n"
                                  "vexlo_freeplay = \"0\"\n"
                                  "vexlo_playlist = \"5\"\n"
                                  "vexlo_hbtext = \"\"\n"
                                  "vexlo_hbtextsize = \"3.3\"\n"
                                  "vexlo_hbtextcolor = \"6\"\n"
                                  "vexlo_hbheight = \"60\"\n"
                                  "vexlo_simulate = \"0\"\n"
                                  "vexlo_bind = \"\"\n");
}

TEST(PluginSettings, TheDefaultWaitingTimeIsOneSecond) {
  PluginSession session;
  EXPECT_THAT(session.run("vexlo_enabled 1\nvexlo_queue"), ElementsAre("[0.000] SetTimeout 1"));
}

TEST(PluginSettings, WaitingTimeIsClampedIntoOneToSixHundredSeconds) {
  PluginSession session;
  EXPECT_THAT(session.run("vexlo_enabled 1\nvexlo_waitingtime 900\nvexlo_queue\nvexlo_queue"),
              ElementsAre("[0.000] SetTimeout 600"));
  EXPECT_THAT(session.run("vexlo_waitingtime 0.25\nvexlo_queue\nvexlo_queue"),
              ElementsAre("[0.000] SetTimeout 1"));
  EXPECT_THAT(session.run("vexlo_waitingtime 2.5\nvexlo_queue"),
              ElementsAre("[0.000] SetTimeout 2.5"));
}

TEST(PluginSettings, AWaitingTimeChangeOnlyMovesTheNextArming) {
  PluginSession session;
  EXPECT_THAT(session.run("vexlo_enabled 1\nvexlo_waitingtime 10\nvexlo_queue\n"
                          "vexlo_waitingtime 30\nsim_wait 10"),
              ::testing::Contains("[10.000] StartMatchmaking 1"));
  EXPECT_THAT(session.run("vexlo_queue\nvexlo_queue"),
              ElementsAre("[10.000] CancelMatchmaking", "[10.000] SetTimeout 30"));
}

using QueueCommand = EnabledPluginTest<5>;

TEST_F(QueueCommand, RunsOnceWhateverItsArguments) {
  EXPECT_THAT(run("vexlo_queue now please"), ElementsAre("[0.000] SetTimeout 5"));
  EXPECT_THAT(run("vexlo_queue \"\" ; sim_expect timers 1"), IsEmpty())
      << "the second run disarms; its timer stays pending";
  EXPECT_THAT(run("vexlo_queue x\nsim_frame\nsim_expect drawn true"),
              ::testing::Contains("[0.000] SetTimeout 5"));
}

TEST(PreviewSetting, TurningItOnDisarmsAndCancelsTheSearch) {
  PluginSession session;
  session.run("vexlo_enabled 1\nvexlo_waitingtime 5\nvexlo_queue\nsim_searching true");
  EXPECT_THAT(session.run("vexlo_simulate 1"), ElementsAre("[0.000] CancelMatchmaking"));
  EXPECT_THAT(session.run("sim_expect searching false\nsim_wait 10"), IsEmpty())
      << "the disarmed queue's timer launches nothing";
}

TEST(PreviewSetting, TurningItOffOnlyStoresIt) {
  PluginSession session;
  session.run("vexlo_enabled 1\nvexlo_simulate 1\nsim_searching true");
  EXPECT_THAT(session.run("vexlo_simulate 0\nsim_expect searching true\nsim_frame\n"
                          "sim_expect drawn false"),
              IsEmpty());
}

TEST(PreviewSetting, MakesTheQueueCommandDoNothing) {
  PluginSession session;
  EXPECT_THAT(session.run("vexlo_enabled 1\nvexlo_simulate 1\nvexlo_queue\nvexlo_simulate 0\n"
                          "sim_frame\nsim_expect drawn false\nsim_expect timers 0"),
              IsEmpty());
}

TEST(PreviewSetting, SettingItOnAgainCancelsAgain) {
  PluginSession session;
  session.run("vexlo_simulate 1\nsim_searching true");
  EXPECT_THAT(session.run("vexlo_simulate 1"), ElementsAre("[0.000] CancelMatchmaking"))
      << "every change runs the callback, also to the same value";
}

} // namespace

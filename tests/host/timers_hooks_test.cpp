// Timers on the virtual clock, hooks on game functions, frames and the
// game-flow commands, seen from a plugin's side.
#include <cmath>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "session.h"

namespace {

using corvane::Outcome;
using vexlo::testing::Session;

// Records each callback as "label@seconds".
struct Recorder {
  Session &session;
  std::vector<std::string> events;
  void note(const std::string &label) {
    events.push_back(label + "@" + std::to_string(session.host().nowMicros() / 1000) + "ms");
  }
};

TEST(Timers, FireByDueTimeThenBySetOrder) {
  Session session;
  Recorder recorder{session, {}};
  GameWrapper &game = session.game();
  game.SetTimeout([&](GameWrapper *) { recorder.note("late"); }, 2.0F);
  game.SetTimeout([&](GameWrapper *) { recorder.note("first"); }, 1.0F);
  game.SetTimeout([&](GameWrapper *) { recorder.note("second"); }, 1.0F);
  game.SetTimeout([&](GameWrapper *) { recorder.note("never"); }, 3.0F);
  ASSERT_EQ(session.run("sim_wait 2"), Outcome::Success);
  EXPECT_EQ(recorder.events,
            (std::vector<std::string>{"first@1000ms", "second@1000ms", "late@2000ms"}));
  EXPECT_EQ(session.host().nowMicros(), 2'000'000);
  EXPECT_EQ(session.host().pendingTimers(), 1U);
}

TEST(Timers, TimersSetByCallbacksFireInTheSameWaitWhenDue) {
  Session session;
  Recorder recorder{session, {}};
  GameWrapper &game = session.game();
  game.SetTimeout(
      [&](GameWrapper *from) {
        recorder.note("outer");
        from->SetTimeout([&](GameWrapper *) { recorder.note("inner"); }, 0.5F);
        from->SetTimeout([&](GameWrapper *) { recorder.note("beyond"); }, 5.0F);
      },
      1.0F);
  ASSERT_EQ(session.run("sim_wait 1.5"), Outcome::Success);
  EXPECT_EQ(recorder.events, (std::vector<std::string>{"outer@1000ms", "inner@1500ms"}));
  EXPECT_EQ(session.host().pendingTimers(), 1U);
}

TEST(Timers, NegativeAndNanDelaysCountAsZero) {
  Session session;
  Recorder recorder{session, {}};
  session.game().SetTimeout([&](GameWrapper *) { recorder.note("negative"); }, -4.0F);
  session.game().SetTimeout([&](GameWrapper *) { recorder.note("nan"); }, std::nanf(""));
  ASSERT_EQ(session.run("sim_wait 0"), Outcome::Success);
  EXPECT_EQ(recorder.events, (std::vector<std::string>{"negative@0ms", "nan@0ms"}));
}

TEST(Timers, CallbackGetsTheGameWrapperOfItsPlugin) {
  Session session;
  GameWrapper *received = nullptr;
  session.game().SetTimeout([&](GameWrapper *game) { received = game; }, 0.0F);
  ASSERT_EQ(session.run("sim_wait 0.001"), Outcome::Success);
  EXPECT_EQ(received, &session.game());
}

TEST(Timers, WaitRejectsWhatIsNotANonNegativeNumber) {
  Session session;
  const std::pair<const char *, const char *> cases[] = {
      {"sim_wait -1", R"((got "-1"))"},
      {"sim_wait abc", R"((got "abc"))"},
      {"sim_wait", "(got no argument)"},
      {"sim_wait 1 2", R"((got "1" "2"))"},
  };
  for (const auto &[line, got] : cases) {
    session.takeErrors();
    EXPECT_EQ(session.run(line), Outcome::BadInput) << line;
    EXPECT_EQ(session.errors(), std::string("<test>:1: usage: sim_wait SECONDS ") + got + "\n")
        << line;
  }
  EXPECT_EQ(session.host().nowMicros(), 0);
}

TEST(Hooks, EntryHooksThenAfterHooksInRegistrationOrder) {
  Session session;
  std::vector<std::string> calls;
  GameWrapper &game = session.game();
  const std::string function = "Function TAGame.GameEvent_TA.StartEvent";
  game.HookEventPost(function, [&](std::string name) { calls.push_back("after1 " + name); });
  game.HookEvent(function, [&](std::string) { calls.push_back("entry1"); });
  game.HookEventPost(function, [&](std::string) { calls.push_back("after2"); });
  game.HookEvent(function, [&](std::string) { calls.push_back("entry2"); });
  game.HookEvent("Function Other", [&](std::string) { calls.push_back("other"); });
  ASSERT_EQ(session.run("sim_call \"" + function + "\""), Outcome::Success);
  EXPECT_EQ(calls, (std::vector<std::string>{"entry1", "entry2", "after1 " + function, "after2"}));
}

TEST(Hooks, HooksAddedDuringACallWaitForTheNextCall) {
  Session session;
  int added = 0;
  GameWrapper &game = session.game();
  game.HookEvent("Function F",
                 [&](std::string) { game.HookEvent("Function F", [&](std::string) { ++added; }); });
  ASSERT_EQ(session.run("sim_call \"Function F\""), Outcome::Success);
  EXPECT_EQ(added, 0);
  ASSERT_EQ(session.run("sim_call \"Function F\""), Outcome::Success);
  EXPECT_EQ(added, 1);
}

TEST(GameFlow, GameFoundCallsFunctionsInOrderAndGoesOnline) {
  Session session;
  std::vector<std::string> seen;
  GameWrapper &game = session.game();
  for (const char *function :
       {"Function ProjectX.OnlineGameMatchmakingBase_X.EventFindGameComplete",
        "Function TAGame.GameEvent_TA.StartEvent",
        "Function GameEvent_Soccar_TA.Active.StartRound"}) {
    game.HookEventPost(function, [&](std::string name) {
      seen.push_back(name + (game.IsInOnlineGame() ? " online" : " offline"));
    });
  }
  ASSERT_EQ(session.run("sim_searching true\nsim_game_found"), Outcome::Success);
  EXPECT_EQ(seen, (std::vector<std::string>{
                      "Function ProjectX.OnlineGameMatchmakingBase_X.EventFindGameComplete offline",
                      "Function TAGame.GameEvent_TA.StartEvent online",
                      "Function GameEvent_Soccar_TA.Active.StartRound online"}));
  EXPECT_FALSE(session.host().searching());
  EXPECT_EQ(session.run("sim_expect state online\nsim_match_end\nsim_expect state online\n"
                        "sim_leave_match\nsim_expect state menu"),
            Outcome::Success);
}

TEST(GameFlow, FreeplayAndStateChecks) {
  Session session;
  EXPECT_FALSE(session.game().IsInFreeplay());
  EXPECT_FALSE(session.game().IsInOnlineGame());
  ASSERT_EQ(session.run("load_freeplay"), Outcome::Success);
  EXPECT_TRUE(session.game().IsInFreeplay());
  ASSERT_EQ(session.run("sim_state online"), Outcome::Success);
  EXPECT_TRUE(session.game().IsInOnlineGame());
  EXPECT_EQ(session.run("sim_state lobby"), Outcome::BadInput);
  EXPECT_TRUE(session.game().IsInOnlineGame());
}

TEST(Matchmaking, HandleFollowsScriptAndUnusableHandleDoesNothing) {
  Session session;
  MatchmakingWrapper usable = session.game().GetMatchmakingWrapper();
  ASSERT_TRUE(static_cast<bool>(usable));
  usable.SetPlaylistSelection(Playlist{10}, true);
  usable.SetPlaylistSelection(Playlist{3}, true);
  usable.SetPlaylistSelection(Playlist{7}, true);
  usable.SetPlaylistSelection(Playlist{7}, false);
  usable.StartMatchmaking(PlaylistCategory{1});
  EXPECT_EQ(session.run("sim_expect selected 3,10\nsim_expect category 1\n"
                        "sim_expect searching true"),
            Outcome::Success);

  ASSERT_EQ(session.run("sim_matchmaking off"), Outcome::Success);
  MatchmakingWrapper unusable = session.game().GetMatchmakingWrapper();
  EXPECT_FALSE(static_cast<bool>(unusable));
  unusable.CancelMatchmaking();
  unusable.SetPlaylistSelection(Playlist{3}, false);
  EXPECT_TRUE(session.host().searching());
  EXPECT_EQ(session.host().selectedPlaylists(), (std::vector<std::int32_t>{3, 10}));

  ASSERT_EQ(session.run("sim_matchmaking on"), Outcome::Success);
  session.game().GetMatchmakingWrapper().CancelMatchmaking();
  EXPECT_FALSE(session.host().searching());
}

TEST(Frames, DrawnReportsWhetherTheLastFrameDrewAnything) {
  Session session;
  bool draw = false;
  session.game().RegisterDrawable([&draw](CanvasWrapper canvas) {
    if (draw) {
      canvas.FillBox({1.0F, 1.0F});
    }
  });
  EXPECT_EQ(session.run("sim_frame\nsim_expect drawn false"), Outcome::Success);
  draw = true;
  EXPECT_EQ(session.run("sim_frame 3\nsim_expect drawn true"), Outcome::Success);
  EXPECT_EQ(session.host().callCount(corvane::host::Op::FillBox), 3U);
}

} // namespace

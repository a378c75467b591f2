// Hand-checked sequences for the model: what a player does and the calls the
// plugin must make, worked out line by line from the plugin's behaviour.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <vector>

#include "action_generator.h"
#include "host/session/engine/value_conversion.h"
#include "invariants.h"
#include "launch_trace.h"
#include "vexlo_model.h"

namespace modelcheck {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;
using vexlo::testing::launchLines;

// Runs `lines` and returns the trace of the last one; every earlier line must
// run without error.
std::vector<std::string> traceOfLast(VexloModel &model,
                                     std::initializer_list<std::string_view> lines) {
  Prediction last;
  for (const std::string_view line : lines) {
    last = model.run(line);
  }
  return last.trace;
}

TEST(ModelQueue, ArmsAndLaunchesAfterTheWaitingTime) {
  VexloModel model;
  EXPECT_THAT(traceOfLast(model, {"vexlo_enabled 1", "vexlo_queue"}),
              ElementsAre("[0.000] SetTimeout 1"));
  EXPECT_THAT(model.run("sim_wait 0.999").trace, IsEmpty());
  EXPECT_EQ(model.run("sim_wait 0.001").trace, launchLines("1.000", 5, 1));
  EXPECT_TRUE(model.queueArmed());
  EXPECT_TRUE(model.searching());
}

TEST(ModelQueue, DisabledOrPreviewingIgnoresTheNotifier) {
  VexloModel model;
  EXPECT_THAT(model.run("vexlo_queue").trace, IsEmpty());
  EXPECT_THAT(traceOfLast(model, {"vexlo_enabled 1", "vexlo_simulate 1", "vexlo_queue"}),
              IsEmpty());
  EXPECT_FALSE(model.queueArmed());
}

TEST(ModelQueue, PartyBlockedArmingNeverLaunches) {
  VexloModel model;
  model.run("vexlo_enabled 1");
  EXPECT_THAT(model.run("sim_party_join").trace, ElementsAre("[0.000] SetTimeout 1"));
  model.run("sim_wait 1");
  EXPECT_THAT(model.run("vexlo_queue").trace, IsEmpty());
  EXPECT_TRUE(model.queueArmed());
  EXPECT_THAT(model.run("sim_wait 100").trace, IsEmpty());
}

TEST(ModelQueue, ReArmingSupersedesTheEarlierTimer) {
  VexloModel model;
  model.run("vexlo_enabled 1");
  model.run("vexlo_waitingtime 2");
  EXPECT_THAT(traceOfLast(model, {"vexlo_queue", "sim_wait 1", "vexlo_queue", "vexlo_queue"}),
              ElementsAre("[1.000] SetTimeout 2"));
  EXPECT_THAT(model.run("sim_wait 1.5").trace, IsEmpty());
  EXPECT_EQ(model.run("sim_wait 0.5").trace, launchLines("3.000", 5, 1));
}

TEST(ModelQueue, TurningThePluginOffDisarmsAndCancelsTheSearch) {
  VexloModel model;
  EXPECT_THAT(traceOfLast(model, {"vexlo_enabled 1", "vexlo_queue", "sim_searching true",
                                  "vexlo_enabled 0"}),
              ElementsAre("[0.000] CancelMatchmaking"));
  EXPECT_FALSE(model.queueArmed());
  EXPECT_THAT(model.run("sim_wait 5").trace, IsEmpty());
  // While idle, turning it off leaves the player's own search alone.
  EXPECT_THAT(traceOfLast(model, {"sim_searching true", "vexlo_enabled 0", "vexlo_enabled 1"}),
              IsEmpty());
}

TEST(ModelQueue, MatchRunningRefusesUntilTheMatchEnds) {
  VexloModel model;
  model.run("vexlo_enabled 1");
  EXPECT_THAT(model.run("sim_game_found").trace, IsEmpty());
  EXPECT_THAT(model.run("vexlo_queue").trace, IsEmpty());
  model.run("sim_match_end");
  EXPECT_THAT(model.run("vexlo_queue").trace, ElementsAre("[0.000] SetTimeout 1"));
  // A found game disarms even before the player is online.
  EXPECT_THAT(traceOfLast(model, {"sim_leave_match", "sim_searching true",
                                  "sim_call \"Function ProjectX.OnlineGameMatchmakingBase_X."
                                  "EventFindGameComplete\""}),
              ElementsAre("[0.000] CancelMatchmaking"));
  EXPECT_FALSE(model.queueArmed());
}

TEST(ModelQueue, FreeplayIsLoadedWhenArmingOutsideFreeplay) {
  VexloModel model;
  EXPECT_THAT(traceOfLast(model, {"vexlo_enabled 1", "vexlo_freeplay 1", "vexlo_queue"}),
              ElementsAre("[0.000] executeCommand \"load_freeplay\" true", "[0.000] SetTimeout 1"));
  EXPECT_EQ(model.gameState(), GameState::Freeplay);
  EXPECT_THAT(traceOfLast(model, {"vexlo_queue", "vexlo_queue"}),
              ElementsAre("[0.000] SetTimeout 1"));
}

TEST(ModelLaunch, CategoryFollowsThePlaylistNumber) {
  VexloModel model;
  model.run("vexlo_enabled 1");
  model.run("vexlo_playlist 14");
  model.run("vexlo_queue");
  EXPECT_EQ(model.run("sim_wait 1").trace, launchLines("1.000", 14, 2));
  model.run("vexlo_playlist -3");
  model.run("vexlo_queue");
  model.run("vexlo_queue");
  EXPECT_EQ(model.run("sim_wait 1").trace.back(), "[2.000] StartMatchmaking 0");
}

TEST(ModelSettings, BoundsClampAndRefuseAsTheHostDoes) {
  VexloModel model;
  EXPECT_TRUE(model.run("vexlo_hbheight abc").error);
  EXPECT_EQ(*model.settingText("vexlo_hbheight"), "60");
  EXPECT_FALSE(model.run("vexlo_waitingtime 700").error);
  EXPECT_EQ(*model.settingText("vexlo_waitingtime"), "600");
  EXPECT_FALSE(model.run("vexlo_playlist abc").error);
  using namespace corvane::host;
  EXPECT_EQ(readInt("99999999999999999999", Bounds{}), 2147483647);
  EXPECT_EQ(readInt("-2.7", Bounds{}), -2);
  EXPECT_EQ(readFloat("(1,60)", Bounds{true, 1.0F, true, 600.0F}), 1.0F);
  EXPECT_FALSE(isDecimalNumber("5."));
  EXPECT_FALSE(isDecimalNumber(""));
  EXPECT_EQ(leadingDecimal("5."), 5.0);
}

TEST(ModelKeyBinding, SendsOneBindCommandPerAcceptedKeyText) {
  VexloModel model;
  EXPECT_THAT(model.run("vexlo_bind F1").trace,
              ElementsAre("[0.000] executeCommand \"bind F1 vexlo_queue\" true"));
  EXPECT_THAT(model.run("vexlo_bind \"a b\"").trace,
              ElementsAre("[0.000] executeCommand \"bind a b vexlo_queue\" true"));
  EXPECT_THAT(model.run("vexlo_bind \"x;y\"").trace, IsEmpty());
  EXPECT_THAT(model.run("vexlo_bind \"\t\"").trace, IsEmpty());
  EXPECT_THAT(model.run("vexlo_bind \"\"").trace, IsEmpty());
  ASSERT_NE(model.binding("F1"), nullptr);
  model.run("vexlo_enabled 1");
  EXPECT_THAT(model.run("sim_key F1").trace, ElementsAre("[0.000] SetTimeout 1"));
  // "a b" bound key a to "b vexlo_queue", an unknown command.
  const Prediction press = model.run("sim_key a");
  EXPECT_EQ(press.consoleErrors, 1);
  EXPECT_FALSE(press.error);
}

TEST(ModelHidingBar, DrawsBarAndTextWhileArmedOrPreviewing) {
  VexloModel model;
  EXPECT_THAT(model.run("sim_frame").trace, IsEmpty());
  EXPECT_THAT(
      traceOfLast(model,
                  {"vexlo_hbtext Queue", "vexlo_hbtextcolor 4", "vexlo_simulate 1", "sim_frame"}),
      ElementsAre("[0.000] SetPosition 0 0", "[0.000] SetColor 0 0 0 255",
                  "[0.000] FillBox 5120 60", "[0.000] SetColor 0 255 255 255",
                  "[0.000] SetPosition 0 0", "[0.000] DrawString \"Queue\" 3.3 3.3 false false"));
  EXPECT_EQ(traceOfLast(model, {"vexlo_hbtextcolor 9", "sim_frame"})[3],
            "[0.000] SetColor 255 255 255 255");
  EXPECT_EQ(traceOfLast(model, {"vexlo_hbtextcolor -1", "sim_frame"})[3],
            "[0.000] SetColor 255 255 255 255");
}

TEST(ModelInvariants, FlagAStartBeforeTheWaitingTime) {
  VexloModel model;
  InvariantChecker checker;
  model.run("vexlo_enabled 1");
  model.run("vexlo_waitingtime 5");
  model.run("vexlo_queue");
  const std::vector<std::string> early = launchLines("1.000", 5, 1);
  EXPECT_FALSE(checker.check("sim_wait 1", false, early, model).empty());
  EXPECT_THAT(checker.check("sim_frame", false, {"[1.000] SetColor 1 2 3 4"}, model),
              ::testing::Contains(::testing::HasSubstr("colour outside the table")));
  EXPECT_FALSE(checker.check("vexlo_bind F1", false, {}, model).empty());
}

TEST(ModelActions, SameSeedGivesTheSameActions) {
  SeededSource first(7);
  SeededSource second(7);
  for (int step = 0; step < 1000; ++step) {
    EXPECT_EQ(nextAction(first), nextAction(second));
  }
}

} // namespace
} // namespace modelcheck

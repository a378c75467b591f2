// What a session's timeline records for a known run: catches a lane fed at
// the wrong moment (a search without its playlists, a bar that outlives the
// found game, a timer never marked fired) or an event lost.
#include <filesystem>
#include <fstream>
#include <sstream>

#include <gtest/gtest.h>

#include "host/session/simulator.h"
#include "host/tools/timeline/timeline_extension.h"

namespace corvane::timeline {
namespace {

TEST(TimelineRecording, RecordsArmingWaitSearchAndFoundGame) {
  const auto path = std::filesystem::temp_directory_path() / "vexlo-recording-test.txt";
  sim::Simulator simulator(
      sim::SimulatorOptions{nullptr, nullptr, nullptr, false, {simulatorExtension().attach}});
  ASSERT_TRUE(simulator.load(VEXLO_PLUGIN_PATH));
  ASSERT_EQ(simulator.run("vexlo_enabled 1\nvexlo_waitingtime 2\nvexlo_hbtext armed\n"
                          "vexlo_bind F3\nsim_key F3\nsim_frame\nsim_wait 3\nsim_game_found\n"
                          "sim_frame\nsim_wait 1\n"
                          "sim_timeline " +
                          path.string()),
            sim::Status::Ok);
  std::ostringstream text;
  text << std::ifstream(path).rdbuf();
  EXPECT_EQ(text.str(), "state [0.000] to [3.000] menu\n"
                        "state [3.000] to [4.000] online\n"
                        "search [2.000] to [3.000] category 1 playlists 5\n"
                        "timer [0.000] to [2.000] due [2.000] fired\n"
                        "bar [0.000] to [3.000] \"armed\"\n"
                        "event [0.000] command bind F3 vexlo_queue\n"
                        "event [0.000] key F3\n"
                        "event [0.000] notifier vexlo_queue\n"
                        "event [3.000] function Function "
                        "ProjectX.OnlineGameMatchmakingBase_X.EventFindGameComplete\n"
                        "event [3.000] function Function TAGame.GameEvent_TA.StartEvent\n"
                        "event [3.000] function Function GameEvent_Soccar_TA.Active.StartRound\n");
  std::filesystem::remove(path);
}

} // namespace
} // namespace corvane::timeline

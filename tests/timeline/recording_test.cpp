// What a session's timeline records for a known run, read from its text
// form: catches a lane fed at the wrong moment (a search without its
// playlists, a bar that outlives the found game, a timer never marked fired),
// an event lost, and what a picture hides: a dropped timer left pending, a
// re-armed timer that replaces the first, intervals of no length left out,
// equal events at one moment kept as one, a refused command not shown as
// having no effect or an arming that only shows the bar shown as one, a
// party the game's party functions joined and left not drawn as one, and
// intervals still open when the run ends (a search under way, a party, a
// timer still waiting, the bar) left out or not ended there.
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "host/session/simulator.h"
#include "host/tools/timeline/timeline_extension.h"

namespace corvane::timeline {
namespace {

using enum host::GameState;
constexpr Micros s = host::kMicrosPerSecond;

struct RecordingCase {
  std::string run;
  std::string afterUnload; // when not empty, the plugin is unloaded and this runs
  std::vector<StateSpan> states;
  std::string record; // the rest of the record as text
};

// The run's record as sim_timeline writes it to a .txt file at the end, but
// its game states, which go to `states`.
std::string record(const RecordingCase &row, std::vector<StateSpan> &states) {
  const auto path = std::filesystem::path(testing::TempDir()) / "vexlo-recording-test.txt";
  TimelineExtension timelines;
  sim::Simulator simulator(
      sim::SimulatorOptions{nullptr, nullptr, nullptr, false, {timelines.forSessions()}});
  EXPECT_TRUE(simulator.load(VEXLO_PLUGIN_PATH));
  EXPECT_EQ(simulator.run(row.run), Outcome::Success) << row.run;
  if (!row.afterUnload.empty()) {
    simulator.unload();
    EXPECT_EQ(simulator.run(row.afterUnload), Outcome::Success) << row.afterUnload;
  }
  EXPECT_EQ(simulator.run("sim_timeline " + path.string()), Outcome::Success);
  states = timelines.record().value().states;
  std::ifstream file(path);
  std::string text;
  for (std::string line; std::getline(file, line);) {
    text += line.starts_with("state ") ? "" : line + "\n";
  }
  file.close();
  std::filesystem::remove(path);
  return text;
}

TEST(TimelineRecording, RecordsWhatHappenedAndWhen) {
  const std::vector<RecordingCase> cases = {
      {"vexlo_enabled 1\nvexlo_waitingtime 2\nvexlo_hbtext armed\n"
       "vexlo_bind F3\nsim_key F3\nsim_frame\nsim_wait 3\nsim_game_found\nsim_frame\nsim_wait 1",
       "",
       {{0 * s, 3 * s, Menu}, {3 * s, 4 * s, Online}},
       "search [2.000] to [3.000] category 1 playlists 5\n"
       "timer [0.000] to [2.000] due [2.000] fired\n"
       "bar [0.000] to [3.000] \"armed\"\n"
       "event [0.000] command bind F3 vexlo_queue\n"
       "event [0.000] key F3\n"
       "event [0.000] notifier vexlo_queue\n"
       "event [3.000] function Function "
       "ProjectX.OnlineGameMatchmakingBase_X.EventFindGameComplete\n"
       "event [3.000] function Function TAGame.GameEvent_TA.StartEvent\n"
       "event [3.000] function Function GameEvent_Soccar_TA.Active.StartRound\n"},
      // Unloading drops the pending timer: it ends there, not with the record.
      // (The bar is what frames draw: the first frame after the unload
      // closes it.)
      {"vexlo_enabled 1\nvexlo_waitingtime 20\nvexlo_queue\nsim_frame\nsim_wait 5",
       "sim_frame\nsim_wait 5",
       {{0 * s, 10 * s, Menu}},
       "timer [0.000] to [5.000] due [20.000] dropped\n"
       "bar [0.000] to [5.000] \"\"\n"
       "event [0.000] notifier vexlo_queue\n"},
      // Disarmed and armed again before the timer fires: a second timer; the
      // first still fires, unheeded.
      {"vexlo_enabled 1\nvexlo_waitingtime 20\nvexlo_queue\nsim_frame\nsim_wait 5\nvexlo_queue\n"
       "sim_frame\nsim_wait 5\nvexlo_queue\nsim_frame\nsim_wait 25",
       "",
       {{0 * s, 35 * s, Menu}},
       "search [30.000] to [35.000] category 1 playlists 5\n"
       "timer [0.000] to [20.000] due [20.000] fired\n"
       "timer [10.000] to [30.000] due [30.000] fired\n"
       "bar [0.000] to [5.000] \"\"\n"
       "bar [10.000] to [35.000] \"\"\n"
       "event [0.000] notifier vexlo_queue\n"
       "event [5.000] notifier vexlo_queue\n"
       "event [10.000] notifier vexlo_queue\n"},
      // A search that starts and ends in one line, a state that lasts no time.
      {"vexlo_enabled 1\nvexlo_queue\nsim_frame\nsim_wait 1; sim_search_cancelled; sim_frame\n"
       "sim_state online; sim_state freeplay\nsim_wait 1",
       "",
       {{0 * s, 1 * s, Menu}, {1 * s, 1 * s, Online}, {1 * s, 2 * s, Freeplay}},
       "search [1.000] to [1.000] category 1 playlists 5\n"
       "timer [0.000] to [1.000] due [1.000] fired\n"
       "bar [0.000] to [1.000] \"\"\n"
       "event [0.000] notifier vexlo_queue\n"
       "event [1.000] function Function ProjectX.OnlineGameMatchmakingBase_X.Cancel\n"},
      // Refused during a match: no effect. Armed while a party blocks: no
      // call with an effect, but the next frame shows the bar, so not marked.
      {"vexlo_enabled 1\nsim_game_found\nvexlo_queue\nsim_frame\nsim_match_end\n"
       "sim_party_join\nsim_wait 2\nvexlo_queue\nsim_frame\nsim_wait 1; sim_party_leave",
       "",
       {{0 * s, 0 * s, Menu}, {0 * s, 3 * s, Online}},
       "party [0.000] to [3.000] in a party\n"
       "timer [0.000] to [1.000] due [1.000] fired\n"
       "bar [2.000] to [3.000] \"\"\n"
       "event [0.000] function Function "
       "ProjectX.OnlineGameMatchmakingBase_X.EventFindGameComplete\n"
       "event [0.000] function Function TAGame.GameEvent_TA.StartEvent\n"
       "event [0.000] function Function GameEvent_Soccar_TA.Active.StartRound\n"
       "event [0.000] notifier vexlo_queue (no effect)\n"
       "event [0.000] function Function TAGame.GameEvent_Soccar_TA.OnMatchWinnerSet\n"
       "event [0.000] function Function TAGame.GameEvent_Soccar_TA.EventMatchEnded\n"
       "event [0.000] function Function ProjectX.Parties_X.JoinLobby\n"
       "event [2.000] notifier vexlo_queue\n"
       "event [3.000] function Function ProjectX.Parties_X.LeaveLobby\n"},
      // Searching, in a party, a timer waiting and the bar shown when the
      // run ends: each ends with the record, the timer still pending.
      {"vexlo_enabled 1\nvexlo_queue\nsim_frame\nsim_wait 1\nsim_party_join\nsim_wait 0.5",
       "",
       {{0 * s, 3 * s / 2, Menu}},
       "search [1.000] to [1.500] category 1 playlists 5\n"
       "party [1.000] to [1.500] in a party\n"
       "timer [0.000] to [1.000] due [1.000] fired\n"
       "timer [1.000] to [1.500] due [2.000] pending\n"
       "bar [0.000] to [1.500] \"\"\n"
       "event [0.000] notifier vexlo_queue\n"
       "event [1.000] function Function ProjectX.Parties_X.JoinLobby\n"},
      // The same key twice at one moment: two presses, two commands run.
      {"bind F1 vexlo_queue\nsim_key F1; sim_key F1",
       "",
       {{0 * s, 0 * s, Menu}},
       "event [0.000] key F1\n"
       "event [0.000] notifier vexlo_queue\n"
       "event [0.000] key F1\n"
       "event [0.000] notifier vexlo_queue\n"},
  };
  for (const RecordingCase &row : cases) {
    std::vector<StateSpan> states;
    EXPECT_EQ(record(row, states), row.record) << row.run;
    EXPECT_EQ(states, row.states) << row.run;
  }
}

} // namespace
} // namespace corvane::timeline

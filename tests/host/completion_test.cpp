// Tab at corvane-sim's prompt, with the plugin loaded and two keys bound: what
// the typed word becomes and which choices are shown. Catches a completion
// that forgets the opening quote of the word it replaces, reads words before
// a `;` as the same command, offers a setting values outside its range or
// not its default, or misses hooked functions and bound keys.
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "host/tools/sim/completion.h"
#include "session.h"

namespace {

struct CompletionCase {
  std::string typed;
  std::size_t replaced;
  std::string insert;
  std::vector<std::string> choices;
};

TEST(Completion, CompletesTheWordBeingTypedFromTheLiveSession) {
  vexlo::testing::Session session;
  ASSERT_EQ(session.start("vexlo_bind F4\nbind F3 echo \"a b\"\nvexlo_hbtext \"two words\"\n"
                          "vexlo_hbheight 80"),
            std::nullopt);
  const std::vector<CompletionCase> cases = {
      {"vexlo_hbhe", 10, "vexlo_hbheight ", {}},
      {"echo hi; vexlo_ena", 9, "vexlo_enabled ", {}},
      {"help vexlo_sim", 9, "vexlo_simulate ", {}},
      {"bind F5 vexlo_q", 7, "vexlo_queue ", {}},
      {"sim_state o", 1, "online ", {}},
      // A setting's values: its whole numbers when few, its value and default.
      {"vexlo_hbtextsize ", 0, "", {"1", "2", "3", "3.3", "4", "5", "6", "7"}},
      {"vexlo_hbtextcolor ", 0, "6 ", {}},
      {"vexlo_hbheight ", 0, "", {"60", "80"}}, // fault: the default not offered
      {"vexlo_enabled ", 0, "", {"0", "1"}},
      {"vexlo_hbtextsize 3", 1, "", {"3", "3.3"}},
      {"vexlo_hbtext \"tw", 3, "\"two words\" ", {}},
      // Hooked function names carry blanks: they come back quoted, and the
      // opening quote is part of the word replaced.
      {"sim_call \"Function ProjectX.Parties_X.J",
       30,
       "\"Function ProjectX.Parties_X.JoinLobby\" ",
       {}},
      {"sim_call \"Function TAGame.GameEvent_Soccar_TA.",
       37,
       "",
       {"\"Function TAGame.GameEvent_Soccar_TA.Destroyed\"",
        "\"Function TAGame.GameEvent_Soccar_TA.EventMatchEnded\"",
        "\"Function TAGame.GameEvent_Soccar_TA.OnMatchWinnerSet\""}},
      // Bound keys, for pressing and unbinding; nothing after a key.
      {"sim_key ", 0, "F", {"F3", "F4"}},
      {"unbind F4", 2, "F4 ", {}},
      {"sim_key F3 ", 0, "", {}},
      // The part the matches share extends the quoted word, which stays open.
      {"sim_call \"Function ProjectX.P",
       20,
       "\"Function ProjectX.Parties_X.",
       {"\"Function ProjectX.Parties_X.CreateLobby\"", "\"Function ProjectX.Parties_X.JoinLobby\"",
        "\"Function ProjectX.Parties_X.LeaveLobby\"",
        "\"Function ProjectX.Parties_X.SetLobbyOwner\""}},
  };
  for (const CompletionCase &row : cases) {
    const corvane::sim::Completion completion =
        corvane::sim::complete(session.simulator(), row.typed);
    EXPECT_EQ(completion.replaced, row.replaced) << row.typed;
    EXPECT_EQ(completion.insert, row.insert) << row.typed;
    EXPECT_EQ(completion.choices, row.choices) << row.typed;
  }
}

} // namespace

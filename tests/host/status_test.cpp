// sim_status as a person reads it: every line of the screen for known runs of
// the plugin. Catches a screen that lists the settings left at their defaults,
// loses or misorders a timer, names a colour wrongly, shows a frame other than
// the last, or hides that a text was cut.
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "session.h"

namespace {

using vexlo::testing::Session;

struct StatusCase {
  std::string run;
  std::string screen;
};

TEST(StatusScreen, ShowsEachLineOfAKnownRun) {
  const std::string longText(300, 'x');
  const std::vector<StatusCase> cases = {
      // Nothing changed: no setting is listed, nothing is pending or drawn.
      {"", "clock        0.000 s\n"
           "game         menu\n"
           "matchmaking  usable, not searching, no playlist selected, no search yet\n"
           "timers       none pending\n"
           "keys         none bound\n"
           "last frame   none rendered yet (sim_frame renders one)\n"
           "settings     all at their defaults\n"},
      // Armed in freeplay, then a party joined: both timers, soonest first,
      // each with its time left; the changed settings by name.
      {"vexlo_enabled 1\nvexlo_freeplay 1\nvexlo_waitingtime 20\nvexlo_hbtext \"Queue "
       "\\\"now\\\"\"\n"
       "vexlo_hbtextcolor 2\nvexlo_hbheight 40\nvexlo_bind F3\nsim_key F3\nsim_wait 5\n"
       "sim_party_join\nsim_frame",
       "clock        5.000 s\n"
       "game         freeplay\n"
       "matchmaking  usable, not searching, no playlist selected, no search yet\n"
       "timers       due at 6.000 s (in 1.000 s)\n"
       "             due at 20.000 s (in 15.000 s)\n"
       "keys         F3 runs \"vexlo_queue\"\n"
       "last frame   at 5.000 s: 6 canvas calls\n"
       "             box 5120 x 40 (bar height 40) at 0,0, black\n"
       "             text \"Queue \\\"now\\\"\" at 0,0, scale 3.3, yellow\n"
       "settings     vexlo_bind \"F3\" (default \"\")\n"
       "             vexlo_enabled \"1\" (default \"0\")\n"
       "             vexlo_freeplay \"1\" (default \"0\")\n"
       "             vexlo_hbheight \"40\" (default \"60\")\n"
       "             vexlo_hbtext \"Queue \\\"now\\\"\" (default \"\")\n"
       "             vexlo_hbtextcolor \"2\" (default \"6\")\n"
       "             vexlo_waitingtime \"20\" (default \"(1,60)\")\n"},
      // The search running; the last frame is the one drawn before the clock
      // moved on, and its long text is shown cut.
      {"vexlo_enabled 1\nvexlo_hbtextsize 2.5\nvexlo_hbtextcolor 3\nvexlo_hbtext " + longText +
           "\nvexlo_queue\nsim_wait 1\nsim_frame\nsim_wait 0.25",
       "clock        1.250 s\n"
       "game         menu\n"
       "matchmaking  usable, searching, playlists 5, last search in category 1\n"
       "timers       none pending\n"
       "keys         none bound\n"
       "last frame   at 1.000 s: 6 canvas calls\n"
       "             box 5120 x 60 (bar height 60) at 0,0, black\n"
       "             text \"" +
           longText.substr(0, 256) +
           "\" (cut) at 0,0, scale 2.5, blue\n"
           "settings     vexlo_enabled \"1\" (default \"0\")\n"
           "             vexlo_hbtext \"" +
           longText +
           "\" (default \"\")\n"
           "             vexlo_hbtextcolor \"3\" (default \"6\")\n"
           "             vexlo_hbtextsize \"2.5\" (default \"3.3\")\n"},
      // A frame that drew nothing, matchmaking off, a setting changed and
      // put back.
      {"vexlo_simulate 1\nsim_frame\nvexlo_simulate 0\nsim_matchmaking off\nsim_wait 2\nsim_frame",
       "clock        2.000 s\n"
       "game         menu\n"
       "matchmaking  not usable, not searching, no playlist selected, no search yet\n"
       "timers       none pending\n"
       "keys         none bound\n"
       "last frame   at 2.000 s: nothing drawn\n"
       "settings     all at their defaults\n"},
  };
  for (const StatusCase &row : cases) {
    Session session;
    ASSERT_EQ(session.start(row.run), std::nullopt) << row.run;
    session.takeOutput();
    ASSERT_EQ(session.run("sim_status"), corvane::Outcome::Success);
    EXPECT_EQ(session.output(), row.screen) << row.run;
  }
  // Each of the plugin's text colours by its name; one outside the table is white.
  const std::vector<std::string> names = {"red",     "green", "yellow", "blue", "cyan",
                                          "magenta", "white", "black",  "white"};
  for (std::size_t colour = 0; colour < names.size(); ++colour) {
    Session session;
    ASSERT_EQ(session.start("vexlo_simulate 1\nvexlo_hbtextcolor " + std::to_string(colour) +
                            "\nsim_frame"),
              std::nullopt);
    session.takeOutput();
    session.run("sim_status");
    EXPECT_NE(session.output().find("scale 3.3, " + names[colour] + "\n"), std::string::npos)
        << "colour " << colour << ":\n"
        << session.output();
  }
}

} // namespace

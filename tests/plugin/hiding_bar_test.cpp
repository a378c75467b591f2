// The hiding bar as drawn on a frame: when it shows, and with what size,
// colour and text.
#include "plugin_test.h"

namespace {

Lines barFrame(const std::string &height, const std::string &color, const std::string &text,
               const std::string &scale) {
  return {
      "[0.000] SetPosition 0 0",
      "[0.000] SetColor 0 0 0 255",
      "[0.000] FillBox 5120 " + height,
      "[0.000] SetColor " + color,
      "[0.000] SetPosition 0 0",
      "[0.000] DrawString \"" + text + "\" " + scale + " " + scale + " false false",
  };
}

TEST(HidingBar, IsNotDrawnWhileIdle) {
  PluginSession session;
  EXPECT_THAT(session.run("sim_frame 3\nsim_expect drawn false"), IsEmpty());
}

TEST(HidingBar, PreviewDrawsTheDefaultBarWithAnEmptyText) {
  PluginSession session;
  EXPECT_EQ(session.run("vexlo_simulate 1\nsim_frame"),
            barFrame("60", "255 255 255 255", "", "3.3"));
  EXPECT_THAT(session.run("vexlo_simulate 0\nsim_frame"), IsEmpty());
}

TEST(HidingBar, IsDrawnOnEveryFrameWhileArmed) {
  PluginSession session;
  session.run("vexlo_enabled 1\nvexlo_queue");
  EXPECT_EQ(session.run("sim_frame 2").size(), 12U);
}

TEST(HidingBar, FollowsItsSettingsOnTheNextFrame) {
  PluginSession session;
  session.run("vexlo_simulate 1\nsim_frame");
  EXPECT_EQ(session.run("vexlo_hbtext \"Queue armed\"\nvexlo_hbtextsize 2\nvexlo_hbheight 42\n"
                        "vexlo_hbtextcolor 2\nsim_frame"),
            barFrame("42", "255 255 0 255", "Queue armed", "2"));
}

TEST(HidingBar, SizesAreClampedByTheirSettings) {
  PluginSession session;
  EXPECT_EQ(session.run("vexlo_simulate 1\nvexlo_hbheight 0\nvexlo_hbtextsize 9\nsim_frame"),
            barFrame("10", "255 255 255 255", "", "7"));
  EXPECT_EQ(session.run("vexlo_hbheight 1000\nvexlo_hbtextsize 0.5\nsim_frame"),
            barFrame("100", "255 255 255 255", "", "1"));
}

TEST(HidingBar, EachColourIndexDrawsItsColour) {
  const char *const colours[] = {"255 0 0 255",   "0 255 0 255",   "255 255 0 255",   "0 0 255 255",
                                 "0 255 255 255", "255 0 255 255", "255 255 255 255", "0 0 0 255"};
  PluginSession session;
  session.run("vexlo_simulate 1");
  for (int index = 0; index < 8; ++index) {
    const Lines frame = session.run("vexlo_hbtextcolor " + std::to_string(index) + "\nsim_frame");
    ASSERT_EQ(frame.size(), 6U);
    EXPECT_EQ(frame[3], std::string("[0.000] SetColor ") + colours[index]) << "index " << index;
  }
}

TEST(HidingBar, AColourIndexOutsideTheTableDrawsWhite) {
  PluginSession session;
  session.run("vexlo_simulate 1");
  for (const char *index : {"-1", "8", "2147483647", "-2147483648", "99999999999", "red"}) {
    const Lines frame = session.run(std::string("vexlo_hbtextcolor ") + index + "\nsim_frame");
    ASSERT_EQ(frame.size(), 6U);
    EXPECT_EQ(frame[3], index == std::string("red") ? "[0.000] SetColor 255 0 0 255"
                                                    : "[0.000] SetColor 255 255 255 255")
        << "index " << index;
  }
}

TEST(HidingBar, DrawsTheTextExactlyAsSet) {
  PluginSession session;
  EXPECT_EQ(session.run("vexlo_simulate 1\nvexlo_hbtext \"Queue \\\"ranked\\\" \\\\ 3v3\"\n"
                        "sim_frame"),
            barFrame("60", "255 255 255 255", R"(Queue \"ranked\" \\ 3v3)", "3.3"));
}

} // namespace

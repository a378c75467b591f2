// The toggle key: what writing a key name into vexlo_bind sends to the
// console, and what the bound key then does.
#include "plugin_test.h"

namespace {

TEST(ToggleKey, BindsTheKeyToTheQueueCommand) {
  PluginSession session;
  EXPECT_THAT(session.run("vexlo_bind F1"),
              ElementsAre(R"([0.000] executeCommand "bind F1 vexlo_queue" true)"));
  session.run("vexlo_bind\nsim_expect bound F1 vexlo_queue");
  EXPECT_EQ(session.takeOutput(), "vexlo_bind = \"F1\"\n");
  EXPECT_THAT(session.run("vexlo_enabled 1\nsim_key F1"), ElementsAre("[0.000] SetTimeout 1"));
  EXPECT_THAT(session.run("sim_key F1\nsim_frame\nsim_expect drawn false"), IsEmpty())
      << "the second press disarms";
}

TEST(ToggleKey, SendsAgainForEveryChangeButOnlyTheNewKey) {
  PluginSession session;
  EXPECT_THAT(session.run("vexlo_bind F1\nvexlo_bind F1\nvexlo_bind F2"),
              ElementsAre(R"([0.000] executeCommand "bind F1 vexlo_queue" true)",
                          R"([0.000] executeCommand "bind F1 vexlo_queue" true)",
                          R"([0.000] executeCommand "bind F2 vexlo_queue" true)"));
  session.run("sim_expect bound F1 vexlo_queue\nsim_expect bound F2 vexlo_queue");
}

TEST(ToggleKey, AnEmptyKeySendsNothingAndKeepsEarlierBindings) {
  PluginSession session;
  session.run("vexlo_bind F1");
  EXPECT_THAT(session.run("vexlo_bind \"\"\nsim_expect bound F1 vexlo_queue"), IsEmpty());
}

TEST(ToggleKey, AKeyTextWithSpacesIsSentUnchanged) {
  PluginSession session;
  EXPECT_THAT(session.run("vexlo_bind \"Left Mouse\""),
              ElementsAre(R"([0.000] executeCommand "bind Left Mouse vexlo_queue" true)"));
}

TEST(ToggleKey, AKeyTextThatCouldRunOtherCommandsIsNotSent) {
  for (const std::string &key :
       {std::string(R"(F1;vexlo_enabled 0)"), std::string(R"(F1\"x)"), std::string("F1\x01"),
        std::string("F1\tx"), std::string("F1\x7f")}) {
    PluginSession session;
    EXPECT_THAT(session.run("vexlo_enabled 1\nvexlo_bind \"" + key + "\""), IsEmpty()) << key;
    EXPECT_EQ(session.runStatus("sim_expect setting vexlo_enabled 1\nsim_expect bound F1 none"),
              corvane::Outcome::Success)
        << key << "\n"
        << session.takeErrors();
  }
}

TEST(ToggleKey, ASafeKeyAfterARefusedOneIsSent) {
  PluginSession session;
  session.run("vexlo_bind \"F1;quit\"");
  EXPECT_THAT(session.run("vexlo_bind F2"),
              ElementsAre(R"([0.000] executeCommand "bind F2 vexlo_queue" true)"));
}

} // namespace

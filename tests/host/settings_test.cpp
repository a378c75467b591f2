// Settings as a plugin and a console user see them: registration, sets from
// the console, bound values and change callbacks.
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "session.h"

namespace {

using corvane::Outcome;
using vexlo::testing::Session;

CVarWrapper registerWaitingTime(Session &session) {
  return session.cvars().registerCvar("vexlo_waitingtime", "(1,60)", "Waiting time", true, true,
                                      1.0F, true, 600.0F, true);
}

TEST(SettingRegistration, DefaultIsStoredUncheckedAndReadThroughBounds) {
  Session session;
  CVarWrapper waiting = registerWaitingTime(session);
  EXPECT_EQ(waiting.getStringValue(), "(1,60)");
  EXPECT_FLOAT_EQ(waiting.getFloatValue(), 1.0F);
  EXPECT_TRUE(waiting.getBoolValue());
  EXPECT_EQ(session.host().settingValue("vexlo_waitingtime"), "(1,60)");
}

TEST(SettingRegistration, RegisteringAnExistingNameKeepsTheSetting) {
  Session session;
  registerWaitingTime(session);
  ASSERT_EQ(session.run("vexlo_waitingtime 30"), Outcome::Success);
  CVarWrapper again = session.cvars().registerCvar("vexlo_waitingtime", "5", "Other", false, false,
                                                   0.0F, false, 0.0F, false);
  EXPECT_EQ(again.getStringValue(), "30");
  // The bounds are the first registration's too.
  EXPECT_EQ(session.run("vexlo_waitingtime 9000"), Outcome::Success);
  EXPECT_EQ(session.host().settingValue("vexlo_waitingtime"), "600");
}

TEST(SettingRegistration, UnknownSettingHandleReadsEmptyAndDoesNothing) {
  Session session;
  CVarWrapper missing = session.cvars().getCvar("no_such_setting");
  EXPECT_FALSE(missing.getBoolValue());
  EXPECT_EQ(missing.getFloatValue(), 0.0F);
  EXPECT_EQ(missing.getStringValue(), "");
  auto value = std::make_shared<int>(42);
  missing.bindTo(value);
  missing.addOnValueChanged([](std::string, CVarWrapper) { FAIL() << "callback on no setting"; });
  EXPECT_EQ(*value, 42);
  EXPECT_FALSE(session.host().settingValue("no_such_setting"));
}

TEST(SettingChanges, BoundValuesFollowEverySet) {
  Session session;
  CVarWrapper waiting = registerWaitingTime(session);
  auto asInt = std::make_shared<int>(-1);
  auto asFloat = std::make_shared<float>(-1.0F);
  auto asBool = std::make_shared<bool>(false);
  auto asText = std::make_shared<std::string>();
  waiting.bindTo(asInt);
  waiting.bindTo(asFloat);
  waiting.bindTo(asBool);
  waiting.bindTo(asText);
  EXPECT_EQ(*asInt, 1);
  EXPECT_EQ(*asText, "(1,60)");

  ASSERT_EQ(session.run("vexlo_waitingtime 42.75"), Outcome::Success);
  EXPECT_EQ(*asInt, 42);
  EXPECT_FLOAT_EQ(*asFloat, 42.75F);
  EXPECT_TRUE(*asBool);
  EXPECT_EQ(*asText, "42.75");
}

TEST(SettingChanges, CallbacksRunAfterEverySetWithOldTextAndBoundValueWritten) {
  Session session;
  CVarWrapper waiting = registerWaitingTime(session);
  auto bound = std::make_shared<int>(0);
  waiting.bindTo(bound);
  std::vector<std::string> seen;
  waiting.addOnValueChanged([&seen, bound](std::string old, CVarWrapper now) {
    seen.push_back(old + ">" + now.getStringValue() + "@" + std::to_string(*bound));
  });
  ASSERT_EQ(session.run("vexlo_waitingtime 30\nvexlo_waitingtime 30\nvexlo_waitingtime 0"),
            Outcome::Success);
  EXPECT_EQ(seen, (std::vector<std::string>{"(1,60)>30@30", "30>30@30", "30>1@1"}));
}

TEST(SettingChanges, CallbackMayRegisterMoreWithoutDisturbingTheSet) {
  Session session;
  CVarWrapper waiting = registerWaitingTime(session);
  int later = 0;
  waiting.addOnValueChanged([&](std::string, CVarWrapper now) {
    session.cvars().registerCvar("made_in_callback", "1", "", false, false, 0, false, 0, false);
    now.addOnValueChanged([&later](std::string, CVarWrapper) { ++later; });
  });
  ASSERT_EQ(session.run("vexlo_waitingtime 5"), Outcome::Success);
  EXPECT_EQ(later, 0);
  ASSERT_EQ(session.run("vexlo_waitingtime 6"), Outcome::Success);
  EXPECT_EQ(later, 1);
  EXPECT_EQ(session.host().settingValue("made_in_callback"), "1");
}

TEST(SettingChanges, RefusedValueChangesNothingAndNamesSettingAndValue) {
  Session session;
  CVarWrapper waiting = registerWaitingTime(session);
  auto bound = std::make_shared<std::string>();
  waiting.bindTo(bound);
  int calls = 0;
  waiting.addOnValueChanged([&calls](std::string, CVarWrapper) { ++calls; });
  ASSERT_EQ(session.run("vexlo_waitingtime 20"), Outcome::Success);

  EXPECT_EQ(session.simulator().run("vexlo_waitingtime 2.", "waiting.cfg", 7), Outcome::BadInput);
  EXPECT_EQ(session.errors(),
            "waiting.cfg:7: setting vexlo_waitingtime refuses \"2.\": not a decimal number\n");
  EXPECT_EQ(session.host().settingValue("vexlo_waitingtime"), "20");
  EXPECT_EQ(*bound, "20");
  EXPECT_EQ(calls, 1);
}

TEST(SettingConsole, PrintsValueEscapedAsInTheTrace) {
  Session session;
  session.cvars().registerCvar("text", "", "", false, false, 0, false, 0, false);
  ASSERT_EQ(session.run("text \"say \\\"hi\\\"\tnow\"\ntext"), Outcome::Success);
  EXPECT_EQ(session.output(), "text = \"say \\\"hi\\\"\\tnow\"\n");
}

TEST(SettingConsole, EmptyTextIsAValueForUnboundedSettings) {
  Session session;
  session.cvars().registerCvar("text", "start", "", false, false, 0, false, 0, false);
  ASSERT_EQ(session.run("text \"\""), Outcome::Success);
  EXPECT_EQ(session.host().settingValue("text"), "");
}

TEST(SettingConsole, MoreThanOneValueIsAnError) {
  Session session;
  session.cvars().registerCvar("text", "start", "", false, false, 0, false, 0, false);
  EXPECT_EQ(session.run("text two words"), Outcome::BadInput);
  EXPECT_NE(session.errors().find("<test>:1: setting text takes one value"), std::string::npos);
  EXPECT_EQ(session.host().settingValue("text"), "start");
}

TEST(SettingConsole, CvarlistShowsSortedSettingsWithDetails) {
  Session session;
  registerWaitingTime(session);
  session.cvars().registerCvar("alpha", "x", "First", false, false, 0, false, 0, false);
  ASSERT_EQ(session.run("cvarlist"), Outcome::Success);
  EXPECT_EQ(session.output(),
            "alpha = \"x\"  (default \"x\")  First\n"
            "vexlo_waitingtime = \"(1,60)\"  (default \"(1,60)\", 1..600, searchable, saved)  "
            "Waiting time\n"
            "2 settings\n");
  session.takeOutput();
  ASSERT_EQ(session.run("cvarlist vex"), Outcome::Success);
  EXPECT_EQ(session.output().find("alpha"), std::string::npos);
}

} // namespace

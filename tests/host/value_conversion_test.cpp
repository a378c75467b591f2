// How setting texts read as numbers and how bounds treat new texts.
#include <cfloat>
#include <climits>
#include <string>
#include <variant>

#include <gtest/gtest.h>

#include "host/session/engine/value_conversion.h"

namespace {

using corvane::host::boundedText;
using corvane::host::readBool;
using corvane::host::readFloat;
using corvane::host::readInt;
using corvane::host::SettingBounds;

constexpr SettingBounds kNoBounds{};
constexpr SettingBounds kWaitingBounds{true, 1.0F, true, 600.0F};

std::string stored(const std::string &text, const SettingBounds &bounds) {
  auto result = boundedText(text, bounds);
  return result ? *result : "<refused>";
}

TEST(SettingReads, LeadingNumberOrZero) {
  EXPECT_FLOAT_EQ(readFloat("5", kNoBounds), 5.0F);
  EXPECT_FLOAT_EQ(readFloat("-3", kNoBounds), -3.0F);
  EXPECT_FLOAT_EQ(readFloat("2.5", kNoBounds), 2.5F);
  EXPECT_FLOAT_EQ(readFloat("2.", kNoBounds), 2.0F);
  EXPECT_FLOAT_EQ(readFloat("12abc", kNoBounds), 12.0F);
  EXPECT_FLOAT_EQ(readFloat(".5", kNoBounds), 0.0F);
  EXPECT_FLOAT_EQ(readFloat("-", kNoBounds), 0.0F);
  EXPECT_FLOAT_EQ(readFloat("", kNoBounds), 0.0F);
  EXPECT_FLOAT_EQ(readFloat("(1,60)", kNoBounds), 0.0F);
}

TEST(SettingReads, ClampedIntoBounds) {
  // The plugin's waiting time defaults to "(1,60)": no number, so the lower bound.
  EXPECT_FLOAT_EQ(readFloat("(1,60)", kWaitingBounds), 1.0F);
  EXPECT_EQ(readInt("(1,60)", kWaitingBounds), 1);
  EXPECT_TRUE(readBool("(1,60)", kWaitingBounds));
  EXPECT_FLOAT_EQ(readFloat("900", kWaitingBounds), 600.0F);
}

TEST(SettingReads, IntTruncatesTowardZeroAndSaturates) {
  EXPECT_EQ(readInt("2.9", kNoBounds), 2);
  EXPECT_EQ(readInt("-2.9", kNoBounds), -2);
  EXPECT_EQ(readInt("99999999999999999999", kNoBounds), INT_MAX);
  EXPECT_EQ(readInt("-99999999999999999999", kNoBounds), INT_MIN);
  EXPECT_EQ(readInt("2147483647", kNoBounds), INT_MAX);
  EXPECT_EQ(readInt("-2147483648", kNoBounds), INT_MIN);
}

TEST(SettingReads, FloatSaturatesForHugeTexts) {
  const std::string huge = "1" + std::string(400, '0');
  EXPECT_EQ(readFloat(huge, kNoBounds), FLT_MAX);
  EXPECT_EQ(readFloat("-" + huge, kNoBounds), -FLT_MAX);
  EXPECT_EQ(readInt(huge, kNoBounds), INT_MAX);
  EXPECT_FLOAT_EQ(readFloat("0." + std::string(400, '0') + "1", kNoBounds), 0.0F);
}

TEST(SettingReads, BoolIsNumberNotZero) {
  EXPECT_TRUE(readBool("1", kNoBounds));
  EXPECT_TRUE(readBool("0.5", kNoBounds));
  EXPECT_TRUE(readBool("-1", kNoBounds));
  EXPECT_FALSE(readBool("0", kNoBounds));
  EXPECT_FALSE(readBool("true", kNoBounds));
  EXPECT_FALSE(readBool("", kNoBounds));
}

TEST(SettingWrites, UnboundedStoresTextAsGiven) {
  EXPECT_EQ(stored("hello world", kNoBounds), "hello world");
  EXPECT_EQ(stored("", kNoBounds), "");
  EXPECT_EQ(stored("2.", kNoBounds), "2.");
}

TEST(SettingWrites, BoundedRefusesWhatIsNotWhollyANumber) {
  for (const char *text : {"", "-", "2.", ".5", "abc", "5x", " 5", "1e3", "+5"}) {
    EXPECT_FALSE(boundedText(text, kWaitingBounds)) << text;
  }
}

TEST(SettingWrites, BoundedClampsToShortestBound) {
  EXPECT_EQ(stored("30", kWaitingBounds), "30");
  EXPECT_EQ(stored("030.50", kWaitingBounds), "030.50");
  EXPECT_EQ(stored("0", kWaitingBounds), "1");
  EXPECT_EQ(stored("-99999999999999999999", kWaitingBounds), "1");
  EXPECT_EQ(stored("600.5", kWaitingBounds), "600");
  EXPECT_EQ(stored("99999999999999999999", kWaitingBounds), "600");
  EXPECT_EQ(stored("0.1", SettingBounds{true, 0.25F, false, 0.0F}), "0.25");
  EXPECT_EQ(stored("7", SettingBounds{false, 0.0F, true, 3.3F}), "3.3");
}

} // namespace

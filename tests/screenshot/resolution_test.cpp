// The --resolution option's WxH text.
#include <host/tools/screenshot/screenshot.h>

#include <gtest/gtest.h>

namespace corvane::screenshot {
namespace {

TEST(ResolutionTest, ReadsWidthByHeight) {
  EXPECT_EQ(parseResolution("1920x1080"), (Resolution{1920, 1080}));
  EXPECT_EQ(parseResolution("1280X720"), (Resolution{1280, 720}));
  EXPECT_EQ(parseResolution("1x1"), (Resolution{1, 1}));
  EXPECT_EQ(parseResolution("8192x8192"), (Resolution{kMaxResolutionSide, kMaxResolutionSide}));
}

TEST(ResolutionTest, RefusesAnythingElse) {
  for (const char *text : {"", "x", "1920", "1920x", "x1080", "0x1080", "1920x0", "-1920x1080",
                           "+1920x1080", "1920x1080x2", " 1920x1080", "1920x1080 ", "1920*1080",
                           "8193x100", "99999999999x1", "1e3x100", "1920.5x1080"}) {
    EXPECT_FALSE(parseResolution(text).has_value()) << text;
  }
}

} // namespace
} // namespace corvane::screenshot

// A build without libpng or FreeType refuses screenshots in words.
#include <host/engine/canvas.h>
#include <host/screenshot/screenshot.h>

#include <filesystem>

#include <gtest/gtest.h>

namespace corvane::screenshot {
namespace {

TEST(ScreenshotUnavailableTest, TakingOneSaysSoAndWritesNothing) {
  const auto path = std::filesystem::temp_directory_path() / "vexlo-unavailable.png";
  std::filesystem::remove(path);
  EXPECT_FALSE(screenshotsAvailable());
  try {
    takeScreenshot([](host::Canvas &) {}, path.string(), kDefaultResolution);
    FAIL() << "a build without screenshots took one";
  } catch (const ScreenshotError &error) {
    EXPECT_STREQ(error.what(), "screenshots are not available in this build");
  }
  EXPECT_FALSE(std::filesystem::exists(path));
}

} // namespace
} // namespace corvane::screenshot

// A build without Cairo or FreeType refuses screenshots in words.
#include <host/session/engine/canvas.h>
#include <host/session/simulator.h>
#include <host/tools/screenshot/screenshot.h>

#include <filesystem>
#include <sstream>

#include <gtest/gtest.h>

namespace corvane::screenshot {
namespace {

TEST(ScreenshotUnavailableTest, SimScreenshotSaysSoAndWritesNothing) {
  const auto path = std::filesystem::temp_directory_path() / "vexlo-unavailable.png";
  std::filesystem::remove(path);
  std::ostringstream out;
  std::ostringstream err;
  ScreenshotExtension screenshots;
  sim::Simulator simulator(
      sim::SimulatorOptions{&out, &err, nullptr, false, {screenshots.forSessions()}});

  EXPECT_FALSE(screenshotsAvailable());
  EXPECT_EQ(simulator.run("sim_screenshot " + path.string(), "look.cfg", 3), Outcome::BadInput);
  EXPECT_EQ(err.str(), "look.cfg:3: screenshots are not available in this build\n");
  EXPECT_EQ(out.str(), "");
  EXPECT_FALSE(std::filesystem::exists(path));
}

} // namespace
} // namespace corvane::screenshot

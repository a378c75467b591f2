// Taking a screenshot: the PNG file it writes, its errors and the size option.
#include <host/session/engine/canvas.h>
#include <host/tools/screenshot/screenshot.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>

#include <gtest/gtest.h>

#include "png_reader.h"
#include "scratch_folder.h"

namespace corvane::screenshot {
namespace {

namespace fs = std::filesystem;
using testing::readPng;
using testing::Rgb;

constexpr LinearColor kOpaqueBlack{0.0F, 0.0F, 0.0F, 255.0F};
constexpr LinearColor kOpaqueWhite{255.0F, 255.0F, 255.0F, 255.0F};
constexpr float kBarHeight = 60.0F;
constexpr float kTextScale = 3.3F;

// What the plugin draws while a queue is armed.
void drawHidingBar(host::Canvas &canvas) {
  canvas.SetPosition({0.0F, 0.0F});
  canvas.SetColor(kOpaqueBlack);
  canvas.FillBox({5120.0F, kBarHeight});
  canvas.SetColor(kOpaqueWhite);
  canvas.SetPosition({0.0F, 0.0F});
  canvas.DrawString("Queue armed", kTextScale, kTextScale, false, false);
}

std::string fileBytes(const fs::path &path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

class ScreenshotFileTest : public testing::ScratchFolderTest {
protected:
  ScreenshotFileTest() : ScratchFolderTest("vexlo-screenshot") {}
};

TEST_F(ScreenshotFileTest, WritesAPngOfTheDefaultSizeThatDecodesBack) {
  const std::string path = (folder_ / "frame.png").string();
  const std::string line = *takeScreenshot(drawHidingBar, path, kDefaultResolution);

  EXPECT_EQ(line, "screenshot: " + path + " (1920x1080)");
  const auto png = readPng(path);
  ASSERT_TRUE(png.has_value());
  EXPECT_EQ(png->width, 1920);
  EXPECT_EQ(png->height, 1080);
  EXPECT_EQ(png->pixel(1900, 30), (Rgb{0, 0, 0}));
  EXPECT_EQ(png->pixel(1900, 70), png->pixel(1800, 70)); // the backdrop's row
  EXPECT_NE(png->pixel(1900, 70), (Rgb{0, 0, 0}));
}

TEST_F(ScreenshotFileTest, WhiteTextShowsOnTheBar) {
  const std::string path = (folder_ / "frame.png").string();
  ASSERT_TRUE(takeScreenshot(drawHidingBar, path, Resolution{400, 120}));
  const auto png = readPng(path);
  ASSERT_TRUE(png.has_value());
  int white = 0;
  for (int y = 0; y < static_cast<int>(kBarHeight); ++y) {
    for (int x = 0; x < png->width; ++x) {
      white += png->pixel(x, y) == Rgb{255, 255, 255} ? 1 : 0;
    }
  }
  EXPECT_GT(white, 100);
}

TEST_F(ScreenshotFileTest, OtherResolutionsSetTheImageSize) {
  const std::string path = (folder_ / "small.png").string();
  EXPECT_EQ(*takeScreenshot(drawHidingBar, path, Resolution{320, 200}),
            "screenshot: " + path + " (320x200)");
  const auto png = readPng(path);
  ASSERT_TRUE(png.has_value());
  EXPECT_EQ(png->width, 320);
  EXPECT_EQ(png->height, 200);
}

TEST_F(ScreenshotFileTest, RelativePathsAreTakenFromTheWorkingFolder) {
  const fs::path before = fs::current_path();
  fs::current_path(folder_);
  const std::string line = *takeScreenshot(drawHidingBar, "relative.png", Resolution{64, 64});
  fs::current_path(before);

  EXPECT_EQ(line, "screenshot: relative.png (64x64)");
  EXPECT_TRUE(readPng((folder_ / "relative.png").string()).has_value());
}

TEST_F(ScreenshotFileTest, UnwritablePathIsAnErrorThatLeavesNoFile) {
  const std::string inMissingFolder = (folder_ / "missing" / "frame.png").string();
  const auto refused = takeScreenshot(drawHidingBar, inMissingFolder, Resolution{64, 64});
  ASSERT_FALSE(refused) << "writing into a missing folder succeeded";
  EXPECT_EQ(refused.error().message.rfind("cannot write " + inMissingFolder + ": ", 0), 0U)
      << refused.error().message;
  EXPECT_FALSE(fs::exists(folder_ / "missing"));

  EXPECT_FALSE(takeScreenshot(drawHidingBar, folder_.string(), Resolution{64, 64}));
  EXPECT_TRUE(fs::is_directory(folder_));
}

TEST_F(ScreenshotFileTest, AFailedFrameLeavesAnExistingFileAlone) {
  const fs::path path = folder_ / "kept.png";
  ASSERT_TRUE(takeScreenshot(drawHidingBar, path.string(), Resolution{64, 64}));
  const std::string kept = fileBytes(path);
  const auto failingFrame = [](host::Canvas &) { throw std::runtime_error("frame failed"); };

  EXPECT_THROW(takeScreenshot(failingFrame, path.string(), Resolution{64, 64}), std::runtime_error);
  EXPECT_EQ(fileBytes(path), kept);
}

} // namespace
} // namespace corvane::screenshot

// sim_screenshot and --resolution as a person uses them: the built plugin's
// hiding bar rendered by corvane-sim's console into a PNG.
#include <host/session/simulator.h>
#include <host/tools/options/option_table.h>
#include <host/tools/screenshot/screenshot.h>

#include <filesystem>
#include <sstream>

#include <gtest/gtest.h>

#include "png_reader.h"
#include "scratch_folder.h"

namespace corvane::screenshot {
namespace {

namespace fs = std::filesystem;
using corvane::Outcome;
using testing::readPng;
using testing::Rgb;

constexpr Rgb kBlack{0, 0, 0};

class SimScreenshotTest : public testing::ScratchFolderTest {
protected:
  SimScreenshotTest()
      : ScratchFolderTest("vexlo-sim-screenshot"),
        simulator_(
            sim::SimulatorOptions{&out_, &err_, &trace_, false, {screenshots_.forSessions()}}) {}

  void SetUp() override {
    ScratchFolderTest::SetUp();
    ASSERT_TRUE(simulator_.load(VEXLO_PLUGIN_PATH)) << err_.str();
  }

  std::string pathOf(const std::string &name) const { return (folder_ / name).string(); }

  // The picture at `path` shows a bar `height` pixels high, the backdrop below.
  static void expectBarOfHeight(const std::string &path, int height) {
    const auto png = readPng(path);
    ASSERT_TRUE(png.has_value());
    EXPECT_EQ(png->pixel(1900, height - 1), kBlack);
    EXPECT_NE(png->pixel(1900, height), kBlack);
  }

  std::ostringstream out_;
  std::ostringstream err_;
  std::ostringstream trace_;
  ScreenshotExtension screenshots_;
  sim::Simulator simulator_;
};

TEST_F(SimScreenshotTest, RendersTheArmedBarIntoAPngAndSaysWhere) {
  const std::string path = pathOf("bar.png");
  ASSERT_EQ(
      simulator_.run("vexlo_simulate 1\nvexlo_hbtext \"Queue armed\"\nsim_screenshot " + path),
      Outcome::Success)
      << err_.str();

  EXPECT_NE(out_.str().find("screenshot: " + path + " (1920x1080)\n"), std::string::npos)
      << out_.str();
  std::istringstream lines(out_.str());
  for (std::string line; std::getline(lines, line);) {
    EXPECT_NE(line.rfind('[', 0), 0U) << line;
  }
  expectBarOfHeight(path, 60);
}

TEST_F(SimScreenshotTest, BarHeightSettingShowsInThePicture) {
  const std::string path = pathOf("short.png");
  ASSERT_EQ(simulator_.run("vexlo_simulate 1\nvexlo_hbheight 20\nsim_screenshot " + path),
            Outcome::Success)
      << err_.str();
  expectBarOfHeight(path, 20);
}

TEST_F(SimScreenshotTest, NothingArmedShowsOnlyTheBackdrop) {
  const std::string path = pathOf("idle.png");
  ASSERT_EQ(simulator_.run("sim_screenshot " + path), Outcome::Success) << err_.str();
  const auto png = readPng(path);
  ASSERT_TRUE(png.has_value());
  EXPECT_NE(png->pixel(1900, 10), kBlack);
}

TEST_F(SimScreenshotTest, ResolutionSetsThePictureSize) {
  screenshots_.setResolution(Resolution{800, 600});
  const std::string path = pathOf("small.png");
  ASSERT_EQ(simulator_.run("vexlo_simulate 1\nsim_screenshot " + path), Outcome::Success)
      << err_.str();
  EXPECT_NE(out_.str().find("(800x600)"), std::string::npos) << out_.str();
  const auto png = readPng(path);
  ASSERT_TRUE(png.has_value());
  EXPECT_EQ(png->width, 800);
  EXPECT_EQ(png->height, 600);
}

TEST_F(SimScreenshotTest, UnwritablePathIsAScriptErrorNamingTheLine) {
  const std::string path = pathOf("missing/bar.png");
  EXPECT_EQ(simulator_.run("vexlo_simulate 1\nsim_screenshot " + path, "look.cfg", 1),
            Outcome::BadInput);
  EXPECT_EQ(err_.str().rfind("look.cfg:2: cannot write " + path + ": ", 0), 0U) << err_.str();
  EXPECT_EQ(out_.str().find("screenshot:"), std::string::npos) << out_.str();
  EXPECT_FALSE(fs::exists(folder_ / "missing"));
}

// Text the font cannot draw is named once per run, each character with the
// font that drew it. Faults: boxes drawn in silence, the line repeated at
// every screenshot, or one fallback font sought for the whole text, which
// finds none for Hebrew and Japanese together (DejaVu Sans has the one,
// WenQuanYi Micro Hei the other) and draws boxes.
TEST_F(SimScreenshotTest, CharactersTheFontLacksAreNamedOnceWithTheFontThatDrewEach) {
  const std::string mono = "/usr/share/fonts/truetype/dejavu/DejaVuSansMono.ttf";
  const struct {
    std::string text;
    std::string said;
  } cases[] = {
      {"Queue \u05E7", "\u05E7 (U+05E7); drawn with DejaVu Sans"},
      {"\u65E5\u672C \u00FC \u2713 \u05E7",
       "\u65E5 (U+65E5), \u672C (U+672C); drawn with WenQuanYi Micro Hei Mono"}, // ק said already
  };
  if (!fs::exists(mono) || !fs::exists("/usr/share/fonts/truetype/wqy/wqy-microhei.ttc")) {
    GTEST_SKIP() << "needs fonts-dejavu-core and fonts-wqy-microhei";
  }
  sim::OptionTable options;
  screenshots_.addOptions(options);
  ASSERT_TRUE(options.parse({"--font", mono})); // accepted
  for (const auto &row : cases) {
    err_.str("");
    ASSERT_EQ(simulator_.run("vexlo_simulate 1\nvexlo_hbtext \"" + row.text +
                             "\"\nsim_screenshot " + pathOf("a.png") + "\nsim_screenshot " +
                             pathOf("b.png")),
              Outcome::Success);
    EXPECT_EQ(err_.str(),
              "sim_screenshot: the font " + mono + " has no glyph for " + row.said + "\n")
        << row.text;
  }
}

TEST_F(SimScreenshotTest, WrongArgumentsShowTheUsage) {
  EXPECT_EQ(simulator_.run("sim_screenshot"), Outcome::BadInput);
  EXPECT_EQ(simulator_.run("sim_screenshot a.png b.png"), Outcome::BadInput);
  EXPECT_NE(err_.str().find("sim_screenshot FILE.png"), std::string::npos) << err_.str();
}

TEST(ResolutionOptionTest, SetsTheSizeOrExplainsTheMistake) {
  sim::OptionTable table;
  ScreenshotExtension screenshots;
  screenshots.addOptions(table);

  const auto good = table.parse({"--resolution", "1280x720", "plugin.so"});
  ASSERT_TRUE(good);
  EXPECT_EQ(screenshots.resolution(), (Resolution{1280, 720}));

  const auto bad = table.parse({"--resolution", "big"});
  ASSERT_FALSE(bad);
  EXPECT_NE(bad.error().message.find("WxH"), std::string::npos);
  EXPECT_EQ(screenshots.resolution(), (Resolution{1280, 720}));
}

} // namespace
} // namespace corvane::screenshot

// What a frame looks like in its screenshot, read back from the PNG: boxes,
// text, colours, clipping and the font.
#include <host/session/engine/canvas.h>
#include <host/tools/screenshot/screenshot.h>

#include <cmath>
#include <filesystem>
#include <functional>
#include <limits>
#include <optional>
#include <string>

#include <gtest/gtest.h>

#include "png_reader.h"
#include "scratch_folder.h"

namespace corvane::screenshot {
namespace {

using testing::DecodedPng;
using testing::Rgb;
using Frame = std::function<void(host::Canvas &)>;

constexpr int kWidth = 640;
constexpr int kHeight = 360;
constexpr Rgb kBlack{0, 0, 0};
constexpr LinearColor kOpaqueBlack{0.0F, 0.0F, 0.0F, 255.0F};
constexpr LinearColor kOpaqueRed{255.0F, 0.0F, 0.0F, 255.0F};
constexpr LinearColor kOpaqueWhite{255.0F, 255.0F, 255.0F, 255.0F};
constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();
constexpr float kInfinity = std::numeric_limits<float>::infinity();

// The smallest rectangle holding every pixel that differs from `before`.
struct Ink {
  int count = 0;
  int left = kWidth;
  int top = kHeight;
  int right = -1; // inclusive
  int bottom = -1;
  int width() const { return right - left + 1; }
  int height() const { return bottom - top + 1; }
};

Ink inkBetween(const DecodedPng &before, const DecodedPng &after) {
  Ink ink;
  for (int y = 0; y < after.height; ++y) {
    for (int x = 0; x < after.width; ++x) {
      if (!(before.pixel(x, y) == after.pixel(x, y))) {
        ++ink.count;
        ink.left = std::min(ink.left, x);
        ink.top = std::min(ink.top, y);
        ink.right = std::max(ink.right, x);
        ink.bottom = std::max(ink.bottom, y);
      }
    }
  }
  return ink;
}

class PngCanvasTest : public testing::ScratchFolderTest {
protected:
  PngCanvasTest() : ScratchFolderTest("vexlo-png-canvas") {}

  void SetUp() override {
    ScratchFolderTest::SetUp();
    blank_ = shoot([](host::Canvas & /*canvas*/) {});
  }

  // The screenshot of one frame, as its PNG file reads back.
  DecodedPng shoot(const Frame &frame) {
    const std::string path = (folder_ / "frame.png").string();
    EXPECT_TRUE(takeScreenshot(frame, path, Resolution{kWidth, kHeight}));
    std::optional<DecodedPng> png = testing::readPng(path);
    EXPECT_TRUE(png.has_value());
    return png.value_or(DecodedPng{});
  }

  // What `frame` drew over the backdrop; its picture is left in picture_.
  Ink inkOf(const Frame &frame) {
    picture_ = shoot(frame);
    return inkBetween(blank_, picture_);
  }

  // The ink of `text` at `pen`, scaled `scaleX` across and `scaleY` down,
  // with a drop shadow when `shadow`.
  Ink drawTextScaled(Vector2F pen, const std::string &text, float scaleX, float scaleY,
                     bool shadow = false, LinearColor color = kOpaqueRed) {
    return inkOf([&](host::Canvas &canvas) {
      canvas.SetColor(color);
      canvas.SetPosition(pen);
      canvas.DrawString(text, scaleX, scaleY, shadow, false);
    });
  }

  Ink drawText(Vector2F pen, const std::string &text, float scale, LinearColor color = kOpaqueRed) {
    return drawTextScaled(pen, text, scale, scale, false, color);
  }

  // The ink of one box of `size` at `pen` in `color`.
  Ink fillBox(Vector2F pen, Vector2F size, LinearColor color = kOpaqueBlack) {
    return inkOf([&](host::Canvas &canvas) {
      canvas.SetPosition(pen);
      canvas.SetColor(color);
      canvas.FillBox(size);
    });
  }

  Rgb backdropAt(int x, int y) const { return blank_.pixel(x, y); }

  DecodedPng blank_;
  DecodedPng picture_;
};

using PngCanvasBoxTest = PngCanvasTest;

TEST_F(PngCanvasBoxTest, BarAcrossTheTopIsBlackInsideAndBackdropOutside) {
  // wider than the image, as the plugin draws it
  const Ink ink = fillBox({0.0F, 0.0F}, {5120.0F, 60.0F});

  EXPECT_EQ(picture_.pixel(0, 0), kBlack);
  EXPECT_EQ(picture_.pixel(kWidth - 1, 59), kBlack);
  EXPECT_EQ(picture_.pixel(0, 60), backdropAt(0, 60));
  EXPECT_EQ(picture_.pixel(kWidth - 1, kHeight - 1), backdropAt(kWidth - 1, kHeight - 1));
  EXPECT_EQ(ink.count, kWidth * 60);
}

TEST_F(PngCanvasBoxTest, EdgesRoundToTheNearestPixelLine) {
  // covers x 10.4..14.6 and y 20.6..22.6
  const Ink ink = fillBox({10.4F, 20.6F}, {4.2F, 2.0F});

  EXPECT_EQ(ink.left, 10);
  EXPECT_EQ(ink.right, 14);
  EXPECT_EQ(ink.top, 21);
  EXPECT_EQ(ink.bottom, 22);
  EXPECT_EQ(ink.count, 5 * 2); // every pixel inside is wholly black, none smoothed
  EXPECT_EQ(picture_.pixel(10, 21), kBlack);
  EXPECT_EQ(picture_.pixel(14, 22), kBlack);
}

TEST_F(PngCanvasBoxTest, EmptyOrInvalidBoxesDrawNothing) {
  const Ink ink = inkOf([](host::Canvas &canvas) {
    canvas.SetColor(kOpaqueBlack);
    canvas.SetPosition({0.0F, 0.0F});
    canvas.FillBox({5120.0F, 0.0F});
    canvas.FillBox({0.0F, 60.0F});
    canvas.FillBox({100.0F, -60.0F});
    canvas.FillBox({kNaN, 60.0F});
    canvas.SetPosition({kNaN, 0.0F});
    canvas.FillBox({100.0F, 60.0F});
    canvas.SetPosition({kWidth + 10.0F, 0.0F});
    canvas.FillBox({100.0F, 60.0F});
  });
  EXPECT_EQ(ink.count, 0);
}

TEST_F(PngCanvasBoxTest, BoxesFarLargerThanTheImageAreClipped) {
  EXPECT_EQ(fillBox({-1.0e9F, -1.0e9F}, {kInfinity, kInfinity}).count, kWidth * kHeight);
  EXPECT_EQ(picture_.pixel(kWidth - 1, kHeight - 1), kBlack);
}

TEST_F(PngCanvasBoxTest, OpacityBlendsWithTheBackdrop) {
  EXPECT_EQ(fillBox({0.0F, 0.0F}, {100.0F, 100.0F}, {0.0F, 0.0F, 0.0F, 0.0F}).count, 0);

  fillBox({0.0F, 0.0F}, {100.0F, 100.0F}, {255.0F, 255.0F, 255.0F, 127.5F});
  const Rgb under = backdropAt(0, 0);
  const Rgb half = picture_.pixel(0, 0);
  EXPECT_NEAR(half.r, (under.r + 255) / 2.0, 1.0);
  EXPECT_NEAR(half.b, (under.b + 255) / 2.0, 1.0);
}

TEST_F(PngCanvasBoxTest, ColourComponentsOutsideTheScaleAreClamped) {
  fillBox({0.0F, 0.0F}, {1.0F, 1.0F}, {300.0F, -5.0F, kNaN, 1000.0F});
  EXPECT_EQ(picture_.pixel(0, 0), (Rgb{255, 0, 0}));
}

using PngCanvasTextTest = PngCanvasTest;

TEST_F(PngCanvasTextTest, TextIsDrawnInItsColourJustBelowAndRightOfThePen) {
  const Ink ink = drawText({100.0F, 50.0F}, "Queue armed", 1.0F);

  ASSERT_GT(ink.count, 0);
  EXPECT_GE(ink.left, 100);
  EXPECT_LE(ink.left, 103);
  EXPECT_GE(ink.top, 50);
  EXPECT_LE(ink.top, 54);
  EXPECT_LE(ink.bottom, 50 + 16); // one line of about 12 px type
  bool sawTextColour = false;
  for (int y = ink.top; y <= ink.bottom; ++y) {
    for (int x = ink.left; x <= ink.right; ++x) {
      const Rgb pixel = picture_.pixel(x, y);
      const Rgb under = backdropAt(x, y);
      // Red blended over the backdrop: red rises, green and blue fall.
      EXPECT_GE(pixel.r, under.r);
      EXPECT_LE(pixel.g, under.g);
      sawTextColour = sawTextColour || pixel == Rgb{255, 0, 0};
    }
  }
  EXPECT_TRUE(sawTextColour);
}

TEST_F(PngCanvasTextTest, TextGrowsWithItsScale) {
  const Ink small = drawText({10.0F, 10.0F}, "Queue armed", 1.0F);
  const Ink big = drawTextScaled({10.0F, 10.0F}, "Queue armed", 3.3F, 3.3F);

  EXPECT_NEAR(static_cast<double>(big.width()) / small.width(), 3.3, 0.4);
  EXPECT_NEAR(static_cast<double>(big.height()) / small.height(), 3.3, 0.6);
}

TEST_F(PngCanvasTextTest, HorizontalAndVerticalScalesStretchSeparately) {
  const Ink square = drawTextScaled({10.0F, 10.0F}, "Queue armed", 1.0F, 1.0F);
  const Ink stretched = drawTextScaled({10.0F, 10.0F}, "Queue armed", 2.0F, 1.0F);

  EXPECT_NEAR(static_cast<double>(stretched.width()) / square.width(), 2.0, 0.3);
  EXPECT_NEAR(stretched.height(), square.height(), 1);
}

TEST_F(PngCanvasTextTest, TextPastTheRightAndBottomEdgesIsClipped) {
  const Ink ink = drawText({kWidth - 40.0F, kHeight - 20.0F}, "Queue armed", 5.0F);
  EXPECT_GT(ink.count, 0);
  EXPECT_EQ(ink.right, kWidth - 1);
  EXPECT_EQ(ink.bottom, kHeight - 1);
}

TEST_F(PngCanvasTextTest, TextStartingAboveOrLeftOfTheImageShowsItsVisiblePart) {
  // W's diagonals leave no column without ink, whatever the cut.
  const Ink ink = drawText({-30.0F, -10.0F}, "WWWWWWWW", 3.0F);
  EXPECT_GT(ink.count, 0);
  EXPECT_EQ(ink.left, 0);
  EXPECT_EQ(ink.top, 0);
}

TEST_F(PngCanvasTextTest, NothingIsDrawnForEmptyInvisibleOrOffImageText) {
  EXPECT_EQ(drawText({10.0F, 10.0F}, "", 3.0F).count, 0);
  EXPECT_EQ(drawText({10.0F, 10.0F}, "Queue armed", 3.0F, {255.0F, 0.0F, 0.0F, 0.0F}).count, 0);
  EXPECT_EQ(drawText({10.0F, 10.0F}, "Queue armed", 0.0F).count, 0);
  EXPECT_EQ(drawText({10.0F, 10.0F}, "Queue armed", -2.0F).count, 0);
  EXPECT_EQ(drawText({10.0F, 10.0F}, "Queue armed", kNaN).count, 0);
  EXPECT_EQ(drawText({kWidth + 1.0F, 10.0F}, "Queue armed", 3.0F).count, 0);
  EXPECT_EQ(drawText({10.0F, kHeight + 1.0F}, "Queue armed", 3.0F).count, 0);
  EXPECT_EQ(drawText({10.0F, -500.0F}, "Queue armed", 3.0F).count, 0);
  EXPECT_EQ(drawText({kNaN, 10.0F}, "Queue armed", 3.0F).count, 0);
}

TEST_F(PngCanvasTextTest, HugeScalesAndLongTextsDoNotCrash) {
  // Capped at kMaxTextPixels; raised so the first glyph's body crosses the image.
  EXPECT_GT(drawText({0.0F, -3000.0F}, "Queue armed", 1.0e6F).count, 0);
  EXPECT_GT(drawText({0.0F, 0.0F}, std::string(5000, 'W'), 10.0F).count, 0);
}

TEST_F(PngCanvasTextTest, MalformedUtf8IsDrawnWithoutCrashing) {
  EXPECT_GT(drawText({10.0F, 10.0F}, "\xff\xc3 caf\xc3\xa9\xe2\x82", 2.0F).count, 0);
}

TEST_F(PngCanvasTextTest, DropShadowAddsDarkPixelsBelowAndRight) {
  const Ink plain = drawText({10.0F, 10.0F}, "Queue armed", 3.0F, kOpaqueWhite);
  const Ink withShadow =
      drawTextScaled({10.0F, 10.0F}, "Queue armed", 3.0F, 3.0F, true, kOpaqueWhite);

  EXPECT_GT(withShadow.count, plain.count);
  EXPECT_GT(withShadow.right, plain.right);
  EXPECT_GT(withShadow.bottom, plain.bottom);
}

TEST_F(PngCanvasTest, MissingFontFileIsNamedInTheErrorAndNothingIsWritten) {
  const std::string missing = "/nonexistent/fonts/DejaVuSans.ttf";
  const std::string path = (folder_ / "no-font.png").string();
  const auto refused = takeScreenshot([](host::Canvas &) {}, path, Resolution{64, 64}, missing);
  ASSERT_FALSE(refused) << "a missing font was accepted";
  EXPECT_EQ(refused.error().message, "missing font file " + missing);
  EXPECT_FALSE(std::filesystem::exists(path));
}

TEST_F(PngCanvasTest, FileThatIsNoFontIsRefused) {
  EXPECT_FALSE(takeScreenshot([](host::Canvas &) {}, (folder_ / "x.png").string(),
                              Resolution{64, 64}, __FILE__));
}

} // namespace
} // namespace corvane::screenshot

// TextRenderer: draws a line of text into an image with a TrueType font.
#pragma once

#include <memory>
#include <string>
#include <string_view>

#include <corvane/value_types.h>

#include "image.h"

namespace corvane::screenshot {

// The font text is drawn with unless another is named: the first of the
// system's usual fonts that is there (DejaVu Sans on Linux; Segoe UI, then
// Arial, in Windows' Fonts folder), else the first of them, which a renderer
// then reports as missing.
std::string defaultFontPath();

// The em size, in pixels, of text at scale 1. The game's small console text
// is about 12 px on a 1080-line screen, so a scale picked on a screenshot
// reads the same size in the game.
inline constexpr float kBaseTextPixels = 12.0F;

// Text is never rasterised larger than this; anything bigger already
// covers a whole screen, and the cap keeps glyph bitmaps small.
inline constexpr float kMaxTextPixels = 4096.0F;

class TextRenderer {
public:
  // Loads the font at `fontPath` (UTF-8). Throws ScreenshotError naming the
  // file when it is missing or is not a font FreeType can read.
  explicit TextRenderer(const std::string &fontPath = defaultFontPath());
  ~TextRenderer();
  TextRenderer(const TextRenderer &) = delete;
  TextRenderer &operator=(const TextRenderer &) = delete;

  // Draws `utf8` on one line with its top-left corner at `pen`, each glyph's
  // coverage blended in `color`. The em is kBaseTextPixels times `xScale`
  // wide and times `yScale` high. Glyphs past the image's edges are clipped;
  // a non-positive or non-finite scale or pen draws nothing. With
  // `dropShadow`, a black copy is drawn first, offset down and to the right.
  void draw(Image &image, Vector2F pen, std::string_view utf8, float xScale, float yScale,
            Rgba color, bool dropShadow = false);

private:
  struct FreeType;
  std::unique_ptr<FreeType> freeType_;
};

} // namespace corvane::screenshot

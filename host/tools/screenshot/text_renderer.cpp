// TextRenderer: FreeType lays out and rasterises the glyphs; this file only
// places their coverage bitmaps in the image.
#include "text_renderer.h"

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <string>

#include <ft2build.h>
#include FT_FREETYPE_H

#include "screenshot_error.h"
#include "utf8.h"

namespace corvane::screenshot {

namespace {

// FreeType's 26.6 fixed point: 64 units a pixel.
constexpr double kUnitsPerPixel = 64.0;
constexpr int kFractionBits = 6;
// At 72 dots per inch a point is a pixel, so char sizes are pixel sizes.
constexpr FT_UInt kPixelDpi = 72;
// Code points below this are control characters, which have no glyph.
constexpr char32_t kFirstPrintable = 0x20;
// A drop shadow sits this many pixels per scale unit below and right.
constexpr double kShadowPixelsPerScale = 1.0;
// A pen further than this left of or above the image draws nothing; the
// bound keeps pixel arithmetic far from overflow.
constexpr float kFarOutside = 1'000'000.0F;

FT_F26Dot6 toUnits(double pixels) {
  return static_cast<FT_F26Dot6>(std::lround(pixels * kUnitsPerPixel));
}

// Whole pixels from 26.6 units, rounded to nearest.
long roundUnits(FT_Pos units) { return (units + (1 << (kFractionBits - 1))) >> kFractionBits; }

// Whole pixels from 26.6 units, rounded up.
long ceilUnits(FT_Pos units) { return (units + (1 << kFractionBits) - 1) >> kFractionBits; }

bool isUsableScale(float scale) { return std::isfinite(scale) && scale > 0.0F; }

// Blends one rendered glyph bitmap with its top-left pixel at (left, top).
void blitGlyph(Image &image, const FT_Bitmap &bitmap, long left, long top, Rgba color) {
  const long rows = static_cast<long>(bitmap.rows);
  const long columns = static_cast<long>(bitmap.width);
  const long firstRow = std::max(0L, -top);
  const long lastRow = std::min(rows, image.height() - top);
  const long firstColumn = std::max(0L, -left);
  const long lastColumn = std::min(columns, image.width() - left);
  // A negative pitch means the rows are stored bottom-up.
  const long pitch = bitmap.pitch;
  for (long row = firstRow; row < lastRow; ++row) {
    const long stored = pitch >= 0 ? row : rows - 1 - row;
    const unsigned char *line = bitmap.buffer + stored * std::abs(pitch);
    for (long column = firstColumn; column < lastColumn; ++column) {
      image.blend(static_cast<int>(left + column), static_cast<int>(top + row), color,
                  line[column]);
    }
  }
}

} // namespace

struct TextRenderer::FreeType {
  FT_Library library = nullptr;
  FT_Face face = nullptr;

  ~FreeType() {
    if (face != nullptr) {
      FT_Done_Face(face);
    }
    if (library != nullptr) {
      FT_Done_FreeType(library);
    }
  }
};

TextRenderer::TextRenderer(const std::string &fontPath) : freeType_(std::make_unique<FreeType>()) {
  std::error_code ignored;
  if (!std::filesystem::is_regular_file(fontPath, ignored)) {
    throw ScreenshotError("missing font file " + fontPath + " (the DejaVu fonts are needed)");
  }
  if (FT_Init_FreeType(&freeType_->library) != 0) {
    throw ScreenshotError("cannot start FreeType to read " + fontPath);
  }
  const FT_Error error = FT_New_Face(freeType_->library, fontPath.c_str(), 0, &freeType_->face);
  if (error != 0) {
    freeType_->face = nullptr;
    throw ScreenshotError("cannot load font file " + fontPath + " (FreeType error " +
                          std::to_string(error) + ")");
  }
}

TextRenderer::~TextRenderer() = default;

void TextRenderer::draw(Image &image, Vector2F pen, std::string_view utf8, float xScale,
                        float yScale, Rgba color, bool dropShadow) {
  if (utf8.empty() || !isUsableScale(xScale) || !isUsableScale(yScale) || !std::isfinite(pen.X) ||
      !std::isfinite(pen.Y) || pen.X < -kFarOutside || pen.Y < -kFarOutside ||
      pen.X >= static_cast<float>(image.width()) || pen.Y >= static_cast<float>(image.height())) {
    return;
  }
  const double width = std::min<double>(kBaseTextPixels * xScale, kMaxTextPixels);
  const double height = std::min<double>(kBaseTextPixels * yScale, kMaxTextPixels);
  FT_Face face = freeType_->face;
  if (toUnits(width) < 1 || toUnits(height) < 1 ||
      FT_Set_Char_Size(face, toUnits(width), toUnits(height), kPixelDpi, kPixelDpi) != 0) {
    return;
  }

  if (dropShadow) {
    const double offset = std::max(1.0, std::round(kShadowPixelsPerScale * yScale));
    const Vector2F shadowPen{pen.X + static_cast<float>(offset),
                             pen.Y + static_cast<float>(offset)};
    draw(image, shadowPen, utf8, xScale, yScale, Rgba{0, 0, 0, color.a}, false);
  }

  const long top = std::lround(pen.Y);
  const long baseline = top + ceilUnits(face->size->metrics.ascender);
  const long bottom = baseline - ceilUnits(face->size->metrics.descender);
  if (bottom < 0) {
    return;
  }

  // The pen advances in 26.6 units so rounding does not add up along a line;
  // each glyph is placed at the nearest whole pixel.
  FT_Pos penUnits = toUnits(pen.X);
  FT_UInt previous = 0;
  const bool kerning = FT_HAS_KERNING(face);
  for (const char32_t code : decodeUtf8(utf8)) {
    if (code < kFirstPrintable) {
      continue;
    }
    const FT_UInt glyph = FT_Get_Char_Index(face, code);
    if (kerning && previous != 0 && glyph != 0) {
      FT_Vector delta{};
      FT_Get_Kerning(face, previous, glyph, FT_KERNING_DEFAULT, &delta);
      penUnits += delta.x;
    }
    previous = glyph;
    const long penX = roundUnits(penUnits);
    if (penX >= image.width()) {
      break; // every later glyph lies further right
    }
    if (FT_Load_Glyph(face, glyph, FT_LOAD_DEFAULT) != 0 ||
        FT_Render_Glyph(face->glyph, FT_RENDER_MODE_NORMAL) != 0) {
      continue;
    }
    const FT_GlyphSlot slot = face->glyph;
    blitGlyph(image, slot->bitmap, penX + slot->bitmap_left, baseline - slot->bitmap_top, color);
    penUnits += slot->advance.x;
  }
}

} // namespace corvane::screenshot

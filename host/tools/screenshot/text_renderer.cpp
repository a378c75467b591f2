// TextRenderer: FreeType lays out and rasterises the glyphs; this file only
// places their coverage bitmaps in the image.
#include "text_renderer.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

#if defined(_WIN32)
#include <windows.h>
#endif

#include <ft2build.h>
#include FT_FREETYPE_H

#include "host/session/platform/utf8_path.h"
#include "host/tools/common/utf8.h"
#include "screenshot_error.h"

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

#if defined(_WIN32)
constexpr std::array kFontFiles = {"segoeui.ttf", "arial.ttf"};
constexpr const char *kMissingDefaultFont = " (Windows' Fonts folder has neither segoeui.ttf nor "
                                            "arial.ttf; --font names another)";

std::vector<std::string> fontCandidates() {
  std::array<wchar_t, MAX_PATH> folder{};
  const UINT length = GetWindowsDirectoryW(folder.data(), static_cast<UINT>(folder.size()));
  const std::filesystem::path fonts =
      std::filesystem::path(std::wstring(folder.data(), length < folder.size() ? length : 0)) /
      L"Fonts";
  std::vector<std::string> candidates;
  for (const char *file : kFontFiles) {
    candidates.push_back(platform::utf8FromPath(fonts / file));
  }
  return candidates;
}
#else
constexpr const char *kMissingDefaultFont = " (the DejaVu fonts are needed)";

std::vector<std::string> fontCandidates() {
  return {"/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf"};
}
#endif

// The whole font file, read through a UTF-8 name (FreeType's own file
// access takes the ANSI code page on Windows); nothing when it cannot be
// read.
std::optional<std::vector<unsigned char>> readFontFile(const std::string &fontPath) {
  std::ifstream in(platform::pathFromUtf8(fontPath), std::ios::binary);
  if (!in) {
    return std::nullopt;
  }
  std::vector<unsigned char> bytes((std::istreambuf_iterator<char>(in)),
                                   std::istreambuf_iterator<char>());
  if (in.bad()) {
    return std::nullopt;
  }
  return bytes;
}

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

std::string defaultFontPath() {
  const std::vector<std::string> candidates = fontCandidates();
  for (const std::string &candidate : candidates) {
    std::error_code ignored;
    if (std::filesystem::is_regular_file(platform::pathFromUtf8(candidate), ignored)) {
      return candidate;
    }
  }
  return candidates.front();
}

struct TextRenderer::FreeType {
  FT_Library library = nullptr;
  FT_Face face = nullptr;
  // A face made from memory reads these bytes for as long as it lives.
  std::vector<unsigned char> fontBytes;

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
  if (!std::filesystem::is_regular_file(platform::pathFromUtf8(fontPath), ignored)) {
    throw ScreenshotError("missing font file " + fontPath +
                          (fontPath == defaultFontPath() ? kMissingDefaultFont : ""));
  }
  std::optional<std::vector<unsigned char>> bytes = readFontFile(fontPath);
  if (!bytes) {
    throw ScreenshotError("cannot read font file " + fontPath);
  }
  freeType_->fontBytes = std::move(*bytes);
  if (FT_Init_FreeType(&freeType_->library) != 0) {
    throw ScreenshotError("cannot start FreeType to read " + fontPath);
  }
  const FT_Error error =
      FT_New_Memory_Face(freeType_->library, freeType_->fontBytes.data(),
                         static_cast<FT_Long>(freeType_->fontBytes.size()), 0, &freeType_->face);
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
  for (const char32_t code : text::decodeUtf8(utf8)) {
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

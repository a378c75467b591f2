// Screenshots drawn with Cairo: a frame's canvas calls painted over a
// stand-in game picture, text in a font file FreeType opens.
#include <algorithm>
#include <cmath>
#include <filesystem>
#include <string>

#include <cairo-ft.h>
#include <fontconfig/fontconfig.h>

#include "host/session/engine/canvas.h"
#include "host/session/platform/utf8_path.h"
#include "host/tools/common/cairo_picture.h"
#include "host/tools/common/utf8.h"
#include "screenshot.h"

namespace corvane::screenshot {

namespace {

using picture::CairoPtr;

// The em of text at scale 1, as the game's console text on a 1080-line
// screen; text is at most a screen high, and none starts where Cairo's
// fixed-point coordinates overflow.
constexpr double kBaseTextPixels = 12.0;
constexpr double kMaxTextPixels = 4096.0;
constexpr float kFarOutside = 1'000'000.0F;
constexpr const char *kDefaultFont = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf";
const cairo_user_data_key_t kFreeTypeFaceKey{};

// The font file at `path` as a Cairo face; FreeType only opens the file.
CairoPtr<cairo_font_face_t> openFontFile(const std::string &path) {
  std::error_code ignored;
  if (!std::filesystem::is_regular_file(platform::pathFromUtf8(path), ignored)) {
    throw ScreenshotError("missing font file " + path +
                          (path == kDefaultFont ? " (the DejaVu fonts are needed)" : ""));
  }
  static FT_Library library = nullptr; // one for the process, as Cairo keeps faces
  FT_Face face = nullptr;
  FT_Error error = library == nullptr ? FT_Init_FreeType(&library) : 0;
  error = error != 0 ? error : FT_New_Face(library, path.c_str(), 0, &face);
  if (error != 0) {
    throw ScreenshotError(error == FT_Err_Unknown_File_Format
                              ? "not a font file: " + path
                              : "cannot load font file " + path + " (FreeType error " +
                                    std::to_string(error) + ")");
  }
  // Cairo's cache may keep its face past the screenshot: it frees FreeType's.
  CairoPtr<cairo_font_face_t> font(cairo_ft_font_face_create_for_ft_face(face, 0));
  if (cairo_font_face_set_user_data(font.get(), &kFreeTypeFaceKey, face, [](void *freeType) {
        FT_Done_Face(static_cast<FT_Face>(freeType));
      }) != CAIRO_STATUS_SUCCESS) {
    FT_Done_Face(face);
    throw ScreenshotError("cannot load font file " + path + " (Cairo cannot use it)");
  }
  return font;
}

// The first pixel line whose centre is at or past `edge`, kept just outside
// 0..limit so far-off or infinite edges stay in int range.
int firstCentreAtOrPast(double edge, int limit) {
  return static_cast<int>(std::clamp(std::ceil(edge - 0.5), -1.0, limit + 1.0));
}

// A frame as the game shows it: boxes and text blend in by their colour's
// A/255, clipped at the edges; the pen starts top left, the colour white.
class CairoCanvas final : public host::Canvas {
public:
  CairoCanvas(cairo_t *cr, Resolution size, cairo_font_face_t *font, MissingGlyphs &missing)
      : cr_(cr), size_(size), font_(font), missing_(missing) {}
  void SetPosition(Vector2F position) override { pen_ = position; }
  void SetColor(LinearColor color) override { color_ = color; }

  // Exactly the pixels whose centres lie inside the box, so each edge rounds
  // to the nearest pixel line.
  void FillBox(Vector2F size) override {
    const double right = static_cast<double>(pen_.X) + size.X;
    const double bottom = static_cast<double>(pen_.Y) + size.Y;
    if (std::isnan(pen_.X + pen_.Y + right + bottom)) {
      return;
    }
    const int x0 = firstCentreAtOrPast(pen_.X, size_.width);
    const int y0 = firstCentreAtOrPast(pen_.Y, size_.height);
    const int x1 = firstCentreAtOrPast(right, size_.width);
    const int y1 = firstCentreAtOrPast(bottom, size_.height);
    if (x1 > x0 && y1 > y0) {
      cairo_rectangle(cr_, x0, y0, x1 - x0, y1 - y0);
      picture::setColour(cr_, color_.R, color_.G, color_.B, color_.A);
      cairo_fill(cr_);
    }
  }

  // The pen is the text's top-left corner, the baseline the font's ascent
  // below it, on whole pixels. A line runs on past the right edge (`wrap`
  // has no effect); a drop shadow is a black copy below and to the right.
  void DrawString(const std::string &text, float xScale, float yScale, bool dropShadow,
                  bool /*wrap*/) override {
    cairo_matrix_t em;
    cairo_matrix_init_scale(&em, std::min(kBaseTextPixels * xScale, kMaxTextPixels),
                            std::min(kBaseTextPixels * yScale, kMaxTextPixels));
    if (!(em.xx >= 1.0 && em.yy >= 1.0 && std::isfinite(pen_.X) && std::isfinite(pen_.Y) &&
          pen_.X > -kFarOutside && pen_.Y > -kFarOutside)) {
      return; // also smaller than a pixel, which Cairo may refuse as a matrix
    }
    cairo_set_font_matrix(cr_, &em);
    cairo_font_extents_t font{};
    cairo_font_extents(cr_, &font);
    const std::string shown = text::drawableUtf8(text);
    useFallbackFor(shown);
    const auto show = [&](double offset, LinearColor color) {
      cairo_move_to(cr_, std::round(pen_.X) + offset,
                    std::round(pen_.Y) + std::ceil(font.ascent) + offset);
      picture::setColour(cr_, color.R, color.G, color.B, color.A);
      cairo_show_text(cr_, shown.c_str());
    };
    if (dropShadow) {
      show(std::max(1.0, std::round(static_cast<double>(yScale))), {0.0F, 0.0F, 0.0F, color_.A});
    }
    show(0.0, color_);
    cairo_set_font_face(cr_, font_);
  }

private:
  // Whether the font file has no glyph for `code`: Cairo maps it to glyph 0.
  bool lacks(char32_t code) const {
    const std::string character = text::encodeUtf8({&code, 1});
    cairo_glyph_t *glyphs = nullptr;
    int count = 0;
    const cairo_status_t status = cairo_scaled_font_text_to_glyphs(
        cairo_get_scaled_font(cr_), 0.0, 0.0, character.data(), static_cast<int>(character.size()),
        &glyphs, &count, nullptr, nullptr, nullptr);
    const bool missing = status == CAIRO_STATUS_SUCCESS && count == 1 && glyphs[0].index == 0;
    cairo_glyph_free(glyphs);
    return missing;
  }

  // Notes the characters of `text` the font file lacks (glyph 0, as Cairo
  // maps them) and sets a system font that has them all, if there is one (the
  // context keeps it while it draws).
  void useFallbackFor(const std::string &text) {
    const std::u32string codes = text::decodeUtf8(text);
    bool lacking = false;
    for (const char32_t code : codes) {
      if (lacks(code)) {
        lacking = true;
        if (missing_.characters.find(code) == std::u32string::npos) {
          missing_.characters += code;
        }
      }
    }
    if (!lacking) {
      return;
    }
    FcCharSet *wanted = FcCharSetCreate();
    for (const char32_t code : codes) {
      FcCharSetAddChar(wanted, code);
    }
    FcPattern *pattern = FcPatternBuild(nullptr, FC_CHARSET, FcTypeCharSet, wanted, nullptr);
    FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
    FcDefaultSubstitute(pattern);
    FcResult result = FcResultNoMatch;
    FcPattern *match = FcFontMatch(nullptr, pattern, &result);
    FcCharSet *has = nullptr;
    FcChar8 *family = nullptr;
    // The best match may still lack some: then it is no help.
    if (match != nullptr && FcPatternGetCharSet(match, FC_CHARSET, 0, &has) == FcResultMatch &&
        FcCharSetIsSubset(wanted, has) != 0 &&
        FcPatternGetString(match, FC_FAMILY, 0, &family) == FcResultMatch) {
      missing_.drawnWith = reinterpret_cast<const char *>(family);
      const CairoPtr<cairo_font_face_t> fallback(cairo_ft_font_face_create_for_pattern(match));
      cairo_set_font_face(cr_, fallback.get());
    }
    FcPatternDestroy(match);
    FcPatternDestroy(pattern);
    FcCharSetDestroy(wanted);
  }

  cairo_t *cr_;
  Resolution size_;
  cairo_font_face_t *font_;
  MissingGlyphs &missing_;
  Vector2F pen_{0.0F, 0.0F};
  LinearColor color_{255.0F, 255.0F, 255.0F, 255.0F};
};

} // namespace

void checkFont(const std::string &fontPath) { openFontFile(fontPath); }

std::string takeScreenshot(const std::function<void(host::Canvas &)> &drawFrame,
                           const std::string &path, Resolution resolution,
                           const std::string &fontPath, MissingGlyphs *missing) {
  const std::string fontName = fontPath.empty() ? kDefaultFont : fontPath;
  const CairoPtr<cairo_font_face_t> font = openFontFile(fontName);
  const CairoPtr<cairo_surface_t> surface(
      cairo_image_surface_create(CAIRO_FORMAT_RGB24, resolution.width, resolution.height));
  const CairoPtr<cairo_t> cr(cairo_create(surface.get()));
  // The stand-in game: a calm vertical gradient of grey-blue, dark enough
  // for white or yellow text and light enough for a black bar or black text.
  const CairoPtr<cairo_pattern_t> backdrop(
      cairo_pattern_create_linear(0.0, 0.5, 0.0, resolution.height - 0.5));
  cairo_pattern_add_color_stop_rgb(backdrop.get(), 0.0, 112 / 255.0, 128 / 255.0, 150 / 255.0);
  cairo_pattern_add_color_stop_rgb(backdrop.get(), 1.0, 64 / 255.0, 76 / 255.0, 96 / 255.0);
  cairo_set_source(cr.get(), backdrop.get());
  cairo_paint(cr.get());
  cairo_set_antialias(cr.get(), CAIRO_ANTIALIAS_NONE); // for boxes: text keeps its own
  cairo_set_font_face(cr.get(), font.get());
  MissingGlyphs unused;
  MissingGlyphs &lacking = missing != nullptr ? *missing : unused;
  lacking.font = fontName;
  CairoCanvas canvas(cr.get(), resolution, font.get(), lacking);
  drawFrame(canvas);
  if (const auto problem = picture::writePng(cr.get(), surface.get(), path)) {
    throw ScreenshotError("cannot write " + path + ": " + problem->message);
  }
  return "screenshot: " + path + " (" + std::to_string(resolution.width) + "x" +
         std::to_string(resolution.height) + ")";
}

} // namespace corvane::screenshot

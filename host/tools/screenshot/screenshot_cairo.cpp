// Screenshots drawn with Cairo: a frame's canvas calls painted over a
// stand-in game picture, text in a font file as fontconfig reads it.
#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

#include <cairo-ft.h>
#include <fontconfig/fontconfig.h>

#include "host/base/utf8_path.h"
#include "host/session/engine/canvas.h"
#include "host/tools/drawing/cairo_picture.h"
#include "host/tools/text/utf8.h"
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

using FontPattern = std::unique_ptr<FcPattern, decltype(&FcPatternDestroy)>;

// The font file at `path` as fontconfig reads it: its family and the
// characters it has glyphs for.
Expected<FontPattern> readFontFile(const std::string &path) {
  std::error_code ignored;
  if (!std::filesystem::is_regular_file(platform::pathFromUtf8(path), ignored)) {
    return Error{ErrorKind::Unreadable,
                 "missing font file " + path +
                     (path == kDefaultFont ? " (the DejaVu fonts are needed)" : "")};
  }
  int faces = 0;
  FontPattern font(
      FcFreeTypeQuery(reinterpret_cast<const FcChar8 *>(path.c_str()), 0, nullptr, &faces),
      &FcPatternDestroy);
  if (font == nullptr) {
    const bool readable = std::ifstream(platform::pathFromUtf8(path)).is_open();
    return Error{ErrorKind::Unreadable,
                 (readable ? "not a font file: " : "cannot read font file ") + path};
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
  CairoCanvas(cairo_t *cr, Resolution size, cairo_font_face_t *font, const FcCharSet *has,
              MissingGlyphs &missing)
      : cr_(cr), size_(size), font_(font), has_(has), missing_(missing) {}
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
  // Notes the characters of `text` the font file lacks and sets a system
  // font that has them all, if there is one (the context keeps it while it
  // draws).
  void useFallbackFor(const std::string &text) {
    const std::unique_ptr<FcCharSet, decltype(&FcCharSetDestroy)> wanted(FcCharSetCreate(),
                                                                         &FcCharSetDestroy);
    bool lacking = false;
    for (const char32_t code : text::decodeUtf8(text)) {
      FcCharSetAddChar(wanted.get(), code);
      if (FcCharSetHasChar(has_, code) == FcFalse) {
        lacking = true;
        if (missing_.characters.find(code) == std::u32string::npos) {
          missing_.characters += code;
        }
      }
    }
    if (!lacking) {
      return;
    }
    const FontPattern pattern(
        FcPatternBuild(nullptr, FC_CHARSET, FcTypeCharSet, wanted.get(), nullptr),
        &FcPatternDestroy);
    FcConfigSubstitute(nullptr, pattern.get(), FcMatchPattern);
    FcDefaultSubstitute(pattern.get());
    FcResult result = FcResultNoMatch;
    const FontPattern match(FcFontMatch(nullptr, pattern.get(), &result), &FcPatternDestroy);
    FcCharSet *has = nullptr;
    FcChar8 *family = nullptr;
    // The best match may still lack some: then it is no help.
    if (match != nullptr &&
        FcPatternGetCharSet(match.get(), FC_CHARSET, 0, &has) == FcResultMatch &&
        FcCharSetIsSubset(wanted.get(), has) != 0 &&
        FcPatternGetString(match.get(), FC_FAMILY, 0, &family) == FcResultMatch) {
      missing_.drawnWith = reinterpret_cast<const char *>(family);
      const CairoPtr<cairo_font_face_t> fallback(
          cairo_ft_font_face_create_for_pattern(match.get()));
      cairo_set_font_face(cr_, fallback.get());
    }
  }

  cairo_t *cr_;
  Resolution size_;
  cairo_font_face_t *font_;
  const FcCharSet *has_; // the font file's characters
  MissingGlyphs &missing_;
  Vector2F pen_{0.0F, 0.0F};
  LinearColor color_{255.0F, 255.0F, 255.0F, 255.0F};
};

} // namespace

Failure checkFont(const std::string &fontPath) {
  const auto font = readFontFile(fontPath);
  return font ? Failure{} : font.error();
}

Expected<std::string> takeScreenshot(const std::function<void(host::Canvas &)> &drawFrame,
                                     const std::string &path, Resolution resolution,
                                     const std::string &fontPath, MissingGlyphs *missing) {
  const std::string fontName = fontPath.empty() ? kDefaultFont : fontPath;
  const auto file = readFontFile(fontName);
  if (!file) {
    return file.error();
  }
  FcCharSet *has = nullptr; // the pattern's own
  FcPatternGetCharSet(file->get(), FC_CHARSET, 0, &has);
  const CairoPtr<cairo_font_face_t> font(cairo_ft_font_face_create_for_pattern(file->get()));
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
  CairoCanvas canvas(cr.get(), resolution, font.get(), has, lacking);
  drawFrame(canvas);
  if (auto problem = withContext("cannot write " + path + ": ",
                                 picture::writePng(cr.get(), surface.get(), path))) {
    return *std::move(problem);
  }
  return "screenshot: " + path + " (" + std::to_string(resolution.width) + "x" +
         std::to_string(resolution.height) + ")";
}

} // namespace corvane::screenshot

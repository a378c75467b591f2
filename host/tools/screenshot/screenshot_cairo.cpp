// Screenshots drawn with Cairo: a frame's canvas calls painted over a
// stand-in game picture, text laid out by Pango in a font file, and each
// character that font lacks in a font of the system that has it.
#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <memory>

#include <fontconfig/fontconfig.h>
#include <pango/pangocairo.h>
#include <pango/pangofc-fontmap.h>

#include "host/base/utf8_path.h"
#include "host/session/engine/canvas.h"
#include "host/tools/drawing/cairo_picture.h"
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

template <typename T> using GPtr = std::unique_ptr<T, decltype(&g_object_unref)>;
using FontPattern = std::unique_ptr<FcPattern, decltype(&FcPatternDestroy)>;
using FontDescription =
    std::unique_ptr<PangoFontDescription, decltype(&pango_font_description_free)>;

// The font file at `path` as fontconfig reads it.
Expected<FontPattern> readFontFile(const std::string &path) {
  std::error_code ignored;
  const std::filesystem::path file = platform::pathFromUtf8(path);
  if (std::filesystem::is_directory(file, ignored)) {
    return Error{ErrorKind::Unreadable, "the font " + path + " is a folder, not a font file"};
  }
  if (!std::filesystem::is_regular_file(file, ignored)) {
    return Error{ErrorKind::Unreadable,
                 "missing font file " + path +
                     (path == kDefaultFont ? " (the DejaVu fonts are needed)" : "")};
  }
  FontPattern font(
      FcFreeTypeQuery(reinterpret_cast<const FcChar8 *>(path.c_str()), 0, nullptr, nullptr),
      &FcPatternDestroy);
  if (font == nullptr) {
    const bool readable = std::ifstream(file).is_open();
    return Error{ErrorKind::Unreadable,
                 (readable ? "not a font file: " : "cannot read font file ") + path};
  }
  return font;
}

// Pango's fonts: the system's, with the font file among them, so that
// characters it lacks come from the system's fonts.
GPtr<PangoFontMap> fontMapWith(const std::string &path) {
  FcConfig *config = FcInitLoadConfigAndFonts();
  FcConfigAppFontAddFile(config, reinterpret_cast<const FcChar8 *>(path.c_str()));
  GPtr<PangoFontMap> map(pango_cairo_font_map_new_for_font_type(CAIRO_FONT_TYPE_FT),
                         &g_object_unref);
  pango_fc_font_map_set_config(PANGO_FC_FONT_MAP(map.get()), config);
  FcConfigDestroy(config); // the font map keeps its own reference
  return map;
}

std::string familyOf(PangoFont *font) {
  const FontDescription described(pango_font_describe(font), &pango_font_description_free);
  const char *family = pango_font_description_get_family(described.get());
  return family != nullptr ? family : "";
}

// Notes each character of `line` that a font other than `primary` drew, or
// that no font had (an empty box), once.
void noteFallbacks(PangoLayoutLine *line, const std::string &text, const std::string &primary,
                   MissingGlyphs &missing) {
  for (GSList *node = line->runs; node != nullptr; node = node->next) {
    const auto *run = static_cast<PangoGlyphItem *>(node->data);
    const std::string family = familyOf(run->item->analysis.font);
    for (int glyph = 0; glyph < run->glyphs->num_glyphs; ++glyph) {
      const bool box = (run->glyphs->glyphs[glyph].glyph & PANGO_GLYPH_UNKNOWN_FLAG) != 0;
      if (!box && family == primary) {
        continue;
      }
      const char *at = text.c_str() + run->item->offset + run->glyphs->log_clusters[glyph];
      const auto code = static_cast<char32_t>(g_utf8_get_char(at));
      const bool seen = std::any_of(missing.characters.begin(), missing.characters.end(),
                                    [code](const MissingGlyph &m) { return m.code == code; });
      if (!seen && g_unichar_isgraph(code) != FALSE) { // a space goes with its neighbour
        missing.characters.push_back(
            {std::string(at, static_cast<const char *>(g_utf8_next_char(at))), code,
             box ? std::string() : family});
      }
    }
  }
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
  CairoCanvas(cairo_t *cr, Resolution size, PangoFontMap *fonts, const PangoFontDescription *font,
              MissingGlyphs &missing)
      : cr_(cr), size_(size), context_(pango_font_map_create_context(fonts), &g_object_unref),
        font_(font), primary_(pango_font_description_get_family(font)), missing_(missing) {
    pango_attr_list_insert(plainGlyphs_.get(),
                           pango_attr_font_features_new("kern 0, liga 0, clig 0"));
  }
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
    const double width = std::min(kBaseTextPixels * xScale, kMaxTextPixels);
    const double height = std::min(kBaseTextPixels * yScale, kMaxTextPixels);
    if (!(width >= 1.0 && height >= 1.0 && std::isfinite(pen_.X) && std::isfinite(pen_.Y) &&
          pen_.X > -kFarOutside && pen_.Y > -kFarOutside)) {
      return; // also smaller than a pixel
    }
    const std::string shown = picture::drawableText(text);
    FontDescription sized(pango_font_description_copy(font_), &pango_font_description_free);
    pango_font_description_set_absolute_size(sized.get(), height * PANGO_SCALE);
    pango_cairo_update_context(cr_, context_.get());
    const GPtr<PangoLayout> layout(pango_layout_new(context_.get()), &g_object_unref);
    pango_layout_set_font_description(layout.get(), sized.get());
    pango_layout_set_attributes(layout.get(), plainGlyphs_.get());
    pango_layout_set_text(layout.get(), shown.c_str(), static_cast<int>(shown.size()));
    PangoLayoutLine *line = pango_layout_get_line_readonly(layout.get(), 0);
    noteFallbacks(line, shown, primary_, missing_);
    const double ascent = std::ceil(ascentOf(sized.get()));
    // Pango sizes text by its height; a wider or narrower em is a stretch.
    cairo_save(cr_);
    cairo_scale(cr_, width / height, 1.0);
    const auto show = [&](double offset, LinearColor color) {
      cairo_move_to(cr_, (std::round(pen_.X) + offset) * height / width,
                    std::round(pen_.Y) + ascent + offset);
      picture::setColour(cr_, color.R, color.G, color.B, color.A);
      pango_cairo_show_layout_line(cr_, line);
    };
    if (dropShadow) {
      show(std::max(1.0, std::round(static_cast<double>(yScale))), {0.0F, 0.0F, 0.0F, color_.A});
    }
    show(0.0, color_);
    cairo_restore(cr_);
  }

private:
  // The primary font's ascent in pixels: the baseline does not move when a
  // character comes from a taller font.
  double ascentOf(const PangoFontDescription *sized) {
    const GPtr<PangoFont> font(pango_context_load_font(context_.get(), sized), &g_object_unref);
    PangoFontMetrics *metrics = pango_font_get_metrics(font.get(), nullptr);
    const double ascent = pango_font_metrics_get_ascent(metrics) / double{PANGO_SCALE};
    pango_font_metrics_unref(metrics);
    return ascent;
  }

  cairo_t *cr_;
  Resolution size_;
  GPtr<PangoContext> context_;
  // Each character its own glyph at its own advance, as the game's console
  // draws text: no kerning and no ligatures.
  std::unique_ptr<PangoAttrList, decltype(&pango_attr_list_unref)> plainGlyphs_{
      pango_attr_list_new(), &pango_attr_list_unref};
  const PangoFontDescription *font_; // the font file's family and style
  std::string primary_;
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
  const GPtr<PangoFontMap> fonts = fontMapWith(fontName);
  const FontDescription font(pango_fc_font_description_from_pattern(file->get(), FALSE),
                             &pango_font_description_free);
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
  MissingGlyphs unused;
  MissingGlyphs &lacking = missing != nullptr ? *missing : unused;
  lacking.font = fontName;
  CairoCanvas canvas(cr.get(), resolution, fonts.get(), font.get(), lacking);
  drawFrame(canvas);
  if (auto problem = withContext("cannot write " + path + ": ",
                                 picture::writePng(cr.get(), surface.get(), path))) {
    return *std::move(problem);
  }
  return "screenshot: " + path + " (" + std::to_string(resolution.width) + "x" +
         std::to_string(resolution.height) + ")";
}

} // namespace corvane::screenshot

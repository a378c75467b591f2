// Screenshots drawn with Cairo: a frame's canvas calls painted over a
// stand-in game picture, text in a font file FreeType opens, written as PNG.
#include <algorithm>
#include <array>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>

#include <cairo-ft.h>
#include <host/session/engine/canvas.h>

#include "host/session/platform/utf8_path.h"
#include "host/tools/common/utf8.h"
#include "screenshot.h"

namespace corvane::screenshot {

namespace {

// The em, in pixels, of text at scale 1: the game's small console text is
// about 12 px on a 1080-line screen, so a scale picked on a screenshot reads
// the same in the game. Text is drawn at most kMaxTextPixels (a screen) high.
constexpr double kBaseTextPixels = 12.0;
constexpr double kMaxTextPixels = 4096.0;
// A pen further than this left of or above the picture draws no text, far
// from where Cairo's fixed-point coordinates overflow.
constexpr float kFarOutside = 1'000'000.0F;
constexpr const char *kDefaultFont = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf";
const cairo_user_data_key_t kFreeTypeFaceKey{};

struct CairoDeleter {
  void operator()(cairo_font_face_t *face) const { cairo_font_face_destroy(face); }
  void operator()(cairo_pattern_t *pattern) const { cairo_pattern_destroy(pattern); }
  void operator()(cairo_surface_t *surface) const { cairo_surface_destroy(surface); }
  void operator()(cairo_t *cr) const { cairo_destroy(cr); }
};
template <typename T> using CairoPtr = std::unique_ptr<T, CairoDeleter>;

// Opens the font file at `path` (UTF-8), or throws ScreenshotError saying why.
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
    throw ScreenshotError("cannot load font file " + path + " (FreeType error " +
                          std::to_string(error) + ")");
  }
  // The Cairo face may outlive the screenshot in Cairo's cache: it frees the
  // FreeType face when it goes.
  CairoPtr<cairo_font_face_t> font(cairo_ft_font_face_create_for_ft_face(face, 0));
  if (cairo_font_face_set_user_data(font.get(), &kFreeTypeFaceKey, face, [](void *freeType) {
        FT_Done_Face(static_cast<FT_Face>(freeType));
      }) != CAIRO_STATUS_SUCCESS) {
    FT_Done_Face(face);
    throw ScreenshotError("cannot load font file " + path + " (Cairo cannot use it)");
  }
  return font;
}

// The text with control characters left out and each malformed sequence as
// U+FFFD: Cairo draws only valid UTF-8.
std::string printable(std::string_view utf8) {
  static constexpr std::array<char32_t, 4> kLead{0x00, 0xC0, 0xE0, 0xF0};
  std::string out;
  for (const char32_t code : text::decodeUtf8(utf8)) {
    const std::size_t extra = code < 0x80 ? 0 : code < 0x800 ? 1 : code < 0x10000 ? 2 : 3;
    if (code >= 0x20) { // the lead byte, then 6 bits a byte
      out += static_cast<char>(kLead.at(extra) | code >> (6 * extra));
      for (std::size_t shift = extra; shift-- > 0;) {
        out += static_cast<char>(0x80U | ((code >> (6 * shift)) & 0x3FU));
      }
    }
  }
  return out;
}

// A colour component on the host's 0..255 scale as Cairo's 0..1, clamped
// and NaN read as 0, so no setting a player types can wrap around.
double unit(float component) {
  return std::isnan(component) ? 0.0 : std::clamp(component, 0.0F, 255.0F) / 255.0;
}

// The first pixel line whose centre is at or past `edge`, kept just outside
// 0..limit so far-off or infinite edges stay in int range.
int firstCentreAtOrPast(double edge, int limit) {
  return static_cast<int>(std::clamp(std::ceil(edge - 0.5), -1.0, limit + 1.0));
}

// Draws what a frame draws, as the game would show it: boxes and text blend
// over the picture by their colour's A/255, clipped at the edges. The pen
// starts at the top-left corner, the colour opaque white.
class CairoCanvas final : public host::Canvas {
public:
  CairoCanvas(cairo_t *cr, Resolution size) : cr_(cr), size_(size) {
    cairo_set_antialias(cr_, CAIRO_ANTIALIAS_NONE); // for boxes: text keeps its own
  }
  void SetPosition(Vector2F position) override { pen_ = position; }
  void SetColor(LinearColor color) override { color_ = color; }

  // Exactly the pixels whose centres lie inside the box, unsmoothed, so each
  // edge rounds to the nearest pixel line; an empty box covers none.
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
      setSource(color_);
      cairo_fill(cr_);
    }
  }

  // The pen is the text's top-left corner and the baseline the font's ascent
  // below it, on whole pixels. `wrap` has no effect: a line runs on past the
  // right edge. A drop shadow is a black copy below and to the right.
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
    const std::string shown = printable(text);
    const double x = std::round(pen_.X);
    const double baseline = std::round(pen_.Y) + std::ceil(font.ascent);
    if (dropShadow) {
      const double offset = std::max(1.0, std::round(static_cast<double>(yScale)));
      show(shown, x + offset, baseline + offset, {0.0F, 0.0F, 0.0F, color_.A});
    }
    show(shown, x, baseline, color_);
  }

private:
  void setSource(LinearColor color) {
    cairo_set_source_rgba(cr_, unit(color.R), unit(color.G), unit(color.B), unit(color.A));
  }

  void show(const std::string &text, double x, double baseline, LinearColor color) {
    cairo_move_to(cr_, x, baseline);
    setSource(color);
    cairo_show_text(cr_, text.c_str());
  }

  cairo_t *cr_;
  Resolution size_;
  Vector2F pen_{0.0F, 0.0F};
  LinearColor color_{255.0F, 255.0F, 255.0F, 255.0F};
};

// The stand-in for the game: a calm vertical gradient of mid grey-blue, dark
// enough for white or yellow text, light enough for a black bar or black
// text, so every colour the plugin offers can be judged on it.
void paintBackdrop(cairo_t *cr, Resolution size) {
  const CairoPtr<cairo_pattern_t> gradient(
      cairo_pattern_create_linear(0.0, 0.5, 0.0, size.height - 0.5));
  cairo_pattern_add_color_stop_rgb(gradient.get(), 0.0, 112 / 255.0, 128 / 255.0, 150 / 255.0);
  cairo_pattern_add_color_stop_rgb(gradient.get(), 1.0, 64 / 255.0, 76 / 255.0, 96 / 255.0);
  cairo_set_source(cr, gradient.get());
  cairo_paint(cr);
}

cairo_status_t appendTo(void *closure, const unsigned char *data, unsigned int length) {
  static_cast<std::string *>(closure)->append(reinterpret_cast<const char *>(data), length);
  return CAIRO_STATUS_SUCCESS;
}

// Encoded in memory first, so a failure leaves no half-written file behind.
void writeFile(const std::string &path, const std::string &bytes) {
  errno = 0;
  std::FILE *file = platform::openForWriting(path);
  if (file == nullptr) {
    throw ScreenshotError("cannot write " + path + ": " + platform::errnoText(errno));
  }
  const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
  if (std::fclose(file) != 0 || !written) {
    const int why = errno != 0 ? errno : EIO;
    std::error_code ignored;
    std::filesystem::remove(platform::pathFromUtf8(path), ignored);
    throw ScreenshotError("cannot write " + path + ": " + platform::errnoText(why));
  }
}

} // namespace

bool screenshotsAvailable() { return true; }

std::string takeScreenshot(const std::function<void(host::Canvas &)> &drawFrame,
                           const std::string &path, Resolution resolution,
                           const std::string &fontPath) {
  const auto font = openFontFile(fontPath.empty() ? kDefaultFont : fontPath);
  const CairoPtr<cairo_surface_t> surface(
      cairo_image_surface_create(CAIRO_FORMAT_RGB24, resolution.width, resolution.height));
  const CairoPtr<cairo_t> cr(cairo_create(surface.get()));
  paintBackdrop(cr.get(), resolution);
  cairo_set_font_face(cr.get(), font.get());
  CairoCanvas canvas(cr.get(), resolution);
  drawFrame(canvas);
  std::string png;
  cairo_status_t status = cairo_status(cr.get());
  if (status == CAIRO_STATUS_SUCCESS) {
    status = cairo_surface_write_to_png_stream(surface.get(), &appendTo, &png);
  }
  if (status != CAIRO_STATUS_SUCCESS) {
    throw ScreenshotError("cannot write " + path + ": " + cairo_status_to_string(status));
  }
  writeFile(path, png);
  return "screenshot: " + path + " (" + std::to_string(resolution.width) + "x" +
         std::to_string(resolution.height) + ")";
}

} // namespace corvane::screenshot

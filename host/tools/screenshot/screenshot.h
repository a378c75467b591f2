// Screenshots of one simulated frame: the size option and the command's work.
#pragma once

#include <functional>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

namespace corvane::host {
class Canvas;
}

namespace corvane::screenshot {

// Why a screenshot could not be made: a complete message for a person,
// shown as it is after the console's FILE:LINE.
class ScreenshotError : public std::runtime_error {
public:
  using std::runtime_error::runtime_error;
};

// The size of a screenshot, in pixels.
struct Resolution {
  int width;
  int height;

  friend bool operator==(const Resolution &, const Resolution &) = default;
};

// The screen the simulated game is taken to have unless told otherwise.
inline constexpr Resolution kDefaultResolution{1920, 1080};
// Neither side may exceed this: an 8K screen, a picture of about 256 MiB.
inline constexpr int kMaxResolutionSide = 8192;

// Reads "WxH" (e.g. "1280x720"): two decimal numbers in 1..kMaxResolutionSide
// joined by 'x' or 'X', nothing else. Empty when `text` is anything else.
std::optional<Resolution> parseResolution(std::string_view text);

// Whether this build can take screenshots (Cairo and FreeType were found).
bool screenshotsAvailable();

// The characters of a screenshot's text its font file has no glyph for, in
// the order met, and the font of the system that drew them instead (empty:
// none has them all, and they show as the font's empty boxes).
struct MissingGlyphs {
  std::u32string characters;
  std::string drawnWith;
  std::string font; // the font file
};

// Why the font file `fontPath` cannot draw text ("missing font file ...",
// "not a font file: ..."); nothing when it can, or when this build draws
// no screenshots.
std::optional<std::string> refuseFont(const std::string &fontPath);

// Paints the backdrop, lets `drawFrame` draw one frame on a canvas of
// `resolution`, and writes the picture to `path` (relative to the working
// folder) as a PNG. Text is drawn with the font file `fontPath`, or the
// system's usual font when it is empty; text with a character that font
// lacks is drawn with a font of the system that has them all, and
// `missing`, when given, says which. Returns the line the simulator
// prints on success, "screenshot: PATH (WxH)". Throws ScreenshotError with a
// message for a person when the font is missing, the file cannot be written
// or this build has no screenshots; then no file is written.
std::string takeScreenshot(const std::function<void(host::Canvas &)> &drawFrame,
                           const std::string &path, Resolution resolution,
                           const std::string &fontPath = {}, MissingGlyphs *missing = nullptr);

} // namespace corvane::screenshot

// The simulator's screenshots of one frame: `--resolution WxH` sets the size
// of every screenshot of the run, `--font FILE` the font of their text, and
// `sim_screenshot FILE` renders one frame into FILE as a PNG and prints
// "screenshot: FILE (WxH)".
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "host/session/console/console.h"
#include "host/tools/program/extension.h"

namespace corvane::screenshot {

struct Resolution {
  int width;
  int height;

  friend bool operator==(const Resolution &, const Resolution &) = default;
};

inline constexpr Resolution kDefaultResolution{1920, 1080};
// Neither side may exceed this: an 8K screen, a picture of about 256 MiB.
inline constexpr int kMaxResolutionSide = 8192;

// "WxH" (or "WXH"), each side a decimal number in 1..kMaxResolutionSide.
std::optional<Resolution> parseResolution(std::string_view text);

bool screenshotsAvailable(); // Cairo, Pango and fontconfig were found

// A character of a screenshot's text that its font file has no glyph for,
// and the system font that drew it instead (empty: none has it, and it
// shows as an empty box).
struct MissingGlyph {
  std::string character; // as UTF-8
  char32_t code;
  std::string drawnWith;
};

// Those characters, each once, in the order met.
struct MissingGlyphs {
  std::vector<MissingGlyph> characters;
  std::string font; // the font file
};

// Why the font file `fontPath` cannot draw text (nothing in a build without
// screenshots).
Failure checkFont(const std::string &fontPath);

// Paints the backdrop, lets `drawFrame` draw on a canvas of `resolution`,
// with text in the font file `fontPath` (empty: the system's usual font),
// and writes the picture to `path` as a PNG; `missing`, when given, says
// which characters that font lacked. Gives "screenshot: PATH (WxH)", or
// why it could not be done, when it has written no file.
Expected<std::string> takeScreenshot(const std::function<void(host::Canvas &)> &drawFrame,
                                     const std::string &path, Resolution resolution,
                                     const std::string &fontPath = {},
                                     MissingGlyphs *missing = nullptr);

class ScreenshotExtension final : public sim::Extension {
public:
  void addOptions(sim::OptionTable &table) override;
  void attach(sim::Simulator &simulator) override;
  Failure refuseToStart(sim::Simulator &simulator) override;

  Resolution resolution() const { return resolution_; }
  void setResolution(Resolution resolution) { resolution_ = resolution; }

private:
  console::CommandResult screenshot(console::Console &console, const console::Words &words);
  void reportMissing(console::Console &console, const MissingGlyphs &missing);

  Resolution resolution_ = kDefaultResolution;
  std::string font_;        // empty: the system's usual font
  std::u32string reported_; // characters without a glyph, said once
};

} // namespace corvane::screenshot

// Screenshots: the resolution option, and the refusal of a build without
// Cairo and FreeType (screenshot_cairo.cpp draws when the build has them).
#include "screenshot.h"

#include <charconv>

namespace corvane::screenshot {

namespace {

// A side in 1..kMaxResolutionSide written in plain decimal digits (no sign
// but a minus, which the range refuses; no spaces).
std::optional<int> parseSide(std::string_view text) {
  int value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc{} || end != text.data() + text.size() || value < 1 ||
      value > kMaxResolutionSide) {
    return std::nullopt;
  }
  return value;
}

} // namespace

std::optional<Resolution> parseResolution(std::string_view text) {
  const std::size_t cross = text.find_first_of("xX");
  const std::optional<int> width = parseSide(text.substr(0, cross));
  const std::optional<int> height =
      cross == std::string_view::npos ? std::nullopt : parseSide(text.substr(cross + 1));
  if (!width || !height) {
    return std::nullopt;
  }
  return Resolution{*width, *height};
}

#if !VEXLO_SCREENSHOTS

bool screenshotsAvailable() { return false; }

std::optional<std::string> refuseFont(const std::string & /*fontPath*/) { return std::nullopt; }

std::string takeScreenshot(const std::function<void(host::Canvas &)> & /*drawFrame*/,
                           const std::string & /*path*/, Resolution /*resolution*/,
                           const std::string & /*fontPath*/, MissingGlyphs * /*missing*/) {
  throw ScreenshotError("screenshots are not available in this build");
}

#endif

} // namespace corvane::screenshot

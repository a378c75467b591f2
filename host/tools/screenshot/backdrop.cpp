// The screenshot backdrop: a vertical gradient between two grey-blues.
#include "backdrop.h"

#include <cmath>

namespace corvane::screenshot {

namespace {

std::uint8_t lerp(std::uint8_t top, std::uint8_t bottom, double t) {
  return static_cast<std::uint8_t>(std::lround(top + (bottom - top) * t));
}

} // namespace

void paintBackdrop(Image &image) {
  const int rows = image.height();
  for (int y = 0; y < rows; ++y) {
    const double t = rows > 1 ? static_cast<double>(y) / (rows - 1) : 0.0;
    const Rgb row{lerp(kBackdropTop.r, kBackdropBottom.r, t),
                  lerp(kBackdropTop.g, kBackdropBottom.g, t),
                  lerp(kBackdropTop.b, kBackdropBottom.b, t)};
    for (int x = 0; x < image.width(); ++x) {
      image.setPixel(x, y, row);
    }
  }
}

} // namespace corvane::screenshot

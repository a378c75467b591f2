// Image: the RGB picture a screenshot is rendered into, with alpha blending
// and clipped box fills.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include <corvane/value_types.h>

namespace corvane::screenshot {

// One opaque pixel.
struct Rgb {
  std::uint8_t r;
  std::uint8_t g;
  std::uint8_t b;

  friend bool operator==(const Rgb &, const Rgb &) = default;
};

// A drawing colour with straight (not premultiplied) opacity.
struct Rgba {
  std::uint8_t r;
  std::uint8_t g;
  std::uint8_t b;
  std::uint8_t a;

  friend bool operator==(const Rgba &, const Rgba &) = default;
};

// The host's colour on 8 bits: each component rounded and clamped to 0..255,
// NaN read as 0, so no setting a player types can wrap around.
Rgba toRgba(LinearColor color);

// A picture with no transparency of its own: the game behind the canvas is
// opaque, so whatever is drawn blends onto a solid backdrop.
class Image {
public:
  // The largest side accepted; covers an 8K screen and keeps the buffer near 200 MiB.
  static constexpr int kMaxSide = 8192;

  // A black image. Throws std::invalid_argument unless both sides are in
  // 1..kMaxSide.
  Image(int width, int height);

  int width() const { return width_; }
  int height() const { return height_; }

  // The pixel at (x, y); both must be inside the image.
  Rgb pixel(int x, int y) const;
  void setPixel(int x, int y, Rgb color);

  // Blends `color` over (x, y) at its opacity times coverage/255. Points
  // outside the image are ignored, so callers may draw past the edges.
  void blend(int x, int y, Rgba color, std::uint8_t coverage = 255);

  // Blends `color` over every pixel with x0 <= x < x1 and y0 <= y < y1, the
  // part outside the image left out. An empty or inverted range draws nothing.
  void fillRect(int x0, int y0, int x1, int y1, Rgba color);

  // Rows top to bottom, three bytes a pixel, no padding.
  const std::vector<std::uint8_t> &rgbBytes() const { return bytes_; }

private:
  std::size_t offset(int x, int y) const;

  int width_;
  int height_;
  std::vector<std::uint8_t> bytes_;
};

} // namespace corvane::screenshot

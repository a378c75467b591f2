// Image: pixel storage, 8-bit alpha blending and clipped rectangle fills.
#include "image.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>
#include <string>

namespace corvane::screenshot {

namespace {

constexpr int kBytesPerPixel = 3;
constexpr std::uint32_t kFull = 255;
// Opacity times coverage: full is 255 * 255.
constexpr std::uint32_t kFullWeight = kFull * kFull;

std::uint8_t toByte(float component) {
  if (std::isnan(component)) {
    return 0;
  }
  const float clamped = std::clamp(component, 0.0F, static_cast<float>(kFull));
  return static_cast<std::uint8_t>(std::lround(clamped));
}

// Mixes src over dst by weight/kFullWeight, rounded to nearest.
std::uint8_t mix(std::uint8_t src, std::uint8_t dst, std::uint32_t weight) {
  const std::uint32_t sum = src * weight + dst * (kFullWeight - weight) + kFullWeight / 2;
  return static_cast<std::uint8_t>(sum / kFullWeight);
}

} // namespace

Rgba toRgba(LinearColor color) {
  return Rgba{toByte(color.R), toByte(color.G), toByte(color.B), toByte(color.A)};
}

Image::Image(int width, int height) : width_(width), height_(height) {
  if (width < 1 || height < 1 || width > kMaxSide || height > kMaxSide) {
    throw std::invalid_argument("image size " + std::to_string(width) + "x" +
                                std::to_string(height) + " is outside 1x1.." +
                                std::to_string(kMaxSide) + "x" + std::to_string(kMaxSide));
  }
  bytes_.assign(static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * kBytesPerPixel,
                0);
}

std::size_t Image::offset(int x, int y) const {
  return (static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) +
          static_cast<std::size_t>(x)) *
         kBytesPerPixel;
}

Rgb Image::pixel(int x, int y) const {
  const std::size_t at = offset(x, y);
  return Rgb{bytes_[at], bytes_[at + 1], bytes_[at + 2]};
}

void Image::setPixel(int x, int y, Rgb color) {
  const std::size_t at = offset(x, y);
  bytes_[at] = color.r;
  bytes_[at + 1] = color.g;
  bytes_[at + 2] = color.b;
}

void Image::blend(int x, int y, Rgba color, std::uint8_t coverage) {
  if (x < 0 || y < 0 || x >= width_ || y >= height_) {
    return;
  }
  const std::uint32_t weight = std::uint32_t{color.a} * coverage;
  if (weight == 0) {
    return;
  }
  const std::size_t at = offset(x, y);
  bytes_[at] = mix(color.r, bytes_[at], weight);
  bytes_[at + 1] = mix(color.g, bytes_[at + 1], weight);
  bytes_[at + 2] = mix(color.b, bytes_[at + 2], weight);
}

void Image::fillRect(int x0, int y0, int x1, int y1, Rgba color) {
  const int left = std::max(x0, 0);
  const int top = std::max(y0, 0);
  const int right = std::min(x1, width_);
  const int bottom = std::min(y1, height_);
  for (int y = top; y < bottom; ++y) {
    for (int x = left; x < right; ++x) {
      blend(x, y, color);
    }
  }
}

} // namespace corvane::screenshot

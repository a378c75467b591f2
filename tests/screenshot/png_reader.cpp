// Test helper: PNG decoding through Cairo's PNG reader.
#include "png_reader.h"

#include <cstddef>
#include <cstring>
#include <memory>

#include <cairo.h>

namespace corvane::screenshot::testing {

Rgb DecodedPng::pixel(int x, int y) const {
  return pixels.at(static_cast<std::size_t>(y) * static_cast<std::size_t>(width) +
                   static_cast<std::size_t>(x));
}

std::optional<DecodedPng> readPng(const std::string &path) {
  const std::unique_ptr<cairo_surface_t, decltype(&cairo_surface_destroy)> surface(
      cairo_image_surface_create_from_png(path.c_str()), &cairo_surface_destroy);
  if (cairo_surface_status(surface.get()) != CAIRO_STATUS_SUCCESS) {
    return std::nullopt;
  }
  cairo_surface_flush(surface.get());
  DecodedPng decoded;
  decoded.width = cairo_image_surface_get_width(surface.get());
  decoded.height = cairo_image_surface_get_height(surface.get());
  const unsigned char *data = cairo_image_surface_get_data(surface.get());
  const auto stride = static_cast<std::size_t>(cairo_image_surface_get_stride(surface.get()));
  for (std::size_t y = 0; y < static_cast<std::size_t>(decoded.height); ++y) {
    for (std::size_t x = 0; x < static_cast<std::size_t>(decoded.width); ++x) {
      // Cairo's 32-bit pixels in the machine's byte order; an opaque picture
      // decodes as RGB24 (the top byte unused) or ARGB32 with full alpha.
      std::uint32_t argb = 0;
      std::memcpy(&argb, data + y * stride + x * 4, sizeof argb);
      decoded.pixels.push_back(Rgb{static_cast<std::uint8_t>(argb >> 16),
                                   static_cast<std::uint8_t>(argb >> 8),
                                   static_cast<std::uint8_t>(argb)});
    }
  }
  return decoded;
}

} // namespace corvane::screenshot::testing

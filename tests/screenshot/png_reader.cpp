// Test helper: PNG decoding through libpng's simplified reading API.
#include "png_reader.h"

#include <cstddef>

#include <png.h>

namespace corvane::screenshot::testing {

namespace {
constexpr std::size_t kBytesPerPixel = 3;
}

Rgb DecodedPng::pixel(int x, int y) const {
  const std::size_t at = (static_cast<std::size_t>(y) * static_cast<std::size_t>(width) +
                          static_cast<std::size_t>(x)) *
                         kBytesPerPixel;
  return Rgb{rgb[at], rgb[at + 1], rgb[at + 2]};
}

std::optional<DecodedPng> readPng(const std::string &path) {
  png_image info{};
  info.version = PNG_IMAGE_VERSION;
  if (png_image_begin_read_from_file(&info, path.c_str()) == 0) {
    return std::nullopt;
  }
  info.format = PNG_FORMAT_RGB;
  DecodedPng decoded;
  decoded.width = static_cast<int>(info.width);
  decoded.height = static_cast<int>(info.height);
  decoded.rgb.resize(PNG_IMAGE_SIZE(info));
  if (png_image_finish_read(&info, nullptr, decoded.rgb.data(), 0, nullptr) == 0) {
    png_image_free(&info);
    return std::nullopt;
  }
  return decoded;
}

} // namespace corvane::screenshot::testing

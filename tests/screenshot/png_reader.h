// Test helper: decodes a PNG file with libpng, independently of the writer.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include <host/tools/screenshot/image.h>

namespace corvane::screenshot::testing {

struct DecodedPng {
  int width = 0;
  int height = 0;
  std::vector<std::uint8_t> rgb; // rows top to bottom, three bytes a pixel

  Rgb pixel(int x, int y) const;
};

// The picture in `path` as 8-bit RGB, or empty when it is not a readable PNG.
std::optional<DecodedPng> readPng(const std::string &path);

} // namespace corvane::screenshot::testing

// Test helper: decodes a PNG file into 8-bit RGB pixels through Cairo's reader.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace corvane::screenshot::testing {

// One opaque pixel.
struct Rgb {
  std::uint8_t r;
  std::uint8_t g;
  std::uint8_t b;

  friend bool operator==(const Rgb &, const Rgb &) = default;
};

struct DecodedPng {
  int width = 0;
  int height = 0;
  std::vector<Rgb> pixels; // rows top to bottom

  Rgb pixel(int x, int y) const;
};

// The picture in `path`, or empty when it is not a readable PNG.
std::optional<DecodedPng> readPng(const std::string &path);

} // namespace corvane::screenshot::testing

// Writing an image as a PNG file.
#pragma once

#include <string>

#include "image.h"

namespace corvane::screenshot {

// Writes `image` to `path` as an 8-bit RGB PNG; a relative path is taken from
// the working folder. The file is encoded in memory first, so a failure leaves
// no half-written file behind. Throws ScreenshotError("cannot write PATH: why").
void writePng(const Image &image, const std::string &path);

} // namespace corvane::screenshot

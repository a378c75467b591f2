// What the pictures drawn with Cairo share: owners of Cairo's objects, text
// they can draw, colours on the host's 0..255 scale, and writing a picture
// to a file.
#pragma once

#include <memory>
#include <string>
#include <string_view>

#include <cairo.h>

#include "host/base/error.h"

namespace corvane::picture {

struct CairoDeleter {
  void operator()(cairo_t *cr) const { cairo_destroy(cr); }
  void operator()(cairo_surface_t *surface) const { cairo_surface_destroy(surface); }
  void operator()(cairo_pattern_t *pattern) const { cairo_pattern_destroy(pattern); }
};
template <typename T> using CairoPtr = std::unique_ptr<T, CairoDeleter>;

// `text` as Cairo and Pango take it: a player's text made valid UTF-8 (each
// malformed sequence as U+FFFD), control characters left out.
std::string drawableText(std::string_view text);

// Sets the source to a colour whose components are on the 0..255 scale,
// clamped and NaN read as 0, so no value a player types can wrap around.
void setColour(cairo_t *cr, double red, double green, double blue, double alpha = 255.0);

// A cairo_write_func_t that appends Cairo's output to the std::string
// `closure`.
cairo_status_t appendTo(void *closure, const unsigned char *data, unsigned int length);

// Writes `bytes` whole to `path` (UTF-8) when `status`, the drawing's, is a
// success; fails, saying why the file was not written, otherwise.
Failure writePicture(cairo_status_t status, const std::string &bytes, const std::string &path);

// The same for the picture on `surface`, written as a PNG.
Failure writePng(cairo_t *cr, cairo_surface_t *surface, const std::string &path);

} // namespace corvane::picture

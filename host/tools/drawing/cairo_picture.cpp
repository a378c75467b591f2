#include "cairo_picture.h"

#include <algorithm>
#include <cmath>

#include <glib.h>

#include "host/base/utf8_path.h"
#include "host/base/whole_file.h"

namespace corvane::picture {

std::string drawableText(std::string_view text) {
  constexpr char kFirstPrintable = 0x20; // in valid UTF-8, every byte below is a control
  gchar *valid = g_utf8_make_valid(text.data(), static_cast<gssize>(text.size()));
  std::string drawable(valid);
  g_free(valid);
  std::erase_if(drawable, [](char byte) { return byte >= 0 && byte < kFirstPrintable; });
  return drawable;
}

void setColour(cairo_t *cr, double red, double green, double blue, double alpha) {
  const auto unit = [](double component) {
    return std::isnan(component) ? 0.0 : std::clamp(component, 0.0, 255.0) / 255.0;
  };
  cairo_set_source_rgba(cr, unit(red), unit(green), unit(blue), unit(alpha));
}

cairo_status_t appendTo(void *closure, const unsigned char *data, unsigned int length) {
  static_cast<std::string *>(closure)->append(reinterpret_cast<const char *>(data), length);
  return CAIRO_STATUS_SUCCESS;
}

Failure writePicture(cairo_status_t status, const std::string &bytes, const std::string &path) {
  if (status != CAIRO_STATUS_SUCCESS) {
    return Error{ErrorKind::Unreadable, cairo_status_to_string(status)};
  }
  return platform::writeWholeFile(platform::pathFromUtf8(path), bytes);
}

Failure writePng(cairo_t *cr, cairo_surface_t *surface, const std::string &path) {
  std::string png;
  cairo_status_t status = cairo_status(cr);
  if (status == CAIRO_STATUS_SUCCESS) {
    status = cairo_surface_write_to_png_stream(surface, &appendTo, &png);
  }
  return writePicture(status, png, path);
}

} // namespace corvane::picture

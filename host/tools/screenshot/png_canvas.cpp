// PngCanvas: maps the canvas calls onto the image, the text renderer and the
// PNG writer.
#include "png_canvas.h"

#include <algorithm>
#include <cmath>

#include "backdrop.h"
#include "png_writer.h"

namespace corvane::screenshot {

namespace {

// The first pixel index whose centre is at or past `edge`, clamped to just
// outside 0..limit so far-off or infinite edges stay in int range.
int firstCentreAtOrPast(double edge, int limit) {
  const double index = std::ceil(edge - 0.5);
  return static_cast<int>(std::clamp(index, -1.0, static_cast<double>(limit) + 1.0));
}

} // namespace

PngCanvas::PngCanvas(int width, int height, TextRenderer &text)
    : image_(width, height), text_(text) {
  paintBackdrop(image_);
}

void PngCanvas::SetPosition(Vector2F position) { pen_ = position; }

void PngCanvas::SetColor(LinearColor color) { color_ = toRgba(color); }

void PngCanvas::FillBox(Vector2F size) {
  const double left = pen_.X;
  const double top = pen_.Y;
  const double right = left + static_cast<double>(size.X);
  const double bottom = top + static_cast<double>(size.Y);
  if (std::isnan(left) || std::isnan(top) || std::isnan(right) || std::isnan(bottom)) {
    return;
  }
  image_.fillRect(firstCentreAtOrPast(left, image_.width()),
                  firstCentreAtOrPast(top, image_.height()),
                  firstCentreAtOrPast(right, image_.width()),
                  firstCentreAtOrPast(bottom, image_.height()), color_);
}

void PngCanvas::DrawString(const std::string &text, float xScale, float yScale, bool dropShadow,
                           bool /*wrap*/) {
  text_.draw(image_, pen_, text, xScale, yScale, color_, dropShadow);
}

void PngCanvas::save(const std::string &path) const { writePng(image_, path); }

} // namespace corvane::screenshot

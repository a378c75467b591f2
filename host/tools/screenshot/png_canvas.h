// PngCanvas: a canvas that renders a frame into an image over the backdrop.
#pragma once

#include <string>

#include <host/session/engine/canvas.h>

#include "image.h"
#include "text_renderer.h"

namespace corvane::screenshot {

// Draws what a frame draws, as the game would show it: boxes and text blend
// over the picture by their colour's A/255, anything past the edges is
// clipped. The pen starts at the top-left corner and the colour opaque white.
class PngCanvas final : public host::Canvas {
public:
  // An image of `width` x `height` with the backdrop painted; `text` must
  // outlive the canvas. Throws std::invalid_argument for a size Image refuses.
  PngCanvas(int width, int height, TextRenderer &text);
  PngCanvas(const PngCanvas &) = delete;
  PngCanvas &operator=(const PngCanvas &) = delete;

  void SetPosition(Vector2F position) override;
  void SetColor(LinearColor color) override;
  // Covers the pixels whose centres lie inside the box, so edges round to the
  // nearest pixel line; a box of zero or negative width or height covers none.
  void FillBox(Vector2F size) override;
  // The pen is the text's top-left corner. `wrap` has no effect: a line runs
  // on past the right edge and is clipped there.
  void DrawString(const std::string &text, float xScale, float yScale, bool dropShadow,
                  bool wrap) override;

  const Image &image() const { return image_; }
  // Writes the picture as a PNG; see writePng.
  void save(const std::string &path) const;

private:
  Image image_;
  TextRenderer &text_;
  Vector2F pen_{0.0F, 0.0F};
  Rgba color_{255, 255, 255, 255};
};

} // namespace corvane::screenshot

// Canvas: the drawing target a frame renders on, and the null canvas.
#pragma once

#include <string>

#include <corvane/value_types.h>

#include "host_export.h"

namespace corvane::host {

// What a CanvasWrapper draws on. The simulator renders on a NullCanvas; a
// picture or a counter is another implementation of the same four calls.
class CORVANE_HOST_API Canvas {
public:
  Canvas() = default;
  Canvas(const Canvas &) = default;
  Canvas &operator=(const Canvas &) = default;
  virtual ~Canvas();

  virtual void SetPosition(Vector2F position) = 0;
  virtual void SetColor(LinearColor color) = 0;
  virtual void FillBox(Vector2F size) = 0;
  virtual void DrawString(const std::string &text, float xScale, float yScale, bool dropShadow,
                          bool wrap) = 0;
};

// Draws nothing.
class CORVANE_HOST_API NullCanvas final : public Canvas {
public:
  void SetPosition(Vector2F position) override;
  void SetColor(LinearColor color) override;
  void FillBox(Vector2F size) override;
  void DrawString(const std::string &text, float xScale, float yScale, bool dropShadow,
                  bool wrap) override;
};

} // namespace corvane::host

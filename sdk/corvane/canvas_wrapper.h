// CanvasWrapper: drawing on the frame being rendered.
#pragma once

#include <string>

#include "sdk_export.h"
#include "value_types.h"

// The canvas of one frame, handed to a drawable by value. Copies are cheap
// and refer to the same canvas; none may be kept past the drawable's call.
//
// All operations: [render-thread & inside a drawable].
class CORVANE_SDK_API CanvasWrapper {
public:
  // Made by the host only. A frame makes and copies wrappers on every call
  // of every drawable, so they are plain pairs of pointers, copied in
  // registers.
  CanvasWrapper(corvane::host::PluginContext *context, corvane::host::Canvas *canvas)
      : context_(context), canvas_(canvas) {}
  CanvasWrapper(const CanvasWrapper &other) = default;
  CanvasWrapper &operator=(const CanvasWrapper &other) = default;
  ~CanvasWrapper() = default;

  // Moves the pen to `position`, in pixels from the top-left corner.
  void SetPosition(Vector2F position);
  // Sets the colour of what is drawn next.
  void SetColor(LinearColor color);
  // Fills a box of `size` with its top-left corner at the pen.
  void FillBox(Vector2F size);
  // Draws `text` at the pen, scaled by `xScale` and `yScale`. The two flags
  // are the host's matter.
  void DrawString(std::string text, float xScale, float yScale, bool dropShadow, bool wrap);

private:
  corvane::host::PluginContext *context_;
  corvane::host::Canvas *canvas_;
};

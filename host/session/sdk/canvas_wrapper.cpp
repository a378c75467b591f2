// CanvasWrapper: the frame path. Each call is a counter, a branch on the
// trace, and the canvas's own call: no allocation or lookup while tracing is off.
#include <corvane/canvas_wrapper.h>

#include "host/session/engine/canvas.h"
#include "host/session/engine/plugin_context.h"

using corvane::host::Op;

void CanvasWrapper::SetPosition(Vector2F position) {
  context_->call(Op::SetPosition, position);
  context_->host().frameRecord().setPosition(position);
  canvas_->SetPosition(position);
}

void CanvasWrapper::SetColor(LinearColor color) {
  context_->call(Op::SetColor, color);
  context_->host().frameRecord().setColor(color);
  canvas_->SetColor(color);
}

void CanvasWrapper::FillBox(Vector2F size) {
  context_->call(Op::FillBox, size);
  context_->host().frameRecord().fillBox(size);
  canvas_->FillBox(size);
}

void CanvasWrapper::DrawString(std::string text, float xScale, float yScale, bool dropShadow,
                               bool wrap) {
  context_->call(Op::DrawString, text, xScale, yScale, dropShadow, wrap);
  context_->host().frameRecord().drawString(text, xScale, yScale);
  canvas_->DrawString(text, xScale, yScale, dropShadow, wrap);
}

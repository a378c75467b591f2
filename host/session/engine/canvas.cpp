// The canvas interface's anchor and the null canvas.
#include "canvas.h"

namespace corvane::host {

Canvas::~Canvas() = default;

void NullCanvas::SetPosition(Vector2F /*position*/) {}
void NullCanvas::SetColor(LinearColor /*color*/) {}
void NullCanvas::FillBox(Vector2F /*size*/) {}
void NullCanvas::DrawString(const std::string & /*text*/, float /*xScale*/, float /*yScale*/,
                            bool /*dropShadow*/, bool /*wrap*/) {}

} // namespace corvane::host

// The hiding bar: an opaque bar across the top of the screen, with a line of
// coloured text, drawn while a queue is armed or previewed.
#include "vexlo.h"

#include "hiding_bar_style.h"

namespace {

using vexlo_bar::kBarColor;
using vexlo_bar::kBarWidth;
using vexlo_bar::kDefaultTextColor;
using vexlo_bar::kOrigin;
using vexlo_bar::kTextColors;

// The colour setting has no range: an index outside the table draws the
// default colour.
LinearColor textColor(int index) {
  if (index < 0 || static_cast<std::size_t>(index) >= kTextColors.size()) {
    return kTextColors[kDefaultTextColor];
  }
  return kTextColors[static_cast<std::size_t>(index)];
}

} // namespace

void vexlo::registerDrawable() {
  gameWrapperHandle->RegisterDrawable([this](CanvasWrapper canvas) { renderHidingBar(canvas); });
}

void vexlo::renderHidingBar(CanvasWrapper canvas) {
  if (!*queueActive && !*simulate) {
    return;
  }
  canvas.SetPosition(kOrigin);
  canvas.SetColor(kBarColor);
  canvas.FillBox(Vector2F{kBarWidth, static_cast<float>(*hbHeight)});
  canvas.SetColor(textColor(*hbTextColor));
  canvas.SetPosition(kOrigin);
  canvas.DrawString(*hbText, *hbTextSize, *hbTextSize, false, false);
}

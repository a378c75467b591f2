// The hiding bar: an opaque bar across the top of the screen, with a line of
// coloured text, drawn while a queue is armed or previewed.
#include "vexlo.h"

#include <array>

namespace {

constexpr float kBarWidth = 5120.0F; // wider than any screen, not the screen's width
constexpr Vector2F kOrigin{0.0F, 0.0F};
constexpr LinearColor kBarColor{0.0F, 0.0F, 0.0F, 255.0F};

constexpr std::array<LinearColor, 8> kTextColors{{
    {255.0F, 0.0F, 0.0F, 255.0F},     // red
    {0.0F, 255.0F, 0.0F, 255.0F},     // green
    {255.0F, 255.0F, 0.0F, 255.0F},   // yellow
    {0.0F, 0.0F, 255.0F, 255.0F},     // blue
    {0.0F, 255.0F, 255.0F, 255.0F},   // cyan
    {255.0F, 0.0F, 255.0F, 255.0F},   // magenta
    {255.0F, 255.0F, 255.0F, 255.0F}, // white
    {0.0F, 0.0F, 0.0F, 255.0F},       // black
}};
constexpr std::size_t kDefaultTextColor = 6; // white

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

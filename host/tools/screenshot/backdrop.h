// The backdrop a screenshot is drawn on: a stand-in for the game's picture.
#pragma once

#include "image.h"

namespace corvane::screenshot {

// The backdrop's colour at its top and bottom rows.
inline constexpr Rgb kBackdropTop{112, 128, 150};
inline constexpr Rgb kBackdropBottom{64, 76, 96};

// Paints a calm vertical gradient of mid grey-blue over the whole image: dark
// enough for white or yellow text, light enough for a black bar or black text
// to stand out, so every colour the plugin offers can be judged on it.
void paintBackdrop(Image &image);

} // namespace corvane::screenshot

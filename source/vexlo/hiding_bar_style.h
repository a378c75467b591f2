// How the hiding bar looks: where it is drawn, its width and colours, and the
// defaults of the settings a player changes it with.
#pragma once

#include <array>
#include <cstddef>

#include <corvane/value_types.h>

namespace vexlo_bar {

inline constexpr float kBarWidth = 5120.0F; // wider than any screen, not the screen's width
inline constexpr Vector2F kOrigin{0.0F, 0.0F};
inline constexpr LinearColor kBarColor{0.0F, 0.0F, 0.0F, 255.0F};

// The text colours, by the colour setting's value.
inline constexpr std::array<LinearColor, 8> kTextColors{{
    {255.0F, 0.0F, 0.0F, 255.0F},     // red
    {0.0F, 255.0F, 0.0F, 255.0F},     // green
    {255.0F, 255.0F, 0.0F, 255.0F},   // yellow
    {0.0F, 0.0F, 255.0F, 255.0F},     // blue
    {0.0F, 255.0F, 255.0F, 255.0F},   // cyan
    {255.0F, 0.0F, 255.0F, 255.0F},   // magenta
    {255.0F, 255.0F, 255.0F, 255.0F}, // white
    {0.0F, 0.0F, 0.0F, 255.0F},       // black
}};

// The settings' defaults, as the console registers them and as they draw.
inline constexpr const char *kDefaultHeightText = "60";
inline constexpr float kDefaultHeight = 60.0F;
inline constexpr const char *kDefaultTextSizeText = "3.3";
inline constexpr float kDefaultTextSize = 3.3F;
inline constexpr const char *kDefaultTextColorText = "6";
// White, also drawn for a colour value outside the table.
inline constexpr std::size_t kDefaultTextColor = 6;

} // namespace vexlo_bar

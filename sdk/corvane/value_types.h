// Plain value types passed across the SDK: screen vectors, colours and the
// game's playlist numbers.
#pragma once

#include <cstdint>

// A point or a size on screen, in pixels.
struct Vector2F {
  float X;
  float Y;
};

// A colour with each component on a 0 to 255 scale; A is opacity.
struct LinearColor {
  float R;
  float G;
  float B;
  float A;
};

// A game playlist number. Which playlist each number denotes is the game's
// matter; any 32-bit value may be passed.
enum Playlist : std::int32_t {};

// The matchmaking category a search starts in.
enum PlaylistCategory : std::int32_t {};

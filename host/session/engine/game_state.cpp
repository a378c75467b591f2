// Game state names.
#include "game_state.h"

#include <array>

namespace corvane::host {

namespace {
// In the order of GameState.
constexpr std::array<std::string_view, 3> kNames = {"menu", "freeplay", "online"};
} // namespace

std::string_view gameStateName(GameState state) { return kNames[static_cast<std::size_t>(state)]; }

std::optional<GameState> gameStateByName(std::string_view name) {
  for (std::size_t i = 0; i < kNames.size(); ++i) {
    if (kNames[i] == name) {
      return static_cast<GameState>(i);
    }
  }
  return std::nullopt;
}

} // namespace corvane::host

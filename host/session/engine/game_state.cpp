// Game state names.
#include "game_state.h"

namespace corvane::host {

std::string_view gameStateName(GameState state) {
  return kGameStateNames[static_cast<std::size_t>(state)];
}

std::optional<GameState> gameStateByName(std::string_view name) {
  for (std::size_t i = 0; i < kGameStateNames.size(); ++i) {
    if (kGameStateNames[i] == name) {
      return static_cast<GameState>(i);
    }
  }
  return std::nullopt;
}

} // namespace corvane::host

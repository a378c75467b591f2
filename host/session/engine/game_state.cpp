// Game states by name.
#include "game_state.h"

#include <algorithm>

namespace corvane::host {

std::optional<GameState> gameStateByName(std::string_view name) {
  const auto found = std::find(kGameStateNames.begin(), kGameStateNames.end(), name);
  if (found == kGameStateNames.end()) {
    return std::nullopt;
  }
  return static_cast<GameState>(found - kGameStateNames.begin());
}

} // namespace corvane::host

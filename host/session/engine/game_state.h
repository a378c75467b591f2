// GameState: where the player is: the menu, freeplay or an online match.
#pragma once

#include <algorithm>
#include <array>
#include <optional>
#include <string_view>

namespace corvane::host {

enum class GameState { Menu, Freeplay, Online };

// Each state's name, in the order of GameState.
inline constexpr std::array<std::string_view, 3> kGameStateNames = {"menu", "freeplay", "online"};

// "menu", "freeplay" or "online".
inline std::string_view gameStateName(GameState state) {
  return kGameStateNames.at(static_cast<std::size_t>(state));
}
inline std::optional<GameState> gameStateByName(std::string_view name) {
  const auto found = std::ranges::find(kGameStateNames, name);
  if (found == kGameStateNames.end()) {
    return std::nullopt;
  }
  return static_cast<GameState>(found - kGameStateNames.begin());
}

} // namespace corvane::host

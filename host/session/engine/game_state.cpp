// Game state names.
#include "game_state.h"

namespace corvane::host {

std::string_view gameStateName(GameState state) {
  switch (state) {
  case GameState::Menu:
    return "menu";
  case GameState::Freeplay:
    return "freeplay";
  case GameState::Online:
    return "online";
  }
  return "menu";
}

std::optional<GameState> gameStateByName(std::string_view name) {
  for (const GameState state : {GameState::Menu, GameState::Freeplay, GameState::Online}) {
    if (gameStateName(state) == name) {
      return state;
    }
  }
  return std::nullopt;
}

} // namespace corvane::host

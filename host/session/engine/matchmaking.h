// Matchmaking: the game's playlist selection and search.
#pragma once

#include <cstdint>
#include <optional>
#include <set>

#include "host_export.h"

namespace corvane::host {

// The game starts with matchmaking usable, nothing selected and no search.
struct Matchmaking {
  // Whether GetMatchmakingWrapper hands out a usable handle.
  bool usable = true;
  bool searching = false;
  std::set<std::int32_t> selectedPlaylists;
  std::optional<std::int32_t> lastCategory;
};

} // namespace corvane::host

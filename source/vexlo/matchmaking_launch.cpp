// Starting the search: one configured playlist, in the category it belongs to.
#include "vexlo.h"

#include <cstdint>

namespace {

// The playlists cleared before the configured one is selected. Others the
// player may have selected stay as they are.
constexpr std::int32_t kClearedPlaylists[] = {0, 1, 2, 3, 4, 5, 6, 13, 14, 15, 16};

PlaylistCategory categoryOf(std::int32_t playlist) {
  // Taken as unsigned, so that a negative number falls to the default.
  const auto number = static_cast<std::uint32_t>(playlist);
  if (number <= 3) {
    return PlaylistCategory{0};
  }
  if (number <= 6) {
    return PlaylistCategory{1};
  }
  if (number >= 13 && number <= 16) {
    return PlaylistCategory{2};
  }
  return PlaylistCategory{0};
}

} // namespace

void vexlo::launchMatchmaking() {
  MatchmakingWrapper matchmaking = gameWrapperHandle->GetMatchmakingWrapper();
  if (!matchmaking) {
    return;
  }
  for (const std::int32_t number : kClearedPlaylists) {
    matchmaking.SetPlaylistSelection(Playlist{number}, false);
  }
  matchmaking.SetPlaylistSelection(Playlist{*playlist}, true);
  const PlaylistCategory category = categoryOf(*playlist);
  if (matchRunning()) {
    return;
  }
  matchmaking.StartMatchmaking(category);
}

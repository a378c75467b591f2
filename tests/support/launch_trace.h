// The trace of one matchmaking launch as the host sees it, for the tests to
// expect: the fixed playlists deselected, the configured one selected and a
// search started.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace vexlo::testing {

// The playlists every launch deselects first, in the order it deselects them.
inline constexpr std::int32_t kDeselectedPlaylists[] = {0, 1, 2, 3, 4, 5, 6, 13, 14, 15, 16};

// The selection half of a launch at TIME (seconds as the trace prints them,
// "1.000"): the fixed playlists deselected, then PLAYLIST selected. Inside a
// running match a launch goes no further.
inline std::vector<std::string> selectionLines(std::string_view time, std::int32_t playlist) {
  const std::string stamp = "[" + std::string(time) + "] ";
  std::vector<std::string> lines;
  for (const std::int32_t number : kDeselectedPlaylists) {
    lines.push_back(stamp + "SetPlaylistSelection " + std::to_string(number) + " false");
  }
  lines.push_back(stamp + "SetPlaylistSelection " + std::to_string(playlist) + " true");
  return lines;
}

// A whole launch at TIME: the selection, then a search started in CATEGORY.
inline std::vector<std::string> launchLines(std::string_view time, std::int32_t playlist,
                                            std::int32_t category) {
  std::vector<std::string> lines = selectionLines(time, playlist);
  lines.push_back("[" + std::string(time) + "] StartMatchmaking " + std::to_string(category));
  return lines;
}

} // namespace vexlo::testing

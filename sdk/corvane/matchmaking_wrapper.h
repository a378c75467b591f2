// MatchmakingWrapper: the game's matchmaking, its playlists and search.
#pragma once

#include "sdk_export.h"
#include "value_types.h"

// A handle to the game's matchmaking, got by value from
// GameWrapper::GetMatchmakingWrapper. It may be unusable (operator bool is
// false), in which case every other operation does nothing.
//
// All operations: [game-thread & loaded].
class CORVANE_SDK_API MatchmakingWrapper {
public:
  // Made by the host only; `usable` says whether matchmaking can be used now.
  MatchmakingWrapper(corvane::host::PluginContext *context, bool usable);
  MatchmakingWrapper(const MatchmakingWrapper &other);
  MatchmakingWrapper &operator=(const MatchmakingWrapper &other);
  ~MatchmakingWrapper();

  // Whether matchmaking can be used now.
  explicit operator bool() const;
  // Whether a search is running.
  bool IsSearching();
  // Stops a running search.
  void CancelMatchmaking();
  // Selects or deselects one playlist for the next search.
  void SetPlaylistSelection(Playlist playlist, bool selected);
  // Starts a search for the selected playlists in `category`.
  void StartMatchmaking(PlaylistCategory category);

private:
  corvane::host::PluginContext *context_;
  bool usable_;
};

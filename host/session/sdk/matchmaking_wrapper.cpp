// MatchmakingWrapper: playlist selection and the search. Calls on an unusable
// handle are still traced, so a plugin that skips operator bool shows up.
#include <corvane/matchmaking_wrapper.h>

#include "host/session/engine/plugin_context.h"

using corvane::host::Op;

MatchmakingWrapper::MatchmakingWrapper(corvane::host::PluginContext *context, bool usable)
    : context_(context), usable_(usable) {}
MatchmakingWrapper::MatchmakingWrapper(const MatchmakingWrapper &other) = default;
MatchmakingWrapper &MatchmakingWrapper::operator=(const MatchmakingWrapper &other) = default;
MatchmakingWrapper::~MatchmakingWrapper() = default;

MatchmakingWrapper::operator bool() const {
  context_->call(Op::OperatorBool);
  return usable_;
}

bool MatchmakingWrapper::IsSearching() {
  context_->call(Op::IsSearching);
  return usable_ && context_->host().searching();
}

void MatchmakingWrapper::CancelMatchmaking() {
  if (context_->call(Op::CancelMatchmaking) && usable_) {
    context_->host().setSearching(false);
  }
}

void MatchmakingWrapper::SetPlaylistSelection(Playlist playlist, bool selected) {
  if (context_->call(Op::SetPlaylistSelection, playlist, selected) && usable_) {
    context_->host().selectPlaylist(static_cast<std::int32_t>(playlist), selected);
  }
}

void MatchmakingWrapper::StartMatchmaking(PlaylistCategory category) {
  if (context_->call(Op::StartMatchmaking, category) && usable_) {
    context_->host().startSearch(static_cast<std::int32_t>(category));
  }
}

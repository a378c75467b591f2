// MatchmakingWrapper: playlist selection and the search. Calls on an unusable
// handle are still traced, so a plugin that skips operator bool shows up.
#include <corvane/matchmaking_wrapper.h>

#include "host/session/engine/host.h"
#include "host/session/engine/plugin_context.h"

using corvane::host::Op;

MatchmakingWrapper::MatchmakingWrapper(corvane::host::PluginContext *context, bool usable)
    : context_(context), usable_(usable) {}
MatchmakingWrapper::MatchmakingWrapper(const MatchmakingWrapper &other) = default;
MatchmakingWrapper &MatchmakingWrapper::operator=(const MatchmakingWrapper &other) = default;
MatchmakingWrapper::~MatchmakingWrapper() = default;

MatchmakingWrapper::operator bool() const {
  context_->host().record(Op::OperatorBool);
  return usable_;
}

bool MatchmakingWrapper::IsSearching() {
  auto &host = context_->host();
  host.record(Op::IsSearching);
  return usable_ && host.searching();
}

void MatchmakingWrapper::CancelMatchmaking() {
  auto &host = context_->host();
  host.record(Op::CancelMatchmaking);
  if (usable_ && context_->active()) {
    host.setSearching(false);
  }
}

void MatchmakingWrapper::SetPlaylistSelection(Playlist playlist, bool selected) {
  auto &host = context_->host();
  host.record(Op::SetPlaylistSelection, playlist, selected);
  if (usable_ && context_->active()) {
    host.selectPlaylist(static_cast<std::int32_t>(playlist), selected);
  }
}

void MatchmakingWrapper::StartMatchmaking(PlaylistCategory category) {
  auto &host = context_->host();
  host.record(Op::StartMatchmaking, category);
  if (usable_ && context_->active()) {
    host.startSearch(static_cast<std::int32_t>(category));
  }
}

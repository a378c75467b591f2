// The game functions the plugin listens to, and what each one drives.
#include "names.h"
#include "vexlo.h"

#include <utility>

namespace {

constexpr float kPartyBlockDelaySeconds = 1.0F;

// Handlers of the queue controller, reached through the object's slots.
using MatchHandler = void (vexlo::*)(std::string);

struct MatchHook {
  const char *eventName;
  bool afterBody; // HookEventPost rather than HookEvent
  MatchHandler handler;
};

const MatchHook kMatchHooks[] = {
    {vexlo_names::kMatchWinnerSet, false, &vexlo::onMatchEnded},
    {vexlo_names::kMatchDestroyed, false, &vexlo::onMatchEnded},
    {vexlo_names::kMatchEnded, false, &vexlo::onMatchEnded},
    {vexlo_names::kSearchCancel, false, &vexlo::onMatchmakingCancelled},
    {vexlo_names::kFindGameComplete, true, &vexlo::onMatchStarting},
    {vexlo_names::kStartRound, true, &vexlo::onMatchStarting},
    {vexlo_names::kStartEvent, true, &vexlo::onMatchStarting},
};

// Party events that lift the block at once.
const char *const kPartyReleases[] = {
    vexlo_names::kPartyDestroyed,
    vexlo_names::kLeaveLobby,
    vexlo_names::kCreateLobby,
    vexlo_names::kMatchmakingRestriction,
};

// Party events that block scheduling once the party has settled, a second
// later. Nothing cancels that second: a release inside it is overwritten.
const char *const kPartyBlocks[] = {
    vexlo_names::kJoinLobby,
    vexlo_names::kSetLobbyOwner,
};

} // namespace

void vexlo::hookEvents() {
  GameWrapper &game = *gameWrapperHandle;
  for (const MatchHook &hook : kMatchHooks) {
    auto callback = [this, handler = hook.handler](std::string eventName) {
      (this->*handler)(std::move(eventName));
    };
    if (hook.afterBody) {
      game.HookEventPost(hook.eventName, callback);
    } else {
      game.HookEvent(hook.eventName, callback);
    }
  }
  for (const char *eventName : kPartyReleases) {
    game.HookEvent(eventName, [this](std::string /*eventName*/) { *partyBlocked = false; });
  }
  for (const char *eventName : kPartyBlocks) {
    game.HookEvent(eventName, [this](std::string /*eventName*/) {
      gameWrapperHandle->SetTimeout([this](GameWrapper * /*game*/) { *partyBlocked = true; },
                                    kPartyBlockDelaySeconds);
    });
  }
}

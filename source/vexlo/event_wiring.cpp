// The game functions the plugin listens to, and what each one drives.
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
    {"Function TAGame.GameEvent_Soccar_TA.OnMatchWinnerSet", false, &vexlo::onMatchEnded},
    {"Function TAGame.GameEvent_Soccar_TA.Destroyed", false, &vexlo::onMatchEnded},
    {"Function TAGame.GameEvent_Soccar_TA.EventMatchEnded", false, &vexlo::onMatchEnded},
    {"Function ProjectX.OnlineGameMatchmakingBase_X.Cancel", false, &vexlo::onMatchmakingCancelled},
    {"Function ProjectX.OnlineGameMatchmakingBase_X.EventFindGameComplete", true,
     &vexlo::onMatchStarting},
    // The game names this one without its package.
    {"Function GameEvent_Soccar_TA.Active.StartRound", true, &vexlo::onMatchStarting},
    {"Function TAGame.GameEvent_TA.StartEvent", true, &vexlo::onMatchStarting},
};

// Party events that lift the block at once.
const char *const kPartyReleases[] = {
    "Function ProjectX.OnlineGameParty_X.EventPartyDestroyed",
    "Function ProjectX.Parties_X.LeaveLobby",
    "Function ProjectX.Parties_X.CreateLobby",
    "Function ProjectX.OnlineGameParty_X.GetMatchmakingRestrictionError",
};

// Party events that block scheduling once the party has settled, a second
// later. Nothing cancels that second: a release inside it is overwritten.
const char *const kPartyBlocks[] = {
    "Function ProjectX.Parties_X.JoinLobby",
    "Function ProjectX.Parties_X.SetLobbyOwner",
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

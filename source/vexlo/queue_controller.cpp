// The queue controller: arming, waiting, launching and disarming a queue.
#include "names.h"
#include "vexlo.h"

#include <string_view>

namespace {
constexpr std::string_view kFindGameComplete = vexlo_names::kFindGameComplete;
} // namespace

bool vexlo::matchRunning() const { return gameWrapperHandle->IsInOnlineGame() && !*matchOver; }

void vexlo::toggleQueue() {
  if (!*enabled || *simulate) {
    return;
  }
  if (matchRunning()) {
    return;
  }
  *queueActive = !*queueActive;
  if (!*queueActive) {
    cancelQueue();
    return;
  }
  if (*freeplay && !gameWrapperHandle->IsInFreeplay()) {
    cvarManagerHandle->executeCommand(vexlo_names::kLoadFreeplayCommand, true);
  }
  scheduleQueue();
}

void vexlo::scheduleQueue() {
  cancelQueue();
  *queueActive = true;
  // Each arming supersedes the timers of earlier ones, so a disarm and re-arm
  // inside the waiting time neither launches early nor launches twice.
  const std::uint64_t arming = ++*armings;
  if (*partyBlocked) {
    return;
  }
  const float waitingTime = cvarManagerHandle->getCvar(vexlo_names::kWaitingTime).getFloatValue();
  gameWrapperHandle->SetTimeout(
      [this, arming](GameWrapper * /*game*/) {
        if (*armings == arming) {
          startQueue();
        }
      },
      waitingTime);
}

void vexlo::cancelQueue() {
  *queueActive = false;
  MatchmakingWrapper matchmaking = gameWrapperHandle->GetMatchmakingWrapper();
  if (matchmaking && matchmaking.IsSearching()) {
    matchmaking.CancelMatchmaking();
  }
}

void vexlo::startQueue() {
  if (!*queueActive) {
    return;
  }
  launchMatchmaking();
}

void vexlo::onMatchStarting(std::string eventName) {
  if (eventName == kFindGameComplete || gameWrapperHandle->IsInOnlineGame()) {
    *matchOver = false;
    cancelQueue();
    *queueActive = false;
  }
}

void vexlo::onMatchEnded(std::string /*eventName*/) { *matchOver = true; }

void vexlo::onMatchmakingCancelled(std::string /*eventName*/) {
  *matchOver = true;
  *queueActive = false;
}

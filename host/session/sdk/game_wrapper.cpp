// GameWrapper: hooks, timers, drawables and the game's state.
#include <corvane/game_wrapper.h>

#include "host/session/engine/hook_table.h"
#include "host/session/engine/plugin_context.h"
#include "host/session/engine/virtual_clock.h"

using corvane::host::HookPhase;
using corvane::host::Op;

GameWrapper::GameWrapper(corvane::host::PluginContext *context) : context_(context) {}
GameWrapper::GameWrapper(const GameWrapper &other) = default;
GameWrapper &GameWrapper::operator=(const GameWrapper &other) = default;
GameWrapper::~GameWrapper() = default;

namespace {

void hook(corvane::host::PluginContext *context, Op op, HookPhase phase,
          const std::string &eventName, std::function<void(std::string)> callback) {
  if (context->call(op, eventName)) {
    context->host().addHook(eventName, phase, context, std::move(callback));
  }
}

} // namespace

void GameWrapper::HookEvent(std::string eventName, std::function<void(std::string)> callback) {
  hook(context_, Op::HookEvent, HookPhase::Entry, eventName, std::move(callback));
}

void GameWrapper::HookEventPost(std::string eventName, std::function<void(std::string)> callback) {
  hook(context_, Op::HookEventPost, HookPhase::After, eventName, std::move(callback));
}

void GameWrapper::SetTimeout(std::function<void(GameWrapper *)> callback, float seconds) {
  if (context_->call(Op::SetTimeout, seconds)) {
    auto &host = context_->host();
    const std::int64_t due = corvane::host::addSaturated(
        host.nowMicros(), corvane::host::delayToMicros(static_cast<double>(seconds)));
    host.setTimer(due, context_, std::move(callback));
  }
}

void GameWrapper::RegisterDrawable(std::function<void(CanvasWrapper)> callback) {
  if (context_->call(Op::RegisterDrawable)) {
    context_->host().addDrawable(context_, std::move(callback));
  }
}

bool GameWrapper::IsInOnlineGame() {
  context_->call(Op::IsInOnlineGame);
  return context_->host().state() == corvane::host::GameState::Online;
}

bool GameWrapper::IsInFreeplay() {
  context_->call(Op::IsInFreeplay);
  return context_->host().state() == corvane::host::GameState::Freeplay;
}

MatchmakingWrapper GameWrapper::GetMatchmakingWrapper() {
  return {context_,
          context_->call(Op::GetMatchmakingWrapper) && context_->host().matchmakingUsable()};
}

// GameWrapper: hooks, timers, drawables and the game's state.
#include <corvane/game_wrapper.h>

#include "host/session/engine/hook_table.h"
#include "host/session/engine/host.h"
#include "host/session/engine/plugin_context.h"
#include "host/session/engine/value_conversion.h"

using corvane::host::HookPhase;
using corvane::host::Op;

GameWrapper::GameWrapper(corvane::host::PluginContext *context) : context_(context) {}
GameWrapper::GameWrapper(const GameWrapper &other) = default;
GameWrapper &GameWrapper::operator=(const GameWrapper &other) = default;
GameWrapper::~GameWrapper() = default;

namespace {

void hook(corvane::host::PluginContext *context, Op op, HookPhase phase,
          const std::string &eventName, std::function<void(std::string)> callback) {
  context->host().record(op, eventName);
  if (context->active()) {
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
  auto &host = context_->host();
  host.record(Op::SetTimeout, seconds);
  if (context_->active()) {
    const std::int64_t due = corvane::host::addSaturated(
        host.nowMicros(), corvane::host::delayToMicros(static_cast<double>(seconds)));
    host.setTimer(due, context_, std::move(callback));
  }
}

void GameWrapper::RegisterDrawable(std::function<void(CanvasWrapper)> callback) {
  auto &host = context_->host();
  host.record(Op::RegisterDrawable);
  if (context_->active()) {
    host.addDrawable(context_, std::move(callback));
  }
}

bool GameWrapper::IsInOnlineGame() {
  auto &host = context_->host();
  host.record(Op::IsInOnlineGame);
  return host.state() == corvane::host::GameState::Online;
}

bool GameWrapper::IsInFreeplay() {
  auto &host = context_->host();
  host.record(Op::IsInFreeplay);
  return host.state() == corvane::host::GameState::Freeplay;
}

MatchmakingWrapper GameWrapper::GetMatchmakingWrapper() {
  auto &host = context_->host();
  host.record(Op::GetMatchmakingWrapper);
  return {context_, context_->active() && host.matchmakingUsable()};
}

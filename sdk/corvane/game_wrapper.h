// GameWrapper: the game itself: its events, timers, frames and state.
#pragma once

#include <functional>
#include <string>

#include "canvas_wrapper.h"
#include "matchmaking_wrapper.h"
#include "sdk_export.h"

// The game as seen by one plugin. The host hands each plugin one, shared, in
// CorvanePlugin::gameWrapperHandle before onLoad.
//
// All operations: [game-thread & loaded]. Hooks, timers and drawables are
// dropped by the host, unrun, when the plugin that made them is unloaded.
class CORVANE_SDK_API GameWrapper {
public:
  // Made by the host only.
  explicit GameWrapper(corvane::host::PluginContext *context);
  GameWrapper(const GameWrapper &other);
  GameWrapper &operator=(const GameWrapper &other);
  ~GameWrapper();

  // Runs `callback` with `eventName` each time the game function of that
  // name (beginning "Function ") is called, before its body.
  void HookEvent(std::string eventName, std::function<void(std::string)> callback);
  // As HookEvent, but after the function's body has run.
  void HookEventPost(std::string eventName, std::function<void(std::string)> callback);

  // Runs `callback` once, `seconds` of game time from now; a delay below
  // zero counts as zero. Timers due together run in the order they were set.
  void SetTimeout(std::function<void(GameWrapper *)> callback, float seconds);

  // Runs `callback` once per rendered frame, with that frame's canvas.
  // [render-thread] for the callback.
  void RegisterDrawable(std::function<void(CanvasWrapper)> callback);

  // Whether the player is in an online match now.
  bool IsInOnlineGame();
  // Whether the player is in freeplay now.
  bool IsInFreeplay();

  // The game's matchmaking; check it with operator bool before use.
  MatchmakingWrapper GetMatchmakingWrapper();

private:
  corvane::host::PluginContext *context_;
};

// Host: the stand-in game and console engine that SDK calls reach.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "drawables.h"
#include "events.h"
#include "hook_table.h"
#include "host/base/error.h"
#include "host_export.h"
#include "notifiers.h"
#include "settings_store.h"
#include "timer_queue.h"
#include "virtual_clock.h"

class CanvasWrapper;
class GameWrapper;

namespace corvane::host {

class Canvas;
class PluginContext;

// The console lines tied to keys, by key. They are console state: they
// outlive the plugin that made them.
using KeyBindings = std::map<std::string, std::string, std::less<>>;

// One simulated game with its console. Every part is reachable for the
// wrappers and the console; the accessors at the end are what tests check.
class CORVANE_HOST_API Host {
public:
  Host();
  ~Host();
  Host(const Host &) = delete;
  Host &operator=(const Host &) = delete;

  // The parts, for reading: every change goes through the operations below,
  // which publish it.
  const SettingsStore &settings() const { return settings_; }
  const TimerQueue &timers() const { return timers_; }
  const HookTable &hooks() const { return hooks_; }
  const Drawables &drawables() const { return drawables_; }
  const Notifiers &notifiers() const { return notifiers_; }
  const KeyBindings &keyBindings() const { return keyBindings_; }

  // What plugins register: hooks, settings with their bound values and
  // change callbacks, console commands (notifiers) and drawables.
  void addHook(const std::string &functionName, HookPhase phase, PluginContext *owner,
               std::function<void(std::string)> callback);
  // The setting's index; an existing name gives the existing setting.
  int addSetting(SettingDefinition definition);
  void bindSetting(int index, PluginContext *owner, BoundTarget target);
  void watchSetting(int index, PluginContext *owner, ChangeFunction function);
  void addNotifier(std::string name, Notifier notifier);
  void addDrawable(PluginContext *owner, std::function<void(CanvasWrapper)> callback);

  // Stores `text` in the setting (see SettingsStore::set); when it is
  // refused, nothing changes.
  Failure setSetting(int index, std::string text);
  // The console's bind and unbind; unbind is false when the key had no line.
  void bindKey(std::string key, std::string commandLine);
  bool unbindKey(std::string_view key);

  // The game's rules: where the player is, and matchmaking. The SDK wrappers
  // and the console commands change the game only through these.
  void setState(GameState state);
  // Whether GetMatchmakingWrapper hands out a usable handle.
  void setMatchmakingUsable(bool usable);
  // Selects or deselects one playlist for the next search.
  void selectPlaylist(std::int32_t playlist, bool selected);
  void startSearch(std::int32_t category);
  // The game's own search starts or stops, outside any plugin; it also ends
  // a running search, cancelled or with a game found.
  void setSearching(bool searching);

  // A plugin sets a timer: `callback` runs at `dueMicros`, unless its owner
  // is unloaded first.
  void setTimer(std::int64_t dueMicros, PluginContext *owner,
                std::function<void(GameWrapper *)> callback);
  // The player presses `key`; the console line bound to it, if any, for the
  // caller to run.
  std::optional<std::string> pressKey(std::string_view key);
  // Runs the plugin command (notifier) `words[0]` with all the words; false
  // when there is none of that name.
  bool runNotifier(const std::vector<std::string> &words);

  // A new context for a plugin being loaded; it lives as long as the host.
  PluginContext &createContext(std::string pluginName);
  // Drops every registration `context` made: hooks, timers, notifiers, the
  // settings' callbacks and bound values, drawables.
  void dropRegistrations(const PluginContext &context);

  // Who is told what the game, the host and the plugins did: every change
  // above is published here after it is made.
  EventStream &events() { return events_; }

  // The one entry point of every SDK call: counts it and, when anyone
  // listens, publishes it with its arguments. The frame path goes through
  // here for every canvas call: with no subscriber it costs one counter
  // increment and one branch.
  template <typename... Args> void record(Op op, const Args &...args) {
    ++counts_[static_cast<std::size_t>(op)];
    publish([&] { return SdkCall{op, {callArg(args)...}}; });
  }

  // Where console lines from plugins (executeCommand) go; the console sets it.
  void setCommandRunner(std::function<void(const std::string &)> runner);
  void runCommandLine(const std::string &line);

  // Moves the clock forward by `micros`, firing every timer due meanwhile
  // (timers set by those callbacks too) with the clock at each one's due time.
  void advance(std::int64_t micros);
  // The game calls the function `name`: its entry hooks, then its after
  // hooks; then a party function moves the player in or out of a party.
  void callFunction(const std::string &name);
  void renderFrame(Canvas &canvas);
  // What the current frame draws; the canvas wrappers fill it in.
  FrameRecord &frameRecord() { return frame_; }

  // What tests and sim_expect inspect.
  std::int64_t nowMicros() const { return nowMicros_; }
  GameState state() const { return state_; }
  bool searching() const { return matchmaking_.searching; }
  bool matchmakingUsable() const { return matchmaking_.usable; }
  std::vector<std::int32_t> selectedPlaylists() const;
  std::optional<std::int32_t> lastCategory() const { return matchmaking_.lastCategory; }
  std::size_t pendingTimers() const { return timers_.pending(); }
  std::optional<std::string> settingValue(std::string_view name) const;
  std::optional<std::string> keyBinding(std::string_view key) const;
  std::uint64_t callCount(Op op) const { return counts_[static_cast<std::size_t>(op)]; }
  // The last rendered frame's summary; meaningful once a frame was rendered.
  const FrameRecord &lastFrame() const { return frame_; }
  std::uint64_t framesRendered() const { return framesRendered_; }
  std::int64_t lastFrameMicros() const { return lastFrameMicros_; }

private:
  // Every change is published here: the event `make()` returns, stamped with
  // the time, when anyone listens. With no subscriber it costs one branch and
  // the event is never built.
  template <typename Make> void publish(const Make &make) {
    if (!events_.empty()) {
      events_.publish(Event{nowMicros_, make()});
    }
  }
  void setParty(Party party);
  // A plugin registered something on the setting `index`.
  void publishRegistered(Registration kind, int index);

  // The game starts with matchmaking usable, nothing selected and no search.
  struct Matchmaking {
    bool usable = true;
    bool searching = false;
    std::set<std::int32_t> selectedPlaylists;
    std::optional<std::int32_t> lastCategory;
  };

  // Game time never passes on its own: the session moves it.
  std::int64_t nowMicros_ = 0;
  EventStream events_;
  std::array<std::uint64_t, kOpCount> counts_{};
  SettingsStore settings_;
  TimerQueue timers_;
  HookTable hooks_;
  Drawables drawables_;
  Notifiers notifiers_;
  KeyBindings keyBindings_;
  std::vector<std::unique_ptr<PluginContext>> contexts_;
  Matchmaking matchmaking_;
  GameState state_ = GameState::Menu;
  Party party_ = Party::None;
  std::function<void(const std::string &)> commandRunner_;
  FrameRecord frame_;
  std::uint64_t framesRendered_ = 0;
  std::int64_t lastFrameMicros_ = 0;
};

} // namespace corvane::host

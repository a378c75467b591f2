// The host engine: time, game functions, matchmaking, frames and plugin
// bookkeeping.
#include "host.h"

#include <algorithm>

#include <corvane/game_wrapper.h>

#include "canvas.h"
#include "game_functions.h"
#include "plugin_context.h"

namespace corvane::host {

Host::Host() = default;
Host::~Host() = default;

PluginContext &Host::createContext(std::string pluginName) {
  contexts_.push_back(std::make_unique<PluginContext>(*this, std::move(pluginName)));
  return *contexts_.back();
}

void Host::dropRegistrations(const PluginContext &context) {
  hooks_.dropOwner(&context);
  for (const std::uint64_t id : timers_.dropOwner(&context)) {
    publish([id] { return TimerDropped{id}; });
  }
  notifiers_.dropOwner(&context);
  settings_.dropOwner(&context);
  drawables_.dropOwner(&context);
}

void Host::setCommandRunner(std::function<void(const std::string &)> runner) {
  commandRunner_ = std::move(runner);
}

void Host::runCommandLine(const std::string &line) {
  publish([&line] { return CommandIssued{line}; });
  if (commandRunner_) {
    commandRunner_(line);
  }
}

void Host::advance(std::int64_t micros) {
  const std::int64_t target = addSaturated(nowMicros_, micros < 0 ? 0 : micros);
  while (auto timer = timers_.popDue(target)) {
    // A callback may itself advance the clock (a console line); time never
    // runs backwards.
    nowMicros_ = std::max(timer->dueMicros, nowMicros_);
    if (timer->owner->active()) {
      timer->callback(timer->owner->gameWrapper().get());
    }
    publish([&timer] { return TimerFired{timer->id}; });
  }
  nowMicros_ = std::max(target, nowMicros_);
}

void Host::callFunction(const std::string &name) {
  const bool hooked = hooks_.call(name);
  publish([&] { return FunctionCalled{name, hooked}; });
  if (const auto party = game_functions::partyAfter(name)) {
    setParty(*party);
  }
}

void Host::setParty(Party party) {
  if (party != party_) {
    party_ = party;
    publish([party] { return PartyChanged{party}; });
  }
}

void Host::setState(GameState state) {
  state_ = state;
  publish([state] { return StateChanged{state}; });
}

void Host::setSearching(bool searching) {
  matchmaking_.searching = searching;
  publish([&]() -> EventData {
    if (searching) {
      return SearchStarted{matchmaking_.lastCategory, selectedPlaylists()};
    }
    return SearchStopped{};
  });
}

void Host::setTimer(std::int64_t dueMicros, PluginContext *owner,
                    std::function<void(GameWrapper *)> callback) {
  const std::uint64_t id = timers_.add(dueMicros, owner, std::move(callback));
  publish([id, dueMicros] { return TimerSet{id, dueMicros}; });
}

std::optional<std::string> Host::pressKey(std::string_view key) {
  publish([key] { return KeyPressed{std::string(key)}; });
  return keyBinding(key);
}

bool Host::runNotifier(const std::vector<std::string> &words) {
  if (words.empty() || !notifiers_.contains(words.front())) {
    return false;
  }
  // Told before it runs, so that what it does follows it in the stream.
  publish([&words] { return NotifierRun{words.front()}; });
  notifiers_.run(words);
  return true;
}

void Host::renderFrame(Canvas &canvas) {
  frame_.begin();
  publish([] { return FrameBegun{}; });
  drawables_.render(canvas);
  publish([this] { return FrameEnded{&frame_}; });
  ++framesRendered_;
  lastFrameMicros_ = nowMicros_;
}

void Host::selectPlaylist(std::int32_t playlist, bool selected) {
  if (selected) {
    matchmaking_.selectedPlaylists.insert(playlist);
  } else {
    matchmaking_.selectedPlaylists.erase(playlist);
  }
  publish([=] { return PlaylistSelected{playlist, selected}; });
}

void Host::setMatchmakingUsable(bool usable) {
  matchmaking_.usable = usable;
  publish([usable] { return MatchmakingUsable{usable}; });
}

void Host::startSearch(std::int32_t category) {
  matchmaking_.lastCategory = category;
  setSearching(true);
}

std::vector<std::int32_t> Host::selectedPlaylists() const {
  return {matchmaking_.selectedPlaylists.begin(), matchmaking_.selectedPlaylists.end()};
}

std::optional<std::string> Host::settingValue(std::string_view name) const {
  const Setting *setting = settings_.at(settings_.find(name));
  return setting == nullptr ? std::nullopt : std::optional(setting->value);
}

std::optional<std::string> Host::keyBinding(std::string_view key) const {
  const auto it = keyBindings_.find(key);
  return it == keyBindings_.end() ? std::nullopt : std::optional(it->second);
}

void Host::addHook(const std::string &functionName, HookPhase phase, PluginContext *owner,
                   std::function<void(std::string)> callback) {
  hooks_.add(functionName, phase, owner, std::move(callback));
  publish([&] {
    return Registered{phase == HookPhase::Entry ? Registration::EntryHook : Registration::AfterHook,
                      functionName};
  });
}

int Host::addSetting(SettingDefinition definition) {
  const int index = settings_.add(std::move(definition));
  publishRegistered(Registration::Setting, index);
  return index;
}

void Host::bindSetting(int index, PluginContext *owner, BoundTarget target) {
  settings_.bind(index, owner, std::move(target));
  publishRegistered(Registration::BoundValue, index);
}

void Host::publishRegistered(Registration kind, int index) {
  publish([&] { return Registered{kind, settings_.at(index)->definition.name}; });
}

void Host::watchSetting(int index, PluginContext *owner, ChangeFunction function) {
  settings_.addCallback(index, owner, std::move(function));
  publishRegistered(Registration::ChangeCallback, index);
}

void Host::addNotifier(std::string name, Notifier notifier) {
  publish([&name] { return Registered{Registration::Notifier, name}; });
  notifiers_.add(std::move(name), std::move(notifier));
}

void Host::addDrawable(PluginContext *owner, std::function<void(CanvasWrapper)> callback) {
  drawables_.add(owner, std::move(callback));
  publish([] { return Registered{Registration::Drawable, {}}; });
}

Failure Host::setSetting(int index, std::string text) {
  return settings_.set(index, std::move(text), [this](const Setting &setting) {
    publish([&setting] { return SettingChanged{setting.definition.name, setting.value}; });
  });
}

void Host::bindKey(std::string key, std::string commandLine) {
  publish([&] { return KeyBound{key, commandLine}; });
  keyBindings_.insert_or_assign(std::move(key), std::move(commandLine));
}

bool Host::unbindKey(std::string_view key) {
  const auto it = keyBindings_.find(key);
  if (it == keyBindings_.end()) {
    return false;
  }
  keyBindings_.erase(it);
  publish([key] { return KeyBound{std::string(key), std::nullopt}; });
  return true;
}

} // namespace corvane::host

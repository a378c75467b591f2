// The host engine: time, game functions, matchmaking, frames and plugin
// bookkeeping.
#include "host.h"

#include <algorithm>

#include <corvane/game_wrapper.h>

#include "canvas.h"
#include "drawables.h"
#include "game_functions.h"
#include "hook_table.h"
#include "notifiers.h"
#include "plugin_context.h"
#include "settings_store.h"
#include "timer_queue.h"

namespace corvane::host {

struct Host::Tables {
  SettingsStore settings;
  TimerQueue timers;
  HookTable hooks;
  Drawables drawables;
  Notifiers notifiers;
  KeyBindings keyBindings;
  std::vector<std::unique_ptr<PluginContext>> contexts;
};

Host::Host() : tables_(std::make_unique<Tables>()) {}
Host::~Host() = default;

const SettingsStore &Host::settings() const { return tables_->settings; }
const TimerQueue &Host::timers() const { return tables_->timers; }
const HookTable &Host::hooks() const { return tables_->hooks; }
const Drawables &Host::drawables() const { return tables_->drawables; }
const Notifiers &Host::notifiers() const { return tables_->notifiers; }
const KeyBindings &Host::keyBindings() const { return tables_->keyBindings; }
std::size_t Host::pendingTimers() const { return tables_->timers.pending(); }

PluginContext &Host::createContext(std::string pluginName) {
  tables_->contexts.push_back(std::make_unique<PluginContext>(*this, std::move(pluginName)));
  return *tables_->contexts.back();
}

void Host::dropRegistrations(const PluginContext &context) {
  tables_->hooks.dropOwner(&context);
  for (const std::uint64_t id : tables_->timers.dropOwner(&context)) {
    publish([id] { return TimerDropped{id}; });
  }
  tables_->notifiers.dropOwner(&context);
  tables_->settings.dropOwner(&context);
  tables_->drawables.dropOwner(&context);
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
  while (auto timer = tables_->timers.popDue(target)) {
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
  const bool hooked = tables_->hooks.call(name);
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
  const std::uint64_t id = tables_->timers.add(dueMicros, owner, std::move(callback));
  publish([id, dueMicros] { return TimerSet{id, dueMicros}; });
}

std::optional<std::string> Host::pressKey(std::string_view key) {
  publish([key] { return KeyPressed{std::string(key)}; });
  return keyBinding(key);
}

bool Host::runNotifier(const std::vector<std::string> &words) {
  if (words.empty() || !tables_->notifiers.contains(words.front())) {
    return false;
  }
  // Told before it runs, so that what it does follows it in the stream.
  publish([&words] { return NotifierRun{words.front()}; });
  tables_->notifiers.run(words);
  return true;
}

void Host::renderFrame(Canvas &canvas) {
  frame_.begin();
  publish([] { return FrameBegun{}; });
  tables_->drawables.render(canvas);
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
  const Setting *setting = tables_->settings.at(tables_->settings.find(name));
  return setting == nullptr ? std::nullopt : std::optional(setting->value);
}

std::optional<std::string> Host::keyBinding(std::string_view key) const {
  const auto it = tables_->keyBindings.find(key);
  return it == tables_->keyBindings.end() ? std::nullopt : std::optional(it->second);
}

void Host::addHook(const std::string &functionName, HookPhase phase, PluginContext *owner,
                   std::function<void(std::string)> callback) {
  tables_->hooks.add(functionName, phase, owner, std::move(callback));
  publish([&] {
    return Registered{phase == HookPhase::Entry ? Registration::EntryHook : Registration::AfterHook,
                      functionName};
  });
}

int Host::addSetting(SettingDefinition definition) {
  const int index = tables_->settings.add(std::move(definition));
  publishRegistered(Registration::Setting, index);
  return index;
}

void Host::bindSetting(int index, PluginContext *owner, BoundTarget target) {
  tables_->settings.bind(index, owner, std::move(target));
  publishRegistered(Registration::BoundValue, index);
}

void Host::publishRegistered(Registration kind, int index) {
  publish([&] { return Registered{kind, tables_->settings.at(index)->definition.name}; });
}

void Host::watchSetting(int index, PluginContext *owner, ChangeFunction function) {
  tables_->settings.addCallback(index, owner, std::move(function));
  publishRegistered(Registration::ChangeCallback, index);
}

void Host::addNotifier(std::string name, Notifier notifier) {
  publish([&name] { return Registered{Registration::Notifier, name}; });
  tables_->notifiers.add(std::move(name), std::move(notifier));
}

void Host::addDrawable(PluginContext *owner, std::function<void(CanvasWrapper)> callback) {
  tables_->drawables.add(owner, std::move(callback));
  publish([] { return Registered{Registration::Drawable, {}}; });
}

Failure Host::setSetting(int index, std::string text) {
  return tables_->settings.set(index, std::move(text), [this](const Setting &setting) {
    publish([&setting] { return SettingChanged{setting.definition.name, setting.value}; });
  });
}

void Host::bindKey(std::string key, std::string commandLine) {
  publish([&] { return KeyBound{key, commandLine}; });
  tables_->keyBindings.insert_or_assign(std::move(key), std::move(commandLine));
}

bool Host::unbindKey(std::string_view key) {
  const auto it = tables_->keyBindings.find(key);
  if (it == tables_->keyBindings.end()) {
    return false;
  }
  tables_->keyBindings.erase(it);
  publish([key] { return KeyBound{std::string(key), std::nullopt}; });
  return true;
}

} // namespace corvane::host

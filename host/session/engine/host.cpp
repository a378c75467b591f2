// The host engine: time, game functions, matchmaking, frames and plugin
// bookkeeping.
#include "host.h"

#include <algorithm>

#include <corvane/game_wrapper.h>

namespace corvane::host {

Host::Host() = default;
Host::~Host() = default;

PluginContext &Host::createContext(std::string pluginName) {
  contexts_.push_back(std::make_unique<PluginContext>(*this, std::move(pluginName)));
  return *contexts_.back();
}

void Host::dropRegistrations(const PluginContext &context) {
  hooks_.dropOwner(&context);
  timers_.dropOwner(&context);
  notifiers_.dropOwner(&context);
  settings_.dropOwner(&context);
  drawables_.dropOwner(&context);
}

void Host::setCommandRunner(std::function<void(const std::string &)> runner) {
  commandRunner_ = std::move(runner);
}

void Host::runCommandLine(const std::string &line) {
  if (commandRunner_) {
    commandRunner_(line);
  }
}

void Host::advance(std::int64_t micros) {
  const std::int64_t target = addSaturated(clock_.nowMicros(), micros < 0 ? 0 : micros);
  while (auto timer = timers_.popDue(target)) {
    // A callback may itself advance the clock (a console line); time never
    // runs backwards.
    clock_.set(std::max(timer->dueMicros, clock_.nowMicros()));
    if (timer->owner->active()) {
      timer->callback(timer->owner->gameWrapper().get());
    }
  }
  clock_.set(std::max(target, clock_.nowMicros()));
}

void Host::callFunction(const std::string &name) { hooks_.call(name); }

void Host::renderFrame(Canvas &canvas) {
  drawn_ = false;
  drawables_.render(canvas);
  lastFrameDrew_ = drawn_;
}

void Host::selectPlaylist(std::int32_t playlist, bool selected) {
  if (selected) {
    matchmaking_.selectedPlaylists.insert(playlist);
  } else {
    matchmaking_.selectedPlaylists.erase(playlist);
  }
}

void Host::startSearch(std::int32_t category) {
  matchmaking_.searching = true;
  matchmaking_.lastCategory = category;
}

std::vector<std::int32_t> Host::selectedPlaylists() const {
  return {matchmaking_.selectedPlaylists.begin(), matchmaking_.selectedPlaylists.end()};
}

std::optional<std::string> Host::settingValue(std::string_view name) const {
  const Setting *setting = settings_.at(settings_.find(name));
  if (setting == nullptr) {
    return std::nullopt;
  }
  return setting->value;
}

std::optional<std::string> Host::keyBinding(std::string_view key) const {
  return keyBindings_.lineFor(key);
}

} // namespace corvane::host

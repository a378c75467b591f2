// The simulator session: wiring of host, console and plugin.
#include "simulator.h"

#include <algorithm>
#include <iterator>

#include "host/session/engine/hook_table.h"
#include "host/session/engine/notifiers.h"

namespace corvane::sim {

Simulator::Simulator(SimulatorOptions options)
    : options_(options), host_(std::make_unique<host::Host>()) {
  if (options_.out == nullptr) {
    options_.out = &discard_;
  }
  if (options_.err == nullptr) {
    options_.err = &discard_;
  }
  if (options_.trace != nullptr) {
    trace_ = std::make_unique<host::TraceWriter>(*options_.trace, options_.verbose);
    host_->events().subscribe(*trace_);
  }
  console_ =
      std::make_unique<console::Console>(*host_, *options_.out, *options_.err, options_.front);
  for (const SessionExtension &extension : options_.extensions) {
    extension(*this);
  }
}

Simulator::~Simulator() {
  unload();
  if (trace_) {
    host_->events().unsubscribe(*trace_);
  }
}

bool Simulator::load(const std::string &pluginPath) {
  if (plugin_) {
    *options_.err << options_.errorPrefix << "cannot load plugin " << pluginPath << ": "
                  << plugin_->path() << " is already loaded\n";
    return false;
  }
  auto loaded = loader::LoadedPlugin::load(*host_, pluginPath);
  if (!loaded) {
    *options_.err << options_.errorPrefix << loaded.error().message << '\n';
    return false;
  }
  plugin_ = std::move(*loaded);
  return true;
}

void Simulator::unload() {
  if (plugin_) {
    plugin_->unload();
    plugin_.reset();
  }
}

std::vector<std::string> Simulator::hookedFunctions() const {
  return host_->hooks().functionNames();
}

std::vector<std::string> Simulator::boundKeys() const {
  std::vector<std::string> keys;
  std::transform(host_->keyBindings().begin(), host_->keyBindings().end(), std::back_inserter(keys),
                 [](const auto &binding) { return binding.first; });
  return keys;
}

std::vector<std::string> Simulator::settingNames() const {
  std::vector<std::string> names;
  for (const host::Setting *setting : host_->settings().sortedByName()) {
    names.push_back(setting->definition.name);
  }
  return names;
}

const host::Setting *Simulator::setting(std::string_view name) const {
  return host_->settings().at(host_->settings().find(name));
}

std::vector<std::string> Simulator::pluginCommands() const { return host_->notifiers().names(); }

std::optional<std::string> Simulator::pluginCommand(std::string_view name) const {
  return host_->notifiers().description(name);
}

} // namespace corvane::sim

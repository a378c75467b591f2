// The simulator session: wiring of host, console and plugin.
#include "simulator.h"

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
  console_ = std::make_unique<console::Console>(*host_, *options_.out, *options_.err);
  console_->setOutputFolder(options_.outputFolder);
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

bool Simulator::loaded() const { return plugin_ != nullptr; }

Status Simulator::run(std::string_view text, std::string_view file, int line) {
  return console_->run(text, file, line);
}

Status Simulator::runScript(const std::string &path) { return console_->runFile(path); }

host::Host &Simulator::host() { return *host_; }
console::Console &Simulator::console() { return *console_; }

} // namespace corvane::sim

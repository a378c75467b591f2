// The plugin session of the benchmarks.
#include "plugin_session.h"

namespace vexlo::bench {

namespace {
// With no streams the simulator discards console output and traces nothing,
// as a host does on a frame that is not being recorded.
corvane::sim::SimulatorOptions silentOptions() { return corvane::sim::SimulatorOptions{}; }
} // namespace

PluginSession::PluginSession() : simulator_(silentOptions()) {}

std::optional<std::string> PluginSession::start(std::string_view setup) {
  if (!simulator_.load(VEXLO_PLUGIN_PATH)) {
    return std::string("the plugin at " VEXLO_PLUGIN_PATH " was refused");
  }
  if (simulator_.run(setup, "<bench>") != corvane::sim::Status::Ok) {
    return "the setup failed: " + std::string(setup);
  }
  return std::nullopt;
}

std::string hidingBarTextLine(std::string_view text) {
  return "vexlo_hbtext \"" + std::string(text) + "\"";
}

} // namespace vexlo::bench

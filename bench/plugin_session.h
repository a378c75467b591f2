// PluginSession: the built plugin loaded into the stand-in host with tracing
// off, set up by console lines, for a benchmark to drive.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "host/session/simulator.h"

namespace vexlo::bench {

class PluginSession {
public:
  PluginSession();
  PluginSession(const PluginSession &) = delete;
  PluginSession &operator=(const PluginSession &) = delete;

  // Loads the plugin and runs `setup` (console lines separated by '\n'). On
  // failure returns why, for the benchmark to report instead of a timing.
  std::optional<std::string> start(std::string_view setup);

  corvane::host::Host &host() { return simulator_.host(); }

private:
  corvane::sim::Simulator simulator_;
};

// The console line that sets the hiding bar's text to `text` (no quotes or
// backslashes in it).
std::string hidingBarTextLine(std::string_view text);

} // namespace vexlo::bench

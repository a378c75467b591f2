// A fresh stand-in host with the built vexlo plugin loaded, driven by console
// text: the one way every plugin test talks to the plugin.
#pragma once

#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "host/session/simulator.h"

namespace vexlo::testing {

// Loads the plugin on construction and unloads it on destruction. Each call
// returns what the plugin did since the previous one, so a test reads as a
// sequence of player actions and the host calls each caused.
class PluginSession {
public:
  explicit PluginSession(bool verbose = false);
  ~PluginSession();
  PluginSession(const PluginSession &) = delete;
  PluginSession &operator=(const PluginSession &) = delete;

  // Runs console text (lines separated by '\n') and returns the trace lines it
  // caused. Fails the current test if the text was not run cleanly.
  std::vector<std::string> run(std::string_view console);
  // Runs console text and returns how the run ended, for tests of errors.
  corvane::sim::Status runStatus(std::string_view console);

  // The trace lines, printed output and error lines produced since the last
  // take of each.
  std::vector<std::string> takeTrace();
  std::string takeOutput();
  std::string takeErrors();

  corvane::sim::Simulator &simulator() { return simulator_; }

private:
  std::ostringstream out_;
  std::ostringstream err_;
  std::ostringstream trace_;
  corvane::sim::Simulator simulator_;
};

// The lines of `text`, without their line ends.
std::vector<std::string> splitLines(const std::string &text);

} // namespace vexlo::testing

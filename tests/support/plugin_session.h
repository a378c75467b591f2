// A fresh stand-in host with the built vexlo plugin loaded, driven by console
// text: the one way every plugin test talks to the plugin.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "session.h"

namespace vexlo::testing {

// Loads the plugin on construction, failing the current test if it is
// refused. Each run returns what the plugin did since the previous one, so a
// test reads as a sequence of player actions and the host calls each caused.
class PluginSession : public Session {
public:
  explicit PluginSession(bool verbose = false);

  // Runs console text (lines separated by '\n') and returns the trace lines it
  // caused. Fails the current test if the text was not run cleanly.
  std::vector<std::string> run(std::string_view console);
  // Runs console text and returns how the run ended, for tests of errors.
  corvane::Outcome runStatus(std::string_view console) { return Session::run(console); }
};

} // namespace vexlo::testing

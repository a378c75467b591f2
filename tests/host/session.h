// Session: a Simulator with captured output streams, and a bare plugin
// context for tests that call the SDK wrappers directly.
#pragma once

#include <sstream>
#include <string>
#include <string_view>

#include <corvane/cvar_manager_wrapper.h>
#include <corvane/game_wrapper.h>

#include "host/session/simulator.h"

namespace corvane::testing {

struct Session {
  explicit Session(bool verbose = false)
      : simulator(sim::SimulatorOptions{&out, &err, &trace, verbose}) {}

  sim::Status run(std::string_view text) { return simulator.run(text); }
  host::Host &host() { return simulator.host(); }

  // A context as the loader makes one, without a library behind it: the
  // test itself plays the plugin.
  host::PluginContext &pluginContext() {
    if (context == nullptr) {
      context = &host().createContext("test plugin");
    }
    return *context;
  }
  CVarManagerWrapper &cvars() { return *pluginContext().cvarManager(); }
  GameWrapper &game() { return *pluginContext().gameWrapper(); }

  std::ostringstream out;
  std::ostringstream err;
  std::ostringstream trace;
  sim::Simulator simulator;
  host::PluginContext *context = nullptr;
};

} // namespace corvane::testing

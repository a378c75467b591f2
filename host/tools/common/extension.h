// Extension: a feature of the programs (screenshots, a screen resolution, ...)
// with its own command-line options and console commands.
#pragma once

#include <functional>

#include "host/session/simulator.h"
#include "host/tools/common/option_table.h"

namespace corvane::sim {

struct Extension {
  // Adds the feature's command-line options to corvane-sim (may be empty).
  std::function<void(OptionTable &)> addOptions;
  // Adds the feature's console commands to a new session (may be empty).
  SessionExtension attach{};
  // Runs after the last script, before the plugin is unloaded (may be
  // empty); false when it failed, having said why on the error stream.
  std::function<bool(Simulator &)> finish{};
};

} // namespace corvane::sim

// Extensions: later simulator features (screenshots, a screen resolution, ...)
// hook in here with their own options and console commands.
#pragma once

#include <functional>
#include <vector>

#include "cli_options.h"

namespace corvane::sim {

class Simulator;

struct Extension {
  // Adds the feature's command-line options to corvane-sim (may be empty).
  std::function<void(OptionTable &)> addOptions;
  // Adds the feature's console commands to a new session (may be empty).
  std::function<void(Simulator &)> attach;
};

// Every extension, in the order they were listed in extensions.cpp.
const std::vector<Extension> &extensions();

} // namespace corvane::sim

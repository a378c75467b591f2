// Random host actions, each one console line: settings with typical, boundary,
// out-of-range, negative, non-numeric, empty and long values, the notifier,
// key presses, game functions, game and matchmaking state, waits and frames.
#pragma once

#include <string>

#include "action_source.h"

namespace modelcheck {

// The next action as a console line.
std::string nextAction(ActionSource &source);

} // namespace modelcheck

// Tab completion for interactive sessions: what may follow the text before
// the cursor, drawn from the live session (commands, settings and their
// values, plugin commands, hooked functions, bound keys).
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "host/session/simulator.h"

namespace corvane::sim {

struct Completion {
  // How many characters before the cursor the completion replaces: the word
  // being typed, its opening quote included.
  std::size_t replaced = 0;
  // What replaces them: the one match with a blank after it, or the part
  // every match shares; empty when the matches share nothing more.
  std::string insert;
  // Every match, as the console reads it back, when there is more than one.
  std::vector<std::string> choices;
};

Completion complete(Simulator &simulator, std::string_view beforeCursor);

} // namespace corvane::sim

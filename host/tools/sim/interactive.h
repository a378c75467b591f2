// The interactive session: a person types console lines at a prompt.
#pragma once

#include <cstddef>
#include <string>

#include "host/session/simulator.h"
#include "program_front.h"

namespace corvane::sim {

// Reads lines until `quit`, `exit`, Ctrl-D or the end of input. A bad line or
// a failed check prints its message and the session goes on; `help` explains
// the commands; Ctrl-C abandons the line being typed or stops sim_frame.
// `foldFrames`: runs of identical frames are one line (the trace goes to
// the screen).
Outcome runInteractive(Simulator &simulator, ProgramFront &front, bool foldFrames);

// Appends a row of help to `text`: two blanks, `usage`, and `summary` at
// `column`, on a line of its own when the usage reaches that far.
void addHelpRow(std::string &text, const std::string &usage, const std::string &summary,
                std::size_t column);

} // namespace corvane::sim

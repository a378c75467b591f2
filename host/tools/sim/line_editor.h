// LineEditor: reads the lines a person types at the prompt, with editing,
// history and Tab completion when the build has libedit, plainly otherwise.
#pragma once

#include <memory>
#include <optional>
#include <string>

#include "host/session/simulator.h"

namespace corvane::sim {

class LineEditor {
public:
  // Tab completes from `simulator`; the history is kept in
  // $XDG_STATE_HOME/corvane-sim/history, else ~/.local/state/corvane-sim/history.
  explicit LineEditor(Simulator &simulator);
  ~LineEditor();
  LineEditor(const LineEditor &) = delete;
  LineEditor &operator=(const LineEditor &) = delete;

  // Waits for a line, without its newline, and keeps it in the history when
  // it is not blank. None at Ctrl-D or the end of input, or when Ctrl-C
  // abandoned the line (platform::interruptRequested tells which).
  std::optional<std::string> read();

  // Whether this build edits lines (libedit) or shows a plain prompt.
  static bool editing();

  // The editor's state, defined for the build's kind of reading; public so
  // that libedit's callbacks can reach it.
  struct State;

private:
  static constexpr char kPrompt[] = "> ";

  std::unique_ptr<State> state_;
};

} // namespace corvane::sim

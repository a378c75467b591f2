// LineEditor: reads the lines a person types at the prompt, with editing,
// history and Tab completion when the build has libedit, plainly otherwise.
#pragma once

#include <csignal>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "completion.h"

namespace corvane::sim {

class LineEditor {
public:
  enum class Outcome { Line, Interrupted, End };
  struct Read {
    Outcome outcome;
    std::string line; // without its newline
  };
  using Completer = std::function<Completion(std::string_view beforeCursor)>;

  // `historyFile` is read now and written as lines are entered (empty: no
  // history kept). `interrupted` is the flag the caller's Ctrl-C handler
  // sets: a read that finds it set ends as Interrupted.
  LineEditor(std::string prompt, std::filesystem::path historyFile, Completer completer,
             const volatile std::sig_atomic_t &interrupted);
  ~LineEditor();
  LineEditor(const LineEditor &) = delete;
  LineEditor &operator=(const LineEditor &) = delete;

  // Waits for a line. Interrupted: Ctrl-C abandoned the line (the caller's
  // signal handler saw it); End: Ctrl-D or the end of input.
  Read read();
  // Keeps a non-blank entered line in the history.
  void remember(const std::string &line);

  // Whether this build edits lines (libedit) or shows a plain prompt.
  static bool editing();

  // The editor's state, defined for the build's kind of reading; public so
  // that libedit's callbacks can reach it.
  struct State;

private:
  std::unique_ptr<State> state_;
};

} // namespace corvane::sim

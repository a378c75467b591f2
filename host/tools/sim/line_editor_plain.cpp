// The line editor where the build has no libedit (and on Windows): a plain
// prompt on standard input, without history or completion.
#include "line_editor.h"

#include <cstdio>
#include <iostream>

namespace corvane::sim {

struct LineEditor::State {
  std::string prompt;
};

LineEditor::LineEditor(std::string prompt, std::filesystem::path /*historyFile*/,
                       Completer /*completer*/, const volatile std::sig_atomic_t & /*interrupted*/)
    : state_(std::make_unique<State>(State{std::move(prompt)})) {}

LineEditor::~LineEditor() = default;

bool LineEditor::editing() { return false; }

LineEditor::Read LineEditor::read() {
  std::cout << state_->prompt << std::flush;
  std::string line;
  if (std::getline(std::cin, line)) {
    return {Outcome::Line, std::move(line)};
  }
  // A read cut short by Ctrl-C fails like the end of input; the caller's
  // flag tells them apart.
  const bool ended = std::cin.eof();
  std::cin.clear();
  std::clearerr(stdin);
  return {ended ? Outcome::End : Outcome::Interrupted, {}};
}

void LineEditor::remember(const std::string & /*line*/) {}

} // namespace corvane::sim

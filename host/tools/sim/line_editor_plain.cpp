// The line editor where the build has no libedit (and on Windows): a plain
// prompt on standard input, without history or completion.
#include "line_editor.h"

#include <cstdio>
#include <iostream>

namespace corvane::sim {

struct LineEditor::State {};

LineEditor::LineEditor(Simulator & /*simulator*/) : state_(std::make_unique<State>()) {}

LineEditor::~LineEditor() = default;

bool LineEditor::editing() { return false; }

std::optional<std::string> LineEditor::read() {
  std::cout << kPrompt << std::flush;
  std::string line;
  if (std::getline(std::cin, line)) {
    return line;
  }
  // A read cut short by Ctrl-C fails as the end of input does.
  std::cin.clear();
  std::clearerr(stdin);
  return std::nullopt;
}

} // namespace corvane::sim

// Where the line editor keeps its history; the editing itself is in
// line_editor_libedit.cpp or line_editor_plain.cpp, as the build chooses.
#include "line_editor.h"

#include "host/base/utf8_path.h"

namespace corvane::sim {

std::filesystem::path historyPath() {
  if (const auto state = platform::environmentVariable("XDG_STATE_HOME");
      state && !state->empty()) {
    return platform::pathFromUtf8(*state) / "corvane-sim" / "history";
  }
  if (const auto home = platform::environmentVariable("HOME"); home && !home->empty()) {
    return platform::pathFromUtf8(*home) / ".local" / "state" / "corvane-sim" / "history";
  }
  return {};
}

} // namespace corvane::sim

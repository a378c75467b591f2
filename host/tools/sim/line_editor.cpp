// Where the line editor keeps its history; the editing itself is in
// line_editor_libedit.cpp or line_editor_plain.cpp, as the build chooses.
#include "line_editor.h"

#include "host/session/platform/utf8_path.h"

namespace corvane::sim {

std::filesystem::path historyPath() {
  const auto state = platform::environmentVariable("XDG_STATE_HOME");
  const auto home = platform::environmentVariable("HOME");
  std::filesystem::path folder;
  if (state && !state->empty()) {
    folder = platform::pathFromUtf8(*state);
  } else if (home && !home->empty()) {
    folder = platform::pathFromUtf8(*home) / ".local" / "state";
  } else {
    return {};
  }
  return folder / "corvane-sim" / "history";
}

} // namespace corvane::sim

// The line editor over libedit's own interface (histedit.h), which lets Tab
// replace a whole quoted word.
#include "line_editor.h"

#include <histedit.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cwchar>
#include <filesystem>
#include <system_error>

#include <poll.h>
#include <unistd.h>

#include "completion.h"
#include "host/base/utf8_path.h"
#include "host/base/whole_file.h"

#if defined(__SANITIZE_ADDRESS__)
// libedit keeps its own copies of an added function's name and help text
// (EL_ADDFN) after el_end, until the process ends: not a leak of this
// program's, and the leak check of a sanitizer build would fail every
// interactive session on it. The report's stack ends in the C library's
// wcsdup (libedit has no frame pointers to walk), which this program never
// calls itself.
extern "C" const char *__lsan_default_suppressions();
extern "C" const char *__lsan_default_suppressions() { return "leak:wcsdup\n"; }
// Nor is the leak check's list of the suppressions it used part of what the
// program says: it would follow the session's own last message on stderr.
extern "C" const char *__lsan_default_options();
extern "C" const char *__lsan_default_options() { return "print_suppressions=0"; }
#endif

namespace corvane::sim {

struct LineEditor::State {
  Simulator &simulator;
  std::filesystem::path historyFile;
  EditLine *editor = nullptr;
  History *history = nullptr;
};

namespace {

constexpr int kHistoryEntries = 1000;
constexpr std::size_t kChoiceGap = 2;
// When the terminal does not say how wide it is.
constexpr int kDefaultScreenWidth = 80;
// How often a wait for a key looks whether Ctrl-C came.
constexpr int kInterruptCheckMillis = 50;

// Empty when neither folder of the history file is known.
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

// Lists the choices in columns under the line, then lets libedit draw the
// prompt and the line again.
void showChoices(EditLine *editor, const std::vector<std::string> &choices) {
  const std::size_t width = std::ranges::max_element(choices, {}, [](const std::string &choice) {
                              return choice.size();
                            })->size();
  int screenWidth = 0;
  if (el_get(editor, EL_GETTC, "co", &screenWidth) != 0 || screenWidth <= 0) {
    screenWidth = kDefaultScreenWidth;
  }
  const std::size_t perRow =
      std::max<std::size_t>(1, static_cast<std::size_t>(screenWidth) / (width + kChoiceGap));
  std::string text = "\n";
  for (std::size_t i = 0; i < choices.size(); ++i) {
    text += choices[i];
    const bool lastInRow = (i + 1) % perRow == 0 || i + 1 == choices.size();
    text += lastInRow ? "\n" : std::string(width + kChoiceGap - choices[i].size(), ' ');
  }
  std::fputs(text.c_str(), stdout);
  std::fflush(stdout);
}

unsigned char completeWord(EditLine *editor, int /*key*/) {
  const LineInfo *line = el_line(editor);
  const std::string_view before(line->buffer,
                                static_cast<std::size_t>(line->cursor - line->buffer));
  void *state = nullptr;
  el_get(editor, EL_CLIENTDATA, &state);
  const Completion completion =
      complete(static_cast<LineEditor::State *>(state)->simulator, before);
  if (!completion.insert.empty()) {
    el_deletestr(editor, static_cast<int>(completion.replaced));
    el_insertstr(editor, completion.insert.c_str());
    return CC_REFRESH;
  }
  if (!completion.choices.empty()) {
    showChoices(editor, completion.choices);
    return CC_REDISPLAY;
  }
  return CC_REFRESH_BEEP;
}

// Reads one character for libedit, as its own reader does, but ends the read
// with EINTR whenever the Ctrl-C flag is set, also when the signal came
// between the prompt's drawing and the wait for a key, where a read that
// only stops on a signal would never see it.
int readCharacter(EditLine * /*editor*/, wchar_t *character) {
  std::mbstate_t shift{};
  while (true) {
    if (platform::interruptRequested != 0) {
      errno = EINTR;
      return -1;
    }
    pollfd ready{STDIN_FILENO, POLLIN, 0};
    const int polled = poll(&ready, 1, kInterruptCheckMillis);
    if (polled == 0 || (polled < 0 && errno == EINTR)) {
      continue; // nothing yet, or a signal: look at the flag again
    }
    char byte = 0;
    const ssize_t count = polled < 0 ? -1 : ::read(STDIN_FILENO, &byte, 1);
    if (count < 0 && errno == EINTR) {
      continue;
    }
    if (count <= 0) {
      return static_cast<int>(count); // the end of input, or an error
    }
    const std::size_t used = std::mbrtowc(character, &byte, 1, &shift);
    if (used == static_cast<std::size_t>(-2)) {
      continue; // part of a character
    }
    if (used == static_cast<std::size_t>(-1)) {
      shift = {}; // not a character of the locale: the byte as it is
      *character = static_cast<wchar_t>(static_cast<unsigned char>(byte));
    }
    return 1;
  }
}

} // namespace

LineEditor::LineEditor(Simulator &simulator)
    : state_(std::make_unique<State>(State{simulator, historyPath()})) {
  state_->history = history_init();
  HistEvent event;
  history(state_->history, &event, H_SETSIZE, kHistoryEntries);
  history(state_->history, &event, H_SETUNIQUE, 1);
  if (!state_->historyFile.empty()) {
    history(state_->history, &event, H_LOAD, state_->historyFile.c_str());
  }
  state_->editor = el_init("corvane-sim", stdin, stdout, stderr);
  el_set(state_->editor, EL_CLIENTDATA, state_.get());
  el_set(state_->editor, EL_EDITOR, "emacs");
  el_set(
      state_->editor, EL_PROMPT,
      +[](EditLine * /*editor*/) { return const_cast<char *>(kPrompt); });
  el_set(state_->editor, EL_HIST, history, state_->history);
  el_set(state_->editor, EL_ADDFN, "corvane-complete", "complete the word", completeWord);
  el_set(state_->editor, EL_BIND, "^I", "corvane-complete", nullptr);
  el_set(state_->editor, EL_GETCFN, readCharacter);
}

LineEditor::~LineEditor() {
  el_end(state_->editor);
  history_end(state_->history);
}

bool LineEditor::editing() { return true; }

std::optional<std::string> LineEditor::read() {
  int count = 0;
  const char *text = el_gets(state_->editor, &count);
  if (text == nullptr) {
    return std::nullopt;
  }
  std::string line(text, static_cast<std::size_t>(count));
  line.erase(line.find_last_not_of("\r\n") + 1);
  if (line.find_first_not_of(" \t") == std::string::npos) {
    return line;
  }
  HistEvent event;
  history(state_->history, &event, H_ENTER, line.c_str());
  if (!state_->historyFile.empty()) {
    // Saved on every line, so that a session that is killed keeps its history.
    std::error_code ignored;
    std::filesystem::create_directories(state_->historyFile.parent_path(), ignored);
    history(state_->history, &event, H_SAVE, state_->historyFile.c_str());
  }
  return line;
}

} // namespace corvane::sim

// A person's session at corvane-sim's prompt, through a pseudo-terminal:
// mistakes do not end it, help and sim_status answer, Tab completes, frames
// are folded, and quit leaves with status 0.
#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include <poll.h>
#include <pty.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

constexpr auto kPatience = std::chrono::seconds(20);
constexpr int kPollMillis = 100;
constexpr std::size_t kReadChunk = 4096;

class Terminal {
public:
  Terminal() {
    const std::string state = (std::filesystem::path(testing::TempDir()) / "sim-state").string();
    child_ = forkpty(&master_, nullptr, nullptr, nullptr);
    if (child_ == 0) {
      setenv("XDG_STATE_HOME", state.c_str(), 1);
      execl(CORVANE_SIM_PATH, CORVANE_SIM_PATH, VEXLO_PLUGIN_PATH, static_cast<char *>(nullptr));
      _exit(127);
    }
  }
  ~Terminal() {
    if (child_ > 0 && !waited_) {
      kill(child_, SIGKILL);
      waitpid(child_, nullptr, 0);
    }
    close(master_);
  }
  Terminal(const Terminal &) = delete;
  Terminal &operator=(const Terminal &) = delete;

  bool started() const { return child_ > 0; }
  // Types `keys` once the prompt is back: keys typed while a command still
  // prints reach the terminal before the line editor has taken it over.
  void type(const std::string &keys) {
    ASSERT_TRUE(waitFor("\n> ")) << screen_;
    ASSERT_EQ(write(master_, keys.data(), keys.size()), static_cast<ssize_t>(keys.size()));
  }
  // Reads until the screen shows `text` after what earlier waits consumed.
  bool waitFor(const std::string &text) {
    const auto deadline = std::chrono::steady_clock::now() + kPatience;
    while (std::chrono::steady_clock::now() < deadline) {
      if (const std::size_t at = screen_.find(text, seen_); at != std::string::npos) {
        seen_ = at + text.size();
        return true;
      }
      pollfd ready{master_, POLLIN, 0};
      if (poll(&ready, 1, kPollMillis) > 0) {
        char chunk[kReadChunk];
        const ssize_t count = read(master_, chunk, sizeof chunk);
        if (count <= 0) {
          return false;
        }
        screen_.append(chunk, static_cast<std::size_t>(count));
      }
    }
    return false;
  }
  // The exit status; -1 when the program has not ended in time (it is then
  // killed) or did not exit.
  int exitStatus() {
    const auto deadline = std::chrono::steady_clock::now() + kPatience;
    int status = 0;
    while (waitpid(child_, &status, WNOHANG) == 0) {
      if (std::chrono::steady_clock::now() >= deadline) {
        return -1;
      }
      std::this_thread::sleep_for(std::chrono::milliseconds(kPollMillis));
    }
    waited_ = true;
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  }
  const std::string &screen() const { return screen_; }

private:
  int master_ = -1;
  pid_t child_ = -1;
  bool waited_ = false;
  std::string screen_;
  std::size_t seen_ = 0;
};

TEST(InteractiveSession, SurvivesMistakesAndAnswersAPerson) {
  Terminal terminal;
  ASSERT_TRUE(terminal.started());
  // Keys typed at the prompt (none: the screen goes on) and what the screen
  // then shows (none: nothing to wait for).
  const std::vector<std::pair<std::string, std::string>> exchanges = {
      // A typo prints its error and the prompt comes back (it used to end the run).
      {"vexlo_enabld 1\n", "unknown command vexlo_enabld (did you mean vexlo_enabled?)"},
      {"sim_key Q\n", "key Q is not bound: nothing ran"}, // silence read as a lost key press
      // Faults: the session's own words get no suggestion, and words after
      // quit are silence.
      {"quti\n", "unknown command quti (did you mean quit?)"},
      {"quit now\n", "usage: quit (got \"now\")"},
      // The prompt's own words with arguments, told from console commands.
      // Faults: help NAME lists everything or knows only console commands;
      // a word after help or exit is dropped; a console command whose
      // argument is one of them is taken for it.
      {"help sim_wait\n", "usage: sim_wait SECONDS\r\n  advances the clock"},
      {"help exit\n", "exit: leaves the session (so does Ctrl-D)"},
      {"help vexlo_hbheight\n", "vexlo_hbheight VALUE sets it"},
      {"help no_such\n", "no command or setting named no_such (help lists them)"},
      {"help sim_wait now\n", "usage: help [NAME] (got \"sim_wait\" \"now\")"},
      {"exit 0\n", "usage: exit (got \"0\")"},
      {"echo help quit\n", "help quit\r\n"},
      // Fault: a long command shows no progress at a terminal.
      {"sim_frame 1000000\n", "sim_frame 1000000: "},
      // Fault: the Ctrl-C that abandoned a line stays set and stops the next sim_frame.
      {"\x03", ""},
      {"sim_frame 2\n", "2 frames: nothing drawn"},
      {"help\n", "sim_status"},
      // Three identical frames are one line, not eighteen.
      {"vexlo_enabled 1; vexlo_bind F3; sim_key F3; sim_frame 3\n",
       "3 frames: SetPosition, SetColor, FillBox"},
      {"sim_status\n", "due at 1.000 s"},
      {"", "F3 runs \"vexlo_queue\""},
  };
  for (const auto &[keys, answer] : exchanges) {
    if (!keys.empty()) {
      terminal.type(keys);
    }
    if (!answer.empty()) {
      EXPECT_TRUE(terminal.waitFor(answer)) << terminal.screen();
    }
  }
#if CORVANE_SIM_EDITS_LINES
  // Tab completes the setting's name; the line then prints its value.
  terminal.type("vexlo_hbhe\t\n");
  EXPECT_TRUE(terminal.waitFor("vexlo_hbheight = \"60\"")) << terminal.screen();
  // Fault: the line typed is not kept, so Up does not bring it back.
  terminal.type("\x1b[A\n");
  EXPECT_TRUE(terminal.waitFor("vexlo_hbheight = \"60\"")) << terminal.screen();
#endif
  terminal.type("quit\n");
  EXPECT_EQ(terminal.exitStatus(), 0) << terminal.screen();
}

} // namespace

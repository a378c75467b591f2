// A check's child process on POSIX: this program's file spawned again with
// its standard output into a pipe and its standard input empty, read with
// poll until it ends or the deadline comes, then killed.
#include "child_process.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <cstring>
#include <optional>

#include "host/base/utf8_path.h"

extern char **environ;

namespace corvane::validate {

namespace {

// The file this process runs, even when the path it was started by has been
// replaced or removed since (a rebuild while a validation runs).
constexpr const char *kOwnProgram = "/proc/self/exe";

// One end of the pipe from the child. Both ends are this program's own (they
// close on exec); each is closed once it is done with, or at the end of the
// run.
struct PipeEnd {
  int descriptor = -1;

  explicit PipeEnd(int opened) : descriptor(opened) {}
  ~PipeEnd() { close(); }
  PipeEnd(const PipeEnd &) = delete;
  PipeEnd &operator=(const PipeEnd &) = delete;
  void close() {
    if (descriptor >= 0) {
      ::close(descriptor);
      descriptor = -1;
    }
  }
};

// This program again, with `words`: standard output into the pipe, standard
// input empty, standard error shared. The descriptors this program opened
// itself close on exec or go along, as a forked copy's would. Returns the
// error number, 0 when it started.
int spawn(const std::vector<std::string> &words, int output, pid_t &child) {
  std::vector<std::string> arguments = {kOwnProgram};
  arguments.insert(arguments.end(), words.begin(), words.end());
  std::vector<char *> argv(arguments.size() + 1, nullptr);
  std::ranges::transform(arguments, argv.begin(),
                         [](std::string &argument) { return argument.data(); });
  posix_spawn_file_actions_t confinement{};
  ::posix_spawn_file_actions_init(&confinement);
  ::posix_spawn_file_actions_adddup2(&confinement, output, STDOUT_FILENO);
  ::posix_spawn_file_actions_addopen(&confinement, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
  const int error = ::posix_spawn(&child, kOwnProgram, &confinement, nullptr, argv.data(), environ);
  ::posix_spawn_file_actions_destroy(&confinement);
  return error;
}

// Moves what the child has written so far to `output`, without waiting and
// not past `deadline` (a child may write without end). Closes the pipe at
// its end.
void drainPipe(PipeEnd &pipe, Clock::time_point deadline, const ChildOutput &output) {
  std::array<char, kChildReadChunk> buffer{};
  pollfd watch{pipe.descriptor, POLLIN, 0};
  while (pipe.descriptor >= 0 && Clock::now() < deadline && ::poll(&watch, 1, 0) > 0) {
    const ssize_t got = ::read(pipe.descriptor, buffer.data(), buffer.size());
    if (got <= 0) {
      pipe.close(); // every writer closed it
      return;
    }
    output(std::string_view(buffer.data(), static_cast<std::size_t>(got)));
  }
}

} // namespace

ChildEnd runOwnProgram(const std::vector<std::string> &words, Clock::time_point deadline,
                       const ChildOutput &output) {
  std::array<int, 2> ends{-1, -1};
  if (::pipe2(ends.data(), O_CLOEXEC) != 0) {
    return {ChildEnd::Kind::Failed, "cannot create a pipe: " + platform::errnoText(errno)};
  }
  PipeEnd readEnd(ends[0]);
  PipeEnd writeEnd(ends[1]);
  pid_t child = 0;
  const int error = spawn(words, writeEnd.descriptor, child);
  writeEnd.close(); // the child's copy is the only writer left
  if (error != 0) {
    return {ChildEnd::Kind::Failed, "cannot start a child process: " + platform::errnoText(error)};
  }
  std::optional<int> status;
  const auto ended = [&](std::chrono::milliseconds wait) {
    // Woken by what the child writes; once the pipe is closed (-1), it only waits.
    pollfd watch{readEnd.descriptor, POLLIN, 0};
    ::poll(&watch, 1, static_cast<int>(wait.count()));
    int code = 0;
    if (::waitpid(child, &code, WNOHANG) == child) {
      status = code;
    }
    return status.has_value();
  };
  const auto drain = [&] { drainPipe(readEnd, deadline, output); };
  if (!waitForChild(deadline, drain, ended)) {
    ::kill(child, SIGKILL);
    readEnd.close(); // so that `drain` reads nothing more and `ended` only waits
    waitForChild(Clock::now() + kChildStopWait, drain, ended);
    return {ChildEnd::Kind::Hung, {}};
  }
  if (WIFSIGNALED(*status)) {
    const int signal = WTERMSIG(*status);
    const char *description = ::strsignal(signal);
    return {ChildEnd::Kind::Failed,
            "crashed with signal " + std::to_string(signal) +
                (description != nullptr ? std::string(" (") + description + ")" : "")};
  }
  return {ChildEnd::Kind::Exited, {}, WIFEXITED(*status) ? WEXITSTATUS(*status) : -1};
}

// A crash ends the process by its signal, which the parent reads as it is.
void prepareChildProcess() {}

} // namespace corvane::validate

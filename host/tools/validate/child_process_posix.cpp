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

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstring>
#include <optional>
#include <system_error>
#include <thread>
#include <utility>

extern char **environ;

namespace corvane::validate {

namespace {

using Clock = std::chrono::steady_clock;

// The file this process runs, even when the path it was started by has been
// replaced or removed since (a rebuild while a validation runs).
constexpr const char *kOwnProgram = "/proc/self/exe";
constexpr int kNoDescriptor = -1;

std::string errnoText(int error) { return std::generic_category().message(error); }

std::string signalName(int signal) {
  const char *description = ::strsignal(signal);
  return "signal " + std::to_string(signal) +
         (description != nullptr ? std::string(" (") + description + ")" : std::string());
}

void closeEnd(int &end) {
  if (end != kNoDescriptor) {
    ::close(end);
    end = kNoDescriptor;
  }
}

// The pipe from the child. Both ends are this program's own (they close on
// exec); each is closed once it is done with, or at the end of the run.
struct Pipe {
  int readEnd = kNoDescriptor;
  int writeEnd = kNoDescriptor;

  Pipe() = default;
  ~Pipe() {
    closeEnd(readEnd);
    closeEnd(writeEnd);
  }
  Pipe(const Pipe &) = delete;
  Pipe &operator=(const Pipe &) = delete;
};

// Step one: a pipe whose ends this program keeps to itself; the child gets
// the write end only as its standard output.
std::optional<std::string> makePipe(Pipe &pipe) {
  std::array<int, 2> ends{kNoDescriptor, kNoDescriptor};
  if (::pipe2(ends.data(), O_CLOEXEC) != 0) {
    return "cannot create a pipe: " + errnoText(errno);
  }
  pipe.readEnd = ends[0];
  pipe.writeEnd = ends[1];
  return std::nullopt;
}

// Step two: what the child is handed: standard output into the pipe,
// standard input empty, standard error shared. The descriptors this program
// opened itself close on exec or go along, as a forked copy's would.
void confine(posix_spawn_file_actions_t &confinement, int output) {
  ::posix_spawn_file_actions_init(&confinement);
  ::posix_spawn_file_actions_adddup2(&confinement, output, STDOUT_FILENO);
  ::posix_spawn_file_actions_addopen(&confinement, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
}

// Step three: this program again, with `words`, confined to the pipe.
std::optional<std::string> start(const std::vector<std::string> &words, int output, pid_t &child) {
  std::vector<std::string> arguments = {kOwnProgram};
  arguments.insert(arguments.end(), words.begin(), words.end());
  std::vector<char *> argv;
  for (std::string &argument : arguments) {
    argv.push_back(argument.data());
  }
  argv.push_back(nullptr);
  posix_spawn_file_actions_t confinement{};
  confine(confinement, output);
  const int error = ::posix_spawn(&child, kOwnProgram, &confinement, nullptr, argv.data(), environ);
  ::posix_spawn_file_actions_destroy(&confinement);
  return error == 0
             ? std::nullopt
             : std::optional<std::string>("cannot start a child process: " + errnoText(error));
}

// Hands one piece of what the child wrote to `output`, waiting at most
// `wait` for it; false when none came. Closes the pipe at its end.
bool readPipe(int &pipe, std::chrono::milliseconds wait, const ChildOutput &output) {
  pollfd watch{pipe, POLLIN, 0};
  if (::poll(&watch, 1, static_cast<int>(wait.count())) <= 0) {
    return false;
  }
  std::array<char, kChildReadChunk> buffer{};
  const ssize_t got = ::read(pipe, buffer.data(), buffer.size());
  if (got <= 0) {
    closeEnd(pipe); // every writer closed it
    return false;
  }
  output(std::string_view(buffer.data(), static_cast<std::size_t>(got)));
  return true;
}

// Whether `child` has ended, with its status; nothing while it runs.
std::optional<int> endedStatus(pid_t child) {
  int status = 0;
  pid_t ended = 0;
  while ((ended = ::waitpid(child, &status, WNOHANG)) < 0 && errno == EINTR) {
  }
  return ended == child ? std::optional<int>(status) : std::nullopt;
}

// Step four: reads the pipe until the child has ended and what it wrote is
// read; its end status, or nothing when the deadline came before its end.
std::optional<int> waitWithDeadline(pid_t child, int &pipe, Clock::time_point deadline,
                                    const ChildOutput &output) {
  std::optional<int> status;
  for (;;) {
    status = status ? status : endedStatus(child);
    const auto left =
        std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
    if (left.count() <= 0 || (status && pipe == kNoDescriptor)) {
      return status;
    }
    const auto wait = status ? std::chrono::milliseconds(0) : std::min(left, kChildPollInterval);
    if (pipe != kNoDescriptor) {
      if (!readPipe(pipe, wait, output) && status) {
        return status; // it ended and nothing it wrote is left
      }
    } else {
      std::this_thread::sleep_for(wait);
    }
  }
}

// Kills a child that overran its deadline and waits a while for it to go.
void stop(pid_t child) {
  ::kill(child, SIGKILL);
  const auto deadline = Clock::now() + kChildStopWait;
  while (!endedStatus(child) && Clock::now() < deadline) {
    std::this_thread::sleep_for(kChildPollInterval);
  }
}

// Step five: what the end status says.
ChildEnd endOf(int status) {
  if (WIFSIGNALED(status)) {
    return {ChildEnd::Kind::Crashed, "crashed with " + signalName(WTERMSIG(status))};
  }
  return {ChildEnd::Kind::Exited, {}, WIFEXITED(status) ? WEXITSTATUS(status) : -1};
}

} // namespace

ChildEnd runOwnProgram(const std::vector<std::string> &words, Clock::time_point deadline,
                       const ChildOutput &output) {
  Pipe pipe;
  if (auto problem = makePipe(pipe)) {
    return {ChildEnd::Kind::NotStarted, std::move(*problem)};
  }
  pid_t child = 0;
  auto problem = start(words, pipe.writeEnd, child);
  closeEnd(pipe.writeEnd); // the child's copy is the only writer left
  if (problem) {
    return {ChildEnd::Kind::NotStarted, std::move(*problem)};
  }
  const auto status = waitWithDeadline(child, pipe.readEnd, deadline, output);
  if (!status) {
    stop(child);
    return {ChildEnd::Kind::Hung, {}};
  }
  return endOf(*status);
}

// A crash ends the process by its signal, which the parent reads as it is.
void prepareChildProcess() {}

} // namespace corvane::validate

// Child processes for the checks: a pipe carries progress notes and the
// result back, a poll loop enforces the time limit.
#include "child_run.h"

#if defined(_WIN32)

namespace corvane::validate {
bool childProcessesAvailable() { return false; }
CheckResult runInChild(const std::function<CheckResult(const ProgressNote &)> &check,
                       double /*timeoutSeconds*/) {
  return check([](const std::string &) {});
}
} // namespace corvane::validate

#else

#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstring>
#include <string>

namespace corvane::validate {

namespace {

// Each message is one line: a tag, a colon, the text with newlines flattened.
constexpr std::string_view kNoteTag = "note:";
constexpr std::string_view kPassTag = "pass:";
constexpr std::string_view kFailTag = "fail:";
constexpr std::size_t kReadChunk = 4096;
constexpr double kMillisPerSecond = 1000.0;

void writeAll(int descriptor, const std::string &text) {
  std::size_t done = 0;
  while (done < text.size()) {
    const ssize_t written = ::write(descriptor, text.data() + done, text.size() - done);
    if (written <= 0) {
      return;
    }
    done += static_cast<std::size_t>(written);
  }
}

void sendMessage(int descriptor, std::string_view tag, std::string text) {
  for (char &c : text) {
    c = c == '\n' ? ' ' : c;
  }
  writeAll(descriptor, std::string(tag) + text + "\n");
}

std::string signalName(int signal) {
  const char *description = ::strsignal(signal);
  return "signal " + std::to_string(signal) +
         (description != nullptr ? std::string(" (") + description + ")" : std::string());
}

// Reads the child's messages into the last note and the result, if any.
struct ChildMessages {
  std::string pending;
  std::string lastNote;
  bool finished = false;
  CheckResult result;

  void take(std::string_view chunk) {
    pending.append(chunk);
    std::size_t end = 0;
    while ((end = pending.find('\n')) != std::string::npos) {
      const std::string line = pending.substr(0, end);
      pending.erase(0, end + 1);
      if (line.starts_with(kNoteTag)) {
        lastNote = line.substr(kNoteTag.size());
      } else if (line.starts_with(kPassTag)) {
        finished = true;
        result = CheckResult{true, {}};
      } else if (line.starts_with(kFailTag)) {
        finished = true;
        result = CheckResult{false, line.substr(kFailTag.size())};
      }
    }
  }

  std::string after() const { return lastNote.empty() ? "" : ", during " + lastNote; }
};

} // namespace

bool childProcessesAvailable() { return true; }

CheckResult runInChild(const std::function<CheckResult(const ProgressNote &)> &check,
                       double timeoutSeconds) {
  int channel[2] = {-1, -1};
  if (::pipe(channel) != 0) {
    return CheckResult{false, std::string("cannot create a pipe: ") + std::strerror(errno)};
  }
  const pid_t child = ::fork();
  if (child < 0) {
    ::close(channel[0]);
    ::close(channel[1]);
    return CheckResult{false, std::string("cannot start a child process: ") + std::strerror(errno)};
  }
  if (child == 0) {
    ::close(channel[0]);
    const int out = channel[1];
    CheckResult result;
    try {
      result = check([out](const std::string &note) { sendMessage(out, kNoteTag, note); });
    } catch (const std::exception &error) {
      result = CheckResult{false, std::string("threw an exception: ") + error.what()};
    } catch (...) {
      result = CheckResult{false, "threw an exception that is no std::exception"};
    }
    sendMessage(out, result.passed ? kPassTag : kFailTag, result.reason);
    ::close(out);
    // No destructors or exit handlers of the parent's state run in the child.
    ::_exit(0);
  }
  ::close(channel[1]);
  ChildMessages messages;
  const auto deadline =
      std::chrono::steady_clock::now() +
      std::chrono::milliseconds(static_cast<long long>(timeoutSeconds * kMillisPerSecond));
  bool hung = false;
  for (;;) {
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
        deadline - std::chrono::steady_clock::now());
    if (left.count() <= 0) {
      hung = true;
      break;
    }
    pollfd watch{channel[0], POLLIN, 0};
    const int ready = ::poll(&watch, 1, static_cast<int>(left.count()));
    if (ready < 0 && errno == EINTR) {
      continue;
    }
    if (ready == 0) {
      hung = true;
      break;
    }
    char buffer[kReadChunk];
    const ssize_t got = ::read(channel[0], buffer, sizeof buffer);
    if (got <= 0) {
      break; // the child closed its end: finished or died
    }
    messages.take(std::string_view(buffer, static_cast<std::size_t>(got)));
  }
  ::close(channel[0]);
  if (hung) {
    ::kill(child, SIGKILL);
  }
  int status = 0;
  while (::waitpid(child, &status, 0) < 0 && errno == EINTR) {
  }
  if (hung) {
    return CheckResult{false, "hung: no result within " + std::to_string(timeoutSeconds) + " s" +
                                  messages.after()};
  }
  if (WIFSIGNALED(status)) {
    return CheckResult{false, "crashed with " + signalName(WTERMSIG(status)) + messages.after()};
  }
  if (!messages.finished) {
    return CheckResult{false, "crashed: exited with status " +
                                  std::to_string(WIFEXITED(status) ? WEXITSTATUS(status) : -1) +
                                  " before reporting" + messages.after()};
  }
  return messages.result;
}

} // namespace corvane::validate

#endif

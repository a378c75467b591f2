// WholeFile on POSIX systems: a temporary file made with O_EXCL beside the
// target, rename(2) over it, and a signal handler that removes temporary
// files when Ctrl-C or a termination request ends the program.
#include "whole_file.h"

#include <fcntl.h>
#include <unistd.h>

#include <array>
#include <cerrno>

#include "temporary_names.h"
#include "utf8_path.h"

namespace corvane::platform {

namespace {

constexpr mode_t kFileMode = 0666; // narrowed by the umask, as any new file
constexpr std::array kEndingSignals{SIGINT, SIGTERM, SIGHUP};

TemporaryNames temporaryNames;
volatile std::sig_atomic_t catching = 0;

extern "C" void onEndingSignal(int signal) {
  if (signal == SIGINT && catching != 0) {
    interruptRequested = 1;
    return;
  }
  temporaryNames.removeAll([](const char *name) { ::unlink(name); });
  // Ended by the same signal, as the program would have been without us.
  std::signal(signal, SIG_DFL);
  std::raise(signal);
}

// Without SA_RESTART, so that a read waiting at a prompt returns.
void install(int signal) {
  struct sigaction action {};
  action.sa_handler = onEndingSignal;
  sigemptyset(&action.sa_mask);
  sigaction(signal, &action, nullptr);
}

// The handler is installed once, for the signals that would end the program
// as they are: a signal a caller ignores or handles keeps its meaning.
bool installOnce() {
  static const bool installed = [] {
    for (const int signal : kEndingSignals) {
      struct sigaction current {};
      if (sigaction(signal, nullptr, &current) == 0 && current.sa_handler == SIG_DFL) {
        install(signal);
      }
    }
    return true;
  }();
  return installed;
}

Error reason(int number) { return {ErrorKind::Unreadable, errnoText(number != 0 ? number : EIO)}; }

} // namespace

Failure WholeFile::openTemporary() {
  const auto create = [this](const std::filesystem::path &name) -> std::optional<int> {
    const int descriptor = ::open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, kFileMode);
    if (descriptor < 0) {
      return errno;
    }
    handle_ = descriptor;
    return std::nullopt;
  };
  static_cast<void>(installOnce());
  const auto error = temporaryNames.make(target_, EEXIST, temporary_, create);
  return error ? Failure(reason(*error)) : std::nullopt;
}

Failure WholeFile::writeBytes(std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t written = ::write(static_cast<int>(handle_), bytes.data(), bytes.size());
    if (written < 0 && errno != EINTR) {
      return reason(errno);
    }
    bytes.remove_prefix(written < 0 ? 0 : static_cast<std::size_t>(written));
  }
  return std::nullopt;
}

Failure WholeFile::replaceTarget() {
  // On the disk before the rename, so that the name never holds a part.
  const bool synced = ::fsync(static_cast<int>(handle_)) == 0;
  const int syncError = errno;
  const bool closed = ::close(static_cast<int>(handle_)) == 0;
  handle_ = -1;
  if (!synced || !closed) {
    return reason(!synced ? syncError : errno);
  }
  if (::rename(temporary_.c_str(), target_.c_str()) != 0) {
    return reason(errno);
  }
  temporaryNames.forget(temporary_);
  return std::nullopt;
}

void WholeFile::discard() {
  if (handle_ >= 0) {
    ::close(static_cast<int>(handle_));
    handle_ = -1;
  }
  if (!temporary_.empty()) {
    ::unlink(temporary_.c_str());
    temporaryNames.forget(temporary_);
  }
}

// A person at the prompt stops a command with Ctrl-C, even where the
// program was started with it ignored.
InterruptCatcher::InterruptCatcher() {
  static_cast<void>(installOnce());
  install(SIGINT);
  catching = 1;
}

InterruptCatcher::~InterruptCatcher() { catching = 0; }

} // namespace corvane::platform

// A new process of this same program, started for one check: its standard
// output comes back through a pipe, it is confined so that stopping it stops
// what it started, and it is waited for until a deadline, then stopped. One
// implementation per platform (child_process_posix.cpp,
// child_process_windows.cpp), chosen by the build.
#pragma once

#include <algorithm>
#include <chrono>
#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace corvane::validate {

using Clock = std::chrono::steady_clock;

struct ChildEnd {
  enum class Kind { Failed, Hung, Exited };
  Kind kind = Kind::Exited;
  // Failed: why it did not start ("cannot create a pipe: ...") or how it
  // crashed, in the platform's own terms ("crashed with signal 11 (...)").
  std::string what;
  // Exited: the exit status it gave.
  long long status = 0;
};

// How the parent waits on a child: it reads the pipe this many bytes at a
// time, and sleeps at most kChildPollInterval before it looks whether the
// child ended (the pipe alone cannot tell, since what the child started may
// hold it open); a stopped child may take kChildStopWait to be gone.
inline constexpr std::size_t kChildReadChunk = 4096;
inline constexpr std::chrono::milliseconds kChildPollInterval{10};
inline constexpr std::chrono::seconds kChildStopWait{5};

// Moves what the child wrote so far with `drain` and asks `ended(wait)`,
// which waits at most `wait` for the child's end, until it has ended (true,
// after a last `drain` of what it wrote before) or `deadline` has passed.
template <typename Drain, typename Ended>
bool waitForChild(Clock::time_point deadline, const Drain &drain, const Ended &ended) {
  for (;;) {
    drain();
    const auto wait = std::min<std::chrono::milliseconds>(
        kChildPollInterval,
        std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()));
    if (wait.count() <= 0) {
      return false;
    }
    if (ended(wait)) {
      drain();
      return true;
    }
  }
}

// Takes what the child wrote to its standard output, a piece at a time.
using ChildOutput = std::function<void(std::string_view)>;

// Starts this program again with `words` as its arguments and hands what it
// writes to `output` until it ends. Past `deadline` it is stopped, with
// everything it started where the platform can tell, and counts as hung.
ChildEnd runOwnProgram(const std::vector<std::string> &words, Clock::time_point deadline,
                       const ChildOutput &output);

// The first step of a child process: from here on a crash ends it at once,
// with an end status that tells what happened, and no error dialog.
void prepareChildProcess();

} // namespace corvane::validate

// A new process of this same program, started for one check: its standard
// output comes back through a pipe, it is confined so that stopping it stops
// what it started, and it is waited for until a deadline, then stopped. One
// implementation per platform (child_process_posix.cpp,
// child_process_windows.cpp), chosen by the build.
#pragma once

#include <chrono>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace corvane::validate {

// How a child process ended.
struct ChildEnd {
  enum class Kind { NotStarted, Hung, Crashed, Exited };
  Kind kind = Kind::Exited;
  // NotStarted: why ("cannot create a pipe: ..."); Crashed: how, in the
  // platform's own terms ("crashed with signal 11 (...)").
  std::string what;
  // Exited: the exit status it gave.
  long long status = 0;
};

// Takes what the child wrote to its standard output, a piece at a time.
using ChildOutput = std::function<void(std::string_view)>;

// Starts this program again with `words` as its arguments and hands what it
// writes to `output` until it ends. Past `deadline` it is stopped, with
// everything it started where the platform can tell, and counts as hung.
ChildEnd runOwnProgram(const std::vector<std::string> &words,
                       std::chrono::steady_clock::time_point deadline, const ChildOutput &output);

// The first step of a child process: from here on a crash ends it at once,
// with an end status that tells what happened, and no error dialog.
void prepareChildProcess();

} // namespace corvane::validate

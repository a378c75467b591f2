// ProgressLine: how far a long command has come, on a person's terminal.
#pragma once

#include <chrono>
#include <cstdint>
#include <iosfwd>
#include <string>

namespace corvane::console {

// Shown only once the command has run for a second, redrawn in place a few
// times a second, and erased when the command ends, so that nothing of it
// stays on the screen. With no stream (output that is no terminal: a pipe,
// a file, a trace) it does nothing.
class ProgressLine {
public:
  // `what` names the work ("sim_frame 1000000"), `total` its steps, and the
  // clock is looked at once every `stride` steps, so that a cheap step
  // stays cheap.
  ProgressLine(std::ostream *out, std::string what, std::uint64_t total, std::uint64_t stride);
  ~ProgressLine();
  ProgressLine(const ProgressLine &) = delete;
  ProgressLine &operator=(const ProgressLine &) = delete;

  // `done` of the total steps are done.
  void update(std::uint64_t done) {
    if (out_ != nullptr && done >= nextLook_) {
      look(done);
    }
  }

private:
  void look(std::uint64_t done);

  std::ostream *out_;
  std::string what_;
  std::uint64_t total_;
  std::uint64_t stride_;
  std::uint64_t nextLook_;
  std::chrono::steady_clock::time_point start_;
  std::chrono::steady_clock::time_point nextDraw_;
  bool shown_ = false;
};

} // namespace corvane::console

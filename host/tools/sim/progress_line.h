// ProgressLine: how far a long command has come, on a person's terminal.
#pragma once

#include <chrono>
#include <cstdint>
#include <iosfwd>

#include "host/session/console/console.h"
#include "host/session/engine/events.h"

namespace corvane::sim {

// Watches the session's events while a long command runs: the frames it
// rendered, or how far the clock has moved. Shown only once the command has
// run for a second, redrawn in place a few times a second, and erased when
// the command ends, so that nothing of it stays on the screen.
class ProgressLine : public host::EventSubscriber {
public:
  ProgressLine(std::ostream &out, const console::Front::LongCommand &command);
  ~ProgressLine() override;
  ProgressLine(const ProgressLine &) = delete;
  ProgressLine &operator=(const ProgressLine &) = delete;

  void onEvent(const host::Event &event) override;

private:
  void look(std::uint64_t percent);

  std::ostream &out_;
  console::Front::LongCommand command_;
  std::uint64_t frames_ = 0;
  std::uint64_t events_ = 0;
  std::chrono::steady_clock::time_point start_;
  std::chrono::steady_clock::time_point nextDraw_;
  bool shown_ = false;
};

} // namespace corvane::sim

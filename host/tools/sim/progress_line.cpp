// The progress line: drawn after a second, then a few times a second, and
// erased at the end.
#include "progress_line.h"

#include <ostream>
#include <variant>

namespace corvane::sim {

// A command that ends sooner shows nothing: a line that flashes is noise.
constexpr auto kQuietTime = std::chrono::seconds(1);
constexpr auto kRedrawEvery = std::chrono::milliseconds(200);
// Events between two looks at the wall clock, so that a cheap frame stays cheap.
constexpr std::uint64_t kEventsPerLook = 1024;
constexpr std::uint64_t kPercent = 100;
constexpr double kPercentOfPart = 100.0;
// Back to the start of the line, and erase it to its end.
constexpr std::string_view kEraseLine = "\r\x1b[K";

ProgressLine::ProgressLine(std::ostream &out, const console::Front::LongCommand &command)
    : out_(out), command_(command), start_(std::chrono::steady_clock::now()),
      nextDraw_(start_ + kQuietTime) {}

ProgressLine::~ProgressLine() {
  if (shown_) {
    out_ << kEraseLine << std::flush;
  }
}

void ProgressLine::onEvent(const host::Event &event) {
  if (std::holds_alternative<host::FrameEnded>(event.what)) {
    ++frames_;
  }
  if (++events_ % kEventsPerLook != 0) {
    return;
  }
  if (command_.frames != 0) {
    look(frames_ * kPercent / command_.frames);
  } else if (command_.untilMicros > command_.fromMicros) {
    const double part = static_cast<double>(event.micros - command_.fromMicros) /
                        static_cast<double>(command_.untilMicros - command_.fromMicros);
    look(static_cast<std::uint64_t>(part * kPercentOfPart));
  }
}

void ProgressLine::look(std::uint64_t percent) {
  const auto now = std::chrono::steady_clock::now();
  if (now < nextDraw_) {
    return;
  }
  nextDraw_ = now + kRedrawEvery;
  shown_ = true;
  const auto seconds = std::chrono::duration_cast<std::chrono::seconds>(now - start_).count();
  out_ << kEraseLine << command_.what << ": " << percent << " % (" << seconds << " s)"
       << std::flush;
}

} // namespace corvane::sim

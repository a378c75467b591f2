// The progress line: drawn after a second, then a few times a second, and
// erased at the end.
#include "progress_line.h"

#include <ostream>
#include <utility>

namespace corvane::console {

namespace {

// A command that ends sooner shows nothing: a line that flashes is noise.
constexpr auto kQuietTime = std::chrono::seconds(1);
constexpr auto kRedrawEvery = std::chrono::milliseconds(200);
constexpr std::uint64_t kPercent = 100;
// Back to the start of the line, and erase it to its end.
constexpr std::string_view kEraseLine = "\r\x1b[K";

} // namespace

ProgressLine::ProgressLine(std::ostream *out, std::string what, std::uint64_t total,
                           std::uint64_t stride)
    : out_(out), what_(std::move(what)), total_(total), stride_(stride == 0 ? 1 : stride),
      nextLook_(stride_), start_(std::chrono::steady_clock::now()), nextDraw_(start_ + kQuietTime) {
}

ProgressLine::~ProgressLine() {
  if (shown_) {
    *out_ << kEraseLine << std::flush;
  }
}

void ProgressLine::look(std::uint64_t done) {
  nextLook_ = done + stride_;
  const auto now = std::chrono::steady_clock::now();
  if (now < nextDraw_) {
    return;
  }
  nextDraw_ = now + kRedrawEvery;
  shown_ = true;
  const auto seconds = std::chrono::duration_cast<std::chrono::seconds>(now - start_).count();
  *out_ << kEraseLine << what_ << ": " << (total_ == 0 ? kPercent : done * kPercent / total_)
        << " % (" << seconds << " s)" << std::flush;
}

} // namespace corvane::console

// corvane-sim's front: where files go and what a person watching sees.
#include "program_front.h"

#include <chrono>
#include <cstdint>
#include <iostream>
#include <variant>

#include "host/base/utf8_path.h"
#include "host/base/whole_file.h"

namespace corvane::sim {

namespace {

// A command that ends sooner shows nothing: a line that flashes is noise.
constexpr auto kQuietTime = std::chrono::seconds(1);
constexpr auto kRedrawEvery = std::chrono::milliseconds(200);
// Events between two looks at the wall clock, so that a cheap frame stays cheap.
constexpr std::uint64_t kEventsPerLook = 1024;
constexpr std::uint64_t kPercent = 100;
constexpr double kPercentOfPart = 100.0;
// Back to the start of the line, and erase it to its end.
constexpr std::string_view kEraseLine = "\r\x1b[K";

// How far a long command has come, on a person's terminal: watches the
// session's events while it runs, for the frames it rendered or how far the
// clock has moved. Shown only once the command has run for a second, redrawn
// in place a few times a second, and erased when the command ends, so that
// nothing of it stays on the screen.
class ProgressLine final : public host::EventSubscriber {
public:
  ProgressLine(std::ostream &out, const console::Front::LongCommand &command)
      : out_(out), command_(command), start_(std::chrono::steady_clock::now()),
        nextDraw_(start_ + kQuietTime) {}
  ~ProgressLine() override {
    if (shown_) {
      out_ << kEraseLine << std::flush;
    }
  }

  void onEvent(const host::Event &event) override {
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

private:
  void look(std::uint64_t percent) {
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

  std::ostream &out_;
  console::Front::LongCommand command_;
  std::uint64_t frames_ = 0;
  std::uint64_t events_ = 0;
  std::chrono::steady_clock::time_point start_;
  std::chrono::steady_clock::time_point nextDraw_;
  bool shown_ = false;
};

} // namespace

std::string ProgramFront::outputFile(const std::string &name) const {
  const std::filesystem::path given = platform::pathFromUtf8(name);
  if (outputFolder_.empty() || given.is_absolute()) {
    return name;
  }
  return platform::utf8FromPath(outputFolder_ / given);
}

void ProgramFront::narrate(std::string_view line) {
  if (person_) {
    std::cout << line << '\n';
  }
}

std::vector<std::string> ProgramFront::ownWords() const {
  // The words the prompt runs itself besides the console's commands.
  return person_ ? std::vector<std::string>{"help", "quit", "exit"} : std::vector<std::string>{};
}

// Only the outermost long command is shown: one a key or a timer ran
// inside it is part of its work.
void ProgramFront::longCommand(const LongCommand *command) {
  if (command == nullptr) {
    if (--longCommands_ == 0 && progress_) {
      events_->unsubscribe(*progress_);
      progress_.reset();
    }
    return;
  }
  if (longCommands_++ == 0 && progressOut_ != nullptr && (person_ || progressAlways_)) {
    progress_ = std::make_unique<ProgressLine>(*progressOut_, *command);
    events_->subscribe(*progress_);
  }
}

bool ProgramFront::interrupted() const { return person_ && platform::interruptRequested != 0; }

} // namespace corvane::sim

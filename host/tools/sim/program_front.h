// ProgramFront: corvane-sim's side of its session's console.
#pragma once

#include <filesystem>
#include <iosfwd>
#include <memory>
#include <string>
#include <vector>

#include "host/session/console/console.h"
#include "host/session/engine/events.h"

namespace corvane::sim {

// The --output folder, and what a person watching gets: narration, the
// prompt's own words, the progress line and Ctrl-C.
class ProgramFront : public console::Front {
public:
  explicit ProgramFront(std::filesystem::path outputFolder)
      : outputFolder_(std::move(outputFolder)) {}
  // A long command's progress goes to `terminal` (null: no person watches
  // it), watched on `events`, at the prompt, whose view folds the frames,
  // or `always` (the trace goes to a file): never between a trace's lines.
  void showProgress(std::ostream *terminal, host::EventStream &events, bool always) {
    progressOut_ = terminal;
    events_ = &events;
    progressAlways_ = always;
  }
  // A person at the prompt: narration, the prompt's words, Ctrl-C, progress.
  void setPerson(bool present) { person_ = present; }

  std::string outputFile(const std::string &name) const override;
  void narrate(std::string_view line) override;
  std::vector<std::string> ownWords() const override;
  void longCommand(const LongCommand *command) override;
  bool interrupted() const override;

private:
  std::filesystem::path outputFolder_;
  std::ostream *progressOut_ = nullptr;
  host::EventStream *events_ = nullptr;
  std::unique_ptr<host::EventSubscriber> progress_; // the progress line while one is shown
  int longCommands_ = 0;
  bool progressAlways_ = false;
  bool person_ = false;
};

} // namespace corvane::sim

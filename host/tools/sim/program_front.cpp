// corvane-sim's front: where files go and what a person watching sees.
#include "program_front.h"

#include <iostream>

#include "host/base/utf8_path.h"
#include "host/base/whole_file.h"

namespace corvane::sim {

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

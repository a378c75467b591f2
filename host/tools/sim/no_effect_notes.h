// NoEffectNotes: at the prompt, one line for a key press or plugin command
// after which the plugin did nothing a player could see, and one at once for
// one that changed nothing the host keeps.
#pragma once

#include <cstddef>
#include <map>
#include <ostream>
#include <string>
#include <vector>

#include "host/session/effect_watch.h"
#include "host/session/engine/events.h"

namespace corvane::sim {

// Judged as the timeline judges "no effect" (host::EffectWatch): the verdict
// comes with the next rendered frame, since only a frame shows whether the
// bar changed. What the host keeps is known at once: a press or command
// after which no setting, timer, hook, binding, game call or console line
// changed, with no frame drawn before the line ends, is said when its line
// has run.
class NoEffectNotes final : public host::EventSubscriber {
public:
  void onEvent(const host::Event &event) override;
  // Writes the verdicts reached since the last call, one line each; called
  // when a line has run.
  void flush(std::ostream &out);

private:
  void noteKeptChange(const host::Event &event);

  std::string pressed_; // the key pressed in this line, if any
  std::string pending_; // the press or command of this line, not yet judged
  bool keptChange_ = false;
  host::EffectWatch watch_;
  // What each watched press or command is called, by its number.
  std::map<std::size_t, std::string> names_;
  std::size_t next_ = 0;
  std::vector<std::string> verdicts_;
};

} // namespace corvane::sim

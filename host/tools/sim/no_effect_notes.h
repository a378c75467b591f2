// NoEffectNotes: at the prompt, one line for a key press or plugin command
// after which the plugin did nothing a player could see.
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
// bar changed.
class NoEffectNotes final : public host::EventSubscriber {
public:
  void onEvent(const host::Event &event) override;
  // Writes the verdicts reached since the last call, one line each.
  void flush(std::ostream &out);

private:
  host::EffectWatch watch_;
  // What each watched press or command is called, by its number.
  std::map<std::size_t, std::string> names_;
  std::size_t next_ = 0;
  std::vector<std::string> verdicts_;
};

} // namespace corvane::sim

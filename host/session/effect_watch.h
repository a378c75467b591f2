// Whether a key press or a plugin command changed anything outside the
// plugin, judged from what the host saw after it: one judgement for the
// timeline's "no effect" and the prompt's word after such a press.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "host/session/engine/events.h"

namespace corvane::host {

// A press and the notifier it runs had an effect when the plugin made a call
// with one (a console line, a timer, a search, a playlist), or when the next
// frame draws the bar otherwise than the frame before them. Without a frame
// the bar is not known, so the verdict waits for one; the game acting first
// (a function called, a timer fired, a state or search it changed) ends the
// wait with no verdict.
class EffectWatch {
public:
  // Reads the next event; `recorded` is its number in the record when it is
  // a key press or a notifier run. Returns the numbers of the presses and
  // notifiers now known to have changed nothing.
  std::vector<std::size_t> take(const Event &event, std::optional<std::size_t> recorded);
  // The numbers of the presses and notifiers still waiting for a verdict.
  const std::vector<std::size_t> &watched() const { return watched_; }

private:
  std::vector<std::size_t> watched_;
  bool effect_ = false;
  // The bar as the last frame drew it.
  bool barShown_ = false;
  std::string barText_;
};

} // namespace corvane::host

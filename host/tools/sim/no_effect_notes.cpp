// The prompt's "no effect" lines, from the session's effect watch.
#include "no_effect_notes.h"

#include <algorithm>
#include <optional>
#include <variant>

namespace corvane::sim {

// Whatever the host keeps that `event` changed; a frame leaves the verdict
// to the frame.
void NoEffectNotes::noteKeptChange(const host::Event &event) {
  if (std::holds_alternative<host::FrameBegun>(event.what)) {
    pending_.clear();
    pressed_.clear();
  } else if (const auto *call = std::get_if<host::SdkCall>(&event.what)) {
    keptChange_ = keptChange_ || host::opKind(call->op) == host::OpKind::Effect;
  } else if (!std::holds_alternative<host::FunctionCalled>(event.what)) {
    keptChange_ = true; // a setting, timer, hook, binding, game state or console line
  }
}

void NoEffectNotes::onEvent(const host::Event &event) {
  std::optional<std::size_t> recorded;
  if (const auto *key = std::get_if<host::KeyPressed>(&event.what)) {
    pressed_ = "key " + key->key;
    names_[next_] = pressed_;
    recorded = next_++;
  } else if (const auto *run = std::get_if<host::NotifierRun>(&event.what)) {
    names_[next_] = run->name;
    recorded = next_++;
    // Judged at once: a plugin command, named by the key that ran it (a key
    // that runs none already says so).
    if (pending_.empty()) {
      pending_ = pressed_.empty() ? run->name : pressed_;
      keptChange_ = false;
    }
  } else if (!pending_.empty()) {
    noteKeptChange(event);
  }
  const std::vector<std::size_t> unchanged = watch_.take(event, recorded);
  if (!unchanged.empty()) {
    // A key and the command it ran are one act: named by what was done first.
    verdicts_.push_back(names_[unchanged.front()]);
  }
  const std::vector<std::size_t> &watched = watch_.watched();
  std::erase_if(names_, [&watched](const auto &entry) {
    return std::find(watched.begin(), watched.end(), entry.first) == watched.end();
  });
}

void NoEffectNotes::flush(std::ostream &out) {
  if (!pending_.empty() && !keptChange_) {
    out << pending_
        << " changed nothing the host keeps (settings, timers, hooks, key bindings, game calls, "
           "console lines sent); the next frame shows whether the bar changed\n";
  }
  pending_.clear();
  for (const std::string &name : verdicts_) {
    out << name
        << " had no effect: the plugin changed nothing, and the next frame drew what the "
           "last one did\n";
  }
  verdicts_.clear();
}

} // namespace corvane::sim

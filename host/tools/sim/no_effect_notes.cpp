// The prompt's "no effect" lines, from the session's effect watch.
#include "no_effect_notes.h"

#include <algorithm>
#include <optional>
#include <variant>

namespace corvane::sim {

void NoEffectNotes::onEvent(const host::Event &event) {
  std::optional<std::size_t> recorded;
  if (const auto *key = std::get_if<host::KeyPressed>(&event.what)) {
    names_[next_] = "key " + key->key;
    recorded = next_++;
  } else if (const auto *run = std::get_if<host::NotifierRun>(&event.what)) {
    names_[next_] = run->name;
    recorded = next_++;
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
  for (const std::string &name : verdicts_) {
    out << name
        << " had no effect: the plugin changed nothing, and the next frame drew what the "
           "last one did\n";
  }
  verdicts_.clear();
}

} // namespace corvane::sim

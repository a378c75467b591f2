// The timeline recorder: open intervals are held apart until they close.
#include "timeline.h"

#include <algorithm>
#include <utility>

namespace corvane::timeline {

namespace {

// Adds the open interval, if there is one, to `closed`, ended at `t`. An
// interval still open at the end of the record ends there; a record taken
// before it began (the host's clock never runs back, but a caller may ask
// early) gives it no length rather than a negative one.
template <typename Span>
void addClosed(const std::optional<Span> &open, std::vector<Span> &closed, Micros t) {
  if (open) {
    closed.push_back(*open);
    closed.back().end = std::max(open->start, t);
  }
}

// Closes the open interval and opens one that shows `shown`, unless it
// already shows that.
template <typename Shown>
void change(std::optional<Interval<Shown>> &open, std::vector<Interval<Shown>> &closed, Micros t,
            Shown shown) {
  if (!open || open->shown != shown) {
    addClosed(open, closed, t);
    open = Interval<Shown>{t, t, std::move(shown)};
  }
}

} // namespace

void Recorder::setState(Micros t, host::GameState state) {
  change(state_, record_.states, t, state);
}

void Recorder::searchStarted(Micros t, int category, std::vector<int> playlists) {
  if (!search_ || search_->category != category || search_->playlists != playlists) {
    addClosed(search_, record_.searches, t);
    search_ = SearchSpan{t, t, category, std::move(playlists)};
  }
}

void Recorder::searchStopped(Micros t) {
  addClosed(search_, record_.searches, t);
  search_.reset();
}

void Recorder::partyChanged(Micros t, host::Party party) {
  change(party_, record_.parties, t, party);
  if (party == host::Party::None) {
    party_.reset();
  }
}

void Recorder::timerSet(std::uint64_t id, Micros t, Micros due) {
  if (const auto found = pending_.find(id); found != pending_.end()) {
    if (record_.timers[found->second].due == due) {
      return;
    }
    timerEnded(id, t, TimerOutcome::Dropped);
  }
  pending_.emplace(id, record_.timers.size());
  record_.timers.push_back(TimerSpan{t, due, t, TimerOutcome::Pending});
}

void Recorder::timerEnded(std::uint64_t id, Micros t, TimerOutcome outcome) {
  const auto found = pending_.find(id);
  if (found == pending_.end()) {
    return;
  }
  TimerSpan &timer = record_.timers[found->second];
  timer.end = std::max(timer.set, t);
  timer.outcome = outcome;
  pending_.erase(found);
}

void Recorder::barShown(Micros t, std::string_view text) {
  change(bar_, record_.bars, t, std::string(text));
}

void Recorder::barHidden(Micros t) {
  addClosed(bar_, record_.bars, t);
  bar_.reset();
}

std::size_t Recorder::event(Micros t, EventKind kind, std::string_view label) {
  record_.events.push_back(Event{t, kind, std::string(label)});
  return record_.events.size() - 1;
}

void Recorder::hadNoEffect(std::size_t event) { record_.events.at(event).noEffect = true; }

Timeline Recorder::snapshot(Micros tEnd) const {
  Timeline timeline = record_;
  timeline.end = tEnd;
  addClosed(state_, timeline.states, tEnd);
  addClosed(search_, timeline.searches, tEnd);
  addClosed(party_, timeline.parties, tEnd);
  addClosed(bar_, timeline.bars, tEnd);
  for (const auto &[id, index] : pending_) {
    timeline.timers[index].end = std::max(timeline.timers[index].set, tEnd);
  }
  return timeline;
}

} // namespace corvane::timeline

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
void addClosed(const std::optional<Span> &open, std::vector<Span> &closed, double t) {
  if (open) {
    closed.push_back(*open);
    closed.back().end = std::max(open->start, t);
  }
}

} // namespace

void Recorder::setState(double t, std::string_view state) {
  if (!state_ || state_->label != state) {
    addClosed(state_, record_.states, t);
    state_ = StateSpan{t, t, std::string(state)};
  }
}

void Recorder::searchStarted(double t, int category, std::vector<int> playlists) {
  if (!search_ || search_->category != category || search_->playlists != playlists) {
    addClosed(search_, record_.searches, t);
    search_ = SearchSpan{t, t, category, std::move(playlists)};
  }
}

void Recorder::searchStopped(double t) {
  addClosed(search_, record_.searches, t);
  search_.reset();
}

void Recorder::partyChanged(double t, std::string_view what) {
  if (party_ && party_->label == what) {
    return;
  }
  addClosed(party_, record_.parties, t);
  party_.reset();
  if (!what.empty()) {
    party_ = PartySpan{t, t, std::string(what)};
  }
}

void Recorder::timerSet(std::uint64_t id, double t, double due) {
  if (const auto found = pending_.find(id); found != pending_.end()) {
    if (record_.timers[found->second].due == due) {
      return;
    }
    timerEnded(id, t, TimerOutcome::Dropped);
  }
  pending_.emplace(id, record_.timers.size());
  record_.timers.push_back(TimerSpan{id, t, due, t, TimerOutcome::Pending});
}

void Recorder::timerEnded(std::uint64_t id, double t, TimerOutcome outcome) {
  const auto found = pending_.find(id);
  if (found == pending_.end()) {
    return;
  }
  TimerSpan &timer = record_.timers[found->second];
  timer.end = std::max(timer.set, t);
  timer.outcome = outcome;
  pending_.erase(found);
}

void Recorder::barShown(double t, std::string_view text) {
  if (!bar_ || bar_->label != text) {
    addClosed(bar_, record_.bars, t);
    bar_ = BarSpan{t, t, std::string(text)};
  }
}

void Recorder::barHidden(double t) {
  addClosed(bar_, record_.bars, t);
  bar_.reset();
}

std::size_t Recorder::event(double t, EventKind kind, std::string_view label) {
  record_.events.push_back(Event{t, kind, std::string(label)});
  return record_.events.size() - 1;
}

void Recorder::hadNoEffect(std::size_t event) { record_.events.at(event).noEffect = true; }

Timeline Recorder::snapshot(double tEnd) const {
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

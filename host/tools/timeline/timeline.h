// The record of a run for its timeline picture, and the recorder that builds it.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "host/session/engine/events.h"

namespace corvane::timeline {

// Times are the host's virtual clock, in microseconds from the start of the
// run, as its events carry them.
using Micros = std::int64_t;

// An interval and what it shows: where the player is; where they stand in a
// party as the game's party functions moved them (no party is no interval);
// or the bar's text while the plugin drew it.
template <typename Shown> struct Interval {
  Micros start = 0;
  Micros end = 0;
  Shown shown{};

  friend bool operator==(const Interval &, const Interval &) = default;
};
using StateSpan = Interval<host::GameState>;
using PartySpan = Interval<host::Party>;
using BarSpan = Interval<std::string>;

inline std::string_view partyName(host::Party party) {
  return party == host::Party::Owner ? "lobby owner" : "in a party";
}

// An interval in which matchmaking searched, with what it started with.
struct SearchSpan {
  Micros start = 0;
  Micros end = 0;
  int category = 0;
  std::vector<int> playlists;
};

// How a timer's life ended: it fired, it was dropped before firing (the
// plugin unloaded, say), or it was still waiting when the record was taken.
enum class TimerOutcome { Fired, Dropped, Pending };

// One timer of the plugin, from the moment it was set. `end` is when it fired
// or was dropped, or the record's end while it is pending.
struct TimerSpan {
  Micros set = 0;
  Micros due = 0;
  Micros end = 0;
  TimerOutcome outcome = TimerOutcome::Pending;
};

enum class EventKind { Key, Notifier, Function, Command };

// Something that happened at one moment: a key pressed, a notifier run, a
// hooked game function called, or a console command the plugin sent. A key
// press or notifier after which nothing outside the plugin changed (no call
// with an effect, no change of state, search, timer or bar) had no effect.
struct Event {
  Micros time = 0;
  EventKind kind = EventKind::Key;
  std::string label;
  bool noEffect = false;
};

// The picture's input: plain data, every interval closed, in time order.
struct Timeline {
  Micros end = 0;
  std::vector<StateSpan> states;
  std::vector<SearchSpan> searches;
  std::vector<PartySpan> parties;
  std::vector<TimerSpan> timers;
  std::vector<BarSpan> bars;
  std::vector<Event> events;
};

// Collects a run as it happens. It keeps transitions only: the host may feed
// it the same state, bar or search on every frame, and a notification that
// changes nothing is dropped, so a run of hours costs what its changes cost.
class Recorder {
public:
  void setState(Micros t, host::GameState state);
  // A search that starts while another runs, with other settings, ends that one.
  void searchStarted(Micros t, int category, std::vector<int> playlists);
  void searchStopped(Micros t);
  void partyChanged(Micros t, host::Party party); // no party is no interval
  // `id` is the host's number for the timer; setting a pending id again with
  // another due time replaces it.
  void timerSet(std::uint64_t id, Micros t, Micros due);
  // Fired or dropped; a timer that is not pending is left as it is.
  void timerEnded(std::uint64_t id, Micros t, TimerOutcome outcome);
  // A new text while the bar is shown starts a new interval.
  void barShown(Micros t, std::string_view text);
  void barHidden(Micros t);
  // Returns the event's number in the record.
  std::size_t event(Micros t, EventKind kind, std::string_view label);
  void hadNoEffect(std::size_t event);

  // The record up to `tEnd`, every open interval closed there.
  Timeline snapshot(Micros tEnd) const;

private:
  Timeline record_;
  std::optional<StateSpan> state_;
  std::optional<SearchSpan> search_;
  std::optional<PartySpan> party_;
  std::optional<BarSpan> bar_;
  // Pending timers: their index in record_.timers.
  std::map<std::uint64_t, std::size_t> pending_;
};

} // namespace corvane::timeline

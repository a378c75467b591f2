// The record of a run for its timeline picture, and the recorder that builds it.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace corvane::timeline {

// Times are the host's virtual clock, in seconds from the start of the run.

// An interval and what it shows: where the player is ("menu", "freeplay" or
// "online"); where they stand in a party as the game's party functions moved
// them ("in a party" or "lobby owner": no party is no interval); or the
// bar's text while the plugin drew it.
struct LabelledSpan {
  double start = 0.0;
  double end = 0.0;
  std::string label;
};
using StateSpan = LabelledSpan;
using PartySpan = LabelledSpan;
using BarSpan = LabelledSpan;

// An interval in which matchmaking searched, with what it started with.
struct SearchSpan {
  double start = 0.0;
  double end = 0.0;
  int category = 0;
  std::vector<int> playlists;
};

// How a timer's life ended: it fired, it was dropped before firing (the
// plugin unloaded, say), or it was still waiting when the record was taken.
enum class TimerOutcome { Fired, Dropped, Pending };

// One timer of the plugin, from the moment it was set. `end` is when it fired
// or was dropped, or the record's end while it is pending.
struct TimerSpan {
  std::uint64_t id = 0;
  double set = 0.0;
  double due = 0.0;
  double end = 0.0;
  TimerOutcome outcome = TimerOutcome::Pending;
};

enum class EventKind { Key, Notifier, Function, Command };

// Something that happened at one moment: a key pressed, a notifier run, a
// hooked game function called, or a console command the plugin sent. A key
// press or notifier after which nothing outside the plugin changed (no call
// with an effect, no change of state, search, timer or bar) had no effect.
struct Event {
  double time = 0.0;
  EventKind kind = EventKind::Key;
  std::string label;
  bool noEffect = false;
};

// The picture's input: plain data, every interval closed, in time order.
struct Timeline {
  double end = 0.0;
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
  // `state` is "menu", "freeplay" or "online"; other names are recorded as
  // they are and drawn in a neutral colour.
  void setState(double t, std::string_view state);
  // A search that starts while another runs, with other settings, ends that one.
  void searchStarted(double t, int category, std::vector<int> playlists);
  void searchStopped(double t);
  // `what` is where the player now stands in a party; empty: in none.
  void partyChanged(double t, std::string_view what);
  // `id` is the host's number for the timer; setting a pending id again with
  // another due time replaces it.
  void timerSet(std::uint64_t id, double t, double due);
  // Fired or dropped; a timer that is not pending is left as it is.
  void timerEnded(std::uint64_t id, double t, TimerOutcome outcome);
  // A new text while the bar is shown starts a new interval.
  void barShown(double t, std::string_view text);
  void barHidden(double t);
  // Returns the event's number in the record.
  std::size_t event(double t, EventKind kind, std::string_view label);
  void hadNoEffect(std::size_t event);

  // The record up to `tEnd`, every open interval closed there.
  Timeline snapshot(double tEnd) const;

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

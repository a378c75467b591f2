// The engine's stream of typed events: everything the game, the host and the
// plugins did, each event with its own data, for any number of subscribers.
#pragma once

#include <algorithm>
#include <cstdint>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include <corvane/value_types.h>

#include "frame_record.h"
#include "game_state.h"
#include "sdk_ops.h"

namespace corvane::host {

// A word written as it is, unquoted (e.g. the type name in a bindTo line).
struct BareWord {
  std::string text;
};

// One argument of an SDK call, as the plugin passed it. Playlists, categories
// and permissions travel as numbers.
using CallArg =
    std::variant<std::string, BareWord, bool, float, std::int32_t, Vector2F, LinearColor>;

struct SdkCall {
  Op op{};
  std::vector<CallArg> args;
};
// Where the player is now (it may be set to the one it had).
struct StateChanged {
  GameState state{};
};
struct MatchmakingUsable {
  bool usable = false;
};
// A playlist was selected or deselected for the next search.
struct PlaylistSelected {
  std::int32_t playlist = 0;
  bool selected = false;
};
// A search started: in `category` when a plugin started it (the game's own
// search keeps the last one's), with the playlists selected at that moment.
struct SearchStarted {
  std::optional<std::int32_t> category;
  std::vector<std::int32_t> playlists;
};
// The running search ended: cancelled, or a game was found.
struct SearchStopped {};
// A plugin set timer `id`, due at `dueMicros`.
struct TimerSet {
  std::uint64_t id = 0;
  std::int64_t dueMicros = 0;
};
// Timer `id` fell due and its callback has run.
struct TimerFired {
  std::uint64_t id = 0;
};
// Timer `id` went without running: its plugin was unloaded.
struct TimerDropped {
  std::uint64_t id = 0;
};
// The game called `name`, which some plugin hooks or none does.
struct FunctionCalled {
  std::string name;
  bool hooked = false;
};
// A plugin's console command (notifier) runs; what it does follows.
struct NotifierRun {
  std::string name;
};
struct KeyPressed {
  std::string key;
};
// A plugin sent a console line (executeCommand).
struct CommandIssued {
  std::string line;
};
enum class Registration {
  EntryHook,
  AfterHook,
  Setting,
  BoundValue,
  ChangeCallback,
  Notifier,
  Drawable
};
// A plugin registered `name` (the function hooked, the setting, the command;
// empty for a drawable).
struct Registered {
  Registration kind{};
  std::string name;
};
// Setting `name` now holds `value`; the plugins' change callbacks follow.
struct SettingChanged {
  std::string name;
  std::string value;
};
// Key `key` now runs `line`, or nothing when there is no line.
struct KeyBound {
  std::string key;
  std::optional<std::string> line;
};
// A frame starts rendering; the canvas calls of its drawables follow.
struct FrameBegun {};
// The frame is done; `drew` is what it drew (no canvas call: nothing), the
// host's own record, never null and good while the event is told: a
// subscriber copies what it keeps.
struct FrameEnded {
  const FrameRecord *drew = nullptr;
};
// Where the player stands in a party: in none, in one, or its lobby's owner.
enum class Party { None, Member, Owner };
// A party function of the game moved the player to `party`.
struct PartyChanged {
  Party party = Party::None;
};

using EventData = std::variant<SdkCall, StateChanged, MatchmakingUsable, PlaylistSelected,
                               SearchStarted, SearchStopped, TimerSet, TimerFired, TimerDropped,
                               FunctionCalled, NotifierRun, KeyPressed, CommandIssued, FrameBegun,
                               FrameEnded, Registered, SettingChanged, KeyBound, PartyChanged>;

// What happened, at the virtual time `micros`.
struct Event {
  std::int64_t micros = 0;
  EventData what;
};

// A reader of the stream. It sees every event in the order it happened, and
// must stay subscribed no longer than it lives.
class EventSubscriber {
public:
  EventSubscriber() = default;
  EventSubscriber(const EventSubscriber &) = delete;
  EventSubscriber &operator=(const EventSubscriber &) = delete;
  virtual ~EventSubscriber() = default;
  virtual void onEvent(const Event &event) = 0;
};

// The subscribers of one host, told in the order they subscribed. A
// subscriber may subscribe or unsubscribe any of them while it is told: one
// subscribed then is told this event too, one unsubscribed then is told
// nothing more, and every other is told as usual.
class EventStream {
public:
  bool empty() const { return subscribers_.empty(); }
  void subscribe(EventSubscriber &subscriber) { subscribers_.push_back(&subscriber); }
  void unsubscribe(const EventSubscriber &subscriber) {
    const auto isIt = [&subscriber](const EventSubscriber *entry) { return entry == &subscriber; };
    if (publishing_ == 0) {
      std::erase_if(subscribers_, isIt);
    } else {
      // Its slot stays, empty, until the publish ends: the walk below must
      // skip no one.
      std::replace_if(subscribers_.begin(), subscribers_.end(), isIt, nullptr);
    }
  }
  void publish(const Event &event) {
    const Publishing publishing(*this);
    // By index: the list may grow while a subscriber is told.
    for (std::size_t i = 0; i < subscribers_.size(); ++i) {
      if (subscribers_[i] != nullptr) {
        subscribers_[i]->onEvent(event);
      }
    }
  }

private:
  // Counts the publishes under way; the last to end, even by an exception,
  // drops the slots emptied meanwhile.
  struct Publishing {
    explicit Publishing(EventStream &stream) : stream_(stream) { ++stream_.publishing_; }
    ~Publishing() {
      if (--stream_.publishing_ == 0) {
        std::erase(stream_.subscribers_, nullptr);
      }
    }
    Publishing(const Publishing &) = delete;
    Publishing &operator=(const Publishing &) = delete;
    EventStream &stream_;
  };

  std::vector<EventSubscriber *> subscribers_;
  int publishing_ = 0;
};

// The argument as the stream carries it.
inline CallArg callArg(std::string_view text) { return std::string(text); }
inline CallArg callArg(BareWord word) { return word; }
inline CallArg callArg(bool value) { return value; }
inline CallArg callArg(float value) { return value; }
inline CallArg callArg(int value) { return std::int32_t{value}; }
inline CallArg callArg(Playlist value) { return static_cast<std::int32_t>(value); }
inline CallArg callArg(PlaylistCategory value) { return static_cast<std::int32_t>(value); }
inline CallArg callArg(Vector2F value) { return value; }
inline CallArg callArg(LinearColor value) { return value; }

} // namespace corvane::host

// TimerQueue: the plugins' pending timeouts, in firing order.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <utility>
#include <vector>

#include "host_export.h"

class GameWrapper;

namespace corvane::host {

class PluginContext;

struct Timer {
  std::uint64_t id; // the order it was set in, unique in its queue
  std::int64_t dueMicros;
  PluginContext *owner;
  std::function<void(GameWrapper *)> callback;
};

// Ordered by due time, then by the order the timers were set in.
class CORVANE_HOST_API TimerQueue {
public:
  // Returns the timer's id.
  std::uint64_t add(std::int64_t dueMicros, PluginContext *owner,
                    std::function<void(GameWrapper *)> callback);
  // Takes out the first timer due at or before `limitMicros`, if any. The
  // caller runs it: taking it out first lets its callback add timers freely.
  std::optional<Timer> popDue(std::int64_t limitMicros);
  std::size_t pending() const { return timers_.size(); }
  // The pending timers' due times, in firing order.
  std::vector<std::int64_t> dueTimes() const;
  // Drops `owner`'s timers; returns their ids.
  std::vector<std::uint64_t> dropOwner(const PluginContext *owner);

private:
  using Key = std::pair<std::int64_t, std::uint64_t>;
  std::map<Key, Timer> timers_;
  std::uint64_t nextSequence_ = 0;
};

} // namespace corvane::host

// The timer queue.
#include "timer_queue.h"

#include <algorithm>
#include <iterator>

namespace corvane::host {

std::uint64_t TimerQueue::add(std::int64_t dueMicros, PluginContext *owner,
                              std::function<void(GameWrapper *)> callback) {
  const std::uint64_t id = nextSequence_++;
  timers_.emplace(Key{dueMicros, id}, Timer{id, dueMicros, owner, std::move(callback)});
  return id;
}

std::optional<Timer> TimerQueue::popDue(std::int64_t limitMicros) {
  if (timers_.empty() || timers_.begin()->first.first > limitMicros) {
    return std::nullopt;
  }
  auto node = timers_.extract(timers_.begin());
  return std::move(node.mapped());
}

std::vector<std::int64_t> TimerQueue::dueTimes() const {
  std::vector<std::int64_t> times;
  std::transform(timers_.begin(), timers_.end(), std::back_inserter(times),
                 [](const auto &entry) { return entry.second.dueMicros; });
  return times;
}

std::vector<std::uint64_t> TimerQueue::dropOwner(const PluginContext *owner) {
  std::vector<std::uint64_t> dropped;
  std::erase_if(timers_, [owner, &dropped](const auto &entry) {
    if (entry.second.owner != owner) {
      return false;
    }
    dropped.push_back(entry.second.id);
    return true;
  });
  return dropped;
}

} // namespace corvane::host

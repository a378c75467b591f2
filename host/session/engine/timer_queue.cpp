// The timer queue.
#include "timer_queue.h"

#include <ranges>

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
  const auto times = std::views::values(timers_) | std::views::transform(&Timer::dueMicros);
  return {times.begin(), times.end()};
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

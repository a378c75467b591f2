// The timer queue.
#include "timer_queue.h"

namespace corvane::host {

void TimerQueue::add(std::int64_t dueMicros, PluginContext *owner,
                     std::function<void(GameWrapper *)> callback) {
  timers_.emplace(Key{dueMicros, nextSequence_++}, Timer{dueMicros, owner, std::move(callback)});
}

std::optional<Timer> TimerQueue::popDue(std::int64_t limitMicros) {
  if (timers_.empty() || timers_.begin()->first.first > limitMicros) {
    return std::nullopt;
  }
  auto node = timers_.extract(timers_.begin());
  return std::move(node.mapped());
}

void TimerQueue::dropOwner(const PluginContext *owner) {
  std::erase_if(timers_, [owner](const auto &entry) { return entry.second.owner == owner; });
}

} // namespace corvane::host

// The notifier table.
#include "notifiers.h"

#include <algorithm>
#include <iterator>

#include "plugin_context.h"

namespace corvane::host {

void Notifiers::add(std::string name, Notifier notifier) {
  notifiers_[std::move(name)] = std::make_shared<Notifier>(std::move(notifier));
}

void Notifiers::run(const std::vector<std::string> &words) {
  const std::shared_ptr<Notifier> notifier = notifiers_.at(words.front());
  if (notifier->owner->active()) {
    notifier->callback(words);
  }
}

void Notifiers::dropOwner(const PluginContext *owner) {
  std::erase_if(notifiers_, [owner](const auto &entry) { return entry.second->owner == owner; });
}

std::optional<std::string> Notifiers::description(std::string_view name) const {
  const auto it = notifiers_.find(name);
  return it == notifiers_.end() ? std::nullopt : std::optional(it->second->description);
}

std::vector<std::string> Notifiers::names() const {
  std::vector<std::string> names;
  std::transform(notifiers_.begin(), notifiers_.end(), std::back_inserter(names),
                 [](const auto &entry) { return entry.first; });
  return names;
}

} // namespace corvane::host

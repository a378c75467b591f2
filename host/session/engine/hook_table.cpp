// The hook table.
#include "hook_table.h"

#include <algorithm>
#include <iterator>

#include "plugin_context.h"

namespace corvane::host {

void HookTable::add(const std::string &functionName, HookPhase phase, PluginContext *owner,
                    std::function<void(std::string)> callback) {
  hooks_[functionName].push_back(std::make_shared<Hook>(Hook{owner, phase, std::move(callback)}));
}

bool HookTable::call(const std::string &functionName) {
  const auto it = hooks_.find(functionName);
  if (it == hooks_.end()) {
    return false;
  }
  // Walked by index over the hooks present now: a callback may add hooks to
  // this very list, which moves its entries but never the hooks they share.
  const std::vector<std::shared_ptr<Hook>> &hooks = it->second;
  const std::size_t count = hooks.size();
  for (const HookPhase phase : {HookPhase::Entry, HookPhase::After}) {
    for (std::size_t i = 0; i < count; ++i) {
      Hook &hook = *hooks[i];
      if (hook.phase == phase && hook.owner->active()) {
        hook.callback(functionName);
      }
    }
  }
  return true;
}

void HookTable::dropOwner(const PluginContext *owner) {
  for (auto it = hooks_.begin(); it != hooks_.end();) {
    std::erase_if(it->second, [owner](const auto &hook) { return hook->owner == owner; });
    it = it->second.empty() ? hooks_.erase(it) : std::next(it);
  }
}

std::vector<std::string> HookTable::functionNames() const {
  std::vector<std::string> names;
  std::transform(hooks_.begin(), hooks_.end(), std::back_inserter(names),
                 [](const auto &entry) { return entry.first; });
  return names;
}

} // namespace corvane::host

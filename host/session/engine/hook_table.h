// HookTable: the plugins' hooks on game functions, by exact function name.
#pragma once

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "host_export.h"

namespace corvane::host {

class PluginContext;

enum class HookPhase { Entry, After };

struct Hook {
  PluginContext *owner;
  HookPhase phase;
  std::function<void(std::string)> callback;
};

class CORVANE_HOST_API HookTable {
public:
  void add(const std::string &functionName, HookPhase phase, PluginContext *owner,
           std::function<void(std::string)> callback);
  // The game calls `functionName`: its entry hooks in registration order,
  // then its after hooks, each with the name. Hooks added meanwhile wait for
  // the next call. Whether any hook waited for it when it was called (a hook
  // may drop itself, or its plugin).
  bool call(const std::string &functionName);
  void dropOwner(const PluginContext *owner);
  // Some hook waits for the game to call `functionName`.
  bool hooked(std::string_view functionName) const { return hooks_.contains(functionName); }
  // The hooked functions' names, sorted.
  std::vector<std::string> functionNames() const;

private:
  // Each hook lives in its own block, so that a call can go on walking the
  // list while its hooks register further hooks. A function's list is never
  // empty: the last hook dropped takes it.
  std::map<std::string, std::vector<std::shared_ptr<Hook>>, std::less<>> hooks_;
};

} // namespace corvane::host

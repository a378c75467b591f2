// PluginContext: the host's state for one loaded plugin, which every wrapper
// the plugin holds points to.
#pragma once

#include <memory>
#include <string>

#include "host.h"
#include "host_export.h"

class GameWrapper;
class CVarManagerWrapper;

namespace corvane::host {

// Lives as long as the Host, so a wrapper a plugin kept past its unload
// still points at something: an inactive context ignores every call.
class CORVANE_HOST_API PluginContext {
public:
  PluginContext(Host &host, std::string name);
  ~PluginContext();
  PluginContext(const PluginContext &) = delete;
  PluginContext &operator=(const PluginContext &) = delete;

  Host &host() const { return host_; }
  const std::string &name() const { return name_; }

  // Whether the plugin's calls take effect and its callbacks may run.
  bool active() const { return active_; }
  // Records the plugin's call of `op` on the host; whether it takes effect.
  template <typename... Args> bool call(Op op, const Args &...args) const {
    host_.record(op, args...);
    return active_;
  }
  // From now on the plugin's calls do nothing and none of its callbacks run.
  void deactivate() { active_ = false; }

  // The host's shares of the wrappers it hands the plugin.
  const std::shared_ptr<GameWrapper> &gameWrapper() const { return gameWrapper_; }
  const std::shared_ptr<CVarManagerWrapper> &cvarManager() const { return cvarManager_; }
  void dropWrappers();

private:
  Host &host_;
  std::string name_;
  bool active_ = true;
  std::shared_ptr<GameWrapper> gameWrapper_;
  std::shared_ptr<CVarManagerWrapper> cvarManager_;
};

} // namespace corvane::host

// The plugin base class every plugin derives from. What a host finds a plugin
// library by (its descriptor, factory and teardown) is in entry.h.
#pragma once

#include <memory>

#include "cvar_manager_wrapper.h"
#include "game_wrapper.h"
#include "sdk_export.h"

namespace Corvane::Plugin {

// Base of every plugin object. The plugin library exports all of it.
//
// Lifecycle: the host gets the object from the descriptor's factory, fills
// both handles, calls onLoad once, later onUnload once, then the teardown.
// The plugin never writes the handles.
class CORVANE_PLUGIN_API CorvanePlugin {
public:
  CorvanePlugin();
  // Shares both handles.
  CorvanePlugin(const CorvanePlugin &other);
  // Transfers both handles; `other` is left with empty ones.
  CorvanePlugin(CorvanePlugin &&other) noexcept;
  virtual ~CorvanePlugin();
  CorvanePlugin &operator=(const CorvanePlugin &other);
  CorvanePlugin &operator=(CorvanePlugin &&other) noexcept;

  // Called once after the host filled both handles. [game-thread]
  virtual void onLoad();
  // Called once before the host drops the plugin's registrations. [game-thread]
  virtual void onUnload();

  std::shared_ptr<CVarManagerWrapper> cvarManagerHandle;
  std::shared_ptr<GameWrapper> gameWrapperHandle;
};

} // namespace Corvane::Plugin

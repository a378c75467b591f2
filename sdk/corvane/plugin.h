// The plugin boundary: the base class every plugin derives from, and the
// descriptor record a plugin library exports under the name `exports`.
#pragma once

#include <cstdint>
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

// The factory: returns the address of the library's one shared owner of its
// plugin object, creating the object on the first call only.
using CorvaneGetPluginFunction = std::shared_ptr<Corvane::Plugin::CorvanePlugin> *();
// The teardown: drops the library's share of its plugin object. Safe to call
// when there is none.
using CorvaneDeleteMeFunction = void();

// The API version a plugin built against this SDK publishes.
inline constexpr std::int32_t kCorvaneApiVersion = 95;

// Exported by every plugin library under the unmangled data name `exports`:
// 64 bytes, each field in an 8-byte slot. The host reads it before anything
// else, refuses a library whose apiVersion it does not speak, and calls
// getPlugin only after that. Texts are NUL-terminated and live as long as the
// library stays loaded.
struct PluginDescriptor {
  std::int32_t apiVersion;
  std::uint32_t apiVersionHigh; // always 0
  const char *fileName;         // build path of the plugin's main source file
  const char *className;
  const char *pluginName;
  const char *pluginVersion;
  std::uint32_t pluginType;
  std::uint32_t pluginTypeHigh; // always 0
  CorvaneGetPluginFunction *getPlugin;
  CorvaneDeleteMeFunction *deleteMe;
};
static_assert(sizeof(PluginDescriptor) == 64, "the descriptor is 64 bytes");
static_assert(sizeof(void *) == 8, "plugins are 64-bit libraries");

// The names a host looks a plugin library's exports up by.
inline constexpr const char *kCorvaneDescriptorSymbol = "exports";

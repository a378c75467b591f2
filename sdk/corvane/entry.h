// The entry of a plugin library: the descriptor record a host reads first,
// the factory and teardown it points to, and the names of the three exports.
// Each declaration says what the plugin promises and what a host that loads
// the library must do.
#pragma once

#include <cstdint>
#include <memory>

namespace Corvane::Plugin {
class CorvanePlugin;
} // namespace Corvane::Plugin

// The factory. Returns the address of the library's one shared owner of its
// plugin object, creating the object on the first call only; a second call
// creates nothing and returns the same address.
// Host: calls it only after accepting the descriptor, fills both handles of
// the object before calling onLoad, and may keep shares of the object.
// [game-thread & library loaded]
using CorvaneGetPluginFunction = std::shared_ptr<Corvane::Plugin::CorvanePlugin> *();

// The teardown. Drops the library's share of its plugin object; the object
// goes when the host's shares go too. Safe to call with no object, and twice.
// Host: calls it after onUnload and after dropping every registration of the
// plugin, and before closing the library; runs none of the plugin's
// callbacks after the object is destroyed.
// [game-thread & library loaded]
using CorvaneDeleteMeFunction = void();

// The API version a plugin built against this SDK publishes.
inline constexpr std::int32_t kCorvaneApiVersion = 95;

// Exported by every plugin library under the unmangled data name `exports`:
// 64 bytes, little-endian, each field in an 8-byte slot. Texts are
// NUL-terminated and live as long as the library stays loaded.
// Host: reads it before anything else; refuses a library whose apiVersion it
// does not speak (the upper half included), or whose texts or entry points
// are null, and then calls nothing in it; what it does with the type flags is
// its own matter. [any thread & library loaded]
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

// The names of the three exports a host looks a plugin library up by. A host
// needs only the descriptor's: it reaches the factory and the teardown
// through the descriptor's pointers. The other two are exported under these
// names as well, for tools that read a library's export table.
inline constexpr const char *kCorvaneDescriptorSymbol = "exports";
inline constexpr const char *kCorvaneFactorySymbol = "getPlugin";
inline constexpr const char *kCorvaneTeardownSymbol = "deleteMe";

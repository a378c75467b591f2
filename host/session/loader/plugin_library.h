// LoadedPlugin: a plugin library checked, loaded into a host and later
// unloaded in the one safe order.
#pragma once

#include <memory>
#include <string>

#include <corvane/entry.h>
#include <corvane/plugin.h>

#include "host/session/engine/host.h"
#include "shared_library.h"

namespace corvane::loader {

class LoadedPlugin {
public:
  // Opens `path`, checks its descriptor, creates the plugin, hands it its
  // wrappers and calls onLoad. A refusal (an onLoad that throws included)
  // names the file, and nothing stays loaded.
  static Expected<std::unique_ptr<LoadedPlugin>> load(host::Host &host, const std::string &path);

  ~LoadedPlugin();
  LoadedPlugin(const LoadedPlugin &) = delete;
  LoadedPlugin &operator=(const LoadedPlugin &) = delete;

  // onUnload; drop the plugin's registrations; drop the host's shares of the
  // plugin; deleteMe; close the library. Nothing of the plugin runs after.
  void unload();
  const std::string &path() const { return path_; }

private:
  LoadedPlugin() = default;
  // Everything of unload after onUnload.
  void release();

  std::string path_;
  host::Host *host_ = nullptr;
  host::PluginContext *context_ = nullptr;
  CorvaneDeleteMeFunction *deleteMe_ = nullptr;
  std::shared_ptr<Corvane::Plugin::CorvanePlugin> plugin_;
  std::unique_ptr<SharedLibrary> library_;
};

} // namespace corvane::loader

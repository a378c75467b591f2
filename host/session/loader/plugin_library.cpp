// Loading a plugin library: descriptor checks and the load/unload lifecycle.
#include "plugin_library.h"

#include <exception>

#include "descriptor_check.h"
#include "host/session/engine/plugin_context.h"

namespace corvane::loader {

namespace {

// The plugin's class is defined in the plugin library, so the host has no
// type information for it. The undefined-behaviour sanitizer's dynamic type
// check would need it, so every touch of the plugin object goes through
// these few functions, which skip that check.
#if defined(__GNUC__) || defined(__clang__)
#define CORVANE_NO_VPTR_CHECK __attribute__((no_sanitize("vptr")))
#else
#define CORVANE_NO_VPTR_CHECK
#endif

using Corvane::Plugin::CorvanePlugin;

CORVANE_NO_VPTR_CHECK void handOverWrappers(CorvanePlugin &plugin,
                                            const host::PluginContext &context) {
  plugin.cvarManagerHandle = context.cvarManager();
  plugin.gameWrapperHandle = context.gameWrapper();
}

CORVANE_NO_VPTR_CHECK void callOnLoad(CorvanePlugin &plugin) { plugin.onLoad(); }

CORVANE_NO_VPTR_CHECK void callOnUnload(CorvanePlugin &plugin) { plugin.onUnload(); }

} // namespace

Expected<std::unique_ptr<LoadedPlugin>> LoadedPlugin::load(host::Host &host,
                                                           const std::string &path) {
  const auto refuse = [&](const std::string &reason, ErrorKind kind = ErrorKind::BadInput) {
    return Error{kind, "cannot load plugin " + path + ": " + reason};
  };
  auto opened = SharedLibrary::open(path);
  if (!opened) {
    return refuse(opened.error().message, opened.error().kind);
  }
  std::unique_ptr<SharedLibrary> library = std::move(*opened);
  const PluginDescriptor *descriptor = findDescriptor(*library);
  if (descriptor == nullptr) {
    return refuse("no descriptor named `exports`", ErrorKind::NoPlugin);
  }
  if (auto problem = checkDescriptor(*descriptor)) {
    return refuse(problem->message);
  }
  std::shared_ptr<Corvane::Plugin::CorvanePlugin> *owner = descriptor->getPlugin();
  if (owner == nullptr || !*owner) {
    descriptor->deleteMe();
    return refuse("the factory made no plugin object");
  }

  std::unique_ptr<LoadedPlugin> loaded(new LoadedPlugin());
  loaded->path_ = path;
  loaded->host_ = &host;
  loaded->deleteMe_ = descriptor->deleteMe;
  loaded->plugin_ = *owner;
  loaded->context_ = &host.createContext(descriptor->pluginName);
  handOverWrappers(*loaded->plugin_, *loaded->context_);
  loaded->library_ = std::move(library);
  // An onLoad that did not finish is owed no onUnload; everything else is.
  try {
    callOnLoad(*loaded->plugin_);
  } catch (const std::exception &failure) {
    loaded->release();
    return refuse(std::string("onLoad failed: ") + failure.what());
  } catch (...) {
    loaded->release();
    return refuse("onLoad failed");
  }
  return loaded;
}

LoadedPlugin::~LoadedPlugin() { unload(); }

void LoadedPlugin::unload() {
  if (!library_) {
    return;
  }
  try {
    callOnUnload(*plugin_);
  } catch (...) {
    // The plugin goes all the same; what it failed to tidy, the host drops.
  }
  release();
}

void LoadedPlugin::release() {
  // From here the plugin's calls do nothing and its callbacks never run; its
  // closures and shared values are destroyed while its code is still loaded.
  context_->deactivate();
  host_->dropRegistrations(*context_);
  plugin_.reset();
  context_->dropWrappers();
  deleteMe_();
  library_.reset();
}

} // namespace corvane::loader

// The plugin library's entry points and the wiring done when the host loads it.
#include "vexlo.h"

#include "entry_points.h"

namespace {
// The one owner of the plugin object, as the host sees it.
std::shared_ptr<Corvane::Plugin::CorvanePlugin> pluginInstance;
} // namespace

// The host's console, kept for the whole time the library is loaded.
std::shared_ptr<CVarManagerWrapper> globalCvarManager;

extern "C" std::shared_ptr<Corvane::Plugin::CorvanePlugin> *getPlugin() {
  if (!pluginInstance) {
    pluginInstance = std::make_shared<vexlo>();
  }
  return &pluginInstance;
}

extern "C" void deleteMe() { pluginInstance.reset(); }

void vexlo::onLoad() {
  globalCvarManager = cvarManagerHandle;
  matchOver = std::make_shared<bool>(true);
  queueActive = std::make_shared<bool>(false);
  partyBlocked = std::make_shared<bool>(false);
  armings = std::make_shared<std::uint64_t>(0);
  registerSettings();
  hookEvents();
  registerBindSetting();
  registerDrawable();
}

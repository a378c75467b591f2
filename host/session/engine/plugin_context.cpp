// A plugin's context and the wrappers the host hands it.
#include "plugin_context.h"

#include <corvane/cvar_manager_wrapper.h>
#include <corvane/game_wrapper.h>

namespace corvane::host {

// The wrappers are made here, inside pluginsdk, so their shared owners'
// code does not live in the plugin library that later goes away.
PluginContext::PluginContext(Host &host, std::string name)
    : host_(host), name_(std::move(name)), gameWrapper_(std::make_shared<GameWrapper>(this)),
      cvarManager_(std::make_shared<CVarManagerWrapper>(this)) {}

PluginContext::~PluginContext() = default;

void PluginContext::dropWrappers() {
  gameWrapper_.reset();
  cvarManager_.reset();
}

} // namespace corvane::host

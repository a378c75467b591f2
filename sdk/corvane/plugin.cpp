// The plugin base class. Compiled into every plugin library, which exports it.
#include "plugin.h"

#include <utility>

namespace Corvane::Plugin {

CorvanePlugin::CorvanePlugin() = default;
CorvanePlugin::CorvanePlugin(const CorvanePlugin &other) = default;
CorvanePlugin::CorvanePlugin(CorvanePlugin &&other) noexcept = default;
CorvanePlugin::~CorvanePlugin() = default;
CorvanePlugin &CorvanePlugin::operator=(const CorvanePlugin &other) = default;
CorvanePlugin &CorvanePlugin::operator=(CorvanePlugin &&other) noexcept = default;

void CorvanePlugin::onLoad() {}
void CorvanePlugin::onUnload() {}

} // namespace Corvane::Plugin

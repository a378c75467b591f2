// corvane-sim --version: the project's version, compiled in, and the
// plugin's from its descriptor.
#include "version.h"

#include <ostream>

#include "host/base/outcome.h"
#include "host/session/loader/descriptor_check.h"
#include "host/session/loader/shared_library.h"

#ifndef CORVANE_SIM_VERSION
#error "CORVANE_SIM_VERSION must be the project's version (the build defines it)"
#endif

namespace corvane::sim {

// The program's version comes first, whatever the plugin turns out to be.
int printVersion(const std::string &plugin, std::ostream &out, std::ostream &err) {
  out << "corvane-sim " << CORVANE_SIM_VERSION << '\n' << std::flush;
  if (plugin.empty()) {
    return exitStatus(Outcome::Success);
  }
  const auto library = loader::SharedLibrary::open(plugin);
  const PluginDescriptor *descriptor = library ? loader::findDescriptor(**library) : nullptr;
  const Failure refused = !library ? Failure(library.error())
                          : descriptor == nullptr
                              ? Failure(Error{ErrorKind::NoPlugin, "it exports no descriptor"})
                              : loader::checkDescriptor(*descriptor);
  if (refused) {
    err << "corvane-sim: cannot read the version of plugin " << plugin << ": " << refused->message
        << '\n';
    return exitStatus(Outcome::BadInput);
  }
  out << descriptor->pluginName << ' ' << descriptor->pluginVersion << " (" << plugin << ")\n";
  return 0;
}

} // namespace corvane::sim

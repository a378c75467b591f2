// Extension: a feature of the programs (screenshots, a timeline, ...) for one
// run: the values of its command-line options, its console commands, and
// what it does when the run ends, all held by the object the run owns.
#pragma once

#include "host/base/error.h"
#include "host/session/simulator.h"
#include "host/tools/options/option_table.h"

namespace corvane::sim {

class Extension {
public:
  Extension() = default;
  Extension(const Extension &) = delete;
  Extension &operator=(const Extension &) = delete;
  virtual ~Extension() = default;

  // Adds the feature's command-line options, which set this object's values.
  virtual void addOptions(OptionTable & /*table*/) {}
  // Adds the feature's console commands to a new session.
  virtual void attach(Simulator & /*simulator*/) {}
  // Why the run may not start with the feature's options (a file it will
  // write that cannot be written, a font that does not open), checked
  // before the plugin is loaded; nothing when it may.
  virtual Failure refuseToStart(Simulator & /*simulator*/) { return std::nullopt; }
  // Runs after the last script of `simulator`'s run, before the plugin is
  // unloaded; false when it failed, having said why on the console's errors.
  virtual bool finish(Simulator & /*simulator*/) { return true; }

  // attach, for a Simulator's options; the extension must outlive the
  // sessions it is attached to.
  SessionExtension forSessions() {
    return [this](Simulator &simulator) { attach(simulator); };
  }
};

} // namespace corvane::sim

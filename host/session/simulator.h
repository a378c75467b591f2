// Simulator: one simulated game session: the host engine, its console and the
// loaded plugin. Tests drive it directly; the programs wrap it and add their
// features through the options' extensions.
#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "host/session/console/console.h"
#include "host/session/engine/host.h"
#include "host/session/engine/settings_store.h"
#include "host/session/loader/plugin_library.h"
#include "host/session/trace.h"

namespace corvane::sim {

class Simulator;

// A feature the caller adds to every session it makes: console commands, say.
using SessionExtension = std::function<void(Simulator &)>;

struct SimulatorOptions {
  std::ostream *out = nullptr;                // echo, setting prints, cvarlist (null: discarded)
  std::ostream *err = nullptr;                // errors and failed expectations (null: discarded)
  std::ostream *trace = nullptr;              // trace lines (null: tracing off)
  bool verbose = false;                       // also trace the plugin's registrations
  std::vector<SessionExtension> extensions{}; // run on the new session, in order
  console::Front *front = nullptr;            // the program on top (null: a script's defaults)
  std::string errorPrefix{}; // before a refused plugin's line, e.g. the program's name
};

class Simulator {
public:
  explicit Simulator(SimulatorOptions options);
  ~Simulator(); // unloads the plugin if loaded
  Simulator(const Simulator &) = delete;
  Simulator &operator=(const Simulator &) = delete;

  // Loads the plugin library at `pluginPath`; false, with the reason on the
  // error stream, when it is refused or a plugin is already loaded.
  bool load(const std::string &pluginPath);
  void unload();
  bool loaded() const { return plugin_ != nullptr; }

  // Runs console text (one or more lines separated by '\n') as if read from
  // FILE starting at LINE.
  Outcome run(std::string_view text, std::string_view file = "<test>", int line = 1) {
    return console_->run(text, file, line);
  }
  // Runs the script file at `path`.
  Outcome runScript(const std::string &path) { return console_->runFile(path); }

  // The engine, for direct inspection in tests (clock, settings, matchmaking,
  // state).
  host::Host &host() { return *host_; }
  // The console, for adding commands.
  console::Console &console() { return *console_; }
  // What the session holds, for the programs that show it to a person.
  std::vector<std::string> hookedFunctions() const;
  std::vector<std::string> boundKeys() const;
  std::vector<std::string> settingNames() const;
  // The setting `name`; null when there is none.
  const host::Setting *setting(std::string_view name) const;
  std::vector<std::string> pluginCommands() const;
  // What the plugin's command `name` does; nothing when there is none.
  std::optional<std::string> pluginCommand(std::string_view name) const;

  // The subscriber writing the trace; null when tracing is off.
  host::TraceWriter *traceWriter() { return trace_.get(); }

private:
  SimulatorOptions options_;
  // Stands in for the streams not given: with no buffer, it writes nothing.
  std::ostream discard_{nullptr};
  std::unique_ptr<host::Host> host_;
  std::unique_ptr<host::TraceWriter> trace_;
  std::unique_ptr<console::Console> console_;
  std::unique_ptr<loader::LoadedPlugin> plugin_;
};

} // namespace corvane::sim

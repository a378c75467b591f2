// Session: one fresh stand-in host for a test or a benchmark. Its console
// output and errors are captured or discarded, its trace written or off; it
// loads the built plugin (or any other) on request, and hands out a bare
// plugin context for code that plays the plugin itself.
#pragma once

#include <optional>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include <corvane/cvar_manager_wrapper.h>
#include <corvane/game_wrapper.h>

#include "host/session/engine/plugin_context.h"
#include "host/session/simulator.h"

namespace vexlo::testing {

struct SessionOptions {
  bool capture = true;  // keep console output and errors to read back; off: discarded
  bool trace = true;    // write trace lines to read back; off: tracing off
  bool verbose = false; // also trace the plugin's registrations
};

// Nothing kept and nothing traced, as a host runs a frame nobody records.
inline constexpr SessionOptions kSilent{.capture = false, .trace = false};

class Session {
public:
  explicit Session(SessionOptions options = {});
  Session(const Session &) = delete;
  Session &operator=(const Session &) = delete;

  // Loads the plugin library at `path`, the built vexlo plugin by default. On
  // refusal returns why, with the host's own reason when errors are captured.
  std::optional<std::string> load(const std::string &path = VEXLO_PLUGIN_PATH);
  // Loads the built plugin and runs `setup` (console lines separated by '\n');
  // on failure returns why.
  std::optional<std::string> start(std::string_view setup);

  // Runs console text (lines separated by '\n') as if read from FILE starting
  // at LINE.
  corvane::Outcome run(std::string_view text, std::string_view file = "<test>", int line = 1);

  // What was printed, reported as an error and traced so far, left in place.
  std::string output() const { return out_.str(); }
  std::string errors() const { return err_.str(); }
  std::string traceText() const { return trace_.str(); }
  // The same since the previous take of each, then cleared.
  std::string takeOutput();
  std::string takeErrors();
  std::vector<std::string> takeTrace();

  corvane::sim::Simulator &simulator() { return simulator_; }
  corvane::host::Host &host() { return simulator_.host(); }

  // A context as the loader makes one, without a library behind it: the
  // caller itself plays the plugin.
  corvane::host::PluginContext &pluginContext();
  CVarManagerWrapper &cvars() { return *pluginContext().cvarManager(); }
  GameWrapper &game() { return *pluginContext().gameWrapper(); }

private:
  std::ostringstream out_;
  std::ostringstream err_;
  std::ostringstream trace_;
  const bool capture_;
  corvane::sim::Simulator simulator_;
  corvane::host::PluginContext *context_ = nullptr;
};

// The lines of `text`, without their line ends.
std::vector<std::string> splitLines(const std::string &text);

} // namespace vexlo::testing

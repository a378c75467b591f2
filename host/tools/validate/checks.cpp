// The validation checks: the descriptor, the factory and teardown, load and
// unload cycles, a random run and silence after unload.
#include "checks.h"

#include <corvane/entry.h>
#include <corvane/plugin.h>

#include <optional>
#include <sstream>
#include <string>

#include "host/session/loader/descriptor_check.h"
#include "host/session/simulator.h"
#include "random_run.h"

namespace corvane::validate {

namespace {

constexpr int kLoadCycles = 10;
constexpr std::string_view kQuietLines =
    "sim_wait 100\nsim_frame 3\nsim_game_found\nsim_match_end\n"
    "sim_leave_match\nsim_search_cancelled\nsim_party_join\n"
    "sim_party_leave\nsim_wait 100";

CheckResult failed(std::string reason) { return CheckResult::fail(std::move(reason)); }
CheckResult passed() { return CheckResult::pass(); }

// The opened library and its descriptor, or why there is none.
struct OpenedPlugin {
  std::unique_ptr<loader::SharedLibrary> library;
  const PluginDescriptor *descriptor = nullptr;
  std::string problem;
};

OpenedPlugin openPlugin(const std::string &path) {
  OpenedPlugin opened;
  auto library = loader::SharedLibrary::open(path);
  if (!library) {
    opened.problem = "cannot open " + path + ": " + library.error().message;
    return opened;
  }
  opened.library = std::move(*library);
  opened.descriptor = loader::findDescriptor(*opened.library);
  if (opened.descriptor == nullptr) {
    opened.problem = path + " exports no descriptor \"" + kCorvaneDescriptorSymbol + "\"";
  }
  return opened;
}

CheckResult descriptorReadable(const ValidateOptions &options, const ProgressNote &) {
  const OpenedPlugin opened = openPlugin(options.pluginPath);
  return opened.descriptor == nullptr ? failed(opened.problem) : passed();
}

CheckResult apiVersion(const ValidateOptions &options, const ProgressNote &) {
  const OpenedPlugin opened = openPlugin(options.pluginPath);
  if (opened.descriptor == nullptr) {
    return failed(opened.problem);
  }
  const PluginDescriptor &descriptor = *opened.descriptor;
  if (loader::apiVersionAccepted(descriptor)) {
    return passed();
  }
  if (descriptor.apiVersion != kCorvaneApiVersion) {
    return failed("API version is " + std::to_string(descriptor.apiVersion) + ", expected " +
                  std::to_string(kCorvaneApiVersion));
  }
  return failed("the API version's upper half is " + std::to_string(descriptor.apiVersionHigh) +
                ", expected 0");
}

CheckResult descriptorFields(const ValidateOptions &options, const ProgressNote &) {
  const OpenedPlugin opened = openPlugin(options.pluginPath);
  if (opened.descriptor == nullptr) {
    return failed(opened.problem);
  }
  std::string missing;
  for (const loader::DescriptorField field : loader::missingDescriptorFields(*opened.descriptor)) {
    missing += missing.empty() ? "" : ", ";
    missing += loader::descriptorFieldName(field);
  }
  return missing.empty() ? passed() : failed("missing in the descriptor: " + missing);
}

// The failure of a check that needs the plugin object when `opened` cannot
// give it: no descriptor, or no getPlugin or deleteMe in it.
std::optional<CheckResult> withoutFactory(const OpenedPlugin &opened) {
  if (opened.descriptor == nullptr) {
    return failed(opened.problem);
  }
  if (opened.descriptor->getPlugin == nullptr || opened.descriptor->deleteMe == nullptr) {
    return failed("no getPlugin or deleteMe");
  }
  return std::nullopt;
}

CheckResult factoryStable(const ValidateOptions &options, const ProgressNote &note) {
  const OpenedPlugin opened = openPlugin(options.pluginPath);
  if (const auto missing = withoutFactory(opened)) {
    return *missing;
  }
  note("first getPlugin");
  auto *first = opened.descriptor->getPlugin();
  note("second getPlugin");
  auto *second = opened.descriptor->getPlugin();
  CheckResult result = passed();
  if (first == nullptr) {
    result = failed("getPlugin returned a null address");
  } else if (first != second) {
    result = failed("getPlugin gave two addresses");
  } else if (!*first) {
    result = failed("getPlugin's owner holds no plugin object");
  }
  note("deleteMe");
  opened.descriptor->deleteMe();
  return result;
}

CheckResult teardownTwice(const ValidateOptions &options, const ProgressNote &note) {
  const OpenedPlugin opened = openPlugin(options.pluginPath);
  if (const auto missing = withoutFactory(opened)) {
    return *missing;
  }
  note("getPlugin");
  opened.descriptor->getPlugin();
  note("first deleteMe");
  opened.descriptor->deleteMe();
  note("second deleteMe");
  opened.descriptor->deleteMe();
  return passed();
}

CheckResult loadCycles(const ValidateOptions &options, const ProgressNote &note) {
  std::ostringstream errors;
  sim::Simulator simulator(sim::SimulatorOptions{nullptr, &errors, nullptr, false});
  for (int cycle = 1; cycle <= kLoadCycles; ++cycle) {
    note("load " + std::to_string(cycle));
    if (!simulator.load(options.pluginPath)) {
      return failed("load " + std::to_string(cycle) + " of " + std::to_string(kLoadCycles) +
                    " was refused: " + errors.str());
    }
    note("unload " + std::to_string(cycle));
    simulator.unload();
    if (simulator.loaded()) {
      return failed("still loaded after unload " + std::to_string(cycle));
    }
  }
  return passed();
}

CheckResult randomRunCheck(const ValidateOptions &options, const ProgressNote &note) {
  return randomRun(options.pluginPath, options.seed, options.steps, note);
}

// After unload nothing of the plugin may run: game events, timers and frames
// reach no SDK call.
CheckResult quietAfterUnload(const ValidateOptions &options, const ProgressNote &note) {
  std::ostringstream sink;
  sim::Simulator simulator(sim::SimulatorOptions{&sink, &sink, nullptr, false});
  note("loading");
  if (!simulator.load(options.pluginPath)) {
    return failed("the plugin did not load: " + sink.str());
  }
  note("driving the plugin before unload");
  // Leave timers pending and state behind, as a session would.
  simulator.run("sim_party_join\nsim_game_found\nsim_match_end\nsim_wait 0.5", "<validate>");
  note("unloading");
  simulator.unload();
  std::uint64_t before = 0;
  for (std::size_t op = 0; op < host::kOpCount; ++op) {
    before += simulator.host().callCount(static_cast<host::Op>(op));
  }
  note("driving the host after unload");
  simulator.run(kQuietLines, "<validate>");
  std::uint64_t after = 0;
  for (std::size_t op = 0; op < host::kOpCount; ++op) {
    after += simulator.host().callCount(static_cast<host::Op>(op));
  }
  if (after != before) {
    return failed(std::to_string(after - before) + " SDK calls reached the host after unload");
  }
  if (simulator.host().pendingTimers() != 0) {
    return failed(std::to_string(simulator.host().pendingTimers()) +
                  " timers of the plugin are still pending after unload");
  }
  return passed();
}

} // namespace

const std::vector<Check> &allChecks() {
  static const std::vector<Check> checks = {
      {"descriptor-readable", "the library opens and exports its descriptor", descriptorReadable},
      {"api-version", "the descriptor's API version is 95, its upper half 0", apiVersion},
      {"descriptor-fields", "the descriptor's texts and entry points are present",
       descriptorFields},
      {"factory-stable", "getPlugin gives the same address twice, holding a plugin", factoryStable},
      {"teardown-twice", "deleteMe is safe to call twice", teardownTwice},
      {"load-unload-cycles", "the host loads and unloads the plugin 10 times", loadCycles},
      {"random-run", "a seeded random run of console lines, game functions, timers and frames",
       randomRunCheck},
      {"quiet-after-unload", "after unload no game event, timer or frame reaches the plugin",
       quietAfterUnload},
  };
  return checks;
}

} // namespace corvane::validate

// The validation checks: the descriptor, the factory and teardown, load and
// unload cycles, a random run and silence after unload.
#include "checks.h"

#include <corvane/entry.h>
#include <corvane/plugin.h>

#include <sstream>

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

// A check's work on the plugin's descriptor, while its library is open.
using OnDescriptor = CheckResult (*)(const PluginDescriptor &, const ProgressNote &);
constexpr bool kNeedsFactory = true;

// The check that opens the plugin and runs `body` on its descriptor. It fails
// when the library does not open or exports no descriptor, and for a check
// that needs the plugin object, when the descriptor has no getPlugin or
// deleteMe.
auto onDescriptor(OnDescriptor body, bool needsFactory = false) {
  return [body, needsFactory](const ValidateOptions &options, const ProgressNote &note) {
    const std::string &path = options.pluginPath;
    const auto library = loader::SharedLibrary::open(path);
    if (!library) {
      return failed("cannot open " + path + ": " + library.error().message);
    }
    const PluginDescriptor *descriptor = loader::findDescriptor(**library);
    if (descriptor == nullptr) {
      return failed(path + " exports no descriptor \"" + kCorvaneDescriptorSymbol + "\"");
    }
    if (needsFactory && (descriptor->getPlugin == nullptr || descriptor->deleteMe == nullptr)) {
      return failed("no getPlugin or deleteMe");
    }
    return body(*descriptor, note);
  };
}

CheckResult descriptorReadable(const PluginDescriptor &, const ProgressNote &) { return passed(); }

CheckResult apiVersion(const PluginDescriptor &descriptor, const ProgressNote &) {
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

CheckResult descriptorFields(const PluginDescriptor &descriptor, const ProgressNote &) {
  std::string missing;
  for (const std::string_view field : loader::missingDescriptorFields(descriptor)) {
    missing += missing.empty() ? "" : ", ";
    missing += field;
  }
  return missing.empty() ? passed() : failed("missing in the descriptor: " + missing);
}

CheckResult factoryStable(const PluginDescriptor &descriptor, const ProgressNote &note) {
  note("first getPlugin");
  auto *first = descriptor.getPlugin();
  note("second getPlugin");
  auto *second = descriptor.getPlugin();
  CheckResult result = passed();
  if (first == nullptr) {
    result = failed("getPlugin returned a null address");
  } else if (first != second) {
    result = failed("getPlugin gave two addresses");
  } else if (!*first) {
    result = failed("getPlugin's owner holds no plugin object");
  }
  note("deleteMe");
  descriptor.deleteMe();
  return result;
}

CheckResult teardownTwice(const PluginDescriptor &descriptor, const ProgressNote &note) {
  note("getPlugin");
  descriptor.getPlugin();
  note("first deleteMe");
  descriptor.deleteMe();
  note("second deleteMe");
  descriptor.deleteMe();
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

std::uint64_t sdkCalls(const host::Host &host) {
  std::uint64_t calls = 0;
  for (std::size_t op = 0; op < host::kOpCount; ++op) {
    calls += host.callCount(static_cast<host::Op>(op));
  }
  return calls;
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
  const std::uint64_t before = sdkCalls(simulator.host());
  note("driving the host after unload");
  simulator.run(kQuietLines, "<validate>");
  const std::uint64_t after = sdkCalls(simulator.host());
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

const std::vector<Check> kChecks = {
    {"descriptor-readable", "the library opens and exports its descriptor",
     onDescriptor(descriptorReadable)},
    {"api-version", "the descriptor's API version is 95, its upper half 0",
     onDescriptor(apiVersion)},
    {"descriptor-fields", "the descriptor's texts and entry points are present",
     onDescriptor(descriptorFields)},
    {"factory-stable", "getPlugin gives the same address twice, holding a plugin",
     onDescriptor(factoryStable, kNeedsFactory)},
    {"teardown-twice", "deleteMe is safe to call twice",
     onDescriptor(teardownTwice, kNeedsFactory)},
    {"load-unload-cycles", "the host loads and unloads the plugin 10 times", loadCycles},
    {"random-run", "a seeded random run of console lines, game functions, timers and frames",
     randomRun},
    {"quiet-after-unload", "after unload no game event, timer or frame reaches the plugin",
     quietAfterUnload},
};

} // namespace corvane::validate

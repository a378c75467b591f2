// The random run's lines and its driver. Values cover typical, boundary,
// negative, huge, non-numeric, empty and long input; errors the console
// reports for them are expected, only a crash or a hang fails the run.
#include "random_run.h"

#include <array>
#include <optional>
#include <sstream>
#include <string_view>
#include <utility>
#include <variant>

#include "host/session/console/tokenizer.h"
#include "host/session/engine/settings_store.h"
#include "host/session/simulator.h"
#include "host/tools/validate/splitmix64.h"

namespace corvane::validate {

namespace {

// A seeded choice of items, the same for a seed everywhere.
class Random {
public:
  explicit Random(std::uint64_t seed) : state_(seed) {}
  std::size_t below(std::size_t count) {
    return static_cast<std::size_t>(splitmix64(state_) % count);
  }
  template <typename Items> const auto &pick(const Items &items) {
    return items[below(items.size())];
  }

private:
  std::uint64_t state_;
};

constexpr std::size_t kLongValue = 512;
constexpr std::array<std::string_view, 20> kValues = {
    // numbers in range and at its edges
    "0", "1", "5", "2.5", "-1", "-0", "600", "1e3",
    // no numbers at all
    "abc", "(1,60)", "", "F1", "a b", "x;y", "\t", "\x01",
    // out of range, cut short, not ASCII
    "99999999999999999999", "-2147483649", "3.", "\xc3\xa4"};
constexpr std::array<std::string_view, 4> kUnknownFunctions = {
    "Function Nowhere.Unknown", "Function", "", "function lower.Case"};
constexpr std::array<std::string_view, 9> kWaits = {"0",   "0.001", "0.25", "0.5", "1",
                                                    "1.5", "2",     "10",   "61"};
constexpr std::array<std::string_view, 15> kGameLines = {
    "sim_state menu",      "sim_state freeplay",   "sim_state online",
    "sim_matchmaking on",  "sim_matchmaking off",  "sim_searching true",
    "sim_searching false", "sim_game_found",       "sim_match_end",
    "sim_leave_match",     "sim_search_cancelled", "sim_party_join",
    "sim_party_leave",     "load_freeplay",        "sim_key F1"};

std::string randomValue(Random &random) {
  if (random.below(12) == 0) {
    return std::string(kLongValue, random.below(2) == 0 ? '7' : 'w');
  }
  return std::string(random.pick(kValues));
}

// Collects the names a plugin registers while it loads, as the host
// announces them.
class RegistrationCollector final : public host::EventSubscriber {
public:
  void onEvent(const host::Event &event) override {
    const auto *registered = std::get_if<host::Registered>(&event.what);
    if (registered == nullptr) {
      return;
    }
    switch (registered->kind) {
    case host::Registration::Setting:
      found.settings.push_back(registered->name);
      break;
    case host::Registration::Notifier:
      found.notifiers.push_back(registered->name);
      break;
    case host::Registration::EntryHook:
    case host::Registration::AfterHook:
      found.hookedFunctions.push_back(registered->name);
      break;
    default:
      break;
    }
  }

  Registrations found;
};

} // namespace

std::optional<Registrations> loadCollectingRegistrations(sim::Simulator &simulator,
                                                         const std::string &pluginPath) {
  RegistrationCollector collector;
  simulator.host().events().subscribe(collector);
  const bool loaded = simulator.load(pluginPath);
  simulator.host().events().unsubscribe(collector);
  if (!loaded) {
    return std::nullopt;
  }
  return std::move(collector.found);
}

std::vector<std::string> randomConsoleLines(const Registrations &registrations, std::uint64_t seed,
                                            std::uint64_t steps) {
  Random random(seed);
  std::vector<std::string> lines;
  lines.reserve(steps);
  while (lines.size() < steps) {
    const std::size_t roll = random.below(10);
    if (roll < 3 && !registrations.settings.empty()) {
      const std::string &name = random.pick(registrations.settings);
      lines.push_back(random.below(5) == 0 ? console::quoteWord(name)
                                           : console::quoteWord(name) + ' ' +
                                                 console::quoteWord(randomValue(random)));
    } else if (roll < 4 && !registrations.notifiers.empty()) {
      std::string line = console::quoteWord(random.pick(registrations.notifiers));
      for (std::size_t word = random.below(3); word > 0; --word) {
        line += ' ' + console::quoteWord(randomValue(random));
      }
      lines.push_back(line);
    } else if (roll < 6) {
      const bool known = !registrations.hookedFunctions.empty() && random.below(4) != 0;
      lines.push_back("sim_call " +
                      console::quoteWord(known ? random.pick(registrations.hookedFunctions)
                                               : std::string(random.pick(kUnknownFunctions))));
    } else if (roll < 7) {
      lines.push_back("sim_wait " + std::string(random.pick(kWaits)));
    } else if (roll < 8) {
      lines.push_back("sim_frame " + std::to_string(1 + random.below(3)));
    } else {
      lines.emplace_back(random.pick(kGameLines));
    }
  }
  return lines;
}

CheckResult randomRun(const ValidateOptions &options, const ProgressNote &note) {
  std::ostringstream sink;
  sim::Simulator simulator(sim::SimulatorOptions{&sink, &sink, nullptr, false});
  note("loading");
  const std::optional<Registrations> registrations =
      loadCollectingRegistrations(simulator, options.pluginPath);
  if (!registrations) {
    return CheckResult::fail("the plugin did not load: " + sink.str());
  }
  const std::vector<std::string> lines =
      randomConsoleLines(*registrations, options.seed, options.steps);
  int lineNumber = 0;
  for (const std::string &line : lines) {
    ++lineNumber;
    note("step " + std::to_string(lineNumber) + ": " + line);
    simulator.run(line, "<validate>", lineNumber);
    sink.str({});
  }
  note("unloading");
  simulator.unload();
  return CheckResult::pass();
}

} // namespace corvane::validate

// The random run's lines and its driver. Values cover typical, boundary,
// negative, huge, non-numeric, empty and long input; errors the console
// reports for them are expected, only a crash or a hang fails the run.
#include "random_run.h"

#include <algorithm>
#include <array>
#include <numeric>
#include <sstream>
#include <string_view>
#include <utility>
#include <variant>

#include "host/session/console/tokenizer.h"
#include "host/session/engine/events.h"

namespace corvane::validate {

namespace {

constexpr unsigned kHalfBits = 32;

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

std::string randomValue(Choices &random) {
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
    if (const auto *registered = std::get_if<host::Registered>(&event.what)) {
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
  return loaded ? std::optional(std::move(collector.found)) : std::nullopt;
}

std::uint32_t SeededChoices::below(std::uint32_t count) {
  // splitmix64, a tiny, fully specified generator, then a multiply-shift,
  // which keeps the choice unbiased enough and avoids a division.
  state_ += 0x9E3779B97F4A7C15ULL;
  std::uint64_t z = state_;
  z = (z ^ (z >> 30U)) * 0xBF58476D1CE4E5B9ULL;
  z = (z ^ (z >> 27U)) * 0x94D049BB133111EBULL;
  z ^= z >> 31U;
  return static_cast<std::uint32_t>(((z >> kHalfBits) * count) >> kHalfBits);
}

std::string randomLine(Choices &choices, std::span<const LineKind> kinds) {
  std::uint32_t roll =
      choices.below(std::transform_reduce(kinds.begin(), kinds.end(), 0U, std::plus<>(),
                                          [](const LineKind &kind) { return kind.weight; }));
  for (const LineKind &kind : kinds) {
    if (roll < kind.weight) {
      return kind.make(choices);
    }
    roll -= kind.weight;
  }
  return {};
}

std::vector<std::string> randomConsoleLines(const Registrations &registrations, std::uint64_t seed,
                                            std::uint64_t steps) {
  const std::vector<std::string> &settings = registrations.settings;
  const std::vector<std::string> &notifiers = registrations.notifiers;
  const std::vector<std::string> &hooked = registrations.hookedFunctions;
  std::vector<LineKind> kinds = {
      {2,
       [&hooked](Choices &random) {
         const bool known = !hooked.empty() && random.below(4) != 0;
         return "sim_call " + console::quoteWord(known
                                                     ? random.pick(hooked)
                                                     : std::string(random.pick(kUnknownFunctions)));
       }},
      {1, [](Choices &random) { return "sim_wait " + std::string(random.pick(kWaits)); }},
      {1, [](Choices &random) { return "sim_frame " + std::to_string(1 + random.below(3)); }},
      {2, [](Choices &random) { return std::string(random.pick(kGameLines)); }}};
  if (!settings.empty()) {
    kinds.push_back({3, [&settings](Choices &random) {
                       const std::string name = console::quoteWord(random.pick(settings));
                       return random.below(5) == 0
                                  ? name
                                  : name + ' ' + console::quoteWord(randomValue(random));
                     }});
  }
  if (!notifiers.empty()) {
    kinds.push_back({1, [&notifiers](Choices &random) {
                       std::string line = console::quoteWord(random.pick(notifiers));
                       for (std::size_t word = random.below(3); word > 0; --word) {
                         line += ' ' + console::quoteWord(randomValue(random));
                       }
                       return line;
                     }});
  }
  SeededChoices random(seed);
  std::vector<std::string> lines(steps);
  std::ranges::generate(lines, [&] { return randomLine(random, kinds); });
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
  int lineNumber = 0;
  for (const std::string &line : randomConsoleLines(*registrations, options.seed, options.steps)) {
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

// The random run's lines and its driver. Values cover typical, boundary,
// negative, huge, non-numeric, empty and long input; errors the console
// reports for them are expected, only a crash or a hang fails the run.
#include "random_run.h"

#include <array>
#include <sstream>
#include <string_view>

#include "host/session/console/tokenizer.h"
#include "host/session/simulator.h"
#include "host/tools/common/splitmix64.h"

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
constexpr std::array<std::string_view, 20> kValues = {"0",
                                                      "1",
                                                      "5",
                                                      "2.5",
                                                      "-1",
                                                      "-0",
                                                      "600",
                                                      "1e3",
                                                      "abc",
                                                      "(1,60)",
                                                      "",
                                                      "F1",
                                                      "a b",
                                                      "x;y",
                                                      "\t",
                                                      "\x01",
                                                      "99999999999999999999",
                                                      "-2147483649",
                                                      "3.",
                                                      "\xc3\xa4"};
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

// The first double-quoted text of a trace line, unescaped.
std::string firstQuoted(std::string_view line) {
  const std::size_t open = line.find('"');
  std::string text;
  for (std::size_t at = open + 1; open != std::string_view::npos && at < line.size(); ++at) {
    const char c = line[at];
    if (c == '"') {
      break;
    }
    if (c != '\\' || at + 1 >= line.size()) {
      text += c;
      continue;
    }
    const char escaped = line[++at];
    constexpr int kHexBase = 16;
    if (escaped == 'n') {
      text += '\n';
    } else if (escaped == 'r') {
      text += '\r';
    } else if (escaped == 't') {
      text += '\t';
    } else if (escaped == 'x' && at + 2 < line.size()) {
      text += static_cast<char>(std::stoi(std::string(line.substr(at + 1, 2)), nullptr, kHexBase));
      at += 2;
    } else {
      text += escaped;
    }
  }
  return text;
}

} // namespace

Registrations registrationsFromTrace(const std::string &trace) {
  Registrations found;
  std::istringstream lines(trace);
  std::string line;
  while (std::getline(lines, line)) {
    const std::size_t close = line.find("] ");
    if (!line.starts_with("[") || close == std::string::npos) {
      continue;
    }
    const std::string_view body = std::string_view(line).substr(close + 2);
    if (body.starts_with("registerCvar ")) {
      found.settings.push_back(firstQuoted(body));
    } else if (body.starts_with("registerNotifier ")) {
      found.notifiers.push_back(firstQuoted(body));
    } else if (body.starts_with("HookEvent ") || body.starts_with("HookEventPost ")) {
      found.hookedFunctions.push_back(firstQuoted(body));
    }
  }
  return found;
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

CheckResult randomRun(const std::string &pluginPath, std::uint64_t seed, std::uint64_t steps,
                      const ProgressNote &note) {
  std::ostringstream trace;
  std::ostringstream sink;
  sim::Simulator simulator(sim::SimulatorOptions{&sink, &sink, &trace, true});
  note("loading");
  if (!simulator.load(pluginPath)) {
    return CheckResult::fail("the plugin did not load: " + sink.str());
  }
  const Registrations registrations = registrationsFromTrace(trace.str());
  const std::vector<std::string> lines = randomConsoleLines(registrations, seed, steps);
  int lineNumber = 0;
  for (const std::string &line : lines) {
    ++lineNumber;
    note("step " + std::to_string(lineNumber) + ": " + line);
    simulator.run(line, "<validate>", lineNumber);
    trace.str({});
    sink.str({});
  }
  note("unloading");
  simulator.unload();
  return CheckResult::pass();
}

} // namespace corvane::validate

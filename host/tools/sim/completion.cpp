// Tab completion: splits the text before the cursor as the console would and
// offers what fits the word being typed.
#include "completion.h"

#include <algorithm>
#include <cmath>
#include <iterator>

#include "host/session/console/tokenizer.h"
#include "host/session/engine/trace_format.h"

namespace corvane::sim {

namespace {

// A setting whose range holds at most this many whole numbers offers each.
constexpr float kMaxListedValues = 8.0F;

std::vector<std::string> settingValues(const host::Setting &setting) {
  std::vector<std::string> values;
  const host::SettingBounds &bounds = setting.definition.bounds;
  if (bounds.hasMin && bounds.hasMax && bounds.max - bounds.min < kMaxListedValues &&
      std::floor(bounds.min) == bounds.min) {
    // Counted in whole steps: a float counter could drift off the bounds.
    const auto steps = static_cast<int>(bounds.max - bounds.min);
    for (int step = 0; step <= steps; ++step) {
      values.push_back(host::shortestNumber(bounds.min + static_cast<float>(step)));
    }
  }
  values.push_back(setting.value);
  values.push_back(setting.definition.defaultValue);
  return values;
}

// What may stand as the next word after `words`.
std::vector<std::string> candidates(Simulator &simulator, const std::vector<std::string> &words) {
  if (words.empty() || (words.size() == 1 && words[0] == "help")) {
    return simulator.console().knownNames();
  }
  const std::string &command = words[0];
  if (words.size() != 1) {
    return command == "bind" && words.size() == 2 ? simulator.console().knownNames()
                                                  : std::vector<std::string>{};
  }
  if (command == "sim_call") {
    return simulator.hookedFunctions();
  }
  if (command == "sim_key" || command == "unbind") {
    return simulator.boundKeys();
  }
  if (command == "sim_state") {
    return {host::kGameStateNames.begin(), host::kGameStateNames.end()};
  }
  if (command == "sim_matchmaking") {
    return {"on", "off"};
  }
  if (command == "sim_searching") {
    return {"true", "false"};
  }
  if (command == "sim_expect") {
    return console::expectationSubjects();
  }
  if (const host::Setting *setting = simulator.setting(command)) {
    return settingValues(*setting);
  }
  return {};
}

} // namespace

Completion complete(Simulator &simulator, std::string_view beforeCursor) {
  const console::TypedCommand typed = console::typedSoFar(beforeCursor);
  std::vector<std::string> matches = candidates(simulator, typed.words);
  std::erase_if(matches,
                [&typed](const std::string &word) { return !word.starts_with(typed.partial); });
  std::sort(matches.begin(), matches.end());
  matches.erase(std::unique(matches.begin(), matches.end()), matches.end());
  Completion completion;
  completion.replaced = typed.partialLength;
  if (matches.empty()) {
    return completion;
  }
  if (matches.size() == 1) {
    completion.insert = console::quoteWordIfNeeded(matches.front()) + " ";
    return completion;
  }
  // The part every match shares: the first's and the last's, as they are in order.
  const std::string shared(matches.front().begin(),
                           std::ranges::mismatch(matches.front(), matches.back()).in1);
  if (shared.size() > typed.partial.size()) {
    // A word that needs a quote gets its opening one; the closing one comes
    // with the rest of the word.
    const std::string quoted = console::quoteWordIfNeeded(shared);
    completion.insert = quoted != shared ? quoted.substr(0, quoted.size() - 1)
                        : typed.quoted   ? '"' + shared
                                         : shared;
  }
  std::ranges::transform(matches, std::back_inserter(completion.choices),
                         console::quoteWordIfNeeded);
  return completion;
}

} // namespace corvane::sim

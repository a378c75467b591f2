// sim_expect: checks of the host's state that end a script when they fail.
#include <optional>
#include <string>

#include "command_args.h"
#include "console.h"
#include "host/session/engine/trace_format.h"

namespace corvane::console {

namespace {

std::string boolText(bool value) { return value ? "true" : "false"; }

std::string selectedText(const std::vector<std::int32_t> &playlists) {
  std::string text;
  for (const std::int32_t playlist : playlists) {
    text += (text.empty() ? "" : ",") + std::to_string(playlist);
  }
  return text.empty() ? "none" : text;
}

// Compares and words the outcome: "expected WHAT VALUE, got ACTUAL".
CommandResult compare(const std::string &what, const std::string &expected,
                      const std::string &actual) {
  if (expected == actual) {
    return CommandResult::ok();
  }
  return CommandResult::failed("expected " + what + " " + expected + ", got " + actual);
}

CommandResult expectSimple(Console &console, const Words &words) {
  host::Host &host = console.host();
  const std::string &what = words[1];
  const std::string &value = words[2];
  if (what == "searching" || what == "drawn") {
    if (!parseBool(value)) {
      return CommandResult::error(what + " is true or false, not " + quoteWordIfNeeded(value));
    }
    if (what == "drawn" && host.framesRendered() == 0) {
      return CommandResult::error("drawn: no frame has been rendered yet (sim_frame renders one)");
    }
    return compare(what, value,
                   boolText(what == "searching" ? host.searching() : host.lastFrame().drewBar()));
  }
  if (what == "selected") {
    return compare(what, value, selectedText(host.selectedPlaylists()));
  }
  if (what == "category") {
    const auto category = host.lastCategory();
    return compare(what, value, category ? std::to_string(*category) : "none");
  }
  if (what == "state") {
    if (!host::gameStateByName(value)) {
      return CommandResult::error("state is menu, freeplay or online, not " +
                                  quoteWordIfNeeded(value));
    }
    return compare(what, value, std::string(host::gameStateName(host.state())));
  }
  if (what == "timers") {
    if (!parseCount(value)) {
      return CommandResult::error("timers takes a count, not " + quoteWordIfNeeded(value));
    }
    return compare(what, std::to_string(*parseCount(value)), std::to_string(host.pendingTimers()));
  }
  return usageError(console, words);
}

CommandResult expectCalls(Console &console, const Words &words) {
  const auto op = host::opByName(words[2]);
  if (!op) {
    return CommandResult::error("no SDK operation named " + quoteWordIfNeeded(words[2]));
  }
  const auto count = parseCount(words[3]);
  if (!count) {
    return CommandResult::error("calls takes a count, not " + quoteWordIfNeeded(words[3]));
  }
  return compare("calls " + quoteWordIfNeeded(words[2]), std::to_string(*count),
                 std::to_string(console.host().callCount(*op)));
}

CommandResult expectSetting(Console &console, const Words &words) {
  const auto value = console.host().settingValue(words[2]);
  if (!value) {
    return CommandResult::error("no setting named " + quoteWordIfNeeded(words[2]));
  }
  return compare("setting " + words[2], host::quoteText(words[3]), host::quoteText(*value));
}

CommandResult expectBound(Console &console, const Words &words) {
  // One word is the binding as stored; several are joined as bind joins them.
  const std::string expected =
      words.size() == 4 ? words[3] : joinWords(words.begin() + 3, words.end());
  const auto actual = console.host().keyBinding(words[2]);
  return compare("bound " + words[2], expected == "none" ? "none" : host::quoteText(expected),
                 actual ? host::quoteText(*actual) : "none");
}

CommandResult simExpect(Console &console, const Words &words) {
  const std::string &what = words[1];
  if (what == "calls" || what == "setting") {
    if (words.size() != 4) {
      return usageError(console, words);
    }
    return what == "calls" ? expectCalls(console, words) : expectSetting(console, words);
  }
  if (what == "bound") {
    if (words.size() < 4) {
      return usageError(console, words);
    }
    return expectBound(console, words);
  }
  if (words.size() != 3) {
    return usageError(console, words);
  }
  return expectSimple(console, words);
}

} // namespace

const std::vector<std::string> &expectationSubjects() {
  static const std::vector<std::string> subjects = {
      "searching", "selected", "category", "state", "drawn", "timers", "calls", "setting", "bound"};
  return subjects;
}

void addExpectationCommand(Console &console) {
  console.addCommand(
      "sim_expect", "sim_expect WHAT VALUE",
      "checks host state; WHAT: searching, selected, category, state, drawn, timers, "
      "calls OP N, setting NAME VALUE, bound KEY COMMAND|none",
      simExpect, {2});
}

} // namespace corvane::console

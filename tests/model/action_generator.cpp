// The random host action catalogue. Weights lean towards what keeps a queue
// moving (plugin on, short waits) so that launches, cancels and frames with a
// bar happen often.
#include "action_generator.h"

#include <array>
#include <span>
#include <string_view>
#include <vector>

#include "host/session/console/tokenizer.h"
#include "host/session/engine/game_functions.h"

namespace modelcheck {

using namespace corvane::host::game_functions;

namespace {

using corvane::console::quoteWordIfNeeded;

constexpr std::size_t kLongLength = 300;

template <std::size_t N>
std::string_view pickFrom(ActionSource &source, const std::array<std::string_view, N> &items) {
  return items[source.below(static_cast<std::uint32_t>(N))];
}

std::string longText(ActionSource &source) {
  constexpr std::array<char, 4> kFill = {'9', '1', 'x', '0'};
  const char fill = kFill[source.below(kFill.size())];
  std::string text(kLongLength, fill);
  if (source.below(2) == 0) {
    text.insert(0, "1.");
  }
  return text;
}

// Values of one kind, tried on every setting so that each meets typical,
// boundary, out-of-range, negative, non-numeric, empty and long input.
constexpr std::array<std::string_view, 6> kNonNumeric = {"abc", "(1,60)", "2s", "1e3", "+2", " 2"};
constexpr std::array<std::string_view, 5> kNegative = {"-1", "-0", "-5", "-600.5", "-2147483649"};
constexpr std::array<std::string_view, 4> kHuge = {"99999999999999999999", "2147483648", "1000000",
                                                   "16777217"};

struct SettingValues {
  std::string_view name;
  std::span<const std::string_view> typical;
  std::span<const std::string_view> boundary;
};

constexpr std::array<std::string_view, 5> kWaitTypical = {"1", "2", "1.5", "3", "1.25"};
constexpr std::array<std::string_view, 6> kWaitBoundary = {"1", "600", "1.0", "0.5", "700", "0"};
constexpr std::array<std::string_view, 1> kOn = {"1"};
constexpr std::array<std::string_view, 2> kSwitchTypical = {"1", "0"};
// The preview blocks arming, so it is mostly switched off.
constexpr std::array<std::string_view, 4> kPreviewTypical = {"0", "0", "0", "1"};
constexpr std::array<std::string_view, 6> kSwitchBoundary = {"0.0", "1.0", "0.5", "2", "5.", ".5"};
constexpr std::array<std::string_view, 8> kPlaylistTypical = {"0", "3",  "4",  "5",
                                                              "6", "10", "13", "16"};
constexpr std::array<std::string_view, 6> kPlaylistBoundary = {
    "7", "12", "17", "2147483647", "-2147483648", "4294967296"};
constexpr std::array<std::string_view, 6> kTextTypical = {"Queue", "Searching...", "",
                                                          "a b c", "Ä ü",          "semi;colon"};
constexpr std::array<std::string_view, 6> kTextBoundary = {"quote\"d",
                                                           "back\\slash",
                                                           "tab\there",
                                                           "\x01"
                                                           "ctl",
                                                           "\x7f",
                                                           "#not comment"};
constexpr std::array<std::string_view, 4> kSizeTypical = {"3.3", "1", "7", "2.5"};
constexpr std::array<std::string_view, 5> kSizeBoundary = {"0.999", "7.0001", "8", "0",
                                                           "6.99999999"};
constexpr std::array<std::string_view, 8> kColorTypical = {"0", "1", "2", "3", "4", "5", "6", "7"};
constexpr std::array<std::string_view, 6> kColorBoundary = {"8", "-1", "100", "3.7", "-0.5", "red"};
constexpr std::array<std::string_view, 4> kHeightTypical = {"60", "10", "100", "35"};
constexpr std::array<std::string_view, 5> kHeightBoundary = {"9", "101", "55.5", "9.99", "100.01"};
constexpr std::array<std::string_view, 6> kKeyTypical = {"F1", "F2", "k", "F1", "Ä", "a\\b"};
constexpr std::array<std::string_view, 14> kKeyBoundary = {"a b",
                                                           " F3",
                                                           "F4  ",
                                                           "F1 vexlo_queue",
                                                           "F5 vexlo_hbtext",
                                                           "x;y",
                                                           "q\"",
                                                           "\t",
                                                           "\x01"
                                                           "k",
                                                           "\x7f",
                                                           "   ",
                                                           "#x",
                                                           "//y",
                                                           "F6 bind"};

constexpr std::array<SettingValues, 10> kSettings = {{
    {"vexlo_waitingtime", kWaitTypical, kWaitBoundary},
    {"vexlo_enabled", kOn, kSwitchBoundary},
    {"vexlo_freeplay", kSwitchTypical, kSwitchBoundary},
    {"vexlo_playlist", kPlaylistTypical, kPlaylistBoundary},
    {"vexlo_hbtext", kTextTypical, kTextBoundary},
    {"vexlo_hbtextsize", kSizeTypical, kSizeBoundary},
    {"vexlo_hbtextcolor", kColorTypical, kColorBoundary},
    {"vexlo_hbheight", kHeightTypical, kHeightBoundary},
    {"vexlo_simulate", kPreviewTypical, kSwitchBoundary},
    {"vexlo_bind", kKeyTypical, kKeyBoundary},
}};

std::string settingValue(ActionSource &source, const SettingValues &setting) {
  const auto fromSpan = [&source](std::span<const std::string_view> items) {
    return std::string(items[source.below(static_cast<std::uint32_t>(items.size()))]);
  };
  // Out of 20: typical values most of the time, every other kind now and then.
  switch (source.below(20)) {
  case 0:
    return fromSpan(kNonNumeric);
  case 1:
    return fromSpan(kNegative);
  case 2:
    return fromSpan(kHuge);
  case 3:
    return "";
  case 4:
    return longText(source);
  case 5:
  case 6:
  case 7:
    return fromSpan(setting.boundary);
  default:
    return fromSpan(setting.typical);
  }
}

std::string setSetting(ActionSource &source) {
  // The plugin switch is set to "0" now and then but mostly stays on, since
  // an idle plugin shows little.
  const SettingValues &setting = kSettings[source.below(kSettings.size())];
  std::string value = settingValue(source, setting);
  if (setting.name == "vexlo_enabled" && source.below(4) == 0) {
    value = "0";
  }
  // Most odd values turn the preview on, which blocks arming: switch it back
  // off half the time.
  if (setting.name == "vexlo_simulate" && source.below(2) == 0) {
    value = "0";
  }
  return std::string(setting.name) + ' ' + quoteWordIfNeeded(value);
}

constexpr std::array<std::string_view, 9> kPressedKeys = {"F1", "F2", "k",    "a",          "F3",
                                                          "F4", "#x", "a\\b", "vexlo_queue"};
constexpr std::array<std::string_view, 4> kUnknownFunctions = {
    "Function Nope.Unknown", "function TAGame.GameEvent_TA.StartEvent",
    "Function TAGame.GameEvent_TA.StartEvent ", "Function ProjectX.Parties_X"};
constexpr std::array<std::string_view, 6> kFlows = {"sim_game_found",  "sim_match_end",
                                                    "sim_leave_match", "sim_search_cancelled",
                                                    "sim_party_join",  "sim_party_leave"};
constexpr std::array<std::string_view, 4> kStates = {"sim_state menu", "sim_state freeplay",
                                                     "sim_state online", "load_freeplay"};
constexpr std::array<std::string_view, 12> kWaits = {"0",     "0.5",    "1",  "1.25", "2",   "3",
                                                     "0.001", "0.0004", "10", "61",   "1.5", "600"};
constexpr std::array<std::string_view, 4> kFrames = {"sim_frame", "sim_frame 1", "sim_frame 2",
                                                     "sim_frame 0"};
constexpr std::array<std::string_view, 6> kUserBindings = {
    "bind F2 vexlo_queue",     "unbind F2", "bind k vexlo_queue a",
    "bind F3 \"vexlo_queue\"", "unbind F1", "bind F4 vexlo_hbtext hello"};
constexpr std::array<std::string_view, 8> kBadLines = {
    "sim_wait -1",  "sim_wait abc",     "sim_state space", "sim_matchmaking maybe",
    "vexlo_nope 1", "vexlo_hbtext a b", "sim_searching",   "sim_call"};

// The kinds of action with their weights, out of 100.
const std::vector<corvane::validate::LineKind> &actionKinds() {
  using Source = ActionSource;
  const auto from = [](const auto &items) {
    return [&items](Source &source) { return std::string(pickFrom(source, items)); };
  };
  static const std::vector<corvane::validate::LineKind> kinds = {
      {24, setSetting},
      {2,
       [](Source &source) { return std::string(kSettings[source.below(kSettings.size())].name); }},
      // An idle plugin shows little: the notifier often comes with the
      // plugin switched on first.
      {9,
       [](Source &source) {
         return std::string(source.below(3) == 0 ? "vexlo_enabled 1; vexlo_queue" : "vexlo_queue");
       }},
      {2, [](Source &) { return std::string("vexlo_queue now \"and then\""); }},
      {5,
       [](Source &source) {
         return "sim_key " + quoteWordIfNeeded(pickFrom(source, kPressedKeys));
       }},
      {12,
       [](Source &source) {
         return "sim_call " + quoteWordIfNeeded(kAll[source.below(kAll.size())]);
       }},
      {2,
       [](Source &source) {
         return "sim_call " + quoteWordIfNeeded(pickFrom(source, kUnknownFunctions));
       }},
      {8, from(kFlows)},
      {4, from(kStates)},
      {3,
       [](Source &source) {
         return std::string(source.below(3) == 0 ? "sim_matchmaking off" : "sim_matchmaking on");
       }},
      {3,
       [](Source &source) {
         return std::string(source.below(2) == 0 ? "sim_searching true" : "sim_searching false");
       }},
      {15, [](Source &source) { return "sim_wait " + std::string(pickFrom(source, kWaits)); }},
      {8, from(kFrames)},
      {2, from(kUserBindings)},
      {1, from(kBadLines)},
  };
  return kinds;
}

} // namespace

std::string nextAction(ActionSource &source) {
  return corvane::validate::randomLine(source, actionKinds());
}

} // namespace modelcheck

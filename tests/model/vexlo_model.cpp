// The model's host and plugin behaviour, written from the plugin's documented
// behaviour: settings, queue controller, launch, event wiring, key binding
// and hiding bar, with the host's console, clock and matchmaking around them.
#include "vexlo_model.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <variant>

#include "host/session/engine/game_functions.h"
#include "trace_text.h"

namespace modelcheck {

using namespace corvane::host::game_functions;

namespace {

constexpr double kMicrosPerSecond = 1e6;
constexpr float kPartyBlockSeconds = 1.0F;
constexpr std::string_view kWaitingTime = "vexlo_waitingtime";
constexpr std::string_view kEnabled = "vexlo_enabled";
constexpr std::string_view kFreeplay = "vexlo_freeplay";
constexpr std::string_view kPlaylist = "vexlo_playlist";
constexpr std::string_view kHbText = "vexlo_hbtext";
constexpr std::string_view kHbTextSize = "vexlo_hbtextsize";
constexpr std::string_view kHbTextColor = "vexlo_hbtextcolor";
constexpr std::string_view kHbHeight = "vexlo_hbheight";
constexpr std::string_view kSimulate = "vexlo_simulate";
constexpr std::string_view kBind = "vexlo_bind";

constexpr std::array<std::int32_t, 11> kClearedPlaylists = {0, 1, 2, 3, 4, 5, 6, 13, 14, 15, 16};
constexpr std::string_view kBarWidth = "5120";
constexpr std::string_view kBarColor = "0 0 0 255";
constexpr std::array<std::string_view, 8> kTextColors = {
    "255 0 0 255",   "0 255 0 255",   "255 255 0 255",   "0 0 255 255",
    "0 255 255 255", "255 0 255 255", "255 255 255 255", "0 0 0 255",
};
constexpr std::string_view kFallbackTextColor = "255 255 255 255";

using corvane::host::isDecimalNumber;
using corvane::host::leadingDecimal;
using corvane::host::readBool;
using corvane::host::readFloat;
using corvane::host::readInt;

Bounds bounded(float min, float max) { return Bounds{true, min, true, max}; }

std::int32_t categoryOf(std::int32_t playlist) {
  const auto number = static_cast<std::uint32_t>(playlist);
  if (number <= 3) {
    return 0;
  }
  if (number <= 6) {
    return 1;
  }
  if (number >= 13 && number <= 16) {
    return 2;
  }
  return 0;
}

// A key text the console could read as more than one key name followed by
// the queue command.
bool sendableKeyText(std::string_view text) {
  if (text.empty()) {
    return false;
  }
  return std::none_of(text.begin(), text.end(), [](char c) {
    const auto byte = static_cast<unsigned char>(c);
    return c == ';' || c == '"' || byte < 0x20 || byte == 0x7F;
  });
}

std::int64_t delayMicros(double seconds) {
  if (std::isnan(seconds) || seconds <= 0.0) {
    return 0;
  }
  return std::llround(seconds * kMicrosPerSecond);
}

} // namespace

std::optional<std::vector<Words>> splitLine(std::string_view line) {
  auto read = corvane::console::tokenizeLine(line);
  if (read) {
    return std::move(*read);
  }
  return std::nullopt;
}

VexloModel::VexloModel()
    : settings_{
          {std::string(kWaitingTime), "(1,60)", bounded(1.0F, 600.0F)},
          {std::string(kEnabled), "0", bounded(0.0F, 1.0F)},
          {std::string(kFreeplay), "0", bounded(0.0F, 1.0F)},
          {std::string(kPlaylist), "5", Bounds{}},
          {std::string(kHbText), "", Bounds{}},
          {std::string(kHbTextSize), "3.3", bounded(1.0F, 7.0F)},
          {std::string(kHbTextColor), "6", Bounds{}},
          {std::string(kHbHeight), "60", bounded(10.0F, 100.0F)},
          {std::string(kSimulate), "0", bounded(0.0F, 1.0F)},
          {std::string(kBind), "", Bounds{}},
      } {}

Prediction VexloModel::run(std::string_view line) {
  Prediction prediction;
  prediction_ = &prediction;
  const auto commands = splitLine(line);
  if (!commands) {
    prediction.error = true;
  } else {
    for (const Words &words : *commands) {
      if (!runCommand(words)) {
        prediction.error = true;
        break;
      }
    }
  }
  prediction_ = nullptr;
  return prediction;
}

const std::string *VexloModel::settingText(std::string_view name) const {
  for (const Setting &setting : settings_) {
    if (setting.name == name) {
      return &setting.text;
    }
  }
  return nullptr;
}

std::vector<std::string> VexloModel::settingNames() const {
  std::vector<std::string> names;
  for (const Setting &setting : settings_) {
    names.push_back(setting.name);
  }
  return names;
}

const Words *VexloModel::binding(const std::string &key) const {
  const auto found = bindings_.find(key);
  return found == bindings_.end() ? nullptr : &found->second;
}

// ---- Console -------------------------------------------------------------

VexloModel::Setting *VexloModel::findSetting(std::string_view name) {
  for (Setting &setting : settings_) {
    if (setting.name == name) {
      return &setting;
    }
  }
  return nullptr;
}

bool VexloModel::runCommand(const Words &words) {
  const std::string &name = words.front();
  if (Setting *setting = findSetting(name)) {
    if (words.size() == 1) {
      return true; // prints the value, which is not traced
    }
    if (words.size() > 2) {
      return false;
    }
    return setSetting(*setting, words[1]);
  }
  if (name == "vexlo_queue") {
    toggleQueue();
    return true;
  }
  if (name == "bind") {
    if (words.size() < 3) {
      return false;
    }
    bindings_[words[1]] = Words(words.begin() + 2, words.end());
    return true;
  }
  if (name == "unbind") {
    if (words.size() != 2 || bindings_.erase(words[1]) == 0) {
      return false;
    }
    return true;
  }
  if (name == "load_freeplay") {
    state_ = GameState::Freeplay;
    return true;
  }
  bool known = false;
  const bool ok = runSimCommand(words, known);
  return known && ok;
}

bool VexloModel::runSimCommand(const Words &words, bool &known) {
  const std::string &name = words.front();
  const std::size_t args = words.size() - 1;
  known = true;
  if (name == "sim_wait") {
    if (args != 1 || !isDecimalNumber(words[1]) || words[1].front() == '-') {
      return false;
    }
    advance(delayMicros(leadingDecimal(words[1])));
  } else if (name == "sim_key") {
    if (args != 1) {
      return false;
    }
    const auto found = bindings_.find(words[1]);
    if (found != bindings_.end()) {
      const Words command = found->second;
      runInnerLine(corvane::console::joinWords(command.begin(), command.end()));
    } else {
      ++prediction_->consoleErrors; // "key K is not bound", and the run goes on
    }
  } else if (name == "sim_call") {
    if (args != 1) {
      return false;
    }
    callFunction(words[1]);
  } else if (name == "sim_state") {
    if (args != 1) {
      return false;
    }
    if (words[1] == "menu") {
      state_ = GameState::Menu;
    } else if (words[1] == "freeplay") {
      state_ = GameState::Freeplay;
    } else if (words[1] == "online") {
      state_ = GameState::Online;
    } else {
      return false;
    }
  } else if (name == "sim_matchmaking") {
    if (args != 1 || (words[1] != "on" && words[1] != "off")) {
      return false;
    }
    matchmakingUsable_ = words[1] == "on";
  } else if (name == "sim_searching") {
    if (args != 1 || (words[1] != "true" && words[1] != "false")) {
      return false;
    }
    searching_ = words[1] == "true";
  } else if (name == "sim_frame") {
    long frames = 1;
    if (args > 1) {
      return false;
    }
    if (args == 1) {
      const std::string &count = words[1];
      if (count.empty() ||
          !std::all_of(count.begin(), count.end(), [](char c) { return c >= '0' && c <= '9'; })) {
        return false;
      }
      frames = std::stol(count);
    }
    for (long frame = 0; frame < frames; ++frame) {
      renderFrame();
    }
  } else if (args != 0) {
    known = name == "sim_game_found" || name == "sim_match_end" || name == "sim_leave_match" ||
            name == "sim_search_cancelled" || name == "sim_party_join" || name == "sim_party_leave";
    return false;
  } else if (name == "sim_game_found") {
    searching_ = false;
    callFunction(std::string(kFindGameComplete));
    state_ = GameState::Online;
    callFunction(std::string(kStartEvent));
    callFunction(std::string(kStartRound));
  } else if (name == "sim_match_end") {
    callFunction(std::string(kMatchWinnerSet));
    callFunction(std::string(kMatchEnded));
  } else if (name == "sim_leave_match") {
    callFunction(std::string(kMatchDestroyed));
    state_ = GameState::Menu;
  } else if (name == "sim_search_cancelled") {
    callFunction(std::string(kSearchCancel));
    searching_ = false;
  } else if (name == "sim_party_join") {
    callFunction(std::string(kJoinLobby));
  } else if (name == "sim_party_leave") {
    callFunction(std::string(kLeaveLobby));
  } else {
    known = false;
  }
  return true;
}

// Lines run from inside the run (plugin commands, key presses) report their
// errors on the console and never end the run.
void VexloModel::runInnerLine(std::string_view line) {
  const auto commands = splitLine(line);
  if (!commands) {
    ++prediction_->consoleErrors;
    return;
  }
  for (const Words &words : *commands) {
    if (!runCommand(words)) {
      ++prediction_->consoleErrors;
      return;
    }
  }
}

bool VexloModel::setSetting(Setting &setting, const std::string &value) {
  auto stored = corvane::host::boundedText(value, setting.bounds);
  if (!stored) {
    return false;
  }
  setting.text = std::move(*stored);
  onSettingChanged(setting);
  return true;
}

// ---- Host ----------------------------------------------------------------

void VexloModel::emit(std::string line) {
  prediction_->trace.push_back(timeText(now_) + ' ' + std::move(line));
}

void VexloModel::advance(std::int64_t micros) {
  const std::int64_t target = now_ + micros;
  for (;;) {
    const auto next =
        std::min_element(timers_.begin(), timers_.end(), [](const Timer &a, const Timer &b) {
          return a.due != b.due ? a.due < b.due : a.order < b.order;
        });
    if (next == timers_.end() || next->due > target) {
      break;
    }
    const Timer timer = *next;
    timers_.erase(next);
    now_ = timer.due;
    if (timer.kind == TimerKind::PartyBlock) {
      partyBlocked_ = true;
    } else if (timer.arming == armings_ && queueActive_) {
      launch();
    }
  }
  now_ = target;
}

void VexloModel::setTimer(float seconds, TimerKind kind, std::uint64_t arming) {
  emit("SetTimeout " + numberText(seconds));
  timers_.push_back(
      Timer{now_ + delayMicros(static_cast<double>(seconds)), timerOrder_++, kind, arming});
}

void VexloModel::callFunction(const std::string &name) {
  // The plugin hooks each name once, entry or after, so one call of a
  // function runs at most one of its handlers and their order never arises.
  if (name == kMatchWinnerSet || name == kMatchDestroyed || name == kMatchEnded) {
    matchOver_ = true;
  } else if (name == kSearchCancel) {
    matchOver_ = true;
    queueActive_ = false;
  } else if (name == kFindGameComplete || name == kStartRound || name == kStartEvent) {
    onMatchStarting(name);
  } else if (name == kPartyDestroyed || name == kLeaveLobby || name == kCreateLobby ||
             name == kRestrictionError) {
    partyBlocked_ = false;
  } else if (name == kJoinLobby || name == kSetLobbyOwner) {
    setTimer(kPartyBlockSeconds, TimerKind::PartyBlock, 0);
  }
}

void VexloModel::renderFrame() {
  if (!queueActive_ && !simulate_) {
    return;
  }
  const std::int32_t colorIndex = intOf(kHbTextColor);
  const std::string_view textColor = colorIndex >= 0 && colorIndex < 8
                                         ? kTextColors[static_cast<std::size_t>(colorIndex)]
                                         : kFallbackTextColor;
  const std::string size = numberText(floatOf(kHbTextSize));
  emit("SetPosition 0 0");
  emit("SetColor " + std::string(kBarColor));
  emit("FillBox " + std::string(kBarWidth) + ' ' +
       numberText(static_cast<float>(intOf(kHbHeight))));
  emit("SetColor " + std::string(textColor));
  emit("SetPosition 0 0");
  emit("DrawString " + quotedText(*settingText(kHbText)) + ' ' + size + ' ' + size +
       " false false");
}

// ---- Plugin --------------------------------------------------------------

float VexloModel::floatOf(std::string_view name) {
  const Setting &setting = *findSetting(name);
  return readFloat(setting.text, setting.bounds);
}

std::int32_t VexloModel::intOf(std::string_view name) {
  const Setting &setting = *findSetting(name);
  return readInt(setting.text, setting.bounds);
}

bool VexloModel::boolOf(std::string_view name) {
  const Setting &setting = *findSetting(name);
  return readBool(setting.text, setting.bounds);
}

bool VexloModel::matchRunning() const { return state_ == GameState::Online && !matchOver_; }

void VexloModel::toggleQueue() {
  if (!boolOf(kEnabled) || simulate_ || matchRunning()) {
    return;
  }
  if (queueActive_) {
    cancelQueue();
    return;
  }
  queueActive_ = true;
  if (boolOf(kFreeplay) && state_ != GameState::Freeplay) {
    executeCommand("load_freeplay");
  }
  scheduleQueue();
}

void VexloModel::scheduleQueue() {
  cancelQueue();
  queueActive_ = true;
  ++armings_;
  armedAt_ = now_;
  armedWait_.reset();
  if (partyBlocked_) {
    return;
  }
  const float wait = floatOf(kWaitingTime);
  armedWait_ = wait;
  setTimer(wait, TimerKind::Launch, armings_);
}

void VexloModel::cancelQueue() {
  queueActive_ = false;
  if (matchmakingUsable_ && searching_) {
    emit("CancelMatchmaking");
    searching_ = false;
  }
}

void VexloModel::launch() {
  if (!matchmakingUsable_) {
    return;
  }
  const std::int32_t playlist = intOf(kPlaylist);
  for (const std::int32_t number : kClearedPlaylists) {
    emit("SetPlaylistSelection " + numberText(number) + " false");
    selected_.erase(number);
  }
  emit("SetPlaylistSelection " + numberText(playlist) + " true");
  selected_.insert(playlist);
  if (matchRunning()) {
    return;
  }
  emit("StartMatchmaking " + numberText(categoryOf(playlist)));
  searching_ = true;
}

void VexloModel::onMatchStarting(const std::string &name) {
  if (name == kFindGameComplete || state_ == GameState::Online) {
    matchOver_ = false;
    cancelQueue();
  }
}

void VexloModel::onSettingChanged(const Setting &setting) {
  if (setting.name == kSimulate) {
    simulate_ = readBool(setting.text, setting.bounds);
    if (simulate_) {
      cancelQueue();
    }
  } else if (setting.name == kEnabled) {
    if (!readBool(setting.text, setting.bounds) && queueActive_) {
      cancelQueue();
    }
  } else if (setting.name == kBind) {
    if (sendableKeyText(setting.text)) {
      executeCommand("bind " + setting.text + " vexlo_queue");
    }
  }
}

void VexloModel::executeCommand(const std::string &command) {
  emit("executeCommand " + quotedText(command) + " true");
  runInnerLine(command);
}

} // namespace modelcheck

// An executable model of what the Vexlo plugin, loaded in the stand-in host,
// makes the host do: from one console line it predicts every traced call.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "host/session/console/tokenizer.h"
#include "host/session/engine/value_conversion.h"

namespace modelcheck {

// Console lines and setting texts are the host's to read: the model reads
// them with the host's own tokenizer and conversions, which the host's tests
// check, and models only what the plugin makes of them.
using Words = corvane::console::Words;
using Bounds = corvane::host::SettingBounds;

// The commands of a console line, as the host's console splits it; none when
// the console refuses the line.
std::optional<std::vector<Words>> splitLine(std::string_view line);

enum class GameState { Menu, Freeplay, Online };

// What one console line does, as the model predicts it.
struct Prediction {
  // The line was refused as a script error (its later commands do not run).
  bool error = false;
  // Error lines that do not end the run: of lines run from inside (plugin
  // console commands and key presses), and a press of a key bound to nothing.
  int consoleErrors = 0;
  // The trace lines, in order.
  std::vector<std::string> trace;
};

// The host and the freshly loaded plugin, advanced one console line at a
// time. The model covers the console commands a player, a scenario or the
// plugin itself uses; anything else is an unknown command.
class VexloModel {
public:
  VexloModel();

  Prediction run(std::string_view line);

  // Facts the invariant checks use.
  std::int64_t nowMicros() const { return now_; }
  bool queueArmed() const { return queueActive_; }
  bool previewOn() const { return simulate_; }
  bool matchOver() const { return matchOver_; }
  GameState gameState() const { return state_; }
  bool searching() const { return searching_; }
  // How many armings so far; each supersedes the timers of earlier ones.
  std::uint64_t armings() const { return armings_; }
  // When the current arming happened and the wait its timer got (none when
  // the party blocked it).
  std::int64_t armedAtMicros() const { return armedAt_; }
  std::optional<float> armedWait() const { return armedWait_; }
  const std::string *settingText(std::string_view name) const;
  const Words *binding(const std::string &key) const;
  const std::set<std::int32_t> &selectedPlaylists() const { return selected_; }
  std::size_t pendingTimers() const { return timers_.size(); }
  // The names of the settings the model knows, in registration order.
  std::vector<std::string> settingNames() const;

private:
  struct Setting {
    std::string name;
    std::string text;
    Bounds bounds;
  };
  enum class TimerKind { Launch, PartyBlock };
  struct Timer {
    std::int64_t due;
    std::uint64_t order;
    TimerKind kind;
    std::uint64_t arming;
  };

  // Console.
  bool runCommand(const Words &words);
  void runInnerLine(std::string_view line);
  bool setSetting(Setting &setting, const std::string &value);
  bool runSimCommand(const Words &words, bool &known);
  Setting *findSetting(std::string_view name);

  // Host.
  void emit(std::string line);
  void advance(std::int64_t micros);
  void callFunction(const std::string &name);
  void setTimer(float seconds, TimerKind kind, std::uint64_t arming);
  void renderFrame();

  // Plugin.
  float floatOf(std::string_view name);
  std::int32_t intOf(std::string_view name);
  bool boolOf(std::string_view name);
  bool matchRunning() const;
  void toggleQueue();
  void scheduleQueue();
  void cancelQueue();
  void launch();
  void onMatchStarting(const std::string &name);
  void onSettingChanged(const Setting &setting);
  void executeCommand(const std::string &command);

  std::int64_t now_ = 0;
  std::vector<Setting> settings_;
  std::vector<Timer> timers_;
  std::uint64_t timerOrder_ = 0;
  std::map<std::string, Words> bindings_;
  GameState state_ = GameState::Menu;
  bool matchmakingUsable_ = true;
  bool searching_ = false;
  std::set<std::int32_t> selected_;

  bool matchOver_ = true;
  bool queueActive_ = false;
  bool partyBlocked_ = false;
  bool simulate_ = false;
  std::uint64_t armings_ = 0;
  std::int64_t armedAt_ = 0;
  std::optional<float> armedWait_;

  Prediction *prediction_ = nullptr;
};

} // namespace modelcheck

// The simulator's commands: time, keys, game functions, game state,
// matchmaking, frames, and the game-flow helpers.
#include <ostream>

#include "command_args.h"
#include "console.h"
#include "host/session/engine/canvas.h"
#include "host/session/engine/game_functions.h"
#include "host/session/engine/hook_table.h"
#include "host/session/engine/virtual_clock.h"

namespace corvane::console {

namespace {

namespace fn = host::game_functions;

// A million frames is over four hours of a 60 Hz game: more is a slip of the
// keyboard, which would otherwise run until killed.
constexpr std::uint32_t kMaxFramesAtOnce = 1'000'000;

void narrate(Console &console, std::string_view line) { console.front().narrate(line); }

// Tells the front of a long command for the command's length.
class LongCommandScope {
public:
  LongCommandScope(Console &console, Front::LongCommand command) : front_(console.front()) {
    front_.longCommand(&command);
  }
  ~LongCommandScope() { front_.longCommand(nullptr); }
  LongCommandScope(const LongCommandScope &) = delete;
  LongCommandScope &operator=(const LongCommandScope &) = delete;

private:
  Front &front_;
};

void call(Console &console, std::string_view function) {
  console.host().callFunction(std::string(function));
}

CommandResult simWait(Console &console, const Words &words) {
  const auto micros = parseSeconds(words[1]);
  if (!micros) {
    return usageError(console, words);
  }
  host::Host &host = console.host();
  const std::int64_t now = host.nowMicros();
  const LongCommandScope scope(console,
                               {"sim_wait " + words[1], 0, now, host::addSaturated(now, *micros)});
  host.advance(*micros);
  return CommandResult::ok();
}

CommandResult simKey(Console &console, const Words &words) {
  // An unbound key does nothing, as in the game; a script that presses one
  // most likely bound another, so it is told, and goes on.
  if (const auto line = console.host().pressKey(words[1])) {
    console.runIssuedLine(*line);
    return CommandResult::ok();
  }
  return CommandResult::notice("key " + quoteWordIfNeeded(words[1]) + " is not bound: nothing ran");
}

CommandResult simCall(Console &console, const Words &words) {
  if (!console.host().hooks().hooked(words[1])) {
    narrate(console, "no plugin hooked " + quoteWordIfNeeded(words[1]) + ": nothing ran");
  }
  console.host().callFunction(words[1]);
  return CommandResult::ok();
}

CommandResult simState(Console &console, const Words &words) {
  const auto state = host::gameStateByName(words[1]);
  if (!state) {
    return usageError(console, words);
  }
  console.host().setState(*state);
  return CommandResult::ok();
}

CommandResult simMatchmaking(Console &console, const Words &words) {
  if (words[1] != "on" && words[1] != "off") {
    return usageError(console, words);
  }
  console.host().setMatchmakingUsable(words[1] == "on");
  return CommandResult::ok();
}

CommandResult simSearching(Console &console, const Words &words) {
  const auto searching = parseBool(words[1]);
  if (!searching) {
    return usageError(console, words);
  }
  console.host().setSearching(*searching);
  return CommandResult::ok();
}

CommandResult simFrame(Console &console, const Words &words) {
  const auto frames = words.size() > 1 ? parseCount(words[1]) : std::optional<std::uint32_t>{1};
  if (!frames) {
    return usageError(console, words);
  }
  if (*frames > kMaxFramesAtOnce) {
    return CommandResult::error("sim_frame renders at most " + std::to_string(kMaxFramesAtOnce) +
                                " frames at once (got " + quoteWordIfNeeded(words[1]) + ")");
  }
  // The frames are rendered on nothing: the host records what they draw.
  host::NullCanvas canvas;
  const LongCommandScope scope(console, {"sim_frame " + std::to_string(*frames), *frames, 0, 0});
  for (std::uint32_t i = 0; i < *frames; ++i) {
    if (console.front().interrupted()) {
      return CommandResult::error("sim_frame interrupted after " + std::to_string(i) + " of " +
                                  std::to_string(*frames) + " frames");
    }
    console.host().renderFrame(canvas);
  }
  return CommandResult::ok();
}

template <void (*Flow)(Console &)>
CommandResult flowCommand(Console &console, const Words & /*words*/) {
  Flow(console);
  return CommandResult::ok();
}

// A search found a match: the search ends, the match loads and its first
// round starts.
void gameFound(Console &console) {
  console.host().setSearching(false);
  call(console, fn::kFindGameComplete);
  console.host().setState(host::GameState::Online);
  call(console, fn::kStartEvent);
  call(console, fn::kStartRound);
  narrate(console, "the game found a match: the search ended, the match is online and its "
                   "first round started");
}

// The match is decided and ends; the player is still in it.
void matchEnd(Console &console) {
  call(console, fn::kMatchWinnerSet);
  call(console, fn::kMatchEnded);
  narrate(console, "the match was decided and ended; the player is still in it (online)");
}

// The player leaves the match for the menu.
void leaveMatch(Console &console) {
  call(console, fn::kMatchDestroyed);
  console.host().setState(host::GameState::Menu);
  narrate(console, "the player left the match for the menu");
}

// The game cancels the running search (the player or the party leader did).
void searchCancelled(Console &console) {
  call(console, fn::kSearchCancel);
  console.host().setSearching(false);
  narrate(console, "the game cancelled the search");
}

void partyJoin(Console &console) {
  call(console, fn::kJoinLobby);
  narrate(console, "the player joined a party lobby");
}

void partyLeave(Console &console) {
  call(console, fn::kLeaveLobby);
  narrate(console, "the player left the party lobby");
}

} // namespace

void addSimCommands(Console &console) {
  constexpr Arity kOne{1, 1};
  constexpr Arity kNone{0, 0};
  console.addCommand("sim_wait", "sim_wait SECONDS",
                     "advances the clock, firing timers that fall due", simWait, kOne);
  console.addCommand("sim_key", "sim_key KEY", "presses a key (runs its binding)", simKey, kOne);
  console.addCommand("sim_call", "sim_call \"FUNCTION\"",
                     "the game calls a function: entry hooks, then after hooks", simCall, kOne);
  console.addCommand("sim_state", "sim_state menu|freeplay|online", "sets the game state", simState,
                     kOne);
  console.addCommand("sim_matchmaking", "sim_matchmaking on|off",
                     "makes the matchmaking handle usable or not", simMatchmaking, kOne);
  console.addCommand("sim_searching", "sim_searching true|false",
                     "the game's own search starts or stops (no hook)", simSearching, kOne);
  console.addCommand("sim_frame", "sim_frame [N]",
                     "renders N frames (default 1, at most " + std::to_string(kMaxFramesAtOnce) +
                         ")",
                     simFrame, {0, 1});
  console.addCommand("sim_game_found", "sim_game_found",
                     "search ends; EventFindGameComplete; state online; StartEvent; StartRound",
                     flowCommand<gameFound>, kNone);
  console.addCommand("sim_match_end", "sim_match_end",
                     "OnMatchWinnerSet; EventMatchEnded (state stays online)",
                     flowCommand<matchEnd>, kNone);
  console.addCommand("sim_leave_match", "sim_leave_match", "Destroyed; state menu",
                     flowCommand<leaveMatch>, kNone);
  console.addCommand("sim_search_cancelled", "sim_search_cancelled",
                     "OnlineGameMatchmakingBase_X.Cancel; search ends",
                     flowCommand<searchCancelled>, kNone);
  console.addCommand("sim_party_join", "sim_party_join", "Parties_X.JoinLobby",
                     flowCommand<partyJoin>, kNone);
  console.addCommand("sim_party_leave", "sim_party_leave", "Parties_X.LeaveLobby",
                     flowCommand<partyLeave>, kNone);
}

} // namespace corvane::console

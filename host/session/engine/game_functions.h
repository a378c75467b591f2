// The names of the game's functions that the plugin may hook: those the
// simulator's game-flow commands call, and the party's, which scripts call
// with sim_call; and what the party's do to where the player stands.
#pragma once

#include <array>
#include <optional>
#include <string_view>

#include "events.h"

namespace corvane::host::game_functions {

inline constexpr std::string_view kFindGameComplete =
    "Function ProjectX.OnlineGameMatchmakingBase_X.EventFindGameComplete";
inline constexpr std::string_view kStartEvent = "Function TAGame.GameEvent_TA.StartEvent";
inline constexpr std::string_view kStartRound = "Function GameEvent_Soccar_TA.Active.StartRound";
inline constexpr std::string_view kMatchWinnerSet =
    "Function TAGame.GameEvent_Soccar_TA.OnMatchWinnerSet";
inline constexpr std::string_view kMatchEnded =
    "Function TAGame.GameEvent_Soccar_TA.EventMatchEnded";
inline constexpr std::string_view kMatchDestroyed = "Function TAGame.GameEvent_Soccar_TA.Destroyed";
inline constexpr std::string_view kSearchCancel =
    "Function ProjectX.OnlineGameMatchmakingBase_X.Cancel";
inline constexpr std::string_view kJoinLobby = "Function ProjectX.Parties_X.JoinLobby";
inline constexpr std::string_view kLeaveLobby = "Function ProjectX.Parties_X.LeaveLobby";
inline constexpr std::string_view kCreateLobby = "Function ProjectX.Parties_X.CreateLobby";
inline constexpr std::string_view kSetLobbyOwner = "Function ProjectX.Parties_X.SetLobbyOwner";
inline constexpr std::string_view kPartyDestroyed =
    "Function ProjectX.OnlineGameParty_X.EventPartyDestroyed";
inline constexpr std::string_view kRestrictionError =
    "Function ProjectX.OnlineGameParty_X.GetMatchmakingRestrictionError";

inline constexpr std::array<std::string_view, 13> kAll = {
    kMatchWinnerSet,   kMatchDestroyed, kMatchEnded,     kSearchCancel, kFindGameComplete,
    kStartRound,       kStartEvent,     kPartyDestroyed, kLeaveLobby,   kCreateLobby,
    kRestrictionError, kJoinLobby,      kSetLobbyOwner,
};

// Where the player stands in a party after the game ran `function`; nothing
// when it is no function that moves them. Joining a lobby puts them in a
// party, creating one or being made its owner makes them the lobby's owner,
// leaving it or the party's end takes them out.
inline std::optional<Party> partyAfter(std::string_view function) {
  if (function == kJoinLobby) {
    return Party::Member;
  }
  if (function == kCreateLobby || function == kSetLobbyOwner) {
    return Party::Owner;
  }
  if (function == kLeaveLobby || function == kPartyDestroyed) {
    return Party::None;
  }
  return std::nullopt;
}

} // namespace corvane::host::game_functions

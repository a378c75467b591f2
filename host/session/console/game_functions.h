// The names of the game's functions that the plugin may hook: those the
// simulator's game-flow commands call, and the party's, which scripts call
// with sim_call.
#pragma once

#include <array>
#include <string_view>

namespace corvane::console::game_functions {

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

} // namespace corvane::console::game_functions

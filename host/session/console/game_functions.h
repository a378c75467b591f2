// The names of the game functions the simulator's game-flow commands call.
#pragma once

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

} // namespace corvane::console::game_functions

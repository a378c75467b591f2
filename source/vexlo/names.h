// The names the plugin shares with the host's console and the game: its
// settings, its command, the console commands it sends and the game functions
// it listens to, each written once.
#pragma once

namespace vexlo_names {

// Settings.
inline constexpr const char *kWaitingTime = "vexlo_waitingtime";
inline constexpr const char *kEnabled = "vexlo_enabled";
inline constexpr const char *kFreeplay = "vexlo_freeplay";
inline constexpr const char *kPlaylist = "vexlo_playlist";
inline constexpr const char *kHbText = "vexlo_hbtext";
inline constexpr const char *kHbTextSize = "vexlo_hbtextsize";
inline constexpr const char *kHbTextColor = "vexlo_hbtextcolor";
inline constexpr const char *kHbHeight = "vexlo_hbheight";
inline constexpr const char *kSimulate = "vexlo_simulate";
inline constexpr const char *kBind = "vexlo_bind";

// The queue command the key is bound to.
inline constexpr const char *kQueueCommand = "vexlo_queue";

// Console commands the plugin sends.
inline constexpr const char *kLoadFreeplayCommand = "load_freeplay";
inline constexpr const char *kBindCommand = "bind";

// Game functions.
inline constexpr const char *kMatchWinnerSet =
    "Function TAGame.GameEvent_Soccar_TA.OnMatchWinnerSet";
inline constexpr const char *kMatchDestroyed = "Function TAGame.GameEvent_Soccar_TA.Destroyed";
inline constexpr const char *kMatchEnded = "Function TAGame.GameEvent_Soccar_TA.EventMatchEnded";
inline constexpr const char *kSearchCancel = "Function ProjectX.OnlineGameMatchmakingBase_X.Cancel";
inline constexpr const char *kFindGameComplete =
    "Function ProjectX.OnlineGameMatchmakingBase_X.EventFindGameComplete";
// The game names this one without its package.
inline constexpr const char *kStartRound = "Function GameEvent_Soccar_TA.Active.StartRound";
inline constexpr const char *kStartEvent = "Function TAGame.GameEvent_TA.StartEvent";
inline constexpr const char *kPartyDestroyed =
    "Function ProjectX.OnlineGameParty_X.EventPartyDestroyed";
inline constexpr const char *kLeaveLobby = "Function ProjectX.Parties_X.LeaveLobby";
inline constexpr const char *kCreateLobby = "Function ProjectX.Parties_X.CreateLobby";
inline constexpr const char *kMatchmakingRestriction =
    "Function ProjectX.OnlineGameParty_X.GetMatchmakingRestrictionError";
inline constexpr const char *kJoinLobby = "Function ProjectX.Parties_X.JoinLobby";
inline constexpr const char *kSetLobbyOwner = "Function ProjectX.Parties_X.SetLobbyOwner";

} // namespace vexlo_names

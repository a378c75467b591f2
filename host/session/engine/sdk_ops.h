// The SDK operations a plugin can call: their names as the SDK writes them,
// and which of them the trace shows.
#pragma once

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

namespace corvane::host {

// Every SDK operation a plugin can call, named as the SDK names it.
enum class Op : std::uint8_t {
  registerCvar,
  registerNotifier,
  getCvar,
  executeCommand,
  getBoolValue,
  getFloatValue,
  getStringValue,
  bindTo,
  addOnValueChanged,
  HookEvent,
  HookEventPost,
  SetTimeout,
  RegisterDrawable,
  IsInOnlineGame,
  IsInFreeplay,
  GetMatchmakingWrapper,
  OperatorBool,
  IsSearching,
  CancelMatchmaking,
  SetPlaylistSelection,
  StartMatchmaking,
  SetPosition,
  SetColor,
  FillBox,
  DrawString,
};
inline constexpr std::size_t kOpCount = static_cast<std::size_t>(Op::DrawString) + 1;

// Effects are always traced, registrations only when verbose, reads never.
enum class OpKind : std::uint8_t { Effect, Registration, Read };

// Each operation's SDK name, as the trace writes it, and its kind; one row
// per operation, in the order of Op.
struct OpInfo {
  std::string_view name;
  OpKind kind;
};

inline constexpr std::array<OpInfo, kOpCount> kOpTable = {{
    {"registerCvar", OpKind::Registration},
    {"registerNotifier", OpKind::Registration},
    {"getCvar", OpKind::Read},
    {"executeCommand", OpKind::Effect},
    {"getBoolValue", OpKind::Read},
    {"getFloatValue", OpKind::Read},
    {"getStringValue", OpKind::Read},
    {"bindTo", OpKind::Registration},
    {"addOnValueChanged", OpKind::Registration},
    {"HookEvent", OpKind::Registration},
    {"HookEventPost", OpKind::Registration},
    {"SetTimeout", OpKind::Effect},
    {"RegisterDrawable", OpKind::Registration},
    {"IsInOnlineGame", OpKind::Read},
    {"IsInFreeplay", OpKind::Read},
    {"GetMatchmakingWrapper", OpKind::Read},
    {"operator bool", OpKind::Read},
    {"IsSearching", OpKind::Read},
    {"CancelMatchmaking", OpKind::Effect},
    {"SetPlaylistSelection", OpKind::Effect},
    {"StartMatchmaking", OpKind::Effect},
    {"SetPosition", OpKind::Effect},
    {"SetColor", OpKind::Effect},
    {"FillBox", OpKind::Effect},
    {"DrawString", OpKind::Effect},
}};

constexpr OpKind opKind(Op op) { return kOpTable[static_cast<std::size_t>(op)].kind; }
// The operation's SDK name ("operator bool" for the matchmaking check).
constexpr std::string_view opName(Op op) { return kOpTable[static_cast<std::size_t>(op)].name; }
// The operation called `name`; "operator_bool" and "bool" also name the check.
inline std::optional<Op> opByName(std::string_view name) {
  if (name == "operator_bool" || name == "bool") {
    return Op::OperatorBool;
  }
  const auto found = std::ranges::find(kOpTable, name, &OpInfo::name);
  if (found == kOpTable.end()) {
    return std::nullopt;
  }
  return static_cast<Op>(found - kOpTable.begin());
}

} // namespace corvane::host

// A decorated C++ name as a person reads it, where the system can tell.
#pragma once

#include <optional>
#include <string>

namespace corvane::sdkcheck {

// A Microsoft-decorated name as C++ reads it: on Windows the whole
// declaration through dbghelp's UnDecorateSymbolName; where dbghelp is not
// at hand, and elsewhere, the member's qualified name (plainMemberName).
// Nothing for a name not decorated that way.
std::optional<std::string> readableName(const std::string &decorated);

// The qualified name a Microsoft-decorated name of a class member, a
// namespace's function or data, or a class's special member spells out
// (`?StartMatchmaking@MatchmakingWrapper@@QEAA...` reads
// `MatchmakingWrapper::StartMatchmaking`); nothing for any other form.
std::optional<std::string> plainMemberName(const std::string &decorated);

} // namespace corvane::sdkcheck

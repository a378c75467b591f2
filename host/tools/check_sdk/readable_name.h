// A decorated C++ name as a person reads it, where the system can tell.
#pragma once

#include <optional>
#include <string>

namespace corvane::sdkcheck {

// The undecorated form of a Microsoft-decorated name through dbghelp's
// UnDecorateSymbolName on Windows; nothing where dbghelp is not at hand or
// the name is not decorated that way.
std::optional<std::string> readableName(const std::string &decorated);

} // namespace corvane::sdkcheck

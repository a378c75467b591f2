// dbghelp is loaded when first needed rather than linked, so that a
// system without it still runs the check. Without it, and on every other
// system, a member's qualified name is read from the decorated text itself:
// `?Name@Class@Namespace@@...` lists the name and then its scopes, innermost
// first, up to `@@`. Only the SDK's own forms are read so (functions and
// data of classes and namespaces, constructors, destructors, assignment and
// virtual tables); anything else (templates, back references, other
// operators) is left decorated rather than guessed at.
#include "readable_name.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <string_view>
#include <vector>

#if defined(_WIN32)
#include <windows.h>
#endif

namespace corvane::sdkcheck {

namespace {

// The special members `??CODE` names: what follows their class's qualified
// name, where the constructor and destructor also repeat the class's own.
struct SpecialMember {
  std::string_view code;
  std::string_view suffix;
  bool className;
};
constexpr std::array<SpecialMember, 4> kSpecialMembers = {{{"?0", "::", true},
                                                           {"?1", "::~", true},
                                                           {"?4", "::operator=", false},
                                                           {"?_7", "::`vftable'", false}}};

// The `@`-ended identifiers up to the `@@` that closes the name; nothing
// when one is no plain identifier.
std::optional<std::vector<std::string_view>> fragments(std::string_view rest) {
  std::vector<std::string_view> parts;
  while (!rest.empty() && rest.front() != '@') {
    const std::size_t end = rest.find('@');
    if (end == std::string_view::npos) {
      return std::nullopt;
    }
    const std::string_view part = rest.substr(0, end);
    const auto plain = [](char c) {
      return std::isalnum(static_cast<unsigned char>(c)) != 0 || c == '_';
    };
    if (std::isdigit(static_cast<unsigned char>(part.front())) != 0 ||
        !std::all_of(part.begin(), part.end(), plain)) {
      return std::nullopt;
    }
    parts.push_back(part);
    rest.remove_prefix(end + 1);
  }
  return rest.empty() || parts.empty() ? std::nullopt : std::optional(std::move(parts));
}

} // namespace

std::optional<std::string> plainMemberName(const std::string &decorated) {
  std::string_view rest = decorated;
  if (!rest.starts_with('?')) {
    return std::nullopt;
  }
  rest.remove_prefix(1);
  const auto special = std::ranges::find_if(kSpecialMembers, [&rest](const SpecialMember &member) {
    return rest.starts_with(member.code);
  });
  if (special != kSpecialMembers.end()) {
    rest.remove_prefix(special->code.size());
  }
  if (rest.starts_with('?') || rest.starts_with('$')) {
    return std::nullopt;
  }
  const auto parts = fragments(rest);
  if (!parts) {
    return std::nullopt;
  }
  std::string name;
  for (auto part = parts->rbegin(); part != parts->rend(); ++part) {
    name += (name.empty() ? "" : "::") + std::string(*part);
  }
  if (special != kSpecialMembers.end()) {
    name += special->suffix;
    name += special->className ? parts->front() : std::string_view();
  }
  return name;
}

#if defined(_WIN32)
namespace {
// As C++ reads it: without Microsoft's keywords (__cdecl, __ptr64) and
// without the access specifier, which say nothing about what is missing.
constexpr DWORD kUndecorateNoMsKeywords = 0x0002;
constexpr DWORD kUndecorateNoAccessSpecifiers = 0x0080;
// Longer than any name the compiler decorates.
constexpr std::size_t kReadableNameCapacity = 8192;
using UndecorateFunction = DWORD(WINAPI *)(PCSTR, PSTR, DWORD, DWORD);

// dbghelp's reading of `decorated`; nothing without dbghelp or when it
// reads the name as it is.
std::optional<std::string> undecorated(const std::string &decorated) {
  static const UndecorateFunction undecorate = [] {
    // Only the system's own dbghelp, not one planted beside the program.
    HMODULE dbghelp = LoadLibraryExW(L"dbghelp.dll", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
    return dbghelp == nullptr ? nullptr
                              : reinterpret_cast<UndecorateFunction>(reinterpret_cast<void *>(
                                    GetProcAddress(dbghelp, "UnDecorateSymbolName")));
  }();
  if (undecorate == nullptr || !decorated.starts_with('?')) {
    return std::nullopt;
  }
  std::array<char, kReadableNameCapacity> buffer{};
  const DWORD length =
      undecorate(decorated.c_str(), buffer.data(), static_cast<DWORD>(buffer.size()),
                 kUndecorateNoMsKeywords | kUndecorateNoAccessSpecifiers);
  std::string text(buffer.data(), length);
  return length == 0 || text == decorated ? std::nullopt : std::optional(std::move(text));
}
} // namespace
#endif

std::optional<std::string> readableName(const std::string &decorated) {
#if defined(_WIN32)
  if (auto text = undecorated(decorated)) {
    return text;
  }
#endif
  return plainMemberName(decorated);
}

} // namespace corvane::sdkcheck

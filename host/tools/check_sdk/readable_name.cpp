// dbghelp is loaded when first needed rather than linked, so that a
// system without it still runs the check, with decorated names.
#include "readable_name.h"

#if defined(_WIN32)
#include <windows.h>

#include <array>
#endif

namespace corvane::sdkcheck {

#if defined(_WIN32)
namespace {
// As C++ reads it: without Microsoft's keywords (__cdecl, __ptr64) and
// without the access specifier, which say nothing about what is missing.
constexpr DWORD kUndecorateNoMsKeywords = 0x0002;
constexpr DWORD kUndecorateNoAccessSpecifiers = 0x0080;
// Longer than any name the compiler decorates.
constexpr std::size_t kReadableNameCapacity = 8192;
using UndecorateFunction = DWORD(WINAPI *)(PCSTR, PSTR, DWORD, DWORD);

UndecorateFunction undecorateFunction() {
  static const UndecorateFunction function = [] {
    // Only the system's own dbghelp, not one planted beside the program.
    HMODULE dbghelp = LoadLibraryExW(L"dbghelp.dll", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
    if (dbghelp == nullptr) {
      return UndecorateFunction{nullptr};
    }
    return reinterpret_cast<UndecorateFunction>(
        reinterpret_cast<void *>(GetProcAddress(dbghelp, "UnDecorateSymbolName")));
  }();
  return function;
}
} // namespace

std::optional<std::string> readableName(const std::string &decorated) {
  const UndecorateFunction undecorate = undecorateFunction();
  if (undecorate == nullptr || !decorated.starts_with('?')) {
    return std::nullopt;
  }
  std::array<char, kReadableNameCapacity> buffer{};
  const DWORD length =
      undecorate(decorated.c_str(), buffer.data(), static_cast<DWORD>(buffer.size()),
                 kUndecorateNoMsKeywords | kUndecorateNoAccessSpecifiers);
  if (length == 0 || std::string(buffer.data(), length) == decorated) {
    return std::nullopt;
  }
  return std::string(buffer.data(), length);
}
#else
std::optional<std::string> readableName(const std::string &) { return std::nullopt; }
#endif

} // namespace corvane::sdkcheck

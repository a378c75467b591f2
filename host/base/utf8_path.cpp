// UTF-8 and wide text, file names, arguments and error texts on each
// platform.
#include "utf8_path.h"

#include <cstdlib>
#include <system_error>

#if defined(_WIN32)
#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <shellapi.h>

#include <cstdio>
#include <memory>
#endif

namespace corvane::platform {

std::filesystem::path pathFromUtf8(std::string_view utf8) {
  // char8_t text is taken as UTF-8 on every platform; the std::string
  // constructor would take the ANSI code page on Windows.
  return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
}

std::string utf8FromPath(const std::filesystem::path &path) {
  const std::u8string text = path.u8string();
  return std::string(text.begin(), text.end());
}

std::string errnoText(int number) { return std::generic_category().message(number); }

#if defined(_WIN32)

namespace {

// What the system allocates for its callers (the argument array, an error
// text) is released with LocalFree.
struct LocalFreer {
  void operator()(void *memory) const { LocalFree(memory); }
};

// Where a system text leaves a place for what it is about.
constexpr std::string_view kInsert = "%1";

std::string utf8FromWide(std::wstring_view wide) {
  if (wide.empty()) {
    return {};
  }
  // The conversion takes lengths as int; the texts here are far shorter.
  const int length = static_cast<int>(wide.size());
  const int size =
      WideCharToMultiByte(CP_UTF8, 0, wide.data(), length, nullptr, 0, nullptr, nullptr);
  std::string utf8(static_cast<std::size_t>(size), '\0');
  WideCharToMultiByte(CP_UTF8, 0, wide.data(), length, utf8.data(), size, nullptr, nullptr);
  return utf8;
}

} // namespace

// The texts given here are valid UTF-8 (names, and arguments as
// utf8Arguments read them), which the path's own conversion takes.
std::wstring wideFromUtf8(std::string_view utf8) { return pathFromUtf8(utf8).native(); }

std::optional<std::string> environmentVariable(const char *name) {
  const std::wstring wideName = wideFromUtf8(name);
  const DWORD size = GetEnvironmentVariableW(wideName.c_str(), nullptr, 0);
  if (size == 0) {
    return std::nullopt;
  }
  std::wstring value(size, L'\0');
  const DWORD length = GetEnvironmentVariableW(wideName.c_str(), value.data(), size);
  value.resize(length < size ? length : 0);
  return utf8FromWide(value);
}

void useBinaryStandardStreams() {
  _setmode(_fileno(stdout), _O_BINARY);
  _setmode(_fileno(stderr), _O_BINARY);
}

std::string windowsErrorText(unsigned long code, std::string_view subject) {
  wchar_t *buffer = nullptr;
  const DWORD length = FormatMessageW(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
      nullptr, code, 0, reinterpret_cast<wchar_t *>(&buffer), 0, nullptr);
  const std::unique_ptr<wchar_t, LocalFreer> owned(buffer);
  std::wstring_view text = length != 0 ? std::wstring_view(buffer, length) : std::wstring_view();
  // The system's texts end with a line break.
  text = text.substr(0, text.find_last_not_of(L"\r\n ") + 1);
  const std::string number = "error " + std::to_string(code);
  if (text.empty()) {
    return number;
  }
  std::string message = utf8FromWide(text);
  for (std::size_t place = message.find(kInsert); place != std::string::npos;
       place = message.find(kInsert, place + subject.size())) {
    message.replace(place, kInsert.size(), subject);
  }
  return message + " (" + number + ")";
}

#else

std::optional<std::string> environmentVariable(const char *name) {
  const char *value = std::getenv(name);
  return value != nullptr ? std::optional<std::string>(value) : std::nullopt;
}

void useBinaryStandardStreams() {}

#endif

std::vector<std::string> utf8Arguments(int argc, char **argv) {
#if defined(_WIN32)
  int count = 0;
  const std::unique_ptr<wchar_t *, LocalFreer> wide(CommandLineToArgvW(GetCommandLineW(), &count));
  if (wide) {
    std::vector<std::string> arguments;
    for (int index = 1; index < count; ++index) {
      arguments.push_back(utf8FromWide(wide.get()[index]));
    }
    return arguments;
  }
#endif
  return std::vector<std::string>(argv + (argc > 0 ? 1 : 0), argv + argc);
}

} // namespace corvane::platform

// UTF-8 text inside the programs, wide text at the Windows boundary: the
// one place that converts between them.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace corvane::platform {

// The file a UTF-8 name denotes. On Windows the narrow std::filesystem::path
// constructor reads the ANSI code page, so every name a person or a script
// gives goes through here instead.
std::filesystem::path pathFromUtf8(std::string_view utf8);

std::string utf8FromPath(const std::filesystem::path &path);

// The C library's text for an errno value ("No such file or directory").
std::string errnoText(int number);

// An environment variable's value in UTF-8; nothing when it is not set.
std::optional<std::string> environmentVariable(const char *name);

// The program's arguments after its name, in UTF-8. On Windows they are read
// from the wide command line, since `argv` holds them in the ANSI code page
// and loses every letter outside it; elsewhere they are `argv` as given.
std::vector<std::string> utf8Arguments(int argc, char **argv);

// Standard output and error write exactly the bytes they are given: on
// Windows they are put in binary mode, since text mode would turn every "\n"
// into "\r\n" and a trace printed there would differ from one written with
// --trace FILE and from the same trace on Linux.
void useBinaryStandardStreams();

#if defined(_WIN32)
std::wstring wideFromUtf8(std::string_view utf8);

// The system's text for a Windows error code, in UTF-8, followed by the code:
// "The specified module could not be found. (error 126)". Some texts leave a
// place for what they are about ("%1 is not a valid Win32 application."):
// `subject` fills it.
std::string windowsErrorText(unsigned long code, std::string_view subject = "the file");
#endif

} // namespace corvane::platform

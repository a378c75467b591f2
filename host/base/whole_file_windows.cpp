// WholeFile on Windows: a temporary file made with CREATE_NEW beside the
// target, MoveFileExW over it (which keeps the old file when it fails), and
// a console control handler that removes temporary files when Ctrl-C or
// closing the console ends the program.
#include "whole_file.h"

#include <windows.h>

#include "temporary_names.h"
#include "utf8_path.h"

namespace corvane::platform {

namespace {

// Read by the control handler, which runs on a thread of its own while the
// program goes on writing.
TemporaryNames temporaryNames;

volatile std::sig_atomic_t catching = 0;

// The files are open with FILE_SHARE_DELETE, so each is deleted as the
// ending process closes it; FALSE lets the next handler end the program.
BOOL WINAPI onEndingEvent(DWORD event) {
  if (event == CTRL_C_EVENT && catching != 0) {
    interruptRequested = 1;
    return TRUE;
  }
  temporaryNames.removeAll([](const wchar_t *name) { DeleteFileW(name); });
  return FALSE;
}

bool installOnce() {
  static const bool installed = SetConsoleCtrlHandler(onEndingEvent, TRUE) != 0;
  return installed;
}

HANDLE handleOf(std::intptr_t value) { return reinterpret_cast<HANDLE>(value); }

Error reason(DWORD number) { return {ErrorKind::Unreadable, windowsErrorText(number)}; }

} // namespace

Failure WholeFile::openTemporary() {
  const auto create = [this](const std::filesystem::path &name) -> std::optional<DWORD> {
    const HANDLE file =
        CreateFileW(name.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_DELETE, nullptr,
                    CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
      return GetLastError();
    }
    handle_ = reinterpret_cast<std::intptr_t>(file);
    return std::nullopt;
  };
  static_cast<void>(installOnce());
  const auto error =
      temporaryNames.make(target_, static_cast<DWORD>(ERROR_FILE_EXISTS), temporary_, create);
  return error ? Failure(reason(*error)) : std::nullopt;
}

Failure WholeFile::writeBytes(std::string_view bytes) {
  constexpr std::size_t kMostAtOnce = 1U << 30;
  while (!bytes.empty()) {
    const auto size = static_cast<DWORD>(bytes.size() < kMostAtOnce ? bytes.size() : kMostAtOnce);
    DWORD written = 0;
    if (WriteFile(handleOf(handle_), bytes.data(), size, &written, nullptr) == 0) {
      return reason(GetLastError());
    }
    bytes.remove_prefix(written);
  }
  return std::nullopt;
}

Failure WholeFile::replaceTarget() {
  const bool flushed = FlushFileBuffers(handleOf(handle_)) != 0;
  const DWORD flushError = GetLastError();
  const bool closed = CloseHandle(handleOf(handle_)) != 0;
  handle_ = -1;
  if (!flushed || !closed) {
    return reason(!flushed ? flushError : GetLastError());
  }
  if (MoveFileExW(temporary_.c_str(), target_.c_str(),
                  MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) == 0) {
    return reason(GetLastError());
  }
  temporaryNames.forget(temporary_);
  return std::nullopt;
}

void WholeFile::discard() {
  if (handle_ != -1) {
    CloseHandle(handleOf(handle_));
    handle_ = -1;
  }
  if (!temporary_.empty()) {
    DeleteFileW(temporary_.c_str());
    temporaryNames.forget(temporary_);
  }
}

InterruptCatcher::InterruptCatcher() {
  static_cast<void>(installOnce());
  catching = 1;
}

InterruptCatcher::~InterruptCatcher() { catching = 0; }

} // namespace corvane::platform

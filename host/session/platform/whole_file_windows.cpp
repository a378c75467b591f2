// WholeFile on Windows: a temporary file made with CREATE_NEW beside the
// target, MoveFileExW over it (which keeps the old file when it fails), and
// a console control handler that removes temporary files when Ctrl-C or
// closing the console ends the program.
#include "whole_file.h"

#include <windows.h>

#include <array>
#include <atomic>
#include <cwchar>
#include <random>

#include "utf8_path.h"

namespace corvane::platform {

namespace {

constexpr int kNameAttempts = 16;

// The names of the temporary files open now, for the control handler, which
// runs on a thread of its own while the program goes on writing.
std::array<std::atomic<wchar_t *>, 32> temporaryNames{};

// The files are open with FILE_SHARE_DELETE, so each is deleted as the
// ending process closes it; FALSE lets the next handler end the program.
BOOL WINAPI removeTemporaries(DWORD /*event*/) {
  for (std::atomic<wchar_t *> &slot : temporaryNames) {
    if (wchar_t *name = slot.load(); name != nullptr) {
      DeleteFileW(name);
    }
  }
  return FALSE;
}

void remember(const std::filesystem::path &name) {
  static const bool installed = SetConsoleCtrlHandler(removeTemporaries, TRUE) != 0;
  static_cast<void>(installed);
  const std::wstring &text = name.native();
  auto *copy = new wchar_t[text.size() + 1];
  std::wmemcpy(copy, text.c_str(), text.size() + 1);
  for (std::atomic<wchar_t *> &slot : temporaryNames) {
    wchar_t *empty = nullptr;
    if (slot.compare_exchange_strong(empty, copy)) {
      return;
    }
  }
  delete[] copy; // more open at once than the table holds: not removed on Ctrl-C
}

void forget(const std::filesystem::path &name) {
  for (std::atomic<wchar_t *> &slot : temporaryNames) {
    wchar_t *held = slot.load();
    if (held != nullptr && name.native() == held && slot.compare_exchange_strong(held, nullptr)) {
      delete[] held;
      return;
    }
  }
}

HANDLE handleOf(std::intptr_t value) { return reinterpret_cast<HANDLE>(value); }

Error reason(DWORD number) { return {ErrorKind::Unreadable, windowsErrorText(number)}; }

} // namespace

Failure WholeFile::openTemporary() {
  std::random_device random;
  DWORD error = ERROR_FILE_EXISTS;
  for (int attempt = 0; attempt < kNameAttempts && error == ERROR_FILE_EXISTS; ++attempt) {
    std::filesystem::path candidate = target_;
    candidate += L".partial-" + std::to_wstring(random());
    const HANDLE file =
        CreateFileW(candidate.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_DELETE, nullptr,
                    CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file != INVALID_HANDLE_VALUE) {
      temporary_ = std::move(candidate);
      remember(temporary_);
      handle_ = reinterpret_cast<std::intptr_t>(file);
      return std::nullopt;
    }
    error = GetLastError();
  }
  return reason(error);
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

Failure WholeFile::closeTemporary() {
  const bool flushed = FlushFileBuffers(handleOf(handle_)) != 0;
  const DWORD flushError = GetLastError();
  const bool closed = CloseHandle(handleOf(handle_)) != 0;
  handle_ = -1;
  if (!flushed || !closed) {
    return reason(!flushed ? flushError : GetLastError());
  }
  return std::nullopt;
}

Failure WholeFile::replaceTarget() {
  if (MoveFileExW(temporary_.c_str(), target_.c_str(),
                  MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) == 0) {
    return reason(GetLastError());
  }
  forget(temporary_);
  temporary_.clear();
  return std::nullopt;
}

void WholeFile::discard() {
  if (handle_ != -1) {
    CloseHandle(handleOf(handle_));
    handle_ = -1;
  }
  if (!temporary_.empty()) {
    DeleteFileW(temporary_.c_str());
    forget(temporary_);
    temporary_.clear();
  }
}

} // namespace corvane::platform

// A check's child process on Windows: this program started again, suspended
// until it is inside a job object that ends it and everything it started,
// its standard output a pipe that is read until it ends or the deadline.
#include "child_process.h"

#include <windows.h>

#include <array>
#include <cstdio>
#include <memory>

#include "host/base/utf8_path.h"

namespace corvane::validate {

namespace {

constexpr UINT kHungExitCode = 1;
// NTSTATUS codes with both top bits set are errors: a process ending with
// one ended on an exception nobody handled.
constexpr DWORD kSeverityErrorBits = 0xC0000000;
constexpr DWORD kBreakpointCode = 0x80000003;

// What each exception a crashing plugin most likely raised is called.
struct ExceptionName {
  DWORD code;
  const char *name;
};
constexpr std::array kExceptionNames = {
    ExceptionName{0xC0000005, "access violation"},
    ExceptionName{0xC00000FD, "stack overflow"},
    ExceptionName{0xC0000094, "integer division by zero"},
    ExceptionName{0xC0000095, "integer overflow"},
    ExceptionName{0xC000008E, "floating-point division by zero"},
    ExceptionName{0xC000001D, "illegal instruction"},
    ExceptionName{0xC0000096, "privileged instruction"},
    ExceptionName{0xC0000006, "in-page error"},
    ExceptionName{0xC0000374, "heap corruption"},
    ExceptionName{0xC0000409, "fast fail (a stack buffer overrun or abort)"},
    ExceptionName{kBreakpointCode, "breakpoint"},
};

std::string exceptionText(DWORD code) {
  std::array<char, sizeof "0x12345678"> hex{};
  std::snprintf(hex.data(), hex.size(), "0x%08lX", static_cast<unsigned long>(code));
  const auto known = std::ranges::find(kExceptionNames, code, &ExceptionName::code);
  return known != kExceptionNames.end()
             ? std::string(known->name) + " (exception " + hex.data() + ")"
             : "exception " + std::string(hex.data());
}

// A crash in the child ends it at once with the exception's code as its
// exit status: no error dialog, no debugger attached (wine starts one for
// an unhandled exception otherwise), no report written.
LONG WINAPI endWithExceptionCode(EXCEPTION_POINTERS *exception) {
  TerminateProcess(GetCurrentProcess(), exception->ExceptionRecord->ExceptionCode);
  return EXCEPTION_EXECUTE_HANDLER;
}

struct HandleCloser {
  void operator()(HANDLE handle) const { CloseHandle(handle); }
};
using OwnedHandle = std::unique_ptr<void, HandleCloser>;

// One argument as CommandLineToArgvW reads it back: quoted when it holds
// blanks or quotes, with the backslashes before a quote doubled.
std::wstring quoted(const std::wstring &argument) {
  if (!argument.empty() && argument.find_first_of(L" \t\n\v\"") == std::wstring::npos) {
    return argument;
  }
  std::wstring text = L"\"";
  std::size_t backslashes = 0;
  for (const wchar_t c : argument) {
    if (c == L'\\') {
      ++backslashes;
      continue;
    }
    text.append(c == L'"' ? backslashes * 2 + 1 : backslashes, L'\\');
    backslashes = 0;
    text += c;
  }
  text.append(backslashes * 2, L'\\');
  return text + L"\"";
}

std::wstring ownProgramFile() {
  std::wstring file(MAX_PATH, L'\0');
  for (;;) {
    const DWORD length = GetModuleFileNameW(nullptr, file.data(), static_cast<DWORD>(file.size()));
    if (length < file.size()) {
      file.resize(length);
      return file;
    }
    file.resize(file.size() * 2);
  }
}

std::string lastErrorText() { return platform::windowsErrorText(GetLastError()); }

// This program again with `words`, suspended, inheriting only the pipe's
// write end and a copy of this program's error stream, when it has one.
// Returns why it could not be started; empty when it was.
std::string startSuspended(const std::vector<std::string> &words, HANDLE writeEnd,
                           PROCESS_INFORMATION &process) {
  HANDLE errorCopy = nullptr;
  const HANDLE errorStream = GetStdHandle(STD_ERROR_HANDLE);
  if (errorStream != nullptr && errorStream != INVALID_HANDLE_VALUE) {
    DuplicateHandle(GetCurrentProcess(), errorStream, GetCurrentProcess(), &errorCopy, 0, TRUE,
                    DUPLICATE_SAME_ACCESS);
  }
  const OwnedHandle ownedErrorCopy(errorCopy);
  std::vector<HANDLE> inherited = {writeEnd};
  if (errorCopy != nullptr) {
    inherited.push_back(errorCopy);
  }
  SIZE_T attributeBytes = 0;
  InitializeProcThreadAttributeList(nullptr, 1, 0, &attributeBytes);
  std::vector<unsigned char> attributeStorage(attributeBytes);
  auto *attributes = reinterpret_cast<LPPROC_THREAD_ATTRIBUTE_LIST>(attributeStorage.data());
  // Without the list (an old system) every inheritable handle goes along,
  // which costs nothing but tidiness.
  const bool listed =
      InitializeProcThreadAttributeList(attributes, 1, 0, &attributeBytes) != 0 &&
      UpdateProcThreadAttribute(attributes, 0, PROC_THREAD_ATTRIBUTE_HANDLE_LIST, inherited.data(),
                                inherited.size() * sizeof(HANDLE), nullptr, nullptr) != 0;
  STARTUPINFOEXW startup{};
  startup.StartupInfo.cb = sizeof(startup);
  startup.StartupInfo.dwFlags = STARTF_USESTDHANDLES;
  startup.StartupInfo.hStdOutput = writeEnd;
  startup.StartupInfo.hStdError = errorCopy;
  startup.lpAttributeList = listed ? attributes : nullptr;
  const std::wstring program = ownProgramFile();
  std::wstring line = quoted(program);
  for (const std::string &word : words) {
    line += L' ' + quoted(platform::wideFromUtf8(word));
  }
  // Suspended until it is in the job, so that nothing it starts escapes it.
  const DWORD flags = CREATE_SUSPENDED | (listed ? EXTENDED_STARTUPINFO_PRESENT : 0);
  const BOOL started = CreateProcessW(program.c_str(), line.data(), nullptr, nullptr, TRUE, flags,
                                      nullptr, nullptr, &startup.StartupInfo, &process);
  const std::string startError = started == 0 ? lastErrorText() : std::string();
  if (listed) {
    DeleteProcThreadAttributeList(attributes);
  }
  return startError;
}

// The child in a job whose closing ends every process in it, so neither the
// child nor anything it started outlives the check; then it runs. No job
// when one cannot be made: the child is then stopped by itself on a hang.
OwnedHandle confine(HANDLE child, HANDLE childThread) {
  OwnedHandle job(CreateJobObjectW(nullptr, nullptr));
  JOBOBJECT_EXTENDED_LIMIT_INFORMATION limits{};
  limits.BasicLimitInformation.LimitFlags =
      JOB_OBJECT_LIMIT_KILL_ON_JOB_CLOSE | JOB_OBJECT_LIMIT_DIE_ON_UNHANDLED_EXCEPTION;
  if (job && (SetInformationJobObject(job.get(), JobObjectExtendedLimitInformation, &limits,
                                      sizeof(limits)) == 0 ||
              AssignProcessToJobObject(job.get(), child) == 0)) {
    job.reset();
  }
  ResumeThread(childThread);
  return job;
}

// Moves what the child has written so far to `output`, without waiting and
// not past `deadline` (a child may write without end).
void drainPipe(HANDLE pipe, Clock::time_point deadline, const ChildOutput &output) {
  std::array<char, kChildReadChunk> buffer{};
  DWORD available = 0;
  while (Clock::now() < deadline &&
         PeekNamedPipe(pipe, nullptr, 0, nullptr, &available, nullptr) != 0 && available > 0) {
    DWORD got = 0;
    const DWORD wanted = std::min<DWORD>(available, static_cast<DWORD>(buffer.size()));
    if (ReadFile(pipe, buffer.data(), wanted, &got, nullptr) == 0 || got == 0) {
      return;
    }
    output(std::string_view(buffer.data(), got));
  }
}

} // namespace

ChildEnd runOwnProgram(const std::vector<std::string> &words, Clock::time_point deadline,
                       const ChildOutput &output) {
  // A pipe whose write end the child inherits as its standard output.
  HANDLE readHandle = nullptr;
  HANDLE writeHandle = nullptr;
  SECURITY_ATTRIBUTES inheritable{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
  if (CreatePipe(&readHandle, &writeHandle, &inheritable, 0) == 0) {
    return {ChildEnd::Kind::Failed, "cannot create a pipe: " + lastErrorText()};
  }
  const OwnedHandle readEnd(readHandle);
  OwnedHandle writeEnd(writeHandle);
  SetHandleInformation(readHandle, HANDLE_FLAG_INHERIT, 0);
  PROCESS_INFORMATION process{};
  const std::string startError = startSuspended(words, writeHandle, process);
  writeEnd.reset(); // the child's copy is the only writer left
  if (!startError.empty()) {
    return {ChildEnd::Kind::Failed, "cannot start a child process: " + startError};
  }
  const OwnedHandle child(process.hProcess);
  const OwnedHandle childThread(process.hThread);
  const OwnedHandle job = confine(process.hProcess, process.hThread);
  const auto ended = [&process](std::chrono::milliseconds wait) {
    return WaitForSingleObject(process.hProcess, static_cast<DWORD>(wait.count())) == WAIT_OBJECT_0;
  };
  const auto drain = [&] { drainPipe(readHandle, deadline, output); };
  if (!waitForChild(deadline, drain, ended)) {
    if (job) {
      TerminateJobObject(job.get(), kHungExitCode);
    } else {
      TerminateProcess(process.hProcess, kHungExitCode);
    }
    ended(kChildStopWait);
    return {ChildEnd::Kind::Hung, {}};
  }
  DWORD status = 0;
  GetExitCodeProcess(process.hProcess, &status);
  if ((status & kSeverityErrorBits) == kSeverityErrorBits || status == kBreakpointCode) {
    return {ChildEnd::Kind::Failed, "crashed: " + exceptionText(status)};
  }
  return {ChildEnd::Kind::Exited, {}, status};
}

void prepareChildProcess() {
  SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX | SEM_NOOPENFILEERRORBOX);
  SetUnhandledExceptionFilter(endWithExceptionCode);
}

} // namespace corvane::validate

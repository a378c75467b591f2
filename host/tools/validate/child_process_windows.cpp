// A check's child process on Windows: this program started again, suspended
// until it is inside a job object that ends it and everything it started,
// its standard output a pipe that is read until it ends or the deadline.
#include "child_process.h"

#include <windows.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <optional>
#include <string_view>
#include <utility>

#include "host/session/platform/utf8_path.h"

namespace corvane::validate {

namespace {

using Clock = std::chrono::steady_clock;

constexpr auto kPollMillis = static_cast<DWORD>(kChildPollInterval.count());
constexpr auto kTerminateWaitMillis =
    static_cast<DWORD>(std::chrono::milliseconds(kChildStopWait).count());
// The exit status a child is given when it is stopped for hanging.
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

std::string hexCode(DWORD code) {
  std::array<char, sizeof "0x12345678"> text{};
  std::snprintf(text.data(), text.size(), "0x%08lX", static_cast<unsigned long>(code));
  return text.data();
}

bool isExceptionCode(DWORD status) {
  return (status & kSeverityErrorBits) == kSeverityErrorBits || status == kBreakpointCode;
}

std::string exceptionText(DWORD code) {
  const ExceptionName *known =
      std::find_if(kExceptionNames.data(), kExceptionNames.data() + kExceptionNames.size(),
                   [code](const ExceptionName &entry) { return entry.code == code; });
  return known != kExceptionNames.data() + kExceptionNames.size()
             ? std::string(known->name) + " (exception " + hexCode(code) + ")"
             : "exception " + hexCode(code);
}

// A crash in the child ends it at once with the exception's code as its
// exit status: no error dialog, no debugger attached (wine starts one for
// an unhandled exception otherwise), no report written.
LONG WINAPI endWithExceptionCode(EXCEPTION_POINTERS *exception) {
  TerminateProcess(GetCurrentProcess(), exception->ExceptionRecord->ExceptionCode);
  return EXCEPTION_EXECUTE_HANDLER;
}

class OwnedHandle {
public:
  OwnedHandle() = default;
  explicit OwnedHandle(HANDLE handle) : handle_(handle) {}
  ~OwnedHandle() { reset(); }
  OwnedHandle(const OwnedHandle &) = delete;
  OwnedHandle &operator=(const OwnedHandle &) = delete;

  HANDLE get() const { return handle_; }
  HANDLE *out() { return &handle_; }
  explicit operator bool() const { return handle_ != nullptr && handle_ != INVALID_HANDLE_VALUE; }
  void reset(HANDLE handle = nullptr) {
    if (*this) {
      CloseHandle(handle_);
    }
    handle_ = handle;
  }

private:
  HANDLE handle_ = nullptr;
};

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

std::wstring commandLine(const std::wstring &program, const std::vector<std::string> &words) {
  std::wstring line = quoted(program);
  for (const std::string &word : words) {
    line += L' ' + quoted(platform::wideFromUtf8(word));
  }
  return line;
}

std::string lastErrorText() { return platform::windowsErrorText(GetLastError()); }

// Step one: a pipe whose write end the child inherits as its standard output.
std::optional<std::string> makePipe(OwnedHandle &readEnd, OwnedHandle &writeEnd) {
  SECURITY_ATTRIBUTES inheritable{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
  if (CreatePipe(readEnd.out(), writeEnd.out(), &inheritable, 0) == 0) {
    return "cannot create a pipe: " + lastErrorText();
  }
  SetHandleInformation(readEnd.get(), HANDLE_FLAG_INHERIT, 0);
  return std::nullopt;
}

// An inheritable copy of this program's error stream, when it has one.
void copyErrorStream(OwnedHandle &copy) {
  const HANDLE errorStream = GetStdHandle(STD_ERROR_HANDLE);
  if (errorStream != nullptr && errorStream != INVALID_HANDLE_VALUE) {
    DuplicateHandle(GetCurrentProcess(), errorStream, GetCurrentProcess(), copy.out(), 0, TRUE,
                    DUPLICATE_SAME_ACCESS);
  }
}

// Step two: this program again with `words`, suspended, inheriting only the
// pipe's write end and a copy of this program's error stream.
std::optional<std::string> startSuspended(const std::vector<std::string> &words, HANDLE writeEnd,
                                          PROCESS_INFORMATION &process) {
  OwnedHandle errorCopy;
  copyErrorStream(errorCopy);
  std::vector<HANDLE> inherited = {writeEnd};
  if (errorCopy) {
    inherited.push_back(errorCopy.get());
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
  startup.StartupInfo.hStdError = errorCopy ? errorCopy.get() : nullptr;
  startup.lpAttributeList = listed ? attributes : nullptr;
  const std::wstring program = ownProgramFile();
  std::wstring line = commandLine(program, words);
  // Suspended until it is in the job, so that nothing it starts escapes it.
  const DWORD flags = CREATE_SUSPENDED | (listed ? EXTENDED_STARTUPINFO_PRESENT : 0);
  const BOOL started = CreateProcessW(program.c_str(), line.data(), nullptr, nullptr, TRUE, flags,
                                      nullptr, nullptr, &startup.StartupInfo, &process);
  const std::string startError = started == 0 ? lastErrorText() : std::string();
  if (listed) {
    DeleteProcThreadAttributeList(attributes);
  }
  return started != 0 ? std::nullopt
                      : std::optional<std::string>("cannot start a child process: " + startError);
}

// Step three: the child in a job whose closing ends every process in it, so
// neither the child nor anything it started outlives the check; then it runs.
void confine(HANDLE child, HANDLE childThread, OwnedHandle &job) {
  job.reset(CreateJobObjectW(nullptr, nullptr));
  if (job) {
    JOBOBJECT_EXTENDED_LIMIT_INFORMATION limits{};
    limits.BasicLimitInformation.LimitFlags =
        JOB_OBJECT_LIMIT_KILL_ON_JOB_CLOSE | JOB_OBJECT_LIMIT_DIE_ON_UNHANDLED_EXCEPTION;
    if (SetInformationJobObject(job.get(), JobObjectExtendedLimitInformation, &limits,
                                sizeof(limits)) == 0 ||
        AssignProcessToJobObject(job.get(), child) == 0) {
      job.reset(); // the child is then stopped by itself on a hang
    }
  }
  ResumeThread(childThread);
}

// Moves what the child has written so far to `output`.
void drainPipe(HANDLE pipe, const ChildOutput &output) {
  std::array<char, kChildReadChunk> buffer{};
  DWORD available = 0;
  while (PeekNamedPipe(pipe, nullptr, 0, nullptr, &available, nullptr) != 0 && available > 0) {
    DWORD got = 0;
    const DWORD wanted = std::min<DWORD>(available, static_cast<DWORD>(buffer.size()));
    if (ReadFile(pipe, buffer.data(), wanted, &got, nullptr) == 0 || got == 0) {
      return;
    }
    output(std::string_view(buffer.data(), got));
  }
}

// Step four: reads the pipe until the child ends; false when the deadline
// came first.
bool waitWithDeadline(HANDLE child, HANDLE pipe, Clock::time_point deadline,
                      const ChildOutput &output) {
  for (;;) {
    drainPipe(pipe, output);
    const auto left =
        std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
    if (left.count() <= 0) {
      return false;
    }
    const DWORD wait = std::min<DWORD>(kPollMillis, static_cast<DWORD>(left.count()));
    if (WaitForSingleObject(child, wait) == WAIT_OBJECT_0) {
      drainPipe(pipe, output); // what it wrote before it ended
      return true;
    }
  }
}

void stop(HANDLE job, HANDLE child) {
  if (job != nullptr) {
    TerminateJobObject(job, kHungExitCode);
  } else {
    TerminateProcess(child, kHungExitCode);
  }
  WaitForSingleObject(child, kTerminateWaitMillis);
}

// Step five: what the exit status says.
ChildEnd endOf(HANDLE child) {
  DWORD status = 0;
  GetExitCodeProcess(child, &status);
  if (isExceptionCode(status)) {
    return {ChildEnd::Kind::Crashed, "crashed: " + exceptionText(status)};
  }
  return {ChildEnd::Kind::Exited, {}, status};
}

} // namespace

ChildEnd runOwnProgram(const std::vector<std::string> &words, Clock::time_point deadline,
                       const ChildOutput &output) {
  OwnedHandle readEnd;
  OwnedHandle writeEnd;
  if (auto problem = makePipe(readEnd, writeEnd)) {
    return {ChildEnd::Kind::NotStarted, std::move(*problem)};
  }
  PROCESS_INFORMATION process{};
  auto problem = startSuspended(words, writeEnd.get(), process);
  writeEnd.reset(); // the child's copy is the only writer left
  if (problem) {
    return {ChildEnd::Kind::NotStarted, std::move(*problem)};
  }
  const OwnedHandle child(process.hProcess);
  const OwnedHandle childThread(process.hThread);
  OwnedHandle job;
  confine(child.get(), childThread.get(), job);
  if (!waitWithDeadline(child.get(), readEnd.get(), deadline, output)) {
    stop(job ? job.get() : nullptr, child.get());
    return {ChildEnd::Kind::Hung, {}};
  }
  return endOf(child.get());
}

void prepareChildProcess() {
  SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX | SEM_NOOPENFILEERRORBOX);
  SetUnhandledExceptionFilter(endWithExceptionCode);
}

} // namespace corvane::validate

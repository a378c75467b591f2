// Child processes for the checks: a pipe carries progress notes and the
// result back, a poll loop enforces the time limit. POSIX forks; Windows
// starts the program again for one check, inside a job object.
#include "child_run.h"

#include <algorithm>
#include <chrono>
#include <exception>
#include <string>

#if defined(_WIN32)
#include <windows.h>

#include <array>
#include <vector>

#include "host/session/platform/utf8_path.h"
#else
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <system_error>
#endif

namespace corvane::validate {

namespace {

// Each message is one line: a tag, a colon, the text with newlines flattened.
constexpr std::string_view kNoteTag = "note:";
constexpr std::string_view kPassTag = "pass:";
constexpr std::string_view kFailTag = "fail:";
constexpr std::size_t kReadChunk = 4096;
constexpr double kMillisPerSecond = 1000.0;
constexpr int kExitReported = 0;

std::string messageLine(std::string_view tag, std::string text) {
  for (char &c : text) {
    c = c == '\n' ? ' ' : c;
  }
  return std::string(tag) + text + "\n";
}

// Runs the check, turning an escaping exception into its failure.
CheckResult runGuarded(const std::function<CheckResult(const ProgressNote &)> &check,
                       const ProgressNote &note) {
  try {
    return check(note);
  } catch (const std::exception &error) {
    return CheckResult{false, std::string("threw an exception: ") + error.what()};
  } catch (...) {
    return CheckResult{false, "threw an exception that is no std::exception"};
  }
}

// Reads the child's messages into the last note and the result, if any.
struct ChildMessages {
  std::string pending;
  std::string lastNote;
  bool finished = false;
  CheckResult result;

  void take(std::string_view chunk) {
    pending.append(chunk);
    std::size_t end = 0;
    while ((end = pending.find('\n')) != std::string::npos) {
      const std::string line = pending.substr(0, end);
      pending.erase(0, end + 1);
      if (line.starts_with(kNoteTag)) {
        lastNote = line.substr(kNoteTag.size());
      } else if (line.starts_with(kPassTag)) {
        finished = true;
        result = CheckResult{true, {}};
      } else if (line.starts_with(kFailTag)) {
        finished = true;
        result = CheckResult{false, line.substr(kFailTag.size())};
      }
    }
  }

  std::string after() const { return lastNote.empty() ? "" : ", during " + lastNote; }
};

CheckResult hungResult(double timeoutSeconds, const ChildMessages &messages) {
  return CheckResult{false, "hung: no result within " + std::to_string(timeoutSeconds) + " s" +
                                messages.after()};
}

CheckResult exitedEarlyResult(long long status, const ChildMessages &messages) {
  return CheckResult{false, "crashed: exited with status " + std::to_string(status) +
                                " before reporting" + messages.after()};
}

std::chrono::steady_clock::time_point deadlineAfter(double timeoutSeconds) {
  return std::chrono::steady_clock::now() +
         std::chrono::milliseconds(static_cast<long long>(timeoutSeconds * kMillisPerSecond));
}

#if defined(_WIN32)

// How often the parent looks at the pipe and the child while it waits.
constexpr DWORD kPollMillis = 10;
// How long a terminated child may take to be gone.
constexpr DWORD kTerminateWaitMillis = 5000;
// The exit status a child is given when it is stopped for hanging.
constexpr UINT kHungExitCode = 1;
// NTSTATUS codes with both top bits set are errors: a process ending with
// one ended on an exception nobody handled.
constexpr DWORD kSeverityErrorBits = 0xC0000000;
constexpr DWORD kBreakpointCode = 0x80000003;
constexpr int kNibbleBits = 4;
constexpr int kCodeDigits = 8;

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
  constexpr std::string_view kDigits = "0123456789ABCDEF";
  std::string text = "0x";
  for (int digit = kCodeDigits - 1; digit >= 0; --digit) {
    text += kDigits[(code >> (digit * kNibbleBits)) & 0xFU];
  }
  return text;
}

bool isExceptionCode(DWORD status) {
  return (status & kSeverityErrorBits) == kSeverityErrorBits || status == kBreakpointCode;
}

std::string exceptionText(DWORD code) {
  const auto known =
      std::find_if(kExceptionNames.begin(), kExceptionNames.end(),
                   [code](const ExceptionName &entry) { return entry.code == code; });
  return known != kExceptionNames.end()
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
  void reset() {
    if (*this) {
      CloseHandle(handle_);
    }
    handle_ = nullptr;
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

std::string lastErrorText() { return platform::windowsErrorText(GetLastError()); }

// Moves what the child has written so far into `messages`.
void drainPipe(HANDLE pipe, ChildMessages &messages) {
  std::array<char, kReadChunk> buffer{};
  DWORD available = 0;
  while (PeekNamedPipe(pipe, nullptr, 0, nullptr, &available, nullptr) != 0 && available > 0) {
    DWORD got = 0;
    const DWORD wanted = std::min<DWORD>(available, static_cast<DWORD>(buffer.size()));
    if (ReadFile(pipe, buffer.data(), wanted, &got, nullptr) == 0 || got == 0) {
      return;
    }
    messages.take(std::string_view(buffer.data(), got));
  }
}

// The child's command line: this program, the validate verb, one check.
std::wstring childCommandLine(const std::wstring &program, const Check &check,
                              const ValidateOptions &options) {
  const std::vector<std::string> words = {"validate",
                                          std::string(kChildCheckOption),
                                          std::string(check.name),
                                          "--seed",
                                          std::to_string(options.seed),
                                          "--steps",
                                          std::to_string(options.steps),
                                          "--",
                                          options.pluginPath};
  std::wstring line = quoted(program);
  for (const std::string &word : words) {
    line += L' ' + quoted(platform::wideFromUtf8(word));
  }
  return line;
}

#endif

} // namespace

int runChildCheck(const Check &check, const ValidateOptions &options, std::ostream &out) {
#if defined(_WIN32)
  SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX | SEM_NOOPENFILEERRORBOX);
  SetUnhandledExceptionFilter(endWithExceptionCode);
#endif
  const CheckResult result = runGuarded(
      [&check, &options](const ProgressNote &note) { return check.run(options, note); },
      [&out](const std::string &note) { out << messageLine(kNoteTag, note) << std::flush; });
  out << messageLine(result.passed ? kPassTag : kFailTag, result.reason) << std::flush;
  return kExitReported;
}

#if defined(_WIN32)

CheckResult runCheckInChild(const Check &check, const ValidateOptions &options) {
  // The pipe's write end and a copy of this program's error stream are the
  // only handles the child inherits.
  SECURITY_ATTRIBUTES inheritable{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
  OwnedHandle readEnd;
  OwnedHandle writeEnd;
  if (CreatePipe(readEnd.out(), writeEnd.out(), &inheritable, 0) == 0) {
    return CheckResult{false, "cannot create a pipe: " + lastErrorText()};
  }
  SetHandleInformation(readEnd.get(), HANDLE_FLAG_INHERIT, 0);
  OwnedHandle errorCopy;
  const HANDLE errorStream = GetStdHandle(STD_ERROR_HANDLE);
  if (errorStream != nullptr && errorStream != INVALID_HANDLE_VALUE) {
    DuplicateHandle(GetCurrentProcess(), errorStream, GetCurrentProcess(), errorCopy.out(), 0, TRUE,
                    DUPLICATE_SAME_ACCESS);
  }
  std::vector<HANDLE> inherited = {writeEnd.get()};
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
  startup.StartupInfo.hStdInput = nullptr;
  startup.StartupInfo.hStdOutput = writeEnd.get();
  startup.StartupInfo.hStdError = errorCopy ? errorCopy.get() : nullptr;
  startup.lpAttributeList = listed ? attributes : nullptr;

  const std::wstring program = ownProgramFile();
  std::wstring commandLine = childCommandLine(program, check, options);
  PROCESS_INFORMATION process{};
  // Suspended until it is in the job, so that nothing it starts escapes it.
  const DWORD flags = CREATE_SUSPENDED | (listed ? EXTENDED_STARTUPINFO_PRESENT : 0);
  const BOOL started = CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, TRUE,
                                      flags, nullptr, nullptr, &startup.StartupInfo, &process);
  const std::string startError = started == 0 ? lastErrorText() : std::string();
  if (listed) {
    DeleteProcThreadAttributeList(attributes);
  }
  writeEnd.reset();
  errorCopy.reset();
  if (started == 0) {
    return CheckResult{false, "cannot start a child process: " + startError};
  }
  const OwnedHandle child(process.hProcess);
  const OwnedHandle childThread(process.hThread);

  // Closing the job's last handle ends every process in it, so neither the
  // child nor anything it started outlives this check.
  OwnedHandle job(CreateJobObjectW(nullptr, nullptr));
  if (job) {
    JOBOBJECT_EXTENDED_LIMIT_INFORMATION limits{};
    limits.BasicLimitInformation.LimitFlags =
        JOB_OBJECT_LIMIT_KILL_ON_JOB_CLOSE | JOB_OBJECT_LIMIT_DIE_ON_UNHANDLED_EXCEPTION;
    if (SetInformationJobObject(job.get(), JobObjectExtendedLimitInformation, &limits,
                                sizeof(limits)) == 0 ||
        AssignProcessToJobObject(job.get(), child.get()) == 0) {
      job.reset(); // the child is then stopped by itself on a hang
    }
  }
  ResumeThread(childThread.get());

  ChildMessages messages;
  const auto deadline = deadlineAfter(options.timeoutSeconds);
  bool hung = false;
  for (;;) {
    drainPipe(readEnd.get(), messages);
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
        deadline - std::chrono::steady_clock::now());
    if (left.count() <= 0) {
      hung = true;
      break;
    }
    const DWORD wait = std::min<DWORD>(kPollMillis, static_cast<DWORD>(left.count()));
    if (WaitForSingleObject(child.get(), wait) == WAIT_OBJECT_0) {
      drainPipe(readEnd.get(), messages); // what it wrote before it ended
      break;
    }
  }
  if (hung) {
    if (job) {
      TerminateJobObject(job.get(), kHungExitCode);
    } else {
      TerminateProcess(child.get(), kHungExitCode);
    }
    WaitForSingleObject(child.get(), kTerminateWaitMillis);
    return hungResult(options.timeoutSeconds, messages);
  }
  DWORD status = 0;
  GetExitCodeProcess(child.get(), &status);
  if (isExceptionCode(status)) {
    return CheckResult{false, "crashed: " + exceptionText(status) + messages.after()};
  }
  if (!messages.finished) {
    return exitedEarlyResult(status, messages);
  }
  return messages.result;
}

#else

namespace {

void writeAll(int descriptor, const std::string &text) {
  std::size_t done = 0;
  while (done < text.size()) {
    const ssize_t written = ::write(descriptor, text.data() + done, text.size() - done);
    if (written <= 0) {
      return;
    }
    done += static_cast<std::size_t>(written);
  }
}

std::string signalName(int signal) {
  const char *description = ::strsignal(signal);
  return "signal " + std::to_string(signal) +
         (description != nullptr ? std::string(" (") + description + ")" : std::string());
}

std::string errnoText() { return std::generic_category().message(errno); }

} // namespace

CheckResult runCheckInChild(const Check &check, const ValidateOptions &options) {
  return runInChild(
      [&check, &options](const ProgressNote &note) { return check.run(options, note); },
      options.timeoutSeconds);
}

CheckResult runInChild(const std::function<CheckResult(const ProgressNote &)> &check,
                       double timeoutSeconds) {
  int channel[2] = {-1, -1};
  if (::pipe(channel) != 0) {
    return CheckResult{false, "cannot create a pipe: " + errnoText()};
  }
  const pid_t child = ::fork();
  if (child < 0) {
    const std::string reason = errnoText();
    ::close(channel[0]);
    ::close(channel[1]);
    return CheckResult{false, "cannot start a child process: " + reason};
  }
  if (child == 0) {
    ::close(channel[0]);
    const int out = channel[1];
    const CheckResult result = runGuarded(
        check, [out](const std::string &note) { writeAll(out, messageLine(kNoteTag, note)); });
    writeAll(out, messageLine(result.passed ? kPassTag : kFailTag, result.reason));
    ::close(out);
    // No destructors or exit handlers of the parent's state run in the child.
    ::_exit(kExitReported);
  }
  ::close(channel[1]);
  ChildMessages messages;
  const auto deadline = deadlineAfter(timeoutSeconds);
  bool hung = false;
  for (;;) {
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
        deadline - std::chrono::steady_clock::now());
    if (left.count() <= 0) {
      hung = true;
      break;
    }
    pollfd watch{channel[0], POLLIN, 0};
    const int ready = ::poll(&watch, 1, static_cast<int>(left.count()));
    if (ready < 0 && errno == EINTR) {
      continue;
    }
    if (ready == 0) {
      hung = true;
      break;
    }
    char buffer[kReadChunk];
    const ssize_t got = ::read(channel[0], buffer, sizeof buffer);
    if (got <= 0) {
      break; // the child closed its end: finished or died
    }
    messages.take(std::string_view(buffer, static_cast<std::size_t>(got)));
  }
  ::close(channel[0]);
  if (hung) {
    ::kill(child, SIGKILL);
  }
  int status = 0;
  while (::waitpid(child, &status, 0) < 0 && errno == EINTR) {
  }
  if (hung) {
    return hungResult(timeoutSeconds, messages);
  }
  if (WIFSIGNALED(status)) {
    return CheckResult{false, "crashed with " + signalName(WTERMSIG(status)) + messages.after()};
  }
  if (!messages.finished) {
    return exitedEarlyResult(WIFEXITED(status) ? WEXITSTATUS(status) : -1, messages);
  }
  return messages.result;
}

#endif

} // namespace corvane::validate

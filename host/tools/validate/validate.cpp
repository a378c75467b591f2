// Running the checks, each in a child process unless asked otherwise, and
// the report.
#include "validate.h"

#include <optional>
#include <string>

#include "checks.h"
#include "child_run.h"
#include "host/session/loader/shared_library.h"

namespace corvane::validate {

namespace {
constexpr int kExitAllPassed = 0;
constexpr int kExitSomeFailed = 1;
constexpr int kExitUsage = 2;
// Marks the child's answer "it does not open", apart from a crash in the
// library's own constructors, which the checks then report one by one.
constexpr std::string_view kNotALibrary = "does not open: ";

// Whether the file opens as a shared library at all, asked before the
// checks. A check of its own, not reported as one, so that a child process
// can be started for it like for any check.
const Check &opensCheck() {
  static const Check check{"opens", "the file opens as a shared library",
                           [](const ValidateOptions &options, const ProgressNote &) {
                             std::string problem;
                             if (loader::SharedLibrary::open(options.pluginPath, problem)) {
                               return CheckResult{true, {}};
                             }
                             return CheckResult{false, std::string(kNotALibrary) + problem};
                           }};
  return check;
}

// The check a child process was started for, by name.
const Check *findCheck(std::string_view name) {
  if (name == opensCheck().name) {
    return &opensCheck();
  }
  for (const Check &check : allChecks()) {
    if (check.name == name) {
      return &check;
    }
  }
  return nullptr;
}

// Why the file does not open as a shared library at all (a text file, a
// program, a folder, a missing file); nothing when it opens. Tried in a child
// when the checks run in children, since opening a library runs its code.
std::optional<std::string> whyNotALibrary(const ValidateOptions &options) {
  const std::string &path = options.pluginPath;
  const CheckResult result = !options.inProcess
                                 ? runCheckInChild(opensCheck(), options)
                                 : opensCheck().run(options, [](const std::string &) {});
  if (result.passed || !result.reason.starts_with(kNotALibrary)) {
    return std::nullopt;
  }
  std::string reason = result.reason.substr(kNotALibrary.size());
  // The loader's reason often starts with the file's name, which the message
  // gives once already.
  for (const std::string &named : {path + ": ", "./" + path + ": "}) {
    if (reason.starts_with(named)) {
      reason.erase(0, named.size());
    }
  }
  return reason;
}

} // namespace

int runValidate(const ValidateOptions &options, std::ostream &out) {
  const bool isolated = !options.inProcess;
  out << "validate " << options.pluginPath << " (seed " << options.seed << ", " << options.steps
      << " steps, " << (isolated ? "each check in a child process" : "in process") << ")\n";
  out.flush();
  int passedCount = 0;
  int failedCount = 0;
  for (const Check &check : allChecks()) {
    const CheckResult result =
        isolated ? runCheckInChild(check, options) : check.run(options, [](const std::string &) {});
    if (result.passed) {
      ++passedCount;
      out << "passed  " << check.name << ": " << check.description << '\n';
    } else {
      ++failedCount;
      out << "FAILED  " << check.name << ": " << result.reason << '\n';
    }
    out.flush();
  }
  out << passedCount << " passed, " << failedCount << " failed\n";
  return failedCount == 0 ? kExitAllPassed : kExitSomeFailed;
}

int validateMain(const std::vector<std::string> &words, std::ostream &out, std::ostream &err) {
  ValidateOptions options;
  // A check's own process, started by runCheckInChild.
  if (words.size() >= 2 && words.front() == kChildCheckOption) {
    const Check *check = findCheck(words[1]);
    if (check == nullptr || parseValidateOptions({words.begin() + 2, words.end()}, options)) {
      return kExitUsage;
    }
    return runChildCheck(*check, options, out);
  }
  for (const std::string &word : words) {
    if (word == "--help" || word == "-h") {
      out << validateUsage();
      return kExitAllPassed;
    }
  }
  if (const auto problem = parseValidateOptions(words, options)) {
    err << "corvane-sim validate: " << *problem << '\n' << validateUsage();
    return kExitUsage;
  }
  if (const auto reason = whyNotALibrary(options)) {
    err << "corvane-sim validate: cannot open " << options.pluginPath
        << " as a shared library: " << *reason << '\n';
    return kExitUsage;
  }
  return runValidate(options, out);
}

} // namespace corvane::validate

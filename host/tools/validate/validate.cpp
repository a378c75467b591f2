// Running the checks, each in a child process unless asked otherwise, and
// the report.
#include "validate.h"

#include "checks.h"
#include "child_run.h"

namespace corvane::validate {

namespace {
constexpr int kExitAllPassed = 0;
constexpr int kExitSomeFailed = 1;
constexpr int kExitUsage = 2;
} // namespace

int runValidate(const ValidateOptions &options, std::ostream &out) {
  const bool isolated = !options.inProcess && childProcessesAvailable();
  out << "validate " << options.pluginPath << " (seed " << options.seed << ", " << options.steps
      << " steps, " << (isolated ? "each check in a child process" : "in process") << ")\n";
  out.flush();
  int passedCount = 0;
  int failedCount = 0;
  for (const Check &check : allChecks()) {
    const auto body = [&check, &options](const ProgressNote &note) {
      return check.run(options, note);
    };
    const CheckResult result =
        isolated ? runInChild(body, options.timeoutSeconds) : body([](const std::string &) {});
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
  return runValidate(options, out);
}

} // namespace corvane::validate

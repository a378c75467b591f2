// Running the checks, each in a child process unless asked otherwise, and
// the report.
#include "validate.h"

#include <corvane/entry.h>

#include <optional>
#include <string>

#include "checks.h"
#include "child_run.h"
#include "host/session/loader/descriptor_check.h"
#include "host/session/loader/shared_library.h"
#include "host/tools/common/verb.h"

namespace corvane::validate {

namespace {
constexpr std::string_view kVerb = "validate";
// Whether the file opens as a shared library and exports a descriptor,
// asked before the checks. A check of its own, not reported as one, so that
// a child process can be started for it like for any check. A file that is
// no plugin at all fails it with a NoPlugin error, apart from a crash in the
// library's own constructors, which the checks then report one by one.
const Check &opensCheck() {
  static const Check check{
      "opens", "the file opens as a shared library and exports a descriptor",
      [](const ValidateOptions &options, const ProgressNote &) {
        const std::string &path = options.pluginPath;
        const auto library = loader::SharedLibrary::open(path);
        if (!library) {
          std::string problem = library.error().message;
          // The loader's reason often starts with the file's name, which
          // the message gives once already.
          for (const std::string &named : {path + ": ", "./" + path + ": "}) {
            if (problem.starts_with(named)) {
              problem.erase(0, named.size());
            }
          }
          return CheckResult::fail("cannot open " + path + " as a shared library: " + problem,
                                   ErrorKind::NoPlugin);
        }
        if (loader::findDescriptor(**library) == nullptr) {
          return CheckResult::fail(path +
                                       " is a shared library but no plugin of this host: it "
                                       "exports no descriptor \"" +
                                       kCorvaneDescriptorSymbol + "\"",
                                   ErrorKind::NoPlugin);
        }
        return CheckResult::pass();
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

// Why the file is no plugin at all (a text file, a program, a folder, a
// missing file, a library without a descriptor); nothing when it may be
// one. Tried in a child when the checks run in children, since opening a
// library runs its code.
Failure whyNoPlugin(const ValidateOptions &options) {
  const CheckResult result = !options.inProcess
                                 ? runCheckInChild(opensCheck(), options)
                                 : opensCheck().run(options, [](const std::string &) {});
  if (result.passed || result.failure.kind != ErrorKind::NoPlugin) {
    return std::nullopt;
  }
  return result.failure;
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
      out << "FAILED  " << check.name << ": " << result.failure.message << '\n';
    }
    out.flush();
  }
  out << passedCount << " passed, " << failedCount << " failed\n";
  return failedCount == 0 ? kExitPassed : kExitFailed;
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
  if (sim::asksForHelp(words)) {
    out << validateUsage();
    return kExitPassed;
  }
  if (const auto problem = parseValidateOptions(words, options)) {
    return sim::reportVerbError(err, kVerb, *problem, validateUsage());
  }
  if (const auto problem = whyNoPlugin(options)) {
    return sim::reportVerbError(err, kVerb, *problem, validateUsage());
  }
  return runValidate(options, out);
}

} // namespace corvane::validate

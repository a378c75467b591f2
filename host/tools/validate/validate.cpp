// The validate verb: its command line, the checks run each in a child
// process unless asked otherwise, and the report.
#include "validate.h"

#include <corvane/entry.h>

#include <algorithm>
#include <charconv>
#include <optional>

#include "checks.h"
#include "child_run.h"
#include "host/session/loader/descriptor_check.h"
#include "host/session/loader/shared_library.h"
#include "host/tools/options/option_table.h"
#include "host/tools/program/verb.h"

namespace corvane::validate {

namespace {

constexpr std::string_view kVerb = "validate";

// Reads an option's value, whole, as a number into `target`; anything else,
// or a number not above 0 where it must be `positive`, is bad input saying
// what the option `needs`.
template <typename Number>
sim::OptionTable::Apply numberInto(Number &target, std::string needs, bool positive = false) {
  return [&target, wanted = std::move(needs), positive](const std::string &value) -> Failure {
    Number number{};
    const char *end = value.data() + value.size();
    const auto [stop, error] = std::from_chars(value.data(), end, number);
    if (error != std::errc() || stop != end || (positive && !(number > 0))) {
      return Error{ErrorKind::BadInput, "needs " + wanted + ", not \"" + value + "\""};
    }
    target = number;
    return std::nullopt;
  };
}

constexpr const char *kUsage =
    "usage: corvane-sim validate PLUGIN [--seed N] [--steps N] [--in-process] "
    "[--timeout SECONDS]\n"
    "\n"
    "Checks what must hold for any plugin of this host and prints each check as\n"
    "passed or failed with the reason, then `N passed, N failed`. Exit status 0\n"
    "when every check passed, 1 otherwise, 2 for a usage error.\n"
    "\n"
    "  --seed N            seed of the random run (default 1)\n"
    "  --steps N           console lines in the random run (default 2000)\n"
    "  --in-process        run the checks here, not each in a child process\n"
    "  --timeout SECONDS   time one check may take before it counts as hung (60)\n";

// Whether the file opens as a shared library and exports a descriptor,
// asked before the checks. A check of its own, not reported as one, so that
// a child process can be started for it like for any check. A file that is
// no plugin at all fails it as bad input, apart from a crash in the
// library's own constructors, which the checks then report one by one.
CheckResult opens(const ValidateOptions &options, const ProgressNote &) {
  const std::string &path = options.pluginPath;
  const auto library = loader::SharedLibrary::open(path);
  if (!library) {
    std::string problem = library.error().message;
    // The loader's reason often starts with the file's name, which the
    // message gives once already.
    for (const std::string &named : {path + ": ", "./" + path + ": "}) {
      if (problem.starts_with(named)) {
        problem.erase(0, named.size());
      }
    }
    return CheckResult::fail("cannot open " + path + " as a shared library: " + problem,
                             Outcome::BadInput);
  }
  if (loader::findDescriptor(**library) == nullptr) {
    return CheckResult::fail(path +
                                 " is a shared library but no plugin of this host: it exports "
                                 "no descriptor \"" +
                                 kCorvaneDescriptorSymbol + "\"",
                             Outcome::BadInput);
  }
  return CheckResult::pass();
}

const Check kOpensCheck{"opens", "the file opens as a shared library and exports a descriptor",
                        opens};

// The check a child process was started for, by name.
const Check *findCheck(std::string_view name) {
  if (name == kOpensCheck.name) {
    return &kOpensCheck;
  }
  const auto found = std::ranges::find(kChecks, name, &Check::name);
  return found != kChecks.end() ? &*found : nullptr;
}

CheckResult runCheck(const Check &check, const ValidateOptions &options) {
  if (options.inProcess) {
    return check.run(options, [](const std::string &) {});
  }
  return runInChild({"validate", std::string(kChildCheckOption), std::string(check.name), "--seed",
                     std::to_string(options.seed), "--steps", std::to_string(options.steps), "--",
                     options.pluginPath},
                    options.timeoutSeconds);
}

} // namespace

Failure parseValidateOptions(const std::vector<std::string> &words, ValidateOptions &options) {
  // Their help is kUsage's.
  sim::OptionTable table(sim::OptionTable::Wording::Verb);
  table.add({"--seed", "", "N", "", numberInto(options.seed, "a whole number")});
  table.add({"--steps", "", "N", "", numberInto(options.steps, "a whole number")});
  table.add({"--in-process", "", "", "", [&options](const std::string &) -> Failure {
               options.inProcess = true;
               return std::nullopt;
             }});
  table.add({"--timeout", "", "SECONDS", "",
             numberInto(options.timeoutSeconds, "a number of seconds above 0", true)});
  const auto plugins = table.parse(words);
  if (!plugins) {
    return plugins.error();
  }
  if (plugins->empty()) {
    return Error{ErrorKind::BadInput, "no plugin given"};
  }
  if (plugins->size() > 1) {
    return Error{ErrorKind::BadInput,
                 "more than one plugin given (" + (*plugins)[0] + ", " + (*plugins)[1] + ")"};
  }
  options.pluginPath = plugins->front();
  return std::nullopt;
}

int runValidate(const ValidateOptions &options, std::ostream &out) {
  out << "validate " << options.pluginPath << " (seed " << options.seed << ", " << options.steps
      << " steps, " << (options.inProcess ? "in process" : "each check in a child process") << ")\n"
      << std::flush;
  std::size_t failedCount = 0;
  for (const Check &check : kChecks) {
    const CheckResult result = runCheck(check, options);
    if (result.passed()) {
      out << "passed  " << check.name << ": " << check.description << '\n';
    } else {
      ++failedCount;
      out << "FAILED  " << check.name << ": " << result.reason << '\n';
    }
    out.flush();
  }
  out << kChecks.size() - failedCount << " passed, " << failedCount << " failed\n";
  return exitStatus(failedCount == 0 ? Outcome::Success : Outcome::PluginFailed);
}

int validateMain(const std::vector<std::string> &words, std::ostream &out, std::ostream &err) {
  ValidateOptions options;
  // A check's own process, started by runCheck.
  if (words.size() >= 2 && words.front() == kChildCheckOption) {
    const Check *check = findCheck(words[1]);
    if (check == nullptr || parseValidateOptions({words.begin() + 2, words.end()}, options)) {
      return exitStatus(Outcome::BadInput);
    }
    return reportFromChild(
        [check, &options](const ProgressNote &note) { return check->run(options, note); }, out);
  }
  if (sim::asksForHelp(words)) {
    out << kUsage;
    return exitStatus(Outcome::Success);
  }
  if (const auto problem = parseValidateOptions(words, options)) {
    return sim::reportVerbError(err, kVerb, *problem, kUsage);
  }
  // A file that is no plugin at all (a text file, a program, a folder, a
  // missing file, a library without a descriptor) is one error. Opening a
  // library runs its code, so a child tries it when the checks run in one.
  const CheckResult opened = runCheck(kOpensCheck, options);
  if (opened.outcome == Outcome::BadInput) {
    return sim::reportVerbError(err, kVerb, {ErrorKind::NoPlugin, opened.reason}, kUsage);
  }
  return runValidate(options, out);
}

} // namespace corvane::validate

// Checks in child processes: the words that start one, the lines it writes
// back (progress notes, then its result) and what its end means for the
// check. Starting and waiting are the platform's (child_process.h).
#include "child_run.h"

#include <algorithm>
#include <exception>
#include <optional>
#include <sstream>

#include "child_process.h"

namespace corvane::validate {

namespace {

// Each message is one line: a tag, a colon, the text with newlines flattened.
// A failure's tag says its kind: a failed check, or a file that is no plugin.
constexpr std::string_view kNoteTag = "note:";
constexpr int kSecondsDigits = 15; // a --timeout as typed, without float noise
constexpr std::string_view kPassTag = "pass:";
constexpr std::string_view kFailTag = "fail:";
constexpr std::string_view kNoPluginTag = "noplugin:";
constexpr int kExitReported = 0;

std::string messageLine(std::string_view tag, std::string text) {
  std::replace(text.begin(), text.end(), '\n', ' ');
  return std::string(tag) + text + "\n";
}

struct ChildMessages {
  std::string pending;
  std::string lastNote;
  std::optional<CheckResult> result;

  void take(std::string_view chunk) {
    pending.append(chunk);
    std::size_t end = 0;
    while ((end = pending.find('\n')) != std::string::npos) {
      const std::string line = pending.substr(0, end);
      pending.erase(0, end + 1);
      if (line.starts_with(kNoteTag)) {
        lastNote = line.substr(kNoteTag.size());
      } else if (line.starts_with(kPassTag)) {
        result = CheckResult::pass();
      } else if (line.starts_with(kFailTag)) {
        result = CheckResult::fail(line.substr(kFailTag.size()));
      } else if (line.starts_with(kNoPluginTag)) {
        result = CheckResult::fail(line.substr(kNoPluginTag.size()), Outcome::BadInput);
      }
    }
  }

  std::string after() const { return lastNote.empty() ? "" : ", during " + lastNote; }
};

// "2 s", "0.5 s": as few digits as the number needs.
std::string secondsAsWritten(double seconds) {
  std::ostringstream text;
  text.precision(kSecondsDigits);
  text << seconds << " s";
  return text.str();
}

CheckResult resultOf(const ChildEnd &end, const ChildMessages &messages, double timeoutSeconds) {
  switch (end.kind) {
  case ChildEnd::Kind::Hung:
    return CheckResult::fail("hung: no result within " + secondsAsWritten(timeoutSeconds) +
                             messages.after());
  case ChildEnd::Kind::Failed:
    return CheckResult::fail(end.what + messages.after());
  case ChildEnd::Kind::Exited:
    break;
  }
  if (!messages.result) {
    return CheckResult::fail("crashed: exited with status " + std::to_string(end.status) +
                             " before reporting" + messages.after());
  }
  return *messages.result;
}

} // namespace

CheckResult runInChild(const std::vector<std::string> &words, double timeoutSeconds) {
  ChildMessages messages;
  const auto deadline = Clock::now() + std::chrono::duration_cast<std::chrono::milliseconds>(
                                           std::chrono::duration<double>(timeoutSeconds));
  const ChildEnd end =
      runOwnProgram(words, deadline, [&messages](std::string_view chunk) { messages.take(chunk); });
  return resultOf(end, messages, timeoutSeconds);
}

int reportFromChild(const CheckBody &body, std::ostream &out) {
  prepareChildProcess();
  CheckResult result;
  try {
    result =
        body([&out](const std::string &note) { out << messageLine(kNoteTag, note) << std::flush; });
  } catch (const std::exception &error) {
    result = CheckResult::fail(std::string("threw an exception: ") + error.what());
  } catch (...) {
    result = CheckResult::fail("threw an exception that is no std::exception");
  }
  const std::string_view tag = result.passed()                       ? kPassTag
                               : result.outcome == Outcome::BadInput ? kNoPluginTag
                                                                     : kFailTag;
  out << messageLine(tag, result.reason) << std::flush;
  return kExitReported;
}

} // namespace corvane::validate

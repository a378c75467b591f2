// The lockstep driver: runs each action on the simulator and on the model and
// reports the first step where they part.
#include "lockstep.h"

#include <fstream>
#include <vector>

#include "action_generator.h"
#include "host/session/simulator.h"
#include "trace_text.h"

namespace modelcheck {

namespace {

std::vector<std::string> splitLines(const std::string &text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find('\n', start);
    if (end == std::string::npos) {
      end = text.size();
    }
    lines.push_back(text.substr(start, end - start));
    start = end + 1;
  }
  return lines;
}

std::string takeText(std::ostringstream &stream) {
  std::string text = stream.str();
  stream.str({});
  return text;
}

void listLines(std::string &out, std::string_view title, const std::vector<std::string> &lines) {
  out += "  ";
  out += title;
  out += " (" + std::to_string(lines.size()) + " lines):\n";
  for (const std::string &line : lines) {
    out += "    " + line + "\n";
  }
}

} // namespace

Lockstep::Lockstep(const std::string &pluginPath)
    : simulator_(std::make_unique<corvane::sim::Simulator>(
          corvane::sim::SimulatorOptions{nullptr, &err_, &trace_, false})) {
  simulator_->load(pluginPath);
  settingNames_ = model_.settingNames();
  // Loading traces registrations only, which are off here.
  trace_.str({});
}

Lockstep::~Lockstep() = default;

bool Lockstep::loaded() const { return simulator_->loaded(); }

std::optional<std::string> Lockstep::step(std::string_view line) {
  ++steps_;
  const Prediction expected = model_.run(line);
  const corvane::Outcome status = simulator_->run(line, "<model>", static_cast<int>(steps_));
  const std::vector<std::string> actual = splitLines(takeText(trace_));
  const std::vector<std::string> errors = splitLines(takeText(err_));
  const bool refused = status == corvane::Outcome::BadInput;
  lastRefused_ = refused;
  traceLines_ += actual.size();
  for (const std::string &traced : actual) {
    searchStarts_ += traceBody(traced).starts_with("StartMatchmaking") ? 1 : 0;
  }

  std::string report;
  if (actual != expected.trace) {
    report += "the trace differs from the model's\n";
    listLines(report, "expected", expected.trace);
    listLines(report, "actual", actual);
  }
  if (refused != expected.error) {
    report += std::string("the line was ") + (refused ? "refused" : "accepted") + ", the model " +
              (expected.error ? "refuses" : "accepts") + " it\n";
  }
  const std::size_t expectedErrors =
      static_cast<std::size_t>(expected.consoleErrors) + (expected.error ? 1 : 0);
  if (errors.size() != expectedErrors) {
    report += "expected " + std::to_string(expectedErrors) + " error lines\n";
    listLines(report, "error output", errors);
  }
  report += hostStateDifference();
  for (const std::string &violation : invariants_.check(line, refused, actual, model_)) {
    report += "invariant broken: " + violation + "\n";
  }
  if (report.empty()) {
    return std::nullopt;
  }
  return report;
}

std::string Lockstep::hostStateDifference() const {
  const corvane::host::Host &host = simulator_->host();
  std::string report;
  const auto compare = [&report](std::string_view what, const auto &expected, const auto &actual) {
    if (expected != actual) {
      report += "the host's " + std::string(what) + " differs from the model's\n";
    }
  };
  compare("search flag", model_.searching(), host.searching());
  compare("game state", static_cast<int>(model_.gameState()), static_cast<int>(host.state()));
  compare("pending timer count", model_.pendingTimers(), host.pendingTimers());
  const std::set<std::int32_t> &selected = model_.selectedPlaylists();
  compare("playlist selection", std::vector<std::int32_t>(selected.begin(), selected.end()),
          host.selectedPlaylists());
  for (const std::string &name : settingNames_) {
    const auto value = host.settingValue(name);
    if (!value || *value != *model_.settingText(name)) {
      report += "setting " + name + " holds " + quotedText(value.value_or("<none>")) +
                ", the model " + quotedText(*model_.settingText(name)) + "\n";
    }
  }
  return report;
}

LockstepResult runLockstep(const LockstepOptions &options) {
  LockstepResult result;
  Lockstep lockstep(options.pluginPath);
  if (!lockstep.loaded()) {
    result.passed = false;
    result.report = "the plugin did not load: " + options.pluginPath;
    return result;
  }
  SeededSource source(options.seed);
  std::vector<std::string> lines;
  std::vector<bool> refused;
  for (std::size_t step = 1; step <= options.steps; ++step) {
    lines.push_back(nextAction(source));
    const auto difference = lockstep.step(lines.back());
    refused.push_back(lockstep.lastRefused());
    result.steps = step;
    result.traceLines = lockstep.traceLines();
    result.searchStarts = lockstep.searchStarts();
    if (!difference) {
      continue;
    }
    result.passed = false;
    std::string &report = result.report;
    report = "model check failed: seed " + std::to_string(options.seed) + ", step " +
             std::to_string(step) + "\n";
    report += "  replay: " + options.replayCommand + "\n";
    report += "  last actions:\n";
    const std::size_t first = step > options.history ? step - options.history : 0;
    for (std::size_t at = first; at < step; ++at) {
      report += "    " + std::to_string(at + 1) + ": " + lines[at] + "\n";
    }
    report += *difference;
    if (!options.replayScript.empty()) {
      // A script ends at its first error, so the refused lines, which
      // changed nothing, are left out; the failing line stays.
      std::ofstream script(options.replayScript);
      script << "# model check, seed " << options.seed << ", steps 1 to " << step
             << ", refused lines left out\n";
      for (std::size_t at = 0; at < lines.size(); ++at) {
        if (!refused[at] || at + 1 == lines.size()) {
          script << lines[at] << '\n';
        }
      }
      report += "  every action so far: " + options.replayScript + " (corvane-sim PLUGIN SCRIPT)\n";
    }
    break;
  }
  return result;
}

} // namespace modelcheck

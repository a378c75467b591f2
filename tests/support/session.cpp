// One fresh stand-in host for a test or a benchmark.
#include "session.h"

namespace vexlo::testing {
namespace {

std::string take(std::ostringstream &stream) {
  std::string text = stream.str();
  stream.str({});
  stream.clear();
  return text;
}

corvane::sim::SimulatorOptions simulatorOptions(SessionOptions options, std::ostream &out,
                                                std::ostream &err, std::ostream &trace) {
  return corvane::sim::SimulatorOptions{options.capture ? &out : nullptr,
                                        options.capture ? &err : nullptr,
                                        options.trace ? &trace : nullptr, options.verbose};
}

} // namespace

std::vector<std::string> splitLines(const std::string &text) {
  std::vector<std::string> lines;
  std::string::size_type start = 0;
  while (start < text.size()) {
    const auto end = text.find('\n', start);
    if (end == std::string::npos) {
      lines.push_back(text.substr(start));
      break;
    }
    lines.push_back(text.substr(start, end - start));
    start = end + 1;
  }
  return lines;
}

Session::Session(SessionOptions options)
    : capture_(options.capture), simulator_(simulatorOptions(options, out_, err_, trace_)) {}

std::optional<std::string> Session::load(const std::string &path) {
  const std::string::size_type errorsBefore = err_.str().size();
  if (simulator_.load(path)) {
    return std::nullopt;
  }
  std::string reason = "the plugin at " + path + " was refused";
  if (capture_) {
    reason += ": " + err_.str().substr(errorsBefore);
  }
  return reason;
}

std::optional<std::string> Session::start(std::string_view setup) {
  if (auto refused = load()) {
    return refused;
  }
  if (run(setup, "<setup>") != corvane::Outcome::Success) {
    return "the setup failed: " + std::string(setup);
  }
  return std::nullopt;
}

corvane::Outcome Session::run(std::string_view text, std::string_view file, int line) {
  return simulator_.run(text, file, line);
}

std::string Session::takeOutput() { return take(out_); }
std::string Session::takeErrors() { return take(err_); }
std::vector<std::string> Session::takeTrace() { return splitLines(take(trace_)); }

corvane::host::PluginContext &Session::pluginContext() {
  if (context_ == nullptr) {
    context_ = &host().createContext("test plugin");
  }
  return *context_;
}

} // namespace vexlo::testing

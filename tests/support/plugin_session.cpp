// A fresh stand-in host with the built vexlo plugin loaded.
#include "plugin_session.h"

#include <gtest/gtest.h>

namespace vexlo::testing {
namespace {

std::string take(std::ostringstream &stream) {
  std::string text = stream.str();
  stream.str({});
  stream.clear();
  return text;
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

PluginSession::PluginSession(bool verbose)
    : simulator_(corvane::sim::SimulatorOptions{&out_, &err_, &trace_, verbose}) {
  if (!simulator_.load(VEXLO_PLUGIN_PATH)) {
    ADD_FAILURE() << "the plugin was refused: " << err_.str();
  }
}

PluginSession::~PluginSession() { simulator_.unload(); }

std::vector<std::string> PluginSession::run(std::string_view console) {
  const corvane::sim::Status status = simulator_.run(console);
  EXPECT_EQ(status, corvane::sim::Status::Ok) << "console text:\n"
                                              << console << "\nerrors:\n"
                                              << err_.str();
  return takeTrace();
}

corvane::sim::Status PluginSession::runStatus(std::string_view console) {
  return simulator_.run(console);
}

std::vector<std::string> PluginSession::takeTrace() { return splitLines(take(trace_)); }
std::string PluginSession::takeOutput() { return take(out_); }
std::string PluginSession::takeErrors() { return take(err_); }

} // namespace vexlo::testing

// A fresh stand-in host with the built vexlo plugin loaded.
#include "plugin_session.h"

#include <gtest/gtest.h>

namespace vexlo::testing {

PluginSession::PluginSession(bool verbose) : Session({.verbose = verbose}) {
  if (const auto refused = load()) {
    ADD_FAILURE() << *refused;
  }
}

std::vector<std::string> PluginSession::run(std::string_view console) {
  const corvane::Outcome status = Session::run(console);
  EXPECT_EQ(status, corvane::Outcome::Success) << "console text:\n"
                                               << console << "\nerrors:\n"
                                               << errors();
  return takeTrace();
}

} // namespace vexlo::testing

// What the plugin's tests start from: a session with the plugin loaded, the
// trace lines it answers with, the matchers they are checked with, and an
// enabled plugin with a given wait.
#pragma once

#include <string>
#include <vector>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "plugin_session.h"

using ::testing::Contains;
using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::IsEmpty;
using ::testing::Not;
using vexlo::testing::PluginSession;
using Lines = std::vector<std::string>;

// An enabled plugin that waits `WaitSeconds` before it launches.
template <int WaitSeconds> class EnabledPluginTest : public ::testing::Test {
protected:
  EnabledPluginTest() {
    session.run("vexlo_enabled 1\nvexlo_waitingtime " + std::to_string(WaitSeconds));
  }
  Lines run(const std::string &console) { return session.run(console); }

  PluginSession session;
};

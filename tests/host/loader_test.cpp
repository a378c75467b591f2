// Loading and unloading plugin libraries: what a loaded plugin can do, what
// its unload leaves behind, and which libraries the host refuses.
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

#include <gtest/gtest.h>

#if !defined(_WIN32)
#include <sys/wait.h>
#endif

#include "host/session/loader/shared_library.h"
#include "session.h"

namespace {

using corvane::Outcome;
using vexlo::testing::Session;

// Keeps a fixture library mapped after the host closes it, so the test can
// still read what the plugin logged, and reads that log.
class MappedFixture {
public:
  explicit MappedFixture(const char *path) : library_(corvane::loader::SharedLibrary::open(path)) {}

  bool mapped() const { return static_cast<bool>(library_); }
  template <typename Function> Function *function(const char *name) const {
    return reinterpret_cast<Function *>((*library_)->symbol(name));
  }
  std::string log() const { return function<const char *()>("fixture_log")(); }

private:
  corvane::Expected<std::unique_ptr<corvane::loader::SharedLibrary>> library_;
};

// Runs `program arguments` with empty input and no output, and gives its exit
// status, or -1 when it did not exit by itself.
int exitStatusOf(const std::string &program, const std::string &arguments) {
#if defined(_WIN32)
  // cmd.exe reads a leading '/' as a switch: the program in Windows' spelling.
  const std::string command = std::filesystem::path(program).make_preferred().string() + " " +
                              arguments + " <NUL >NUL 2>&1";
  return std::system(command.c_str());
#else
  const std::string command = program + " " + arguments + " </dev/null >/dev/null 2>&1";
  const int status = std::system(command.c_str());
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
#endif
}

TEST(PluginLoad, LoadedPluginWorksThroughTheConsole) {
  Session session;
  ASSERT_TRUE(session.simulator().load(HOST_FIXTURE_PLUGIN)) << session.errors();
  EXPECT_TRUE(session.simulator().loaded());
  EXPECT_EQ(session.run("fixture_level 4\n"
                        "fixture_level 40\n"
                        "fixture_ping a \"b c\"\n"
                        "sim_wait 2\n"
                        "sim_call \"Function Fixture.Event\"\n"
                        "sim_wait 0.5\n"
                        "fixture_draw 1\n"
                        "sim_frame\n"
                        "sim_expect drawn true"),
            Outcome::Success);
  EXPECT_EQ(session.output(), "changed 3 to 4 bound 4\n"
                              "changed 4 to 10 bound 10\n"
                              "pong fixture_ping a b c\n"
                              "entry Function Fixture.Event\n"
                              "after Function Fixture.Event\n"
                              "timer fired\n");
  EXPECT_EQ(session.errors(), "");
}

TEST(PluginLoad, SecondLoadIsRefusedWhileOneIsLoaded) {
  Session session;
  ASSERT_TRUE(session.simulator().load(HOST_FIXTURE_PLUGIN));
  EXPECT_FALSE(session.simulator().load(HOST_FIXTURE_PLUGIN));
  EXPECT_NE(session.errors().find("already loaded"), std::string::npos);
}

TEST(PluginUnload, DropsRegistrationsKeepsConsoleStateAndRunsNothingAfterwards) {
  MappedFixture fixture(HOST_FIXTURE_PLUGIN);
  ASSERT_TRUE(fixture.mapped());
  fixture.log();
  Session session;
  ASSERT_TRUE(session.simulator().load(HOST_FIXTURE_PLUGIN));
  ASSERT_EQ(session.run("fixture_level 7\nfixture_draw 1\nfixture_ping\nbind F1 fixture_ping"),
            Outcome::Success);
  ASSERT_EQ(session.host().pendingTimers(), 1U);

  session.simulator().unload();
  EXPECT_FALSE(session.simulator().loaded());
  // Every closure the plugin handed over was gone before deleteMe ran.
  EXPECT_EQ(fixture.log(), "onLoad;onUnload;deleteMe live=0;destroyed;");
  EXPECT_EQ(session.host().pendingTimers(), 0U);
  EXPECT_EQ(session.host().settingValue("fixture_level"), "7");
  EXPECT_EQ(session.host().keyBinding("F1"), "fixture_ping");

  session.takeOutput();
  EXPECT_EQ(session.run("sim_wait 10\nsim_call \"Function Fixture.Event\"\nfixture_level 8\n"
                        "sim_frame\nsim_expect drawn false\nsim_key F1"),
            Outcome::Success);
  EXPECT_EQ(session.output(), "");
  EXPECT_EQ(session.errors(), "console: unknown command fixture_ping\n");
  EXPECT_EQ(session.run("fixture_ping"), Outcome::BadInput);
  EXPECT_EQ(fixture.log(), "");
}

TEST(PluginUnload, ReloadAfterUnloadStartsFresh) {
  Session session;
  ASSERT_TRUE(session.simulator().load(HOST_FIXTURE_PLUGIN));
  session.simulator().unload();
  ASSERT_TRUE(session.simulator().load(HOST_FIXTURE_PLUGIN));
  EXPECT_EQ(session.run("fixture_level 5"), Outcome::Success);
  EXPECT_EQ(session.output(), "changed 3 to 5 bound 5\n");
}

TEST(PluginRefusal, BadLibrariesAreRefusedWithTheFileNamed) {
  struct Case {
    const char *path;
    const char *reason;
  };
  for (const Case &refused : {
           Case{HOST_FIXTURE_WRONG_VERSION, "API version 94"},
           Case{HOST_FIXTURE_HIGH_HALF, "upper half not 0"},
           Case{HOST_FIXTURE_NULL_TEXT, "null text"},
           Case{HOST_FIXTURE_NO_TEARDOWN, "no teardown"},
           Case{HOST_FIXTURE_NO_DESCRIPTOR, "no descriptor named `exports`"},
           Case{"/nonexistent/plugin.so", "cannot load plugin /nonexistent/plugin.so"},
       }) {
    MappedFixture fixture(refused.path);
    Session session({.verbose = true});
    EXPECT_FALSE(session.simulator().load(refused.path)) << refused.path;
    EXPECT_FALSE(session.simulator().loaded());
    const std::string message = session.errors();
    EXPECT_NE(message.find(std::string("cannot load plugin ") + refused.path), std::string::npos)
        << message;
    EXPECT_NE(message.find(refused.reason), std::string::npos) << message;
    EXPECT_EQ(session.traceText(), "");
    if (fixture.mapped()) {
      // The factory was never called.
      EXPECT_EQ(fixture.function<int()>("fixture_created")(), 0) << refused.path;
    }
  }
}

TEST(PluginRefusal, CorvaneSimExitsWithStatusTwo) {
  EXPECT_EQ(exitStatusOf(CORVANE_SIM_PATH, HOST_FIXTURE_WRONG_VERSION), 2);
}

} // namespace

// The console as a script author uses it: errors with their place, checks,
// key bindings, scripts running scripts, and lines issued by plugins.
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <string>
#include <system_error>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "host/base/utf8_path.h"
#include "session.h"

namespace {

using corvane::Outcome;
using vexlo::testing::Session;

TEST(ConsoleErrors, EachBadLineGivesOnePlacedMessageAndChangesNothing) {
  // The system's reason, in its C library's words.
  const std::string kNoSuchFile =
      std::make_error_code(std::errc::no_such_file_or_directory).message();
  const std::vector<std::pair<std::string, std::string>> cases = {
      {"no_such_command", "unknown command no_such_command"},
      {"echo \"open", "unterminated quote"},
      {"sim_state", "usage: sim_state menu|freeplay|online (got no argument)"},
      {"sim_searching yes", "usage: sim_searching true|false (got \"yes\")"},
      {"sim_matchmaking maybe", "usage: sim_matchmaking on|off (got \"maybe\")"},
      {"sim_frame -1", "usage: sim_frame [N] (got \"-1\")"},
      {"sim_key", "usage: sim_key KEY (got no argument)"},
      {"sim_call", "usage: sim_call \"FUNCTION\" (got no argument)"},
      {"sim_game_found now", "usage: sim_game_found (got \"now\")"},
      {"bind F1", "usage: bind KEY COMMAND... (got \"F1\")"},
      {"unbind F2", "key F2 is not bound"},
      {"load_freeplay please", "usage: load_freeplay (got \"please\")"},
      {"exec missing.cfg", "cannot read script missing.cfg: " + kNoSuchFile},
      {"exec .", "cannot read script .: it is a folder"},
      {"exec", "usage: exec FILE (got no argument)"}, // fault: reads past its words
      {"sim_expect searching", "usage: sim_expect WHAT VALUE (got \"searching\")"},
      {"sim_expect weather sunny", "usage: sim_expect WHAT VALUE (got \"weather\" \"sunny\")"},
      {"sim_expect searching yes", "searching is true or false, not yes"},
      {"sim_expect calls NoSuchOp 1", "no SDK operation named NoSuchOp"},
      {"sim_expect setting nothing 1", "no setting named nothing"},
      {"sim_expect timers many", "timers takes a count, not many"},
      {"sim_expect drawn false", "drawn: no frame has been rendered yet (sim_frame renders one)"},
  };
  for (const auto &[line, message] : cases) {
    Session session;
    EXPECT_EQ(session.simulator().run("echo first\n" + line + "\necho never", "case.cfg", 10),
              Outcome::BadInput)
        << line;
    EXPECT_EQ(session.errors(), "case.cfg:11: " + message + "\n") << line;
    EXPECT_EQ(session.output(), "first\n") << line;
    EXPECT_EQ(session.host().state(), corvane::host::GameState::Menu) << line;
    EXPECT_FALSE(session.host().searching()) << line;
    EXPECT_TRUE(session.host().matchmakingUsable()) << line;
    EXPECT_FALSE(session.host().keyBinding("F1")) << line;
  }
}

TEST(ConsoleErrors, CommentsAndBlankLinesCount) {
  Session session;
  EXPECT_EQ(session.simulator().run("# comment\n\n   // another\nbogus", "s.cfg"),
            Outcome::BadInput);
  EXPECT_EQ(session.errors(), "s.cfg:4: unknown command bogus\n");
}

TEST(Expectations, PassingChecksOfEveryKind) {
  Session session;
  session.cvars().registerCvar("s", "value with space", "", false, false, 0, false, 0, false);
  EXPECT_EQ(session.run("sim_expect searching false\n"
                        "sim_expect selected none\n"
                        "sim_expect category none\n"
                        "sim_expect state menu\n"
                        "sim_frame\n"
                        "sim_expect drawn false\n"
                        "sim_expect timers 0\n"
                        "sim_expect calls registerCvar 1\n"
                        "sim_expect setting s \"value with space\"\n"
                        "sim_expect bound F1 none\n"
                        "bind F1 echo \"a b\"\n"
                        "sim_expect bound F1 echo \"a b\"\n"
                        "sim_expect bound F1 \"echo \\\"a b\\\"\""),
            Outcome::Success);
  EXPECT_EQ(session.errors(), "");
}

TEST(Expectations, FailedCheckEndsTheRunWithWhatWasFound) {
  const std::vector<std::pair<std::string, std::string>> cases = {
      {"sim_expect searching true", "expected searching true, got false"},
      {"sim_expect selected 1,2", "expected selected 1,2, got none"},
      {"sim_expect category 1", "expected category 1, got none"},
      {"sim_expect state online", "expected state online, got menu"},
      {"sim_frame; sim_expect drawn true", "expected drawn true, got false"},
      {"sim_expect timers 2", "expected timers 2, got 0"},
      {"sim_expect setting s 5", "expected setting s \"5\", got \"4\""},
      {"sim_expect bound F1 echo", "expected bound F1 \"echo\", got none"},
  };
  for (const auto &[line, message] : cases) {
    Session session;
    session.cvars().registerCvar("s", "4", "", false, false, 0, false, 0, false);
    EXPECT_EQ(session.simulator().run(line + "\necho never", "check.cfg", 3), Outcome::PluginFailed)
        << line;
    EXPECT_EQ(session.errors(), "check.cfg:3: " + message + "\n");
    EXPECT_EQ(session.output(), "");
  }
}

TEST(KeyBindings, BoundLineRunsOnKeyPressAndStaysAfterUnbindOfOthers) {
  Session session;
  EXPECT_EQ(session.run("bind F1 echo pressed \"two words\"; echo same line\n"
                        "sim_key F1\n"
                        "sim_key F9\n"
                        "bind F2 load_freeplay\n"
                        "unbind F2\n"
                        "sim_key F2"),
            Outcome::Success);
  EXPECT_EQ(session.output(), "same line\npressed two words\n");
  EXPECT_EQ(session.host().keyBinding("F1"), "echo pressed \"two words\"");
  EXPECT_FALSE(session.host().keyBinding("F2"));
  EXPECT_EQ(session.host().state(), corvane::host::GameState::Menu);
}

TEST(KeyBindings, ErrorInABoundLineIsPrintedAndTheRunGoesOn) {
  Session session;
  // The `;` ends the bind command: "echo after" runs at once, unbound.
  EXPECT_EQ(session.run("bind F1 bogus; echo after\n"
                        "sim_key F1\n"
                        "echo next line"),
            Outcome::Success);
  EXPECT_EQ(session.errors(), "console: unknown command bogus\n");
  EXPECT_EQ(session.output(), "after\nnext line\n");
}

TEST(KeyBindings, AKeyThatPressesItselfStops) {
  Session session;
  EXPECT_EQ(session.run("bind F1 sim_key F1\nsim_key F1\necho survived"), Outcome::Success);
  EXPECT_NE(session.errors().find("console: console lines nested too deeply"), std::string::npos);
  EXPECT_EQ(session.output(), "survived\n");
}

TEST(IssuedLines, PluginCommandsRunThroughTheConsole) {
  Session session;
  session.cvars().executeCommand("load_freeplay; bind F1 vexlo_queue", false);
  EXPECT_EQ(session.host().state(), corvane::host::GameState::Freeplay);
  EXPECT_EQ(session.host().keyBinding("F1"), "vexlo_queue");
  session.cvars().executeCommand("sim_state online; bogus; sim_state menu", false);
  EXPECT_EQ(session.errors(), "console: unknown command bogus\n");
  EXPECT_EQ(session.host().state(), corvane::host::GameState::Online);
}

TEST(IssuedLines, FailedCheckInAnIssuedLineEndsTheScript) {
  Session session;
  EXPECT_EQ(session.run("bind F1 sim_expect searching true\nsim_key F1\necho never"),
            Outcome::PluginFailed);
  EXPECT_EQ(session.errors(), "console: expected searching true, got false\n");
  EXPECT_EQ(session.output(), "");
  // The next run starts clean.
  EXPECT_EQ(session.run("echo again"), Outcome::Success);
}

TEST(Notifiers, RunWithTheWordsOfTheLine) {
  Session session;
  std::vector<std::string> received;
  session.cvars().registerNotifier(
      "vexlo_queue", [&](std::vector<std::string> words) { received = std::move(words); }, "Queue",
      0);
  ASSERT_EQ(session.run("vexlo_queue now \"two words\""), Outcome::Success);
  EXPECT_EQ(received, (std::vector<std::string>{"vexlo_queue", "now", "two words"}));
}

TEST(Notifiers, ThrowingCallbackFailsItsCommandOnly) {
  Session session;
  session.cvars().registerNotifier(
      "thrower", [](std::vector<std::string>) { throw std::runtime_error("boom"); }, "", 0);
  EXPECT_EQ(session.run("thrower"), Outcome::BadInput);
  EXPECT_EQ(session.errors(), "<test>:1: thrower failed: boom\n");
  session.takeErrors();
  session.cvars().executeCommand("thrower; echo still here", false);
  EXPECT_EQ(session.errors(), "console: thrower failed: boom\n");
  EXPECT_EQ(session.run("echo fine"), Outcome::Success);
}

class Scripts : public ::testing::Test {
protected:
  void SetUp() override {
    folder_ = std::filesystem::temp_directory_path() /
              ("corvane-console-test-" +
               std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "-" +
               ::testing::UnitTest::GetInstance()->current_test_info()->name());
    std::filesystem::create_directories(folder_ / "sub");
  }
  void TearDown() override { std::filesystem::remove_all(folder_); }
  // `name` is UTF-8, as a script names another.
  std::string write(const std::string &name, const std::string &text) {
    const std::filesystem::path file = folder_ / corvane::platform::pathFromUtf8(name);
    std::filesystem::create_directories(file.parent_path());
    std::ofstream(file) << text;
    return corvane::platform::utf8FromPath(file);
  }
  std::filesystem::path folder_;
};

TEST_F(Scripts, ExecResolvesBesideTheRunningScript) {
  write("main.cfg", "echo main\nexec sub/inner.cfg\necho back\n");
  write("sub/inner.cfg", "echo inner\nexec leaf.cfg\n");
  // A folder named with letters that no one ANSI code page has all of
  // ("Ünïcødé-日本", escaped): on Windows a name read through the code page is
  // not found.
  const std::string unicode = "\xC3\x9C"
                              "n\xC3\xAF"
                              "c\xC3\xB8"
                              "d\xC3\xA9-\xE6\x97\xA5\xE6\x9C\xAC";
  write("sub/leaf.cfg", "echo leaf\nexec " + unicode + "/x.cfg\n");
  write("sub/" + unicode + "/x.cfg", "echo unicode\n");
  Session session;
  EXPECT_EQ(session.simulator().runScript((folder_ / "main.cfg").string()), Outcome::Success);
  EXPECT_EQ(session.output(), "main\ninner\nleaf\nunicode\nback\n");
}

TEST_F(Scripts, ErrorInANestedScriptNamesThatScriptAndEndsTheRun) {
  const std::string main = write("main.cfg", "exec sub/bad.cfg\necho never\n");
  const std::string bad = write("sub/bad.cfg", "echo ok\n\nbogus\n");
  Session session;
  EXPECT_EQ(session.simulator().runScript(main), Outcome::BadInput);
  EXPECT_EQ(session.errors(), "sub/bad.cfg:3: unknown command bogus\n");
  EXPECT_EQ(session.output(), "ok\n");
}

TEST_F(Scripts, MissingScriptIsAnError) {
  Session session;
  EXPECT_EQ(session.simulator().runScript((folder_ / "none.cfg").string()), Outcome::BadInput);
  EXPECT_NE(session.errors().find("cannot read script"), std::string::npos);
}

TEST(ConsoleExtension, AddedCommandsRunLikeBuiltIns) {
  Session session;
  std::vector<std::string> seen;
  session.simulator().console().addCommand(
      "sim_screenshot", "sim_screenshot FILE.png", "saves a picture",
      [&seen](corvane::console::Console &, const corvane::console::Words &words) {
        seen = words;
        return corvane::console::CommandResult::ok();
      });
  EXPECT_EQ(session.run("sim_screenshot \"a b.png\""), Outcome::Success);
  EXPECT_EQ(seen, (std::vector<std::string>{"sim_screenshot", "a b.png"}));
}

} // namespace

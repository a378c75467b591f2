// The trace a person reads: line format, text escapes, number forms, what
// verbose adds, and the per-operation counters; the event stream under it.
#include <array>
#include <functional>
#include <string>
#include <variant>
#include <vector>

#include <gtest/gtest.h>

#include "host/session/engine/trace_format.h"
#include "host/session/trace.h"
#include "session.h"

namespace {

using corvane::Outcome;
using corvane::host::Op;
using corvane::host::quoteText;
using vexlo::testing::Session;

TEST(TraceFormat, TextsAreQuotedWithEscapes) {
  EXPECT_EQ(quoteText("plain"), "\"plain\"");
  EXPECT_EQ(quoteText("a\"b\\c"), "\"a\\\"b\\\\c\"");
  EXPECT_EQ(quoteText("\n\r\t"), "\"\\n\\r\\t\"");
  EXPECT_EQ(quoteText(std::string("\x01\x1f\x7f", 3)), "\"\\x01\\x1f\\x7f\"");
  EXPECT_EQ(quoteText(std::string("\0", 1)), "\"\\x00\"");
  EXPECT_EQ(quoteText("caf\xc3\xa9"), "\"caf\xc3\xa9\"");
  EXPECT_EQ(quoteText(""), "\"\"");
}

TEST(TraceLines, EffectsAreTracedWithTimeAndShortestNumbers) {
  Session session;
  MatchmakingWrapper matchmaking = session.game().GetMatchmakingWrapper();
  ASSERT_EQ(session.run("sim_wait 12"), Outcome::Success);
  session.cvars().executeCommand("load_freeplay", true);
  session.game().SetTimeout([](GameWrapper *) {}, 60.0F);
  ASSERT_EQ(session.run("sim_wait 60"), Outcome::Success);
  matchmaking.SetPlaylistSelection(Playlist{5}, true);
  matchmaking.StartMatchmaking(PlaylistCategory{1});
  ASSERT_EQ(session.run("sim_wait 8.0005"), Outcome::Success);
  matchmaking.CancelMatchmaking();
  EXPECT_EQ(session.traceText(), "[12.000] executeCommand \"load_freeplay\" true\n"
                                 "[12.000] SetTimeout 60\n"
                                 "[72.000] SetPlaylistSelection 5 true\n"
                                 "[72.000] StartMatchmaking 1\n"
                                 "[80.001] CancelMatchmaking\n");
}

TEST(TraceLines, CanvasCallsInAFrame) {
  Session session;
  session.game().RegisterDrawable([](CanvasWrapper canvas) {
    canvas.SetPosition({0.0F, 0.0F});
    canvas.SetColor({255.0F, 255.0F, 0.0F, 255.0F});
    canvas.FillBox({5120.0F, 60.0F});
    canvas.DrawString("Queue \"1\"", 3.3F, 0.1F, false, true);
  });
  ASSERT_EQ(session.run("sim_frame"), Outcome::Success);
  EXPECT_EQ(session.traceText(), "[0.000] SetPosition 0 0\n"
                                 "[0.000] SetColor 255 255 0 255\n"
                                 "[0.000] FillBox 5120 60\n"
                                 "[0.000] DrawString \"Queue \\\"1\\\"\" 3.3 0.1 false true\n");
}

TEST(TraceLines, RegistrationsOnlyWhenVerboseAndReadsNever) {
  for (const bool verbose : {false, true}) {
    Session session({.verbose = verbose});
    CVarWrapper setting =
        session.cvars().registerCvar("s", "1", "Desc \"x\"", true, true, -0.5F, false, 0.0F, false);
    setting.bindTo(std::make_shared<int>());
    setting.addOnValueChanged([](std::string, CVarWrapper) {});
    session.cvars().registerNotifier(
        "n", [](std::vector<std::string>) {}, "Note", 3);
    session.game().HookEvent("Function A", [](std::string) {});
    session.game().HookEventPost("Function B", [](std::string) {});
    session.game().RegisterDrawable([](CanvasWrapper) {});
    // Reads.
    (void)session.cvars().getCvar("s").getFloatValue();
    (void)session.game().IsInFreeplay();
    (void)static_cast<bool>(session.game().GetMatchmakingWrapper());
    const std::string expected =
        verbose
            ? "[0.000] registerCvar \"s\" \"1\" \"Desc \\\"x\\\"\" true true -0.5 false 0 false\n"
              "[0.000] bindTo \"s\" int\n"
              "[0.000] addOnValueChanged \"s\"\n"
              "[0.000] registerNotifier \"n\" \"Note\" 3\n"
              "[0.000] HookEvent \"Function A\"\n"
              "[0.000] HookEventPost \"Function B\"\n"
              "[0.000] RegisterDrawable\n"
            : "";
    EXPECT_EQ(session.traceText(), expected) << "verbose " << verbose;
  }
}

TEST(TraceCounters, CountEveryCallPrintedOrNot) {
  Session session;
  session.cvars().registerCvar("s", "1", "", false, false, 0, false, 0, false);
  (void)session.cvars().getCvar("s");
  (void)session.cvars().getCvar("t");
  EXPECT_EQ(session.host().callCount(Op::registerCvar), 1U);
  EXPECT_EQ(session.host().callCount(Op::getCvar), 2U);
  EXPECT_EQ(session.run("sim_expect calls getCvar 2\nsim_expect calls registerCvar 1\n"
                        "sim_expect calls \"operator bool\" 0"),
            Outcome::Success);
  EXPECT_EQ(session.run("sim_expect calls getCvar 3"), Outcome::PluginFailed);
  EXPECT_EQ(session.errors(), "<test>:1: expected calls getCvar 3, got 2\n");
}

TEST(TraceLines, OffWithoutAStream) {
  corvane::sim::Simulator simulator(corvane::sim::SimulatorOptions{});
  auto &context = simulator.host().createContext("quiet");
  context.cvarManager()->executeCommand("echo nowhere", false);
  EXPECT_EQ(simulator.host().callCount(Op::executeCommand), 1U);
}

// Catches a subscriber told out of order, or an event that arrives without
// its data: a second reader beside the trace sees each call with its
// arguments, the timer with its due time, the frame's calls between its
// brackets, the search with its category and playlists, the new state.
TEST(EventStream, EverySubscriberSeesEachChangeInOrderWithItsData) {
  namespace host = corvane::host;
  struct Log final : host::EventSubscriber {
    std::vector<std::string> seen;
    void onEvent(const host::Event &event) override {
      std::string line = std::to_string(event.micros) + " ";
      if (const auto *call = std::get_if<host::SdkCall>(&event.what)) {
        line += host::formatCall(*call);
      } else if (const auto *timer = std::get_if<host::TimerSet>(&event.what)) {
        line += "timer due " + std::to_string(timer->dueMicros);
      } else if (const auto *search = std::get_if<host::SearchStarted>(&event.what)) {
        line += "search " + std::to_string(search->category.value_or(-1)) + " " +
                std::to_string(search->playlists.at(0));
      } else if (const auto *frame = std::get_if<host::FrameEnded>(&event.what)) {
        line += "frame drew " + std::to_string(frame->drew->calls());
      } else if (const auto *state = std::get_if<host::StateChanged>(&event.what)) {
        line += host::gameStateName(state->state);
      } else {
        line += "#" + std::to_string(event.what.index());
      }
      seen.push_back(line);
    }
  } log;
  Session session;
  MatchmakingWrapper matchmaking = session.game().GetMatchmakingWrapper();
  session.host().events().subscribe(log);
  session.game().SetTimeout(
      [&matchmaking](GameWrapper *) {
        matchmaking.SetPlaylistSelection(Playlist{5}, true);
        matchmaking.StartMatchmaking(PlaylistCategory{1});
      },
      2.0F);
  session.game().RegisterDrawable([](CanvasWrapper canvas) { canvas.FillBox({4.0F, 2.5F}); });
  ASSERT_EQ(session.run("sim_frame\nsim_wait 2\nload_freeplay"), Outcome::Success);
  session.host().events().unsubscribe(log);
  EXPECT_EQ(log.seen,
            (std::vector<std::string>{"0 SetTimeout 2", "0 timer due 2000000", "0 RegisterDrawable",
                                      "0 #15", "0 #13", "0 FillBox 4 2.5", "0 frame drew 1",
                                      "2000000 SetPlaylistSelection 5 true", "2000000 #3",
                                      "2000000 StartMatchmaking 1", "2000000 search 1 5",
                                      "2000000 #7", "2000000 freeplay"}));
  EXPECT_EQ(session.traceText(), "[0.000] SetTimeout 2\n[0.000] FillBox 4 2.5\n"
                                 "[2.000] SetPlaylistSelection 5 true\n"
                                 "[2.000] StartMatchmaking 1\n");
}

// Catches a change that goes around the engine unseen: what a plugin
// registers, a setting's new value (told before the plugin reacts to it) and
// a key bound or unbound from the console all reach a subscriber.
TEST(EventStream, RegistrationsSettingsAndKeysAreChangesSubscribersSee) {
  namespace host = corvane::host;
  struct Log final : host::EventSubscriber {
    std::vector<std::string> seen;
    void onEvent(const host::Event &event) override {
      if (const auto *added = std::get_if<host::Registered>(&event.what)) {
        seen.push_back(std::to_string(static_cast<int>(added->kind)) + " " + added->name);
      } else if (const auto *setting = std::get_if<host::SettingChanged>(&event.what)) {
        seen.push_back(setting->name + "=" + setting->value);
      } else if (const auto *key = std::get_if<host::KeyBound>(&event.what)) {
        seen.push_back(key->key + ":" + key->line.value_or("-"));
      } else if (const auto *call = std::get_if<host::SdkCall>(&event.what)) {
        seen.push_back(host::formatCall(*call));
      }
    }
  } log;
  Session session;
  session.host().events().subscribe(log);
  CVarWrapper setting = session.cvars().registerCvar("s", "1", "", true, false, 0, false, 0, false);
  setting.addOnValueChanged([&session](std::string, CVarWrapper) {
    session.game().SetTimeout([](GameWrapper *) {}, 1.0F);
  });
  session.game().HookEventPost("F", [](std::string) {});
  ASSERT_EQ(session.run("s 2\nbind K s 3\nunbind K"), Outcome::Success);
  session.host().events().unsubscribe(log);
  EXPECT_EQ(log.seen, (std::vector<std::string>{
                          "registerCvar \"s\" \"1\" \"\" true false 0 false 0 false", "2 s",
                          "addOnValueChanged \"s\"", "4 s", "HookEventPost \"F\"", "1 F", "s=2",
                          "SetTimeout 1", "K:s 3", "K:-"}));
}

// Catches a subscriber skipped, or told after it left, when the list changes
// while an event is told: the first of three subscribers, on its first
// event, subscribes a fourth, leaves, or unsubscribes the third.
TEST(EventStream, SubscribersChangedWhileAnEventIsTold) {
  namespace host = corvane::host;
  struct Counter final : host::EventSubscriber {
    std::function<void()> first;
    int told = 0;
    void onEvent(const host::Event & /*event*/) override {
      if (told++ == 0 && first) {
        first();
      }
    }
  };
  using Subscribers = std::array<Counter, 4>;
  struct Row {
    std::function<void(host::EventStream &, Subscribers &)> change;
    std::array<int, 4> told; // after two events
  };
  const std::vector<Row> rows = {
      {[](host::EventStream &stream, Subscribers &s) { stream.subscribe(s[3]); }, {2, 2, 2, 2}},
      {[](host::EventStream &stream, Subscribers &s) { stream.unsubscribe(s[0]); }, {1, 2, 2, 0}},
      {[](host::EventStream &stream, Subscribers &s) { stream.unsubscribe(s[2]); }, {2, 2, 0, 0}},
  };
  for (std::size_t row = 0; row < rows.size(); ++row) {
    host::EventStream stream;
    Subscribers subscribers;
    subscribers[0].first = [&] { rows[row].change(stream, subscribers); };
    for (std::size_t i = 0; i < 3; ++i) {
      stream.subscribe(subscribers.at(i));
    }
    stream.publish(host::Event{0, host::FrameBegun{}});
    stream.publish(host::Event{1, host::FrameBegun{}});
    for (std::size_t i = 0; i < subscribers.size(); ++i) {
      EXPECT_EQ(subscribers.at(i).told, rows[row].told.at(i))
          << "row " << row << ", subscriber " << i;
    }
  }
}

} // namespace

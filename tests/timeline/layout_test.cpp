// Timeline layout: event marks that would overprint, the axis's steps and
// its breaks.
#include <host/tools/timeline/timeline_layout.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "host/session/simulator.h"
#include "host/tools/timeline/timeline_extension.h"

namespace corvane::timeline {
namespace {

constexpr const char *kMatchEnded = "Function TAGame.GameEvent_Soccar_TA.EventMatchEnded";

Micros micros(double seconds) { return std::llround(seconds * host::kMicrosPerSecond); }

// Catches labels printed over each other, a full function path as a label,
// a group whose count or label is wrong, a shortened label that loses its
// first character, and one mark for events on either side of a break (its
// time placed across the break).
TEST(TimelineLayoutTest, CloseEventsShareOneMarkWithACount) {
  struct Row {
    std::vector<double> times;
    std::vector<const char *> labels;
    std::vector<std::string> marks;
    // 100 s over 1000 px: events under 10 s apart are under a label's width.
    Scale scale{0.0, 100.0, 0.0, 1000.0};
  };
  // 10 s, a break of 990 s in 10 px, 10 s: 9.9 s and 1000.1 s are 12 px apart.
  const Scale broken({{0.0, 10.0, 0.0, 100.0, false},
                      {10.0, 1000.0, 100.0, 110.0, true},
                      {1000.0, 1010.0, 110.0, 210.0, false}});
  const std::vector<Row> rows{
      {{1.0, 50.0}, {kMatchEnded, "Function A.B.RoundStart"}, {"EventMatchEnded", "RoundStart"}},
      {{1.0, 2.0, 9.0, 30.0},
       {kMatchEnded, kMatchEnded, kMatchEnded, "Function A.X"},
       {"EventMatchEnded \u00d73", "X"}},
      {{5.0, 5.5}, {"Function A.One", "Function A.Two"}, {"One, Two"}},
      {{1.0},
       {"Function A.AbcdefghijklmnopqrstuvwxyzABCDEFG"},
       {"AbcdefghijklmnopqrstuvwxyzA\u2026"}},
      {{9.9, 1000.1}, {"Function A.One", "Function A.Two"}, {"One", "Two"}, broken},
  };
  for (const Row &row : rows) {
    std::vector<Event> events;
    for (std::size_t i = 0; i < row.times.size(); ++i) {
      events.push_back(Event{micros(row.times[i]), EventKind::Function, row.labels[i]});
    }
    events.push_back(Event{micros(row.times.front()), EventKind::Key, "F3"}); // another lane's
    std::vector<std::string> labels;
    for (const EventMark &mark :
         groupEvents(events, EventKind::Function, row.scale, kEventLabelWidth)) {
      labels.push_back(mark.label);
    }
    EXPECT_EQ(labels, row.marks) << "first event at " << row.times.front();
  }
}

// A run that is online from 0 s, then busy from `busyFrom` to its end,
// with a key at each of the two.
Timeline idleThenBusy(double busyFrom, double end) {
  Timeline run;
  run.end = micros(end);
  run.states = {{0, micros(busyFrom), host::GameState::Online},
                {micros(busyFrom), micros(end), host::GameState::Freeplay}};
  run.searches = {{micros(end), micros(end), 1, {5}}};
  run.events = {{0, EventKind::Key, "F3"}, {micros(busyFrom), EventKind::Key, "F3"}};
  return run;
}

// Catches axes whose ticks crowd or whose labels are not round numbers, an
// idle stretch drawn at its true width or a busy stretch broken, a break
// whose far side has no time on it, x running backwards across a break (an
// event's time placed in the piece after its own), and a break over a
// search's start.
TEST(TimelineLayoutTest, AxisStepsAreOneTwoOrFiveTimesAPowerOfTen) {
  struct Row {
    Timeline run;
    std::vector<std::string> firstLabels;
    std::size_t breaks;
    double busyFrom;  // the share of the axis from here to the end is
    double busyShare; // this, within kShareTolerance
  };
  constexpr double kShareTolerance = 0.05;
  const auto lasting = [](double end) {
    Timeline run;
    run.end = micros(end);
    return run;
  };
  Timeline everyTenMinutes = lasting(3.0 * 3600.0);
  for (double t = 0.0; t <= 3.0 * 3600.0; t += 600.0) {
    everyTenMinutes.events.push_back(Event{micros(t), EventKind::Key, "F3"});
  }
  Timeline fourHoursAway = lasting(4.0 * 3610.0); // ten seconds' play after each hour
  for (double t = 0.0; t <= 4.0 * 3610.0; t += 3610.0) {
    fourHoursAway.events.push_back(Event{micros(t), EventKind::Key, "F3"});
    fourHoursAway.events.push_back(Event{micros(std::max(t - 10.0, 0.0)), EventKind::Key, "F3"});
  }
  // A search alone in an hour: nothing else marks when it started.
  Timeline loneSearch = lasting(3600.0);
  loneSearch.searches = {{micros(1800.0), micros(1810.0), 1, {5}}};
  const std::vector<Row> rows{
      {lasting(95.0), {"0 s", "10 s"}, 0, 47.5, 0.5},
      {loneSearch, {"0 s", "1800 s"}, 2, 1800.0, 0.91},
      {lasting(3.0 * 3600.0), {"0 s", "1000 s"}, 0, 5400.0, 0.5},
      {lasting(1.0), {"0.0 s", "0.1 s"}, 0, 0.5, 0.5},
      {everyTenMinutes, {"0 s", "1000 s"}, 0, 5400.0, 0.5}, // 10 min idle in 3 h: no break
      {idleThenBusy(300.0, 320.0), {"0 s", "300 s", "302 s"}, 1, 300.0, 0.91}, // the demo
      {idleThenBusy(3600.0, 3620.0), {"0 s", "3600 s", "3602 s"}, 1, 3600.0, 0.91},
      {fourHoursAway, {"0 s", "3600 s"}, 4, 14430.0, 0.17},     // none a quarter of the whole
      {idleThenBusy(50.0, 60.0), {"0 s", "5 s"}, 0, 30.0, 0.5}, // under a minute idle
  };
  for (const Row &row : rows) {
    const Layout layout = layOut(row.run);
    const Scale &scale = layout.scale;
    std::vector<std::string> labels;
    for (std::size_t i = 0; i < row.firstLabels.size() && i < layout.ticks.size(); ++i) {
      labels.push_back(layout.ticks[i].label);
    }
    EXPECT_EQ(labels, row.firstLabels) << row.run.end;
    EXPECT_EQ(std::count_if(scale.segments().begin(), scale.segments().end(),
                            [](const ScaleSegment &piece) { return piece.idle; }),
              row.breaks)
        << row.run.end;
    EXPECT_NEAR((scale.right() - scale.x(row.busyFrom)) / (scale.right() - scale.left()),
                row.busyShare, kShareTolerance)
        << row.run.end;
    for (const SearchSpan &search : row.run.searches) {
      const double start = seconds(search.start);
      EXPECT_FALSE(scale.breakBetween(start, start)) << row.run.end;
    }
    const double end = seconds(row.run.end);
    const double step = end / 4096.0;
    for (double t = -step; t < end + step; t += step) {
      ASSERT_LT(scale.x(t), scale.x(t + step)) << row.run.end << " at " << t;
    }
  }
}

// The record of a script played to its end; a picture of the bar is taken
// as a frame.
Timeline played(const std::filesystem::path &script) {
  std::ostringstream text;
  text << std::ifstream(script).rdbuf();
  TimelineExtension timelines;
  sim::Simulator simulator(
      sim::SimulatorOptions{nullptr, nullptr, nullptr, false, {timelines.forSessions()}});
  EXPECT_TRUE(simulator.load(VEXLO_PLUGIN_PATH));
  EXPECT_EQ(
      simulator.run(std::regex_replace(text.str(), std::regex("sim_screenshot .*"), "sim_frame")),
      Outcome::Success)
      << script;
  return timelines.record().value_or(Timeline{});
}

// Over every scenario and an hour of play with twenty queues and a party:
// catches labels printed over each other (in one row or in rows placed too
// close), across a break's strokes, out of their lane (a lane not as tall as
// its deepest label row, a row placed below it) or past the picture's edge,
// an interval of no length drawn too thin to see or not at all, and a break
// over a moment when something happened.
TEST(TimelineLayoutTest, LabelsNeverOverlapOrCrossABreakAndNothingDisappears) {
  std::vector<std::filesystem::path> scripts{std::filesystem::path(__FILE__).parent_path() /
                                             "long_session.cfg"};
  for (const auto &entry : std::filesystem::directory_iterator(VEXLO_SCENARIO_DIR)) {
    if (entry.path().extension() == ".cfg") {
      scripts.push_back(entry.path());
    }
  }
  for (const auto &script : scripts) {
    const Timeline run = played(script);
    const Layout layout = layOut(run);
    const auto width = static_cast<double>(layout.width);
    std::vector<PlacedLabel> labels;
    for (const Lane &lane : layout.lanes) {
      labels.insert(labels.end(), lane.labels.begin(), lane.labels.end());
      for (const SpanBox &box : lane.spans) {
        EXPECT_GE(box.x1 - box.x0, kMinSpanWidth) << script << " " << lane.title;
        EXPECT_LE(box.x1, width) << script << " " << lane.title;
      }
      for (const PlacedLabel &label : lane.labels) {
        EXPECT_TRUE(label.middle - kLabelRowHeight / 2.0 >= lane.top &&
                    label.middle + kLabelRowHeight / 2.0 <= lane.top + lane.height &&
                    label.x >= 0.0 && label.x + label.width <= width)
            << script << ": \"" << label.text << "\" leaves the " << lane.title << " lane";
      }
    }
    EXPECT_EQ(layout.lanes[0].spans.size(), run.states.size()) << script;
    EXPECT_EQ(layout.lanes[1].spans.size(), run.searches.size()) << script;
    EXPECT_EQ(layout.lanes[2].spans.size(), run.parties.size()) << script;
    for (std::size_t i = 0; i < labels.size(); ++i) {
      const PlacedLabel &a = labels[i];
      for (const ScaleSegment &piece : layout.scale.segments()) {
        EXPECT_FALSE(piece.idle && a.x < piece.right && a.x + a.width > piece.left)
            << script << ": \"" << a.text << "\" crosses the break at " << piece.left;
      }
      for (std::size_t j = i + 1; j < labels.size(); ++j) {
        const PlacedLabel &b = labels[j];
        EXPECT_FALSE(std::abs(a.middle - b.middle) < kLabelRowHeight && a.x < b.x + b.width &&
                     b.x < a.x + a.width)
            << script << ": \"" << a.text << "\" overlaps \"" << b.text << "\"";
      }
    }
    const auto unbroken = [&](Micros t) {
      EXPECT_FALSE(layout.scale.breakBetween(seconds(t), seconds(t))) << script << " " << t;
    };
    for (const Event &event : run.events) {
      unbroken(event.time);
    }
    // Fault: a span's start left out of the moments a break must not cover.
    for (const StateSpan &span : run.states) {
      unbroken(span.start);
    }
    for (const SearchSpan &span : run.searches) {
      unbroken(span.start);
    }
  }
}

} // namespace
} // namespace corvane::timeline

// Timeline layout: event marks that would overprint, and the axis's steps.
#include <host/tools/timeline/timeline_layout.h>

#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace corvane::timeline {
namespace {

constexpr const char *kMatchEnded = "Function TAGame.GameEvent_Soccar_TA.EventMatchEnded";

// Catches labels printed over each other, a full function path as a label,
// and a group whose count or label is wrong.
TEST(TimelineLayoutTest, CloseEventsShareOneMarkWithACount) {
  struct Row {
    std::vector<double> times;
    std::vector<const char *> labels;
    std::vector<std::string> marks;
  };
  // 100 s over 1000 px: events under 10 s apart are under a label's width.
  const Scale scale{0.0, 100.0, 0.0, 1000.0};
  const std::vector<Row> rows{
      {{1.0, 50.0}, {kMatchEnded, "Function A.B.RoundStart"}, {"EventMatchEnded", "RoundStart"}},
      {{1.0, 2.0, 9.0, 30.0},
       {kMatchEnded, kMatchEnded, kMatchEnded, "Function A.X"},
       {"EventMatchEnded \u00d73", "X"}},
      {{5.0, 5.5}, {"Function A.One", "Function A.Two"}, {"2 events"}},
  };
  for (const Row &row : rows) {
    std::vector<Event> events;
    for (std::size_t i = 0; i < row.times.size(); ++i) {
      events.push_back(Event{row.times[i], EventKind::Function, row.labels[i]});
    }
    events.push_back(Event{row.times.front(), EventKind::Key, "F3"}); // another lane's
    std::vector<std::string> labels;
    for (const EventMark &mark :
         groupEvents(events, EventKind::Function, scale, kEventLabelWidth)) {
      labels.push_back(mark.label);
    }
    EXPECT_EQ(labels, row.marks) << "first event at " << row.times.front();
  }
}

// Catches axes whose ticks crowd or whose labels are not round numbers.
TEST(TimelineLayoutTest, AxisStepsAreOneTwoOrFiveTimesAPowerOfTen) {
  EXPECT_EQ(axisTicks(Scale{0.0, 95.0, 130.0, 1176.0}, kMinTickSpacing).at(1).label, "10 s");
  EXPECT_EQ(axisTicks(Scale{0.0, 3.0 * 3600.0, 130.0, 1176.0}, kMinTickSpacing).at(1).label,
            "1000 s");
  EXPECT_EQ(axisTicks(Scale{0.0, 1.0, 130.0, 1176.0}, kMinTickSpacing).at(1).label, "0.1 s");
}

} // namespace
} // namespace corvane::timeline

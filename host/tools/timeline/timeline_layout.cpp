// The timeline picture's layout: pure arithmetic on the record.
#include "timeline_layout.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <utility>

namespace corvane::timeline {

namespace {

// A run shorter than this (or one just begun) still gets a readable axis.
constexpr double kMinSpanSeconds = 1.0;
// Ticks that are a rounding error short of the end still belong on the axis.
constexpr double kTickEndTolerance = 1e-9;
constexpr std::array<double, 3> kTickMantissas{1.0, 2.0, 5.0};
constexpr double kDecade = 10.0;

constexpr std::string_view kEllipsis = "\u2026";
constexpr std::string_view kTimes = " \u00d7";

constexpr Rgb kMenuColour{120, 144, 176};
constexpr Rgb kFreeplayColour{76, 175, 80};
constexpr Rgb kOnlineColour{230, 124, 46};
constexpr Rgb kUnknownStateColour{170, 170, 170};

// A byte inside a UTF-8 sequence, after its first.
bool isUtf8Continuation(char byte) {
  constexpr unsigned kContinuationMask = 0xC0U;
  constexpr unsigned kContinuationBits = 0x80U;
  return (static_cast<unsigned char>(byte) & kContinuationMask) == kContinuationBits;
}

// How far a timer's bar reaches: to its due time unless dropped before it.
double timerReach(const TimerSpan &timer) {
  return timer.outcome == TimerOutcome::Dropped ? timer.end : std::max(timer.due, timer.end);
}

const char *laneTitle(LaneKind kind) {
  switch (kind) {
  case LaneKind::State:
    return "game state";
  case LaneKind::Search:
    return "matchmaking";
  case LaneKind::Timers:
    return "timers";
  case LaneKind::Bar:
    return "bar";
  case LaneKind::Keys:
    return "keys";
  case LaneKind::Notifiers:
    return "notifiers";
  case LaneKind::Functions:
    return "game functions";
  case LaneKind::Commands:
    return "commands sent";
  }
  return "";
}

} // namespace

std::size_t charCount(std::string_view text) {
  return static_cast<std::size_t>(
      std::count_if(text.begin(), text.end(), [](char c) { return !isUtf8Continuation(c); }));
}

std::string cutToChars(std::string_view text, std::size_t maxChars) {
  if (maxChars == 0 || charCount(text) <= maxChars) {
    return std::string(text);
  }
  std::size_t kept = 0;
  std::size_t at = 0;
  for (; at < text.size(); ++at) {
    if (!isUtf8Continuation(text[at]) && kept++ == maxChars - 1) {
      break;
    }
  }
  return std::string(text.substr(0, at)) + std::string(kEllipsis);
}

Rgb stateColour(std::string_view state) {
  if (state == "menu") {
    return kMenuColour;
  }
  if (state == "freeplay") {
    return kFreeplayColour;
  }
  if (state == "online") {
    return kOnlineColour;
  }
  return kUnknownStateColour;
}

double tickStep(double pixelsPerSecond, double minSpacing) {
  const double wanted = minSpacing / pixelsPerSecond;
  const double decade = std::pow(kDecade, std::floor(std::log10(wanted)));
  for (const double mantissa : kTickMantissas) {
    if (mantissa * decade >= wanted) {
      return mantissa * decade;
    }
  }
  return kDecade * decade;
}

std::string secondsLabel(double t, double step) {
  const int decimals = step >= 1.0 ? 0 : static_cast<int>(std::ceil(-std::log10(step) - 1e-9));
  constexpr std::size_t kLabelCapacity = 32;
  std::array<char, kLabelCapacity> text{};
  std::snprintf(text.data(), text.size(), "%.*f s", decimals, t);
  return text.data();
}

std::vector<AxisTick> axisTicks(const Scale &scale, double minSpacing) {
  const double step = tickStep(scale.pixelsPerSecond(), minSpacing);
  std::vector<AxisTick> ticks;
  const auto first = static_cast<long long>(std::ceil(scale.start / step - kTickEndTolerance));
  const auto last = static_cast<long long>(std::floor(scale.end / step + kTickEndTolerance));
  for (long long i = first; i <= last; ++i) {
    const double t = static_cast<double>(i) * step;
    ticks.push_back(AxisTick{t, secondsLabel(t, step)});
  }
  return ticks;
}

std::string shortLabel(EventKind kind, std::string_view label) {
  if (kind == EventKind::Function) {
    const std::size_t cut = label.find_last_of(". ");
    if (cut != std::string_view::npos && cut + 1 < label.size()) {
      label.remove_prefix(cut + 1);
    }
  }
  return cutToChars(label, kMaxEventLabelChars);
}

std::vector<EventMark> groupEvents(const std::vector<Event> &events, EventKind kind,
                                   const Scale &scale, double labelWidth) {
  struct Group {
    EventMark mark;
    std::string_view firstLabel;
    bool sameLabels = true;
  };
  std::vector<Group> groups;
  for (const Event &event : events) {
    if (event.kind != kind) {
      continue;
    }
    if (!groups.empty() && scale.x(event.time) - scale.x(groups.back().mark.first) < labelWidth) {
      Group &group = groups.back();
      group.mark.last = event.time;
      ++group.mark.count;
      group.sameLabels = group.sameLabels && event.label == group.firstLabel;
      continue;
    }
    groups.push_back(Group{EventMark{event.time, event.time, 1, {}}, event.label, true});
  }

  std::vector<EventMark> marks;
  marks.reserve(groups.size());
  for (Group &group : groups) {
    const std::string count = std::to_string(group.mark.count);
    if (group.mark.count == 1) {
      group.mark.label = shortLabel(kind, group.firstLabel);
    } else if (group.sameLabels) {
      const std::size_t suffix = charCount(kTimes) + count.size();
      const std::size_t room = suffix < kMaxEventLabelChars ? kMaxEventLabelChars - suffix : 1;
      group.mark.label =
          cutToChars(shortLabel(kind, group.firstLabel), room) + std::string(kTimes) + count;
    } else {
      group.mark.label = count + " events";
    }
    marks.push_back(std::move(group.mark));
  }
  return marks;
}

std::vector<int> timerRows(const std::vector<TimerSpan> &timers, int maxRows) {
  std::vector<double> rowReach; // how far each row is taken
  std::vector<int> rows;
  rows.reserve(timers.size());
  for (const TimerSpan &timer : timers) {
    auto free = std::find_if(rowReach.begin(), rowReach.end(),
                             [&](double reach) { return reach <= timer.set; });
    if (free == rowReach.end()) {
      if (std::cmp_less(rowReach.size(), maxRows)) {
        rowReach.push_back(timer.set);
        free = rowReach.end() - 1;
      } else {
        free = std::min_element(rowReach.begin(), rowReach.end());
      }
    }
    *free = std::max(*free, timerReach(timer));
    rows.push_back(static_cast<int>(free - rowReach.begin()));
  }
  return rows;
}

std::string searchLabel(const SearchSpan &search) {
  std::string label = "category " + std::to_string(search.category);
  for (std::size_t i = 0; i < search.playlists.size(); ++i) {
    label += (i == 0 ? ": " : ", ") + std::to_string(search.playlists[i]);
  }
  return label;
}

Layout layOut(const Timeline &timeline, int width) {
  Layout layout;
  layout.width = width;
  layout.scale = Scale{0.0, std::max(timeline.end, kMinSpanSeconds), kLaneTitleWidth,
                       static_cast<double>(width) - kRightMargin};
  layout.ticks = axisTicks(layout.scale, kMinTickSpacing);
  layout.timerRows = timerRows(timeline.timers, kMaxTimerRows);
  const int timerRowCount =
      layout.timerRows.empty()
          ? 1
          : *std::max_element(layout.timerRows.begin(), layout.timerRows.end()) + 1;

  double top = kTopMargin;
  const auto addLane = [&](LaneKind kind, double height) -> Lane & {
    layout.lanes.push_back(Lane{kind, laneTitle(kind), top, height, {}});
    top += height;
    return layout.lanes.back();
  };
  addLane(LaneKind::State, kSpanLaneHeight);
  addLane(LaneKind::Search, kSpanLaneHeight);
  addLane(LaneKind::Timers, timerRowCount * kTimerRowHeight + 2.0 * kTimerLanePadding);
  addLane(LaneKind::Bar, kSpanLaneHeight);
  constexpr std::array<std::pair<LaneKind, EventKind>, 4> kEventLanes{{
      {LaneKind::Keys, EventKind::Key},
      {LaneKind::Notifiers, EventKind::Notifier},
      {LaneKind::Functions, EventKind::Function},
      {LaneKind::Commands, EventKind::Command},
  }};
  for (const auto &[laneKind, eventKind] : kEventLanes) {
    addLane(laneKind, kEventLaneHeight).marks =
        groupEvents(timeline.events, eventKind, layout.scale, kEventLabelWidth);
  }
  layout.axisTop = top;
  layout.height = static_cast<int>(std::ceil(top + kAxisHeight));
  return layout;
}

} // namespace corvane::timeline

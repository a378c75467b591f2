// The timeline picture's layout: pure arithmetic on the record.
#include "timeline_layout.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <limits>
#include <utility>

namespace corvane::timeline {

namespace {

// A run shorter than this (or one just begun) still gets a readable axis.
constexpr double kMinSpanSeconds = 1.0;
// Ticks that are a rounding error short of the end still belong on the axis.
constexpr double kTickEndTolerance = 1e-9;
constexpr std::array<double, 3> kTickMantissas{1.0, 2.0, 5.0};
constexpr double kDecade = 10.0;
// A piece too short for a tick at its step tries this many finer ones.
constexpr int kMaxFinerSteps = 12;
// The idle time kept beside a break never takes more than this share of its
// stretch, however few pixels per second the rest gets.
constexpr double kMaxContextShare = 0.25;
// At most this many buckets are used to find idle stretches (a megabyte).
constexpr std::size_t kMaxIdleBuckets = std::size_t{1} << 16;

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

// The ticks at multiples of `step` within `segment`.
void appendTicks(const ScaleSegment &segment, double step, std::vector<AxisTick> &ticks) {
  const auto first = static_cast<long long>(std::ceil(segment.start / step - kTickEndTolerance));
  const auto last = static_cast<long long>(std::floor(segment.end / step + kTickEndTolerance));
  for (long long i = first; i <= last; ++i) {
    const double t = static_cast<double>(i) * step;
    ticks.push_back(AxisTick{t, secondsLabel(t, step)});
  }
}

// The one tick of a piece too short for its step: the roundest time in it,
// nearest its middle among those.
void appendFinerTick(const ScaleSegment &segment, double step, std::vector<AxisTick> &ticks) {
  double decade = std::pow(kDecade, std::floor(std::log10(step)));
  for (int tries = 0; tries < kMaxFinerSteps; ++tries, decade /= kDecade) {
    for (auto mantissa = kTickMantissas.rbegin(); mantissa != kTickMantissas.rend(); ++mantissa) {
      const double finer = *mantissa * decade;
      if (finer >= step) {
        continue;
      }
      const double t = std::round((segment.start + segment.end) / 2.0 / finer) * finer;
      if (t >= segment.start && t <= segment.end) {
        ticks.push_back(AxisTick{t, secondsLabel(t, finer)});
        return;
      }
    }
  }
}

// A stretch of the run in which nothing starts, ends or happens.
struct Stretch {
  double start = 0.0;
  double end = 0.0;
  double length() const { return end - start; }
};

// The stretches of at least kMinIdleSeconds between the moments at which
// something starts, ends or happens, in time order. Sorting every moment of a
// busy run of hours would cost more than drawing it, so the moments go into
// buckets of half that length, each keeping its first and last: a stretch that
// long crosses a bucket's edge and shows between two buckets with moments.
// Runs so long that the buckets would outnumber kMaxIdleBuckets get wider
// ones, and only miss stretches shorter than one of those.
std::vector<Stretch> idleStretches(const Timeline &timeline, double end) {
  const double bucketSeconds =
      std::max(kMinIdleSeconds / 2.0, end / static_cast<double>(kMaxIdleBuckets));
  const auto buckets = static_cast<std::size_t>(end / bucketSeconds) + 1;
  constexpr double kNone = std::numeric_limits<double>::infinity();
  std::vector<std::pair<double, double>> firstAndLast(buckets, {kNone, -kNone});
  const double bucketsPerSecond = 1.0 / bucketSeconds;
  const auto lastBucket = static_cast<std::ptrdiff_t>(buckets - 1);
  const auto add = [&](double t) {
    t = std::clamp(t, 0.0, end);
    // A signed index: converting to one is a single instruction.
    const auto bucket = std::min(static_cast<std::ptrdiff_t>(t * bucketsPerSecond), lastBucket);
    auto &[first, last] = firstAndLast[static_cast<std::size_t>(bucket)];
    first = std::min(first, t);
    last = std::max(last, t);
  };
  add(0.0);
  add(end);
  for (const StateSpan &span : timeline.states) {
    add(span.start);
    add(span.end);
  }
  for (const SearchSpan &span : timeline.searches) {
    add(span.start);
    add(span.end);
  }
  for (const TimerSpan &timer : timeline.timers) {
    add(timer.set);
    add(timer.end);
    add(timer.due);
  }
  for (const BarSpan &span : timeline.bars) {
    add(span.start);
    add(span.end);
  }
  for (const Event &event : timeline.events) {
    add(event.time);
  }

  std::vector<Stretch> stretches;
  double previous = 0.0; // the last moment of the last bucket with moments
  for (const auto &[first, last] : firstAndLast) {
    if (first > last) {
      continue;
    }
    if (first - previous >= kMinIdleSeconds) {
      stretches.push_back(Stretch{previous, first});
    }
    previous = last;
  }
  return stretches;
}

} // namespace

double timerReach(const TimerSpan &timer) {
  return timer.outcome == TimerOutcome::Dropped ? timer.end : std::max(timer.due, timer.end);
}

Scale::Scale(double start, double end, double left, double right)
    : segments_{ScaleSegment{start, end, left, right, false}} {}

Scale::Scale(std::vector<ScaleSegment> segments) : segments_(std::move(segments)) {
  if (segments_.empty()) {
    segments_.push_back(ScaleSegment{});
  }
}

double Scale::x(double t) const {
  // The first piece that reaches `t`; the last one for any time after it.
  const auto piece =
      std::lower_bound(segments_.begin(), segments_.end() - 1, t,
                       [](const ScaleSegment &segment, double time) { return segment.end < time; });
  return piece->x(t);
}

bool Scale::breakBetween(double a, double b) const {
  return std::any_of(segments_.begin(), segments_.end(), [&](const ScaleSegment &segment) {
    return segment.idle && segment.start < b && segment.end > a;
  });
}

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
  std::vector<AxisTick> candidates;
  for (const ScaleSegment &segment : scale.segments()) {
    if (segment.idle) {
      continue;
    }
    const std::size_t before = candidates.size();
    const double step = tickStep(segment.pixelsPerSecond(), minSpacing);
    appendTicks(segment, step, candidates);
    if (candidates.size() == before) {
      appendFinerTick(segment, step, candidates);
    }
  }
  std::vector<AxisTick> ticks;
  double taken = -std::numeric_limits<double>::infinity(); // where the last label ends
  for (AxisTick &tick : candidates) {
    const double x = scale.x(tick.time);
    const double halfWidth = static_cast<double>(charCount(tick.label)) * kAxisCharWidth / 2.0;
    if (x - halfWidth >= taken + kAxisLabelGap) {
      taken = x + halfWidth;
      ticks.push_back(std::move(tick));
    }
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
    if (!groups.empty() && scale.x(event.time) - scale.x(groups.back().mark.first) < labelWidth &&
        !scale.breakBetween(groups.back().mark.first, event.time)) {
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

Scale timeScale(const Timeline &timeline, double left, double right) {
  const double end = std::max(timeline.end, kMinSpanSeconds);
  const double width = right - left;

  std::vector<Stretch> stretches = idleStretches(timeline, end);
  std::sort(stretches.begin(), stretches.end(),
            [](const Stretch &a, const Stretch &b) { return a.length() > b.length(); });

  // The k longest stretches become breaks for the largest k at which the
  // k-th is still long beside what the picture would draw with it, so that
  // several absences of about the same length go together rather than none
  // of them being a quarter of the whole.
  const auto maxBreaks = static_cast<std::size_t>(
      std::max(kMaxBreakShare * width / (kBreakWidth + 2.0 * kMinBreakContext), 0.0));
  std::size_t count = 0;
  double drawn = end;
  double longer = 0.0; // the idle time in the stretches longer than the one looked at
  for (std::size_t k = 0; k < std::min(maxBreaks, stretches.size()); ++k) {
    const double length = stretches[k].length();
    if (length >= kIdleShare * (end - longer) && end - longer - length >= kMinSpanSeconds) {
      count = k + 1;
      drawn = end - longer - length;
    }
    longer += length;
  }
  if (count == 0) {
    return Scale(0.0, end, left, right);
  }
  std::vector<Stretch> breaks(stretches.begin(),
                              stretches.begin() + static_cast<std::ptrdiff_t>(count));
  std::sort(breaks.begin(), breaks.end(),
            [](const Stretch &a, const Stretch &b) { return a.start < b.start; });

  // Every second drawn gets the same pixels; each break gets breakRoom, its
  // mark and the idle time kept on both sides of it, less of that when many
  // breaks share the axis.
  const auto breakCount = static_cast<double>(breaks.size());
  const double breakContext =
      std::min(kBreakContext, (kMaxBreakShare * width / breakCount - kBreakWidth) / 2.0);
  const double breakRoom = kBreakWidth + 2.0 * breakContext;
  const double pixelsPerSecond = (width - breakCount * breakRoom) / drawn;
  std::vector<ScaleSegment> segments;
  double t = 0.0;
  double x = left;
  const auto addSegment = [&](double until, double untilX, bool idle) {
    segments.push_back(ScaleSegment{t, until, x, untilX, idle});
    t = until;
    x = untilX;
  };
  for (const Stretch &stretch : breaks) {
    const double context =
        std::min(breakContext / pixelsPerSecond, kMaxContextShare * stretch.length());
    addSegment(stretch.start + context, x + (stretch.start + context - t) * pixelsPerSecond, false);
    addSegment(stretch.end - context, x + breakRoom - 2.0 * context * pixelsPerSecond, true);
  }
  addSegment(end, right, false);
  return Scale(std::move(segments));
}

Layout layOut(const Timeline &timeline, int width) {
  Layout layout;
  layout.width = width;
  layout.scale = timeScale(timeline, kLaneTitleWidth, static_cast<double>(width) - kRightMargin);
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

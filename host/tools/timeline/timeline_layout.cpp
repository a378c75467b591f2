// The timeline picture's layout: pure arithmetic on the record.
#include "timeline_layout.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <iterator>
#include <limits>

#include "host/session/engine/trace_format.h"
#include "host/tools/text/utf8.h"

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

constexpr std::array<std::pair<EventKind, const char *>, 4> kEventLanes{{
    {EventKind::Key, "keys"},
    {EventKind::Notifier, "notifiers"},
    {EventKind::Function, "game functions"},
    {EventKind::Command, "commands sent"},
}};

// `text` in at most `maxChars` characters, ending in an ellipsis when cut;
// never splits a UTF-8 sequence.
std::string cutToChars(std::string_view text, std::size_t maxChars) {
  if (text::utf8CharCount(text) <= maxChars) {
    return std::string(text);
  }
  std::size_t kept = 0;
  std::size_t at = 0;
  for (; at < text.size(); ++at) {
    if (!text::isUtf8Continuation(text[at]) && kept++ == maxChars - 1) {
      break;
    }
  }
  return std::string(text.substr(0, at)) + "\u2026"; // …
}

// "12.500 s": a moment as tooltips give it.
std::string momentText(Micros t) { return host::secondsText(t) + " s"; }

// An event's text for its tick: a game function by its last name component
// ("Function TAGame.GameEvent_Soccar_TA.EventMatchEnded" reads
// "EventMatchEnded"), anything else as it is; cut to kMaxEventLabelChars.
std::string shortLabel(EventKind kind, std::string_view label) {
  if (kind == EventKind::Function) {
    const std::size_t cut = label.find_last_of(". ");
    if (cut != std::string_view::npos && cut + 1 < label.size()) {
      label.remove_prefix(cut + 1);
    }
  }
  return cutToChars(label, kMaxEventLabelChars);
}

// The axis step: the smallest of 1, 2 and 5 times a power of ten seconds
// that puts ticks at least `minSpacing` pixels apart.
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

// A time on the axis, in seconds with as many decimals as `step` needs:
// "0 s", "0.5 s", "90 s", "1500 s". Seconds, as in the trace's timestamps.
std::string secondsLabel(double t, double step) {
  const int decimals = step >= 1.0 ? 0 : static_cast<int>(std::ceil(-std::log10(step) - 1e-9));
  return host::secondsText(std::llround(t * host::kMicrosPerSecond), decimals) + " s";
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

// Ticks for each of the scale's pieces but its breaks, at the piece's own
// step, so that both sides of a break read in real times. A piece too short
// for one tick at that step gets one at a finer step. A tick whose label
// would touch the one before it (across a break, say) is left out.
std::vector<AxisTick> axisTicks(const Scale &scale, double minSpacing) {
  std::vector<AxisTick> candidates;
  for (const ScaleSegment &segment : scale.segments()) {
    if (segment.idle) {
      continue;
    }
    const double step = tickStep(segment.pixelsPerSecond(), minSpacing);
    const auto first = static_cast<long long>(std::ceil(segment.start / step - kTickEndTolerance));
    const auto last = static_cast<long long>(std::floor(segment.end / step + kTickEndTolerance));
    for (long long i = first; i <= last; ++i) {
      const double t = static_cast<double>(i) * step;
      candidates.push_back(AxisTick{t, secondsLabel(t, step)});
    }
    if (first > last) {
      appendFinerTick(segment, step, candidates);
    }
  }
  std::vector<AxisTick> ticks;
  double taken = -std::numeric_limits<double>::infinity(); // where the last label ends
  for (AxisTick &tick : candidates) {
    const double x = scale.x(tick.time);
    const double halfWidth = estimatedWidth(tick.label) / 2.0;
    if (x - halfWidth >= taken + kAxisLabelGap) {
      taken = x + halfWidth;
      ticks.push_back(std::move(tick));
    }
  }
  return ticks;
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
  const auto addSpans = [&add](const auto &spans) {
    for (const auto &span : spans) {
      add(seconds(span.start));
      add(seconds(span.end));
    }
  };
  addSpans(timeline.states);
  addSpans(timeline.searches);
  addSpans(timeline.bars);
  for (const TimerSpan &timer : timeline.timers) {
    for (const Micros t : {timer.set, timer.end, timer.due}) {
      add(seconds(t));
    }
  }
  for (const Event &event : timeline.events) {
    add(seconds(event.time));
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

// The idle stretches drawn as breaks, in time order, and in `drawn` the
// seconds left to draw.
std::vector<Stretch> chosenBreaks(const Timeline &timeline, double end, double width,
                                  double &drawn) {
  std::vector<Stretch> stretches = idleStretches(timeline, end);
  std::ranges::sort(stretches, std::greater{}, &Stretch::length);

  // The k longest stretches become breaks for the largest k at which the
  // k-th is still long beside what the picture would draw with it, so that
  // several absences of about the same length go together rather than none
  // of them being a quarter of the whole.
  const auto maxBreaks = static_cast<std::size_t>(
      std::max(kMaxBreakShare * width / (kBreakWidth + 2.0 * kMinBreakContext), 0.0));
  std::size_t count = 0;
  drawn = end;
  double longer = 0.0; // the idle time in the stretches longer than the one looked at
  for (std::size_t k = 0; k < std::min(maxBreaks, stretches.size()); ++k) {
    const double length = stretches[k].length();
    if (length >= kIdleShare * (end - longer) && end - longer - length >= kMinSpanSeconds) {
      count = k + 1;
      drawn = end - longer - length;
    }
    longer += length;
  }
  stretches.resize(count);
  std::ranges::sort(stretches, {}, &Stretch::start);
  return stretches;
}

// Before a break at `t`, room for the widest label of what happened then.
double labelRoomAt(const Timeline &timeline, const TextWidth &textWidth, double t) {
  double widest = 0.0;
  const Scale linear(t, t + 1.0, 0.0, 1.0);
  std::vector<Event> atStart;
  std::ranges::copy_if(timeline.events, std::back_inserter(atStart),
                       [&](const Event &event) { return seconds(event.time) == t; });
  for (const auto &[kind, title] : kEventLanes) {
    for (const EventMark &mark : groupEvents(atStart, kind, linear, 1.0)) {
      widest = std::max(widest, textWidth(mark.label));
    }
  }
  return widest + kLabelGap;
}

// The time axis of `timeline` from `left` to `right`: one linear piece, or
// with its long idle stretches drawn as breaks and everything else at one
// common number of pixels per second. Before a break, room is kept for the
// labels of what happened as it began, as far as the breaks' share of the
// axis allows.
Scale timeScale(const Timeline &timeline, double left, double right, const TextWidth &textWidth) {
  const double end = std::max(seconds(timeline.end), kMinSpanSeconds);
  const double width = right - left;
  double drawn = end;
  const std::vector<Stretch> breaks = chosenBreaks(timeline, end, width, drawn);
  if (breaks.empty()) {
    return Scale(0.0, end, left, right);
  }

  // Every second drawn gets the same pixels; each break gets its mark, the
  // idle time kept after it, and before it that or the room its labels
  // want, less of all that when many breaks share the axis.
  const auto breakCount = static_cast<double>(breaks.size());
  const double share = kMaxBreakShare * width / breakCount; // what one break may take
  const double breakContext = std::min(kBreakContext, (share - kBreakWidth) / 2.0);
  std::vector<double> before; // each break's room before its mark
  double allBreaks = 0.0;
  for (const Stretch &stretch : breaks) {
    before.push_back(std::clamp(labelRoomAt(timeline, textWidth, stretch.start), breakContext,
                                share - kBreakWidth - breakContext));
    allBreaks += before.back() + kBreakWidth + breakContext;
  }
  const double pixelsPerSecond = (width - allBreaks) / drawn;
  std::vector<ScaleSegment> segments;
  double t = 0.0;
  double x = left;
  const auto addSegment = [&](double until, double untilX, bool idle) {
    segments.push_back(ScaleSegment{t, until, x, untilX, idle});
    t = until;
    x = untilX;
  };
  for (std::size_t i = 0; i < breaks.size(); ++i) {
    const Stretch &stretch = breaks[i];
    const double maxContext = kMaxContextShare * stretch.length();
    const double leading = std::min(before[i] / pixelsPerSecond, maxContext);
    const double trailing = std::min(breakContext / pixelsPerSecond, maxContext);
    const double room = before[i] + kBreakWidth + breakContext;
    addSegment(stretch.start + leading, x + (stretch.start + leading - t) * pixelsPerSecond, false);
    addSegment(stretch.end - trailing, x + room - (leading + trailing) * pixelsPerSecond, true);
  }
  addSegment(end, right, false);
  return Scale(std::move(segments));
}

// How far a timer's bar reaches: to its due time unless dropped before it,
// or to when it fired if that was later.
Micros timerReach(const TimerSpan &timer) {
  return timer.outcome == TimerOutcome::Dropped ? timer.end : std::max(timer.due, timer.end);
}

// The ticks' row of an event lane, above its labels.
constexpr double kEventTickRowHeight = 16.0;
// Below a lane's last label row.
constexpr double kLabelRowsPadding = 4.0;

// The x ranges that one row of labels already takes.
using LabelRow = std::vector<std::pair<double, double>>;

bool fits(const LabelRow &row, double a, double b) {
  return std::ranges::none_of(row, [&](const std::pair<double, double> &range) {
    return a < range.second + kLabelGap && b + kLabelGap > range.first;
  });
}

bool reachesBreak(const Scale &scale, double a, double b) {
  return std::ranges::any_of(scale.segments(), [&](const ScaleSegment &piece) {
    return piece.idle && piece.left < b && piece.right > a;
  });
}

// The widest stretch from `a` to `b` that no break cuts.
std::pair<double, double> widestUnbroken(const Scale &scale, double a, double b) {
  std::pair<double, double> widest{a, a};
  double from = a;
  const auto consider = [&](double to) {
    if (to - from > widest.second - widest.first) {
      widest = {from, to};
    }
  };
  for (const ScaleSegment &piece : scale.segments()) {
    if (piece.idle && piece.left < b && piece.right > from) {
      consider(std::min(piece.left, b));
      from = piece.right;
    }
  }
  consider(b);
  return widest;
}

// The time axis ends short of the picture's edge, by room for its last
// label; the labels in the lanes stop nearer the edge.
constexpr double kAxisRight = kDefaultPictureWidth - kRightMargin;
constexpr double kLabelRight = kDefaultPictureWidth - kLabelGap;

constexpr Rgb kSearchColour{66, 133, 244};

Rgb partyColour(host::Party party) {
  constexpr Rgb kMember{0, 150, 136};
  constexpr Rgb kOwner{121, 85, 72};
  return party == host::Party::Owner ? kOwner : kMember;
}

// What a span lane shows of an interval: its text, its fill and what its
// tooltip calls it, the text unless said.
struct Shown {
  std::string text;
  Rgb fill;
  std::string what = text;
};

Shown shownOf(const StateSpan &span) {
  return {std::string(host::gameStateName(span.shown)), stateColour(span.shown)};
}

// "search: playlist 5, category 1" or "search: playlists 10, 11, category 2".
Shown shownOf(const SearchSpan &search) {
  std::string label = search.playlists.size() == 1 ? "search: playlist " : "search: playlists ";
  for (std::size_t i = 0; i < search.playlists.size(); ++i) {
    label += (i == 0 ? "" : ", ") + std::to_string(search.playlists[i]);
  }
  if (search.playlists.empty()) {
    label = "search: no playlist";
  }
  label += ", category " + std::to_string(search.category);
  return {label, kSearchColour};
}

Shown shownOf(const PartySpan &span) {
  return {std::string(partyName(span.shown)), partyColour(span.shown)};
}

Shown shownOf(const BarSpan &span) {
  return {span.shown, kBarColour,
          span.shown.empty() ? "bar shown, no text" : "bar: \"" + span.shown + "\""};
}

// Lays out the labels of one lane: its row 0, centred on `firstMiddle`, and
// the rows below it from `belowTop` down.
struct LabelPlacer {
  Lane &lane;
  Layout &layout;
  const TextWidth &textWidth;
  double firstMiddle;
  double belowTop;
  std::array<LabelRow, kMaxLabelRows + 1> rows{};
  int deepest = -1; // the deepest row a label went to (-1: none)

  // The first place, in the first row up to `lastRow` where the label is
  // clear of the picture's edges, other labels and breaks: from the first of
  // `firstRow` (`rowsBelow` in later rows) or up to its second. Row 0 takes
  // these as they are, the rows below only where the label reaches over its
  // mark or interval, `near0` to `near1`; no place leaves it to the tooltip.
  void place(const std::string &text, const std::string &tooltip, int lastRow, double near0,
             double near1, std::pair<double, double> firstRow,
             std::pair<double, double> rowsBelow) {
    if (text.empty()) {
      return;
    }
    // How far a label below a mark may stand off it and still be its label.
    constexpr double kPixelSlack = 1.0;
    const Scale &scale = layout.scale;
    const double width = textWidth(text);
    for (int index = 0; index <= lastRow; ++index) {
      LabelRow &row = rows[static_cast<std::size_t>(index)];
      const auto [start, end] = index == 0 ? firstRow : rowsBelow;
      const std::array<double, 4> lefts{start, end - width, std::min(near0, kLabelRight - width),
                                        std::max(near1 - width, scale.left())};
      for (const double x : lefts) {
        const bool over = x <= near1 + kPixelSlack && x + width >= near0 - kPixelSlack;
        if ((index == 0 || over) && x >= scale.left() && x + width <= kLabelRight &&
            fits(row, x, x + width) && !reachesBreak(scale, x, x + width)) {
          row.emplace_back(x, x + width);
          const double middle =
              index == 0 ? firstMiddle : belowTop + (index - 0.5) * kLabelRowHeight;
          lane.labels.push_back(PlacedLabel{text, x, middle, width, false});
          layout.tooltips.push_back(
              Tooltip{x, middle - kLabelRowHeight / 2.0, width, kLabelRowHeight, tooltip});
          deepest = std::max(deepest, index);
          return;
        }
      }
    }
  }
};

// An interval's text goes inside it, in its widest stretch between breaks,
// whole or cut to at least kMinInsideChars; else whole beside it, else in a
// row below it, else only into its tooltip.
void laySpans(Lane &lane, const auto &spans, Layout &layout, const TextWidth &textWidth) {
  const Scale &scale = layout.scale;
  const double top = lane.top;
  LabelPlacer placer{lane, layout, textWidth, top + kSpanLaneHeight / 2.0, top + kSpanLaneHeight};
  std::vector<Shown> shown;
  for (const auto &span : spans) {
    shown.push_back(shownOf(span));
    const double x0 = scale.x(seconds(span.start));
    const double x1 = std::max(scale.x(seconds(span.end)), x0 + kMinSpanWidth);
    lane.spans.push_back(SpanBox{x0, x1, shown.back().fill});
    placer.rows[0].emplace_back(x0, x1);
  }
  for (std::size_t i = 0; i < spans.size(); ++i) {
    const SpanBox &box = lane.spans[i];
    const std::string &text = shown[i].text;
    const std::string tooltip =
        shown[i].what + ", " + momentText(spans[i].start) + " to " + momentText(spans[i].end);
    layout.tooltips.push_back(Tooltip{box.x0, top + kSpanInset, box.x1 - box.x0,
                                      kSpanLaneHeight - 2.0 * kSpanInset, tooltip});
    const auto [from, to] =
        widestUnbroken(scale, box.x0 + kSpanTextIndent, box.x1 - kSpanTextIndent);
    const std::string inside = fitted(text, to - from, textWidth);
    if (!inside.empty() && (inside == text || text::utf8CharCount(inside) > kMinInsideChars)) {
      lane.labels.push_back(PlacedLabel{inside, from, placer.firstMiddle, textWidth(inside), true});
      continue;
    }
    placer.place(text, tooltip, kMaxLabelRows, box.x0, box.x1,
                 {box.x1 + kLabelGap, box.x0 - kLabelGap}, {box.x0, box.x1});
  }
  lane.height = kSpanLaneHeight;
  if (placer.deepest > 0) {
    lane.height += placer.deepest * kLabelRowHeight + kLabelRowsPadding;
  }
}

// Each mark's label from its tick, else ending at it, in the first label row
// with room.
void layMarks(Lane &lane, Layout &layout, const TextWidth &textWidth) {
  // Around an event's tick, what its tooltip covers.
  constexpr double kTickTooltipHalfWidth = 3.0;
  const double top = lane.top;
  const double belowTicks = top + kEventTickRowHeight;
  LabelPlacer placer{lane, layout, textWidth, belowTicks + kLabelRowHeight / 2.0,
                     belowTicks + kLabelRowHeight};
  for (const EventMark &mark : lane.marks) {
    const double x0 = layout.scale.x(seconds(mark.first));
    const double x1 = layout.scale.x(seconds(mark.last));
    layout.tooltips.push_back(Tooltip{x0 - kTickTooltipHalfWidth, top,
                                      x1 - x0 + 2.0 * kTickTooltipHalfWidth, kEventTickRowHeight,
                                      mark.tooltip});
    placer.place(mark.label, mark.tooltip, kMaxLabelRows - 1, x0, x1, {x0, x0}, {x0, x0});
  }
  lane.height =
      kEventTickRowHeight + (std::max(placer.deepest, 0) + 1) * kLabelRowHeight + kLabelRowsPadding;
}

std::string timerTooltip(const TimerSpan &timer) {
  // By TimerOutcome.
  constexpr std::array<std::string_view, 3> kEnds{", fired at ", ", dropped at ",
                                                  ", still waiting at "};
  return "timer set at " + momentText(timer.set) + ", due at " + momentText(timer.due) +
         std::string(kEnds.at(static_cast<std::size_t>(timer.outcome))) + momentText(timer.end);
}

// The key under the axis from `top`, in rows: the fills by game state,
// search and party, then the other marks. Returns its bottom.
double layKey(Layout &layout, double top, const TextWidth &textWidth) {
  constexpr double kKeyLeft = 10.0;
  constexpr double kKeyBottomPadding = 6.0;
  double x = kKeyLeft;
  double middle = top + kKeyRowHeight / 2.0;
  const auto add = [&](KeySwatch swatch, std::string_view words, Rgb fill = {}) {
    const double width = kKeySwatchWidth + kKeySwatchGap + textWidth(words);
    if (x > kKeyLeft && x + width > kAxisRight) {
      x = kKeyLeft;
      middle += kKeyRowHeight;
    }
    layout.key.push_back(KeyEntry{swatch, std::string(words), fill, x, middle});
    x += width + kKeyEntryGap;
  };
  for (std::size_t i = 0; i < host::kGameStateNames.size(); ++i) {
    add(KeySwatch::Fill, host::kGameStateNames[i], stateColour(static_cast<host::GameState>(i)));
  }
  add(KeySwatch::Fill, "searching", kSearchColour);
  for (const host::Party party : {host::Party::Member, host::Party::Owner}) {
    add(KeySwatch::Fill, partyName(party), partyColour(party));
  }
  add(KeySwatch::Bar, "bar shown");
  add(KeySwatch::Timer, "timer, set to due");
  add(KeySwatch::TimerFired, "timer fired");
  add(KeySwatch::TimerDropped, "timer dropped");
  add(KeySwatch::Event, "event");
  add(KeySwatch::NoEffect, "no effect: nothing outside the plugin changed");
  add(KeySwatch::Group, "close events as one mark");
  add(KeySwatch::Break, "quiet time cut out");
  return middle + kKeyRowHeight / 2.0 + kKeyBottomPadding;
}

// The timers lane: each timer's bar, with a tooltip over it, in the first
// row it does not overlap, or in the row free soonest once there are
// kMaxTimerRows.
void layTimers(Lane &lane, Layout &layout, const Timeline &timeline) {
  const Scale &scale = layout.scale;
  const double right = scale.right();
  std::vector<Micros> rowReach; // how far each row is taken
  for (const TimerSpan &timer : timeline.timers) {
    auto free = std::ranges::find_if(rowReach, [&](Micros reach) { return reach <= timer.set; });
    if (free == rowReach.end()) {
      free = std::cmp_less(rowReach.size(), kMaxTimerRows) ? rowReach.insert(free, timer.set)
                                                           : std::ranges::min_element(rowReach);
    }
    *free = std::max(*free, timerReach(timer));
    const double rowTop = lane.top + kTimerLanePadding +
                          static_cast<double>(free - rowReach.begin()) * kTimerRowHeight;
    const double x0 = scale.x(seconds(timer.set));
    const double x1 =
        std::max(std::min(scale.x(seconds(timerReach(timer))), right), x0 + kMinSpanWidth);
    const bool dueStroke =
        timer.outcome != TimerOutcome::Dropped && scale.x(seconds(timer.due)) <= right;
    layout.timers.push_back(TimerBar{x0, x1, rowTop + kTimerRowHeight / 2.0,
                                     scale.x(seconds(timer.end)), timer.outcome, dueStroke});
    layout.tooltips.push_back(Tooltip{x0, rowTop, x1 - x0, kTimerRowHeight, timerTooltip(timer)});
  }
  const auto rowCount = static_cast<double>(std::max<std::size_t>(rowReach.size(), 1));
  lane.height = rowCount * kTimerRowHeight + 2.0 * kTimerLanePadding;
}

} // namespace

double Scale::x(double t) const {
  // The first piece that reaches `t`; the last one for any time after it.
  const auto piece =
      std::lower_bound(segments_.begin(), segments_.end() - 1, t,
                       [](const ScaleSegment &segment, double time) { return segment.end < time; });
  return piece->x(t);
}

bool Scale::breakBetween(double a, double b) const {
  return std::ranges::any_of(segments_, [&](const ScaleSegment &segment) {
    return segment.idle && segment.start < b && segment.end > a;
  });
}

double estimatedWidth(std::string_view text) {
  return static_cast<double>(text::utf8CharCount(text)) * kLabelCharWidth;
}

std::string fitted(const std::string &text, double room, const TextWidth &textWidth) {
  const double width = textWidth(text);
  if (width <= room) {
    return text;
  }
  // Start from the share of characters that the room would hold at their
  // average width, and give up one at a time from there.
  const std::size_t chars = text::utf8CharCount(text);
  auto keep = std::min(
      chars,
      static_cast<std::size_t>(static_cast<double>(chars) * std::max(room, 0.0) / width) + 1);
  for (; keep > 1; --keep) {
    std::string cut = cutToChars(text, keep);
    if (textWidth(cut) <= room) {
      return cut;
    }
  }
  return {};
}

Rgb stateColour(host::GameState state) {
  // By GameState.
  constexpr std::array<Rgb, 3> kColours{{{120, 144, 176}, {76, 175, 80}, {230, 124, 46}}};
  return kColours.at(static_cast<std::size_t>(state));
}

std::vector<EventMark> groupEvents(const std::vector<Event> &events, EventKind kind,
                                   const Scale &scale, double labelWidth) {
  struct Group {
    EventMark mark;
    std::vector<std::pair<std::string, int>> names; // in order, with their counts
  };
  std::vector<Group> groups;
  for (const Event &event : events) {
    if (event.kind != kind) {
      continue;
    }
    const double t = seconds(event.time);
    const double first = groups.empty() ? 0.0 : seconds(groups.back().mark.first);
    const bool joins = !groups.empty() && scale.x(t) - scale.x(first) < labelWidth &&
                       !scale.breakBetween(first, t);
    if (!joins) {
      groups.push_back(Group{EventMark{event.time, event.time, {}, {}, true}, {}});
    }
    Group &group = groups.back();
    group.mark.last = event.time;
    group.mark.noEffect = group.mark.noEffect && event.noEffect;
    group.mark.tooltip += (group.mark.tooltip.empty() ? "" : "\n") + event.label + " at " +
                          momentText(event.time) + (event.noEffect ? ", no effect" : "");
    std::string name = shortLabel(kind, event.label);
    auto known = std::ranges::find(group.names, name, &std::pair<std::string, int>::first);
    if (known == group.names.end()) {
      known = group.names.insert(known, {std::move(name), 0});
    }
    ++known->second;
  }

  std::vector<EventMark> marks;
  marks.reserve(groups.size());
  for (Group &group : groups) {
    std::string &label = group.mark.label;
    for (std::size_t i = 0; i < group.names.size() && i < kMaxListedNames; ++i) {
      const auto &[name, count] = group.names[i];
      label += (i == 0 ? "" : ", ") + name;
      if (count > 1) {
        label += " \u00d7" + std::to_string(count); // ×
      }
    }
    if (group.names.size() > kMaxListedNames) {
      label += " +" + std::to_string(group.names.size() - kMaxListedNames) + " more";
    }
    if (group.mark.noEffect) {
      label += ": no effect";
    }
    marks.push_back(std::move(group.mark));
  }
  return marks;
}

Layout layOut(const Timeline &timeline, const TextWidth &textWidth) {
  Layout layout;
  layout.scale = timeScale(timeline, kLaneTitleWidth, kAxisRight, textWidth);
  layout.ticks = axisTicks(layout.scale, kMinTickSpacing);

  double top = kTopMargin;
  const auto addLane = [&](LaneKind kind, const char *title) -> Lane & {
    layout.lanes.push_back(Lane{kind, title, top, 0.0, {}, {}, {}});
    return layout.lanes.back();
  };
  const auto spanLane = [&](LaneKind kind, const char *title, const auto &spans) {
    Lane &lane = addLane(kind, title);
    laySpans(lane, spans, layout, textWidth);
    top += lane.height;
  };
  spanLane(LaneKind::State, "game state", timeline.states);
  spanLane(LaneKind::Search, "matchmaking", timeline.searches);
  spanLane(LaneKind::Party, "party", timeline.parties);
  Lane &timers = addLane(LaneKind::Timers, "timers");
  layTimers(timers, layout, timeline);
  top += timers.height;
  spanLane(LaneKind::Bar, "bar", timeline.bars);

  for (const auto &[kind, title] : kEventLanes) {
    Lane &lane = addLane(LaneKind::Events, title);
    lane.marks = groupEvents(timeline.events, kind, layout.scale, kEventLabelWidth);
    layMarks(lane, layout, textWidth);
    top += lane.height;
  }
  layout.axisTop = top;
  layout.height =
      static_cast<int>(std::ceil(layKey(layout, top + kAxisHeight + kKeyTopGap, textWidth)));
  return layout;
}

} // namespace corvane::timeline

// The timeline picture's layout: where lanes, axis ticks, timers and event
// marks go, worked out without drawing so that it can be checked on its own.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "host/session/engine/virtual_clock.h"

#include "timeline.h"

namespace corvane::timeline {

// Every length here is in pixels of the picture (points in an SVG).
inline constexpr int kDefaultPictureWidth = 1200;
inline constexpr double kLaneTitleWidth = 130.0; // the column of lane names on the left
inline constexpr double kRightMargin = 24.0;     // room for the last axis label
inline constexpr double kTopMargin = 12.0;
inline constexpr double kAxisHeight = 34.0;
inline constexpr double kSpanLaneHeight = 30.0; // states, searches, the bar
inline constexpr double kTimerRowHeight = 12.0;
inline constexpr double kTimerLanePadding = 6.0;
inline constexpr int kMaxTimerRows = 6; // more overlapping timers share the rows
// Axis ticks are at least this far apart, room for a label such as "1000 s".
inline constexpr double kMinTickSpacing = 80.0;
// The least space between two axis labels, set at kLabelFontSize and taken
// as wide as estimatedWidth says.
inline constexpr double kAxisLabelGap = 8.0;
// A stretch in which nothing starts, ends or happens is drawn as a break when
// it is at least kMinIdleSeconds long and kIdleShare of the time that the
// picture would draw with it, the longer stretches already broken: a minute
// in a match of five is the match, an hour away from the keyboard in an
// evening is not.
inline constexpr double kMinIdleSeconds = 60.0;
inline constexpr double kIdleShare = 0.25;
// A break's mark, and the idle time kept visible on each side of it so that
// an interval running through it is seen to go on; down to kMinBreakContext
// when many breaks share the axis.
inline constexpr double kBreakWidth = 18.0;
inline constexpr double kBreakContext = 36.0;
inline constexpr double kMinBreakContext = 6.0;
// Breaks take at most this share of the time axis; the longest go first.
inline constexpr double kMaxBreakShare = 1.0 / 3.0;
// An interval or a timer however short is drawn at least this wide.
inline constexpr double kMinSpanWidth = 3.0;
// An interval's fill stays this far inside its lane, its text this far
// inside the fill.
inline constexpr double kSpanInset = 4.0;
inline constexpr double kSpanTextIndent = 5.0;
// Events closer than this are drawn as one mark.
inline constexpr double kEventLabelWidth = 112.0;
// One name in an event's label; a mark of many names lists this many.
inline constexpr std::size_t kMaxEventLabelChars = 28;
inline constexpr std::size_t kMaxListedNames = 2;
// Every label in the lanes is set at one size, in rows this tall, at least
// this far from the next label, an interval it does not sit in, or a break.
inline constexpr double kLabelFontSize = 10.0;
inline constexpr double kLabelRowHeight = 14.0;
inline constexpr double kLabelGap = 6.0;
// Labels that find no room in a lane's own row go to at most this many rows
// below it; one that finds none there either is left to its tooltip.
inline constexpr int kMaxLabelRows = 3;
// A text cut to fewer characters than this inside an interval says nothing:
// it goes beside the interval whole instead.
inline constexpr std::size_t kMinInsideChars = 6;
// What a character of a label takes at most when no font is at hand.
inline constexpr double kLabelCharWidth = 6.5;
// The key under the axis: a swatch and its words per entry, in rows.
inline constexpr double kKeyRowHeight = 18.0;
inline constexpr double kKeySwatchWidth = 18.0;
inline constexpr double kKeySwatchGap = 6.0; // between a swatch and its words
inline constexpr double kKeyEntryGap = 18.0;
inline constexpr double kKeyTopGap = 8.0;

inline double seconds(Micros t) { return static_cast<double>(t) / host::kMicrosPerSecond; }

// How wide a text is drawn at kLabelFontSize. The picture measures with its
// font; without one, kLabelCharWidth per character.
using TextWidth = std::function<double(std::string_view)>;
double estimatedWidth(std::string_view text);

// One piece of the time axis: the seconds from `start` to `end` drawn
// evenly from `left` to `right`. An idle piece is a long stretch in which
// nothing happened, squeezed into a break a few pixels wide.
struct ScaleSegment {
  double start = 0.0;
  double end = 1.0;
  double left = 0.0;
  double right = 1.0;
  bool idle = false;

  double x(double t) const { return left + (t - start) * pixelsPerSecond(); }
  double pixelsPerSecond() const { return (right - left) / (end - start); }
};

// Maps virtual time onto the picture's x coordinates, piece by piece. The
// pieces follow each other without a gap in time or in x, each longer than
// nothing, so x rises with time everywhere; times outside the pieces carry on
// the nearest piece's line.
class Scale {
public:
  Scale() : Scale(0.0, 1.0, 0.0, 1.0) {}
  Scale(double start, double end, double left, double right)
      : segments_{ScaleSegment{start, end, left, right, false}} {}
  explicit Scale(std::vector<ScaleSegment> segments) : segments_(std::move(segments)) {}

  double x(double t) const;
  bool breakBetween(double t0, double t1) const;
  double left() const { return segments_.front().left; }
  double right() const { return segments_.back().right; }
  const std::vector<ScaleSegment> &segments() const { return segments_; }

private:
  std::vector<ScaleSegment> segments_;
};

struct AxisTick {
  double time = 0.0;
  std::string label;
};

// One mark in an event lane: events from `first` to `last`. It is drawn
// hollow when none of them changed anything outside the plugin.
struct EventMark {
  Micros first = 0;
  Micros last = 0;
  std::string label;
  std::string tooltip; // every event in full, with its time
  bool noEffect = false;
};

// The event lanes, one for each EventKind, are told apart by their titles.
enum class LaneKind { State, Search, Party, Timers, Bar, Events };

struct Rgb {
  std::uint8_t r = 0;
  std::uint8_t g = 0;
  std::uint8_t b = 0;

  friend bool operator==(const Rgb &, const Rgb &) = default;
};

inline constexpr Rgb kBarColour{20, 20, 20};
Rgb stateColour(host::GameState state);

struct SpanBox {
  double x0 = 0.0;
  double x1 = 0.0;
  Rgb fill;
};

// A label's place: its text from `x`, `width` wide, centred on `middle`;
// `inside` when it is drawn on its interval's fill.
struct PlacedLabel {
  std::string text;
  double x = 0.0;
  double middle = 0.0;
  double width = 0.0;
  bool inside = false;
};

// A region of the picture and the full text a pointer over it shows (an
// SVG's <title>).
struct Tooltip {
  double x = 0.0;
  double y = 0.0;
  double width = 0.0;
  double height = 0.0;
  std::string text;
};

struct Lane {
  LaneKind kind = LaneKind::State;
  std::string title;
  double top = 0.0;
  double height = 0.0;
  std::vector<EventMark> marks; // event lanes only
  std::vector<SpanBox> spans;   // span lanes only
  std::vector<PlacedLabel> labels;
};

// What the key under the axis explains, each with its own swatch; a Fill
// swatch is a box in its entry's colour.
enum class KeySwatch { Fill, Timer, TimerFired, TimerDropped, Bar, Event, NoEffect, Group, Break };

struct KeyEntry {
  KeySwatch swatch = KeySwatch::Event;
  std::string text;
  Rgb fill; // a Fill swatch's
  double x = 0.0;
  double middle = 0.0;
};

// A timer's bar as drawn, from where it was set to its reach, on its row's
// `middle`; `end` is where it fired or was dropped.
struct TimerBar {
  double x0 = 0.0;
  double x1 = 0.0;
  double middle = 0.0;
  double end = 0.0;
  TimerOutcome outcome = TimerOutcome::Pending;
  bool dueStroke = false;
};

struct Layout {
  int width = kDefaultPictureWidth;
  int height = 0;
  Scale scale;
  std::vector<Lane> lanes;
  double axisTop = 0.0;
  std::vector<AxisTick> ticks;
  std::vector<TimerBar> timers; // for each of the timeline's timers
  std::vector<KeyEntry> key;
  std::vector<Tooltip> tooltips;
};

// `text` as much of it fits in `room` as `textWidth` measures it: whole, cut
// with an ellipsis, or nothing when not even one character fits. Cutting
// whole characters keeps half glyphs out of narrow spans.
std::string fitted(const std::string &text, double room, const TextWidth &textWidth);

// Events of `kind` grouped so that no two marks are closer than
// `labelWidth`: a mark takes every event within that distance after its
// first, but never one across a break, which would join moments far apart. A
// group lists its names in order, a repeated one with its count
// ("EventMatchEnded ×3"), the first kMaxListedNames and then "+N more". A mark
// of events that all had no effect says so: "F3: no effect".
std::vector<EventMark> groupEvents(const std::vector<Event> &events, EventKind kind,
                                   const Scale &scale, double labelWidth);

// The whole picture's layout, kDefaultPictureWidth wide, its labels measured with
// `textWidth`. No two labels overlap, none reaches into a break, and every
// interval is drawn at least kMinSpanWidth wide: a label with no room
// anywhere is left to its tooltip, and the picture grows downwards by the
// label rows it needs.
Layout layOut(const Timeline &timeline, const TextWidth &textWidth = estimatedWidth);

} // namespace corvane::timeline

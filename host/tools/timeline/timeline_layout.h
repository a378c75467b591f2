// The timeline picture's layout: where lanes, axis ticks, timers and event
// marks go, worked out without drawing so that it can be checked on its own.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "timeline.h"

namespace corvane::timeline {

// Every length here is in pixels of the picture (points in an SVG).
inline constexpr int kDefaultPictureWidth = 1200;
inline constexpr double kLaneTitleWidth = 130.0; // the column of lane names on the left
inline constexpr double kRightMargin = 24.0;     // room for the last axis label
inline constexpr double kTopMargin = 12.0;
inline constexpr double kAxisHeight = 34.0;
inline constexpr double kSpanLaneHeight = 30.0;  // states, searches, the bar
inline constexpr double kEventLaneHeight = 34.0; // a tick with its label below
inline constexpr double kTimerRowHeight = 12.0;
inline constexpr double kTimerLanePadding = 6.0;
inline constexpr int kMaxTimerRows = 6; // more overlapping timers share the rows
// Axis ticks are at least this far apart, room for a label such as "1000 s".
inline constexpr double kMinTickSpacing = 80.0;
// What one character of an axis label takes at most (a digit at the axis's
// font size), and the least space between two labels.
inline constexpr double kAxisCharWidth = 6.5;
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
// What an event's label may take: closer events are drawn as one mark.
inline constexpr double kEventLabelWidth = 112.0;
inline constexpr std::size_t kMaxEventLabelChars = 18;

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
  // One piece, linear from `start` to `end`.
  Scale(double start, double end, double left, double right);
  explicit Scale(std::vector<ScaleSegment> segments);

  double x(double t) const;
  // Whether a break lies between the times `a` and `b`.
  bool breakBetween(double a, double b) const;
  double start() const { return segments_.front().start; }
  double end() const { return segments_.back().end; }
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

// One mark in an event lane: `count` events from `first` to `last`.
struct EventMark {
  double first = 0.0;
  double last = 0.0;
  int count = 0;
  std::string label;
};

enum class LaneKind { State, Search, Timers, Bar, Keys, Notifiers, Functions, Commands };

struct Lane {
  LaneKind kind = LaneKind::State;
  std::string title;
  double top = 0.0;
  double height = 0.0;
  std::vector<EventMark> marks; // event lanes only
};

struct Layout {
  int width = 0;
  int height = 0;
  Scale scale;
  std::vector<Lane> lanes;
  double axisTop = 0.0;
  std::vector<AxisTick> ticks;
  std::vector<int> timerRows; // for each of the timeline's timers, its row in the timer lane
};

struct Rgb {
  std::uint8_t r = 0;
  std::uint8_t g = 0;
  std::uint8_t b = 0;

  friend bool operator==(const Rgb &, const Rgb &) = default;
};

// Characters (UTF-8 sequences) in `text`.
std::size_t charCount(std::string_view text);

// `text` in at most `maxChars` characters, ending in an ellipsis when cut;
// never splits a UTF-8 sequence.
std::string cutToChars(std::string_view text, std::size_t maxChars);

// The colour of a game state's segment; an unknown state is grey.
Rgb stateColour(std::string_view state);

// The axis step: the smallest of 1, 2 and 5 times a power of ten seconds
// that puts ticks at least `minSpacing` pixels apart.
double tickStep(double pixelsPerSecond, double minSpacing);

// A time on the axis, in seconds with as many decimals as `step` needs:
// "0 s", "0.5 s", "90 s", "1500 s". Seconds, as in the trace's timestamps.
std::string secondsLabel(double t, double step);

// Ticks for each of the scale's pieces but its breaks, at the piece's own
// step, so that both sides of a break read in real times. A piece too short
// for one tick at that step gets one at a finer step. A tick whose label
// would touch the one before it (across a break, say) is left out.
std::vector<AxisTick> axisTicks(const Scale &scale, double minSpacing);

// An event's text for its tick: a game function by its last name component
// ("Function TAGame.GameEvent_Soccar_TA.EventMatchEnded" reads
// "EventMatchEnded"), anything else as it is; cut to kMaxEventLabelChars.
std::string shortLabel(EventKind kind, std::string_view label);

// Events of `kind` grouped so that no two marks are closer than
// `labelWidth`: a mark takes every event within that distance after its
// first, but never one across a break, which would join moments far apart. A group reads
// "EventMatchEnded ×3" when its events share a label and "3 events" otherwise.
std::vector<EventMark> groupEvents(const std::vector<Event> &events, EventKind kind,
                                   const Scale &scale, double labelWidth);

// Rows for the timer spans such that spans in a row do not overlap, at most
// `maxRows` of them; returns each timer's row.
// How far a timer's bar reaches: to its due time unless dropped before it.
double timerReach(const TimerSpan &timer);

std::vector<int> timerRows(const std::vector<TimerSpan> &timers, int maxRows);

// "category 1: 5" or "category 1: 10, 11" (the playlists selected).
std::string searchLabel(const SearchSpan &search);

// The time axis of `timeline` from `left` to `right`: one linear piece, or
// with its long idle stretches drawn as breaks and everything else at one
// common number of pixels per second.
Scale timeScale(const Timeline &timeline, double left, double right);

// The whole picture's layout at `width` pixels.
Layout layOut(const Timeline &timeline, int width = kDefaultPictureWidth);

} // namespace corvane::timeline

// Timeline drawing with Cairo: the layout's lanes painted into a PNG or SVG.
#include "timeline_render.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <limits>
#include <memory>
#include <numbers>
#include <optional>
#include <string_view>
#include <utility>
#include <vector>

#include <cairo-svg.h>
#include <cairo.h>

#include "host/session/platform/utf8_path.h"

namespace corvane::timeline {

namespace {

// Below this the lanes' labels leave no room for time; above it the PNG's
// buffer grows past what a picture of a run needs.
constexpr int kMinWidth = 400;
constexpr int kMaxWidth = 16384;

constexpr const char *kFontFamily = "sans-serif";
constexpr double kTitleFontSize = 12.0;
constexpr double kLabelFontSize = 11.0;
constexpr double kAxisFontSize = 10.0;
// Small enough for kMaxEventLabelChars to fit kEventLabelWidth.
constexpr double kEventFontSize = 10.0;
// From a line's vertical centre to its baseline, as a share of the font size.
constexpr double kBaselineDrop = 0.36;

constexpr double kLaneTitleIndent = 10.0;
constexpr double kSpanInset = 4.0; // a span stays clear of its lane's edges
constexpr double kSpanTextIndent = 5.0;
constexpr double kTimerBarThickness = 4.0;
constexpr double kTimerMarkHalfHeight = 4.0; // the set and due strokes
constexpr double kFiredMarkRadius = 4.0;
constexpr double kDroppedMarkHalf = 3.5;
constexpr double kEventTickTop = 3.0;
constexpr double kEventTickLength = 11.0;
constexpr double kEventLabelGap = 6.0;  // between one mark's label and the next mark
constexpr double kPictureEdgeGap = 4.0; // between the last label and the picture's edge
constexpr double kAxisTickLength = 5.0;
constexpr double kAxisLabelDrop = 18.0;
// A break's two strokes lean this far each way from their middle, stand this
// far inside the break's edges, and lie on a band of background this wide
// so that they read over any span.
constexpr double kBreakSlant = 3.0;
constexpr double kBreakMarkInset = 4.0;
constexpr double kBreakHalo = 4.0;
constexpr double kBreakAxisHalfHeight = 6.0;
constexpr double kHairline = 1.0;
constexpr double kStroke = 1.5;
// Vector lines on whole pixels blur across two; half a pixel puts them on one.
constexpr double kPixelCentre = 0.5;
constexpr double kRgbMax = 255.0;

struct Palette {
  Rgb background;
  Rgb alternateLane;
  Rgb text;
  Rgb mutedText;
  Rgb rule;
  Rgb grid;
  Rgb stateText;
  Rgb search;
  Rgb searchText;
  Rgb timer;
  Rgb timerFired;
  Rgb timerDropped;
  Rgb bar;
  Rgb barEdge;
  Rgb barText;
  Rgb eventTick;
};

constexpr Palette kLightPalette{.background = {255, 255, 255},
                                .alternateLane = {245, 247, 250},
                                .text = {33, 33, 33},
                                .mutedText = {90, 90, 90},
                                .rule = {200, 200, 200},
                                .grid = {228, 228, 228},
                                .stateText = {255, 255, 255},
                                .search = {66, 133, 244},
                                .searchText = {255, 255, 255},
                                .timer = {126, 87, 194},
                                .timerFired = {46, 125, 50},
                                .timerDropped = {198, 40, 40},
                                .bar = {20, 20, 20},
                                .barEdge = {20, 20, 20},
                                .barText = {240, 240, 240},
                                .eventTick = {55, 71, 79}};

// The bar stays black on a dark background, as in the game; its edge keeps
// it apart from the background.
constexpr Palette kDarkPalette{.background = {24, 26, 31},
                               .alternateLane = {32, 35, 41},
                               .text = {230, 230, 230},
                               .mutedText = {170, 170, 170},
                               .rule = {70, 74, 82},
                               .grid = {48, 52, 60},
                               .stateText = {20, 20, 20},
                               .search = {66, 133, 244},
                               .searchText = {255, 255, 255},
                               .timer = {179, 157, 219},
                               .timerFired = {102, 187, 106},
                               .timerDropped = {239, 83, 80},
                               .bar = {0, 0, 0},
                               .barEdge = {110, 116, 128},
                               .barText = {240, 240, 240},
                               .eventTick = {176, 190, 197}};

struct SurfaceDeleter {
  void operator()(cairo_surface_t *surface) const { cairo_surface_destroy(surface); }
};
struct ContextDeleter {
  void operator()(cairo_t *cr) const { cairo_destroy(cr); }
};
using SurfacePtr = std::unique_ptr<cairo_surface_t, SurfaceDeleter>;
using ContextPtr = std::unique_ptr<cairo_t, ContextDeleter>;

// Where Cairo's output goes: the file opened by us, so that a failure can be
// reported with the system's reason rather than Cairo's generic one.
struct FileSink {
  std::FILE *file = nullptr;
  int error = 0;

  static cairo_status_t write(void *closure, const unsigned char *data, unsigned int length) {
    auto *sink = static_cast<FileSink *>(closure);
    if (std::fwrite(data, 1, length, sink->file) != length) {
      sink->error = errno != 0 ? errno : EIO;
      return CAIRO_STATUS_WRITE_ERROR;
    }
    return CAIRO_STATUS_SUCCESS;
  }
};

bool endsWith(std::string_view text, std::string_view suffix) {
  return text.size() >= suffix.size() &&
         std::equal(suffix.rbegin(), suffix.rend(), text.rbegin(), [](char a, char b) {
           return std::tolower(static_cast<unsigned char>(a)) == b;
         });
}

// Drawing calls in the picture's terms.
class Painter {
public:
  Painter(cairo_t *cr, const Palette &palette) : cr_(cr), palette_(palette) {
    cairo_select_font_face(cr_, kFontFamily, CAIRO_FONT_SLANT_NORMAL, CAIRO_FONT_WEIGHT_NORMAL);
  }

  const Palette &palette() const { return palette_; }

  void colour(Rgb c) { cairo_set_source_rgb(cr_, c.r / kRgbMax, c.g / kRgbMax, c.b / kRgbMax); }

  void fill(double x, double y, double w, double h, Rgb c) {
    colour(c);
    cairo_rectangle(cr_, x, y, w, h);
    cairo_fill(cr_);
  }

  void line(double x0, double y0, double x1, double y1, double width, Rgb c) {
    colour(c);
    cairo_set_line_width(cr_, width);
    cairo_move_to(cr_, x0, y0);
    cairo_line_to(cr_, x1, y1);
    cairo_stroke(cr_);
  }

  void disc(double x, double y, double radius, Rgb c) {
    colour(c);
    cairo_arc(cr_, x, y, radius, 0.0, 2.0 * std::numbers::pi);
    cairo_fill(cr_);
  }

  double textWidth(const std::string &text, double size) {
    cairo_set_font_size(cr_, size);
    cairo_text_extents_t extents{};
    cairo_text_extents(cr_, text.c_str(), &extents);
    return extents.x_advance;
  }

  // `text` as much of it fits in `room`: whole, cut with an ellipsis, or
  // nothing when not even one character fits. Cutting whole characters keeps
  // half glyphs out of narrow spans.
  std::string fitted(const std::string &text, double room, double size) {
    const double width = textWidth(text, size);
    if (width <= room) {
      return text;
    }
    // Start from the share of characters that the room would hold at their
    // average width, and give up one at a time from there.
    const std::size_t chars = charCount(text);
    auto keep = std::min(
        chars,
        static_cast<std::size_t>(static_cast<double>(chars) * std::max(room, 0.0) / width) + 1);
    for (; keep > 1; --keep) {
      std::string cut = cutToChars(text, keep);
      if (textWidth(cut, size) <= room) {
        return cut;
      }
    }
    return {};
  }

  // Text centred on `middle` vertically, from `x`, as much as fits before `right`.
  void text(const std::string &text, double x, double middle, double size, Rgb c, double right) {
    const std::string shown = fitted(text, right - x, size);
    if (shown.empty()) {
      return;
    }
    colour(c);
    cairo_set_font_size(cr_, size);
    cairo_move_to(cr_, x, middle + kBaselineDrop * size);
    cairo_show_text(cr_, shown.c_str());
  }

  void outline(double x, double y, double w, double h, Rgb c) {
    colour(c);
    cairo_set_line_width(cr_, kHairline);
    cairo_rectangle(cr_, x, y, w, h);
    cairo_stroke(cr_);
  }

private:
  cairo_t *cr_;
  const Palette &palette_;
};

double middleOf(const Lane &lane) { return lane.top + lane.height / 2.0; }

// The x range from the end of the last break before `x0` to the start of the
// first break after `x1`: where a text beside an interval may go without
// running into another stretch of time.
std::pair<double, double> roomBetweenBreaks(const Scale &scale, double x0, double x1) {
  std::pair<double, double> room{-std::numeric_limits<double>::infinity(),
                                 std::numeric_limits<double>::infinity()};
  for (const ScaleSegment &piece : scale.segments()) {
    if (piece.idle && piece.right <= x0) {
      room.first = piece.right;
    } else if (piece.idle && piece.left >= x1) {
      room.second = std::min(room.second, piece.left);
    }
  }
  return room;
}

// One interval of a span lane, in the picture's terms.
struct LaneSpan {
  double start = 0.0;
  double end = 0.0;
  Rgb fill;
  std::string text;
};

// A span lane's intervals, in time order, each at least kMinSpanWidth wide
// so that a search found the moment it started still shows. The text goes
// inside, cut to fit. An interval too narrow for one character of it gets
// it whole beside it instead, after it if there is room before the next
// interval, else before it if there is room after the last text, else not
// at all: a text cut to a few letters beside a sliver says nothing. Neither
// side reaches across a break.
void drawSpanLane(Painter &painter, const Layout &layout, const Lane &lane,
                  const std::vector<LaneSpan> &spans, Rgb insideText, std::optional<Rgb> edge) {
  const double middle = middleOf(lane);
  const double top = lane.top + kSpanInset;
  const double height = lane.height - 2.0 * kSpanInset;
  double taken = layout.scale.left(); // where the last interval or text beside one ends
  for (std::size_t i = 0; i < spans.size(); ++i) {
    const LaneSpan &span = spans[i];
    const double x0 = layout.scale.x(span.start);
    const double x1 = std::max(layout.scale.x(span.end), x0 + kMinSpanWidth);
    painter.fill(x0, top, x1 - x0, height, span.fill);
    if (edge) {
      const double left = std::round(x0) + kPixelCentre;
      const double right = std::max(std::round(x1) - kPixelCentre, left);
      painter.outline(left, top + kPixelCentre, right - left, height - kHairline, *edge);
    }
    const std::string inside =
        painter.fitted(span.text, x1 - x0 - 2.0 * kSpanTextIndent, kLabelFontSize);
    if (!inside.empty()) {
      painter.text(inside, x0 + kSpanTextIndent, middle, kLabelFontSize, insideText,
                   x1 - kSpanTextIndent);
      taken = x1;
      continue;
    }
    const double width = std::ceil(painter.textWidth(span.text, kLabelFontSize));
    const auto [afterBreak, beforeBreak] = roomBetweenBreaks(layout.scale, x0, x1);
    const double next = std::min(i + 1 < spans.size() ? layout.scale.x(spans[i + 1].start)
                                                      : static_cast<double>(layout.width),
                                 beforeBreak);
    const double last = std::max(taken, afterBreak);
    const Rgb besideText = painter.palette().text;
    if (x1 + 2.0 * kSpanTextIndent + width <= next) {
      painter.text(span.text, x1 + kSpanTextIndent, middle, kLabelFontSize, besideText,
                   x1 + kSpanTextIndent + width);
      taken = x1 + kSpanTextIndent + width;
    } else if (last + 2.0 * kSpanTextIndent + width <= x0) {
      painter.text(span.text, x0 - kSpanTextIndent - width, middle, kLabelFontSize, besideText,
                   x0 - kSpanTextIndent);
      taken = x1;
    } else {
      taken = std::max(taken, x1);
    }
  }
}

void drawTimers(Painter &painter, const Timeline &timeline, const Layout &layout,
                const Lane &lane) {
  const Palette &p = painter.palette();
  const double right = layout.scale.right();
  for (std::size_t i = 0; i < timeline.timers.size(); ++i) {
    const TimerSpan &timer = timeline.timers[i];
    const double y = lane.top + kTimerLanePadding + layout.timerRows[i] * kTimerRowHeight +
                     kTimerRowHeight / 2.0;
    const double x0 = layout.scale.x(timer.set);
    const double x1 =
        std::max(std::min(layout.scale.x(timerReach(timer)), right), x0 + kMinSpanWidth);
    painter.fill(x0, y - kTimerBarThickness / 2.0, x1 - x0, kTimerBarThickness, p.timer);
    painter.line(x0, y - kTimerMarkHalfHeight, x0, y + kTimerMarkHalfHeight, kStroke, p.timer);
    if (timer.outcome != TimerOutcome::Dropped && layout.scale.x(timer.due) <= right) {
      painter.line(x1, y - kTimerMarkHalfHeight, x1, y + kTimerMarkHalfHeight, kStroke, p.timer);
    }
    const double xEnd = layout.scale.x(timer.end);
    if (timer.outcome == TimerOutcome::Fired) {
      painter.disc(xEnd, y, kFiredMarkRadius, p.timerFired);
    } else if (timer.outcome == TimerOutcome::Dropped) {
      painter.line(xEnd - kDroppedMarkHalf, y - kDroppedMarkHalf, xEnd + kDroppedMarkHalf,
                   y + kDroppedMarkHalf, kStroke, p.timerDropped);
      painter.line(xEnd - kDroppedMarkHalf, y + kDroppedMarkHalf, xEnd + kDroppedMarkHalf,
                   y - kDroppedMarkHalf, kStroke, p.timerDropped);
    }
  }
}

// Each mark's tick, and its label from the tick to the next mark. A label
// with no room there (at the picture's right edge, or before a mark just
// across a break) moves left to end at its tick, as far as the label before
// it leaves free.
void drawEvents(Painter &painter, const Layout &layout, const Lane &lane) {
  const Palette &p = painter.palette();
  const double tickTop = lane.top + kEventTickTop;
  const double tickBottom = tickTop + kEventTickLength;
  const double labelMiddle = tickBottom + (lane.top + lane.height - tickBottom) / 2.0;
  const auto width = static_cast<double>(layout.width);
  double taken = layout.scale.left() - kEventLabelGap; // where the last label ends
  for (std::size_t i = 0; i < lane.marks.size(); ++i) {
    const EventMark &mark = lane.marks[i];
    const double x0 = std::round(layout.scale.x(mark.first)) + kPixelCentre;
    painter.line(x0, tickTop, x0, tickBottom, kStroke, p.eventTick);
    if (mark.last > mark.first) {
      // A group shows the stretch of time its events cover.
      const double x1 = std::round(layout.scale.x(mark.last)) + kPixelCentre;
      painter.line(x1, tickTop, x1, tickBottom, kHairline, p.eventTick);
      painter.line(x0, tickTop, x1, tickTop, kHairline, p.eventTick);
    }
    const double limit = i + 1 < lane.marks.size()
                             ? std::round(layout.scale.x(lane.marks[i + 1].first)) - kEventLabelGap
                             : width - kPictureEdgeGap;
    // Whole pixels, so that moving a label left by its width leaves it room.
    const double labelWidth = std::ceil(painter.textWidth(mark.label, kEventFontSize));
    const double from = std::max(std::min(x0, limit - labelWidth), taken + kEventLabelGap);
    painter.text(mark.label, from, labelMiddle, kEventFontSize, p.text, limit);
    taken = std::min(from + labelWidth, limit);
  }
}

// The two slanted strokes of a break, from `top` to `bottom`.
void drawBreakStrokes(Painter &painter, const ScaleSegment &piece, double top, double bottom) {
  const Palette &p = painter.palette();
  for (const double x : {piece.left + kBreakMarkInset, piece.right - kBreakMarkInset}) {
    painter.line(x - kBreakSlant, bottom, x + kBreakSlant, top, kBreakHalo, p.background);
    painter.line(x - kBreakSlant, bottom, x + kBreakSlant, top, kStroke, p.mutedText);
  }
}

// Each compressed idle stretch: its strokes across every lane. What runs
// through it is drawn under them and stays whole; event labels, drawn after,
// stay readable over them.
void drawLaneBreaks(Painter &painter, const Layout &layout) {
  for (const ScaleSegment &piece : layout.scale.segments()) {
    if (piece.idle) {
      for (const Lane &lane : layout.lanes) {
        drawBreakStrokes(painter, piece, lane.top, lane.top + lane.height);
      }
    }
  }
}

// The axis line left open between a break's strokes.
void drawAxisBreaks(Painter &painter, const Layout &layout) {
  const double axis = std::round(layout.axisTop) + kPixelCentre;
  for (const ScaleSegment &piece : layout.scale.segments()) {
    if (piece.idle) {
      painter.line(piece.left + kBreakMarkInset, axis, piece.right - kBreakMarkInset, axis,
                   kBreakHalo, painter.palette().background);
      drawBreakStrokes(painter, piece, axis - kBreakAxisHalfHeight, axis + kBreakAxisHalfHeight);
    }
  }
}

void drawAxis(Painter &painter, const Layout &layout) {
  const Palette &p = painter.palette();
  const double y = std::round(layout.axisTop) + kPixelCentre;
  painter.line(layout.scale.left(), y, layout.scale.right(), y, kHairline, p.text);
  for (const AxisTick &tick : layout.ticks) {
    const double x = std::round(layout.scale.x(tick.time)) + kPixelCentre;
    painter.line(x, y, x, y + kAxisTickLength, kHairline, p.text);
    const double width = painter.textWidth(tick.label, kAxisFontSize);
    painter.text(tick.label, x - width / 2.0, y + kAxisLabelDrop - kAxisFontSize / 2.0,
                 kAxisFontSize, p.text, static_cast<double>(layout.width));
  }
}

// The background: every other lane shaded, the lanes' titles and the grid.
void drawBackground(Painter &painter, const Layout &layout) {
  const Palette &palette = painter.palette();
  const auto width = static_cast<double>(layout.width);
  painter.fill(0.0, 0.0, width, layout.height, palette.background);

  for (std::size_t i = 0; i < layout.lanes.size(); ++i) {
    const Lane &lane = layout.lanes[i];
    if (i % 2 == 1) {
      painter.fill(0.0, lane.top, width, lane.height, palette.alternateLane);
    }
    painter.text(lane.title, kLaneTitleIndent, middleOf(lane), kTitleFontSize, palette.mutedText,
                 layout.scale.left());
  }
  const double gridTop = layout.lanes.front().top;
  for (const AxisTick &tick : layout.ticks) {
    const double x = std::round(layout.scale.x(tick.time)) + kPixelCentre;
    painter.line(x, gridTop, x, layout.axisTop, kHairline, palette.grid);
  }
}

// What the lanes of spans and the timers lane show.
void drawLaneContents(Painter &painter, const Timeline &timeline, const Layout &layout) {
  const Palette &palette = painter.palette();
  for (const Lane &lane : layout.lanes) {
    switch (lane.kind) {
    case LaneKind::State: {
      std::vector<LaneSpan> spans;
      for (const StateSpan &span : timeline.states) {
        spans.push_back(LaneSpan{span.start, span.end, stateColour(span.state), span.state});
      }
      drawSpanLane(painter, layout, lane, spans, palette.stateText, std::nullopt);
      break;
    }
    case LaneKind::Search: {
      std::vector<LaneSpan> spans;
      for (const SearchSpan &span : timeline.searches) {
        spans.push_back(LaneSpan{span.start, span.end, palette.search, searchLabel(span)});
      }
      drawSpanLane(painter, layout, lane, spans, palette.searchText, std::nullopt);
      break;
    }
    case LaneKind::Timers:
      drawTimers(painter, timeline, layout, lane);
      break;
    case LaneKind::Bar: {
      std::vector<LaneSpan> spans;
      for (const BarSpan &span : timeline.bars) {
        spans.push_back(LaneSpan{span.start, span.end, palette.bar, span.text});
      }
      drawSpanLane(painter, layout, lane, spans, palette.barText, palette.barEdge);
      break;
    }
    case LaneKind::Keys:
    case LaneKind::Notifiers:
    case LaneKind::Functions:
    case LaneKind::Commands:
      break; // over the breaks' strokes, below
    }
  }
}

void draw(cairo_t *cr, const Timeline &timeline, const Layout &layout, const Palette &palette) {
  Painter painter(cr, palette);
  drawBackground(painter, layout);
  drawLaneContents(painter, timeline, layout);
  drawLaneBreaks(painter, layout);
  for (const Lane &lane : layout.lanes) {
    if (!lane.marks.empty()) {
      drawEvents(painter, layout, lane);
    }
  }
  for (const Lane &lane : layout.lanes) {
    const double y = std::round(lane.top + lane.height) + kPixelCentre;
    painter.line(0.0, y, static_cast<double>(layout.width), y, kHairline, palette.rule);
  }
  drawAxis(painter, layout);
  drawAxisBreaks(painter, layout);
}

std::string failure(const std::string &path, const std::string &reason) {
  return "cannot write timeline " + path + ": " + reason;
}

} // namespace

bool timelinesAvailable() { return true; }

std::optional<std::string> renderTimeline(const Timeline &timeline, const std::string &path,
                                          const RenderOptions &options) {
  if (options.width < kMinWidth || options.width > kMaxWidth) {
    return "cannot draw timeline " + path + ": width " + std::to_string(options.width) +
           " is outside " + std::to_string(kMinWidth) + " to " + std::to_string(kMaxWidth);
  }
  const Layout layout = layOut(timeline, options.width);
  const Palette &palette = options.background == Background::Dark ? kDarkPalette : kLightPalette;
  const bool svg = endsWith(path, ".svg");

  FileSink sink;
  errno = 0;
  sink.file = platform::openForWriting(path);
  if (sink.file == nullptr) {
    return failure(path, platform::errnoText(errno));
  }

  SurfacePtr surface(
      svg ? cairo_svg_surface_create_for_stream(&FileSink::write, &sink, layout.width,
                                                layout.height)
          : cairo_image_surface_create(CAIRO_FORMAT_RGB24, layout.width, layout.height));
  cairo_status_t status = cairo_surface_status(surface.get());
  if (status == CAIRO_STATUS_SUCCESS) {
    ContextPtr cr(cairo_create(surface.get()));
    draw(cr.get(), timeline, layout, palette);
    status = cairo_status(cr.get());
  }
  if (status == CAIRO_STATUS_SUCCESS) {
    if (svg) {
      cairo_surface_finish(surface.get());
      status = cairo_surface_status(surface.get());
    } else {
      status = cairo_surface_write_to_png_stream(surface.get(), &FileSink::write, &sink);
    }
  }
  surface.reset();

  std::string reason;
  if (sink.error != 0) {
    reason = platform::errnoText(sink.error);
  } else if (status != CAIRO_STATUS_SUCCESS) {
    reason = cairo_status_to_string(status);
  }
  errno = 0;
  if (std::fclose(sink.file) != 0 && reason.empty()) {
    reason = platform::errnoText(errno != 0 ? errno : EIO);
  }
  if (!reason.empty()) {
    std::error_code ignored;
    std::filesystem::remove(platform::pathFromUtf8(path), ignored);
    return failure(path, reason);
  }
  return std::nullopt;
}

} // namespace corvane::timeline

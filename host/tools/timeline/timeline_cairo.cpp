// Timeline drawing with Cairo: the layout's lanes painted into a PNG or SVG.
#include "timeline_render.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>
#include <string_view>
#include <vector>

#include <cairo-svg.h>
#include <cairo.h>

#include "host/tools/drawing/cairo_picture.h"
#include "host/tools/program/file_name.h"

namespace corvane::timeline {

namespace {

using picture::CairoPtr;

constexpr const char *kFontFamily = "sans-serif";
constexpr double kTitleFontSize = 12.0;
// From a line's vertical centre to its baseline, as a share of the font size.
constexpr double kBaselineDrop = 0.36;

constexpr double kLaneTitleIndent = 10.0;
constexpr double kTimerBarThickness = 4.0;
constexpr double kTimerMarkHalfHeight = 4.0; // the set and due strokes
constexpr double kFiredMarkRadius = 4.0;
constexpr double kDroppedMarkHalf = 3.5;
constexpr double kEventTickTop = 3.0;
constexpr double kEventTickLength = 11.0;
constexpr double kTickHalfWidth = 1.5;
constexpr double kKeySwatchHalfHeight = 5.0;
constexpr double kAxisTickLength = 5.0;
constexpr double kAxisLabelDrop = 18.0;
// A break's two strokes: how far each leans from its middle, how far inside
// the break's edges it stands, the band of background under it that makes
// it read over any span, and its half height across the axis.
constexpr double kBreakSlant = 3.0;
constexpr double kBreakInset = 4.0;
constexpr double kBreakHalo = 4.0;
constexpr double kBreakAxisHalfHeight = 6.0;
constexpr double kHairline = 1.0;
constexpr double kStroke = 1.5;
// Vector lines on whole pixels blur across two; half a pixel puts them on one.
constexpr double kPixelCentre = 0.5;

constexpr Rgb kBackground{255, 255, 255};
constexpr Rgb kAlternateLane{245, 247, 250};
constexpr Rgb kText{33, 33, 33};
constexpr Rgb kMutedText{90, 90, 90};
constexpr Rgb kRule{200, 200, 200};
constexpr Rgb kGrid{228, 228, 228};
constexpr Rgb kTextOnFill{255, 255, 255}; // on a state, party or search
constexpr Rgb kBarText{240, 240, 240};
constexpr Rgb kTimer{126, 87, 194};
constexpr Rgb kTimerFired{46, 125, 50};
constexpr Rgb kTimerDropped{198, 40, 40};
constexpr Rgb kEventTick{55, 71, 79};

// `text` safe in SVG character data and attribute values.
std::string xmlEscaped(std::string_view text) {
  std::string escaped;
  for (const char c : text) {
    const std::string_view entity = c == '&'   ? "&amp;"
                                    : c == '<' ? "&lt;"
                                    : c == '>' ? "&gt;"
                                    : c == '"' ? "&quot;"
                                               : "";
    escaped += entity.empty() ? std::string(1, c) : std::string(entity);
  }
  return escaped;
}

// The tooltips as invisible regions over the picture, last so that they lie
// on top: a pointer over a mark, an interval or a label shows its full text.
void addTooltips(std::string &svg, const std::vector<Tooltip> &tooltips) {
  std::string regions = "<g fill=\"#000\" fill-opacity=\"0\">\n";
  for (const Tooltip &tip : tooltips) {
    std::array<char, 128> box{};
    std::snprintf(box.data(), box.size(),
                  "<rect x=\"%.1f\" y=\"%.1f\" width=\"%.1f\" height=\"%.1f\">", tip.x, tip.y,
                  tip.width, tip.height);
    regions += box.data();
    regions += "<title>" + xmlEscaped(tip.text) + "</title></rect>\n";
  }
  regions += "</g>\n";
  svg.insert(svg.rfind("</svg>"), regions);
}

// Drawing calls in the picture's terms.
void colour(cairo_t *cr, Rgb c) { picture::setColour(cr, c.r, c.g, c.b); }

void fill(cairo_t *cr, double x, double y, double w, double h, Rgb c) {
  colour(cr, c);
  cairo_rectangle(cr, x, y, w, h);
  cairo_fill(cr);
}

void line(cairo_t *cr, double x0, double y0, double x1, double y1, double width, Rgb c) {
  colour(cr, c);
  cairo_set_line_width(cr, width);
  cairo_move_to(cr, x0, y0);
  cairo_line_to(cr, x1, y1);
  cairo_stroke(cr);
}

void disc(cairo_t *cr, double x, double y, double radius, Rgb c) {
  colour(cr, c);
  cairo_arc(cr, x, y, radius, 0.0, 2.0 * std::numbers::pi);
  cairo_fill(cr);
}

// Cairo takes only valid UTF-8, and the bar's text is a player's.
double textWidth(cairo_t *cr, std::string_view text, double size) {
  cairo_set_font_size(cr, size);
  cairo_text_extents_t extents{};
  cairo_text_extents(cr, picture::drawableText(text).c_str(), &extents);
  return extents.x_advance;
}

// Text centred on `middle` vertically, from `x`, as much as fits before `right`.
void drawText(cairo_t *cr, const std::string &text, double x, double middle, double size, Rgb c,
              double right) {
  const std::string shown =
      fitted(picture::drawableText(text), right - x,
             [cr, size](std::string_view part) { return textWidth(cr, part, size); });
  if (shown.empty()) {
    return;
  }
  colour(cr, c);
  cairo_set_font_size(cr, size);
  cairo_move_to(cr, x, middle + kBaselineDrop * size);
  cairo_show_text(cr, shown.c_str());
}

void outline(cairo_t *cr, double x, double y, double w, double h, Rgb c) {
  colour(cr, c);
  cairo_set_line_width(cr, kHairline);
  cairo_rectangle(cr, x, y, w, h);
  cairo_stroke(cr);
}

void selectFont(cairo_t *cr) {
  cairo_select_font_face(cr, kFontFamily, CAIRO_FONT_SLANT_NORMAL, CAIRO_FONT_WEIGHT_NORMAL);
}

// A span lane's intervals, the bar's with an edge.
void drawSpans(cairo_t *cr, const Lane &lane) {
  const double top = lane.top + kSpanInset;
  const double height = kSpanLaneHeight - 2.0 * kSpanInset;
  // Intervals drawn at their least width go last, over the ones beside them.
  for (const bool narrow : {false, true}) {
    for (const SpanBox &box : lane.spans) {
      if ((box.x1 - box.x0 <= kMinSpanWidth) != narrow) {
        continue;
      }
      fill(cr, box.x0, top, box.x1 - box.x0, height, box.fill);
      if (lane.kind == LaneKind::Bar) {
        const double left = std::round(box.x0) + kPixelCentre;
        const double right = std::max(std::round(box.x1) - kPixelCentre, left);
        outline(cr, left, top + kPixelCentre, right - left, height - kHairline, kBarColour);
      }
    }
  }
}

// A timer's bar from `x0` to `x1` on `y`, with a stroke where it was set and,
// when `dueStroke`, one where it falls due.
void drawTimerBar(cairo_t *cr, double x0, double x1, double y, bool dueStroke) {
  fill(cr, x0, y - kTimerBarThickness / 2.0, x1 - x0, kTimerBarThickness, kTimer);
  line(cr, x0, y - kTimerMarkHalfHeight, x0, y + kTimerMarkHalfHeight, kStroke, kTimer);
  if (dueStroke) {
    line(cr, x1, y - kTimerMarkHalfHeight, x1, y + kTimerMarkHalfHeight, kStroke, kTimer);
  }
}

void drawDroppedCross(cairo_t *cr, double x, double y) {
  line(cr, x - kDroppedMarkHalf, y - kDroppedMarkHalf, x + kDroppedMarkHalf, y + kDroppedMarkHalf,
       kStroke, kTimerDropped);
  line(cr, x - kDroppedMarkHalf, y + kDroppedMarkHalf, x + kDroppedMarkHalf, y - kDroppedMarkHalf,
       kStroke, kTimerDropped);
}

void drawTimers(cairo_t *cr, const Layout &layout) {
  for (const TimerBar &timer : layout.timers) {
    drawTimerBar(cr, timer.x0, timer.x1, timer.middle, timer.dueStroke);
    if (timer.outcome == TimerOutcome::Fired) {
      disc(cr, timer.end, timer.middle, kFiredMarkRadius, kTimerFired);
    } else if (timer.outcome == TimerOutcome::Dropped) {
      drawDroppedCross(cr, timer.end, timer.middle);
    }
  }
}

// A mark's tick: a narrow box, hollow when its events had no effect.
void drawTick(cairo_t *cr, double x, double top, bool hollow) {
  if (hollow) {
    outline(cr, std::round(x - kTickHalfWidth) + kPixelCentre, top + kPixelCentre,
            2.0 * kTickHalfWidth, kEventTickLength, kEventTick);
  } else {
    fill(cr, std::round(x - kTickHalfWidth), top, 2.0 * kTickHalfWidth + 1.0,
         kEventTickLength + 1.0, kEventTick);
  }
}

// The bracket of a group's mark over the time it covers, from `left` to a
// stroke at `right`.
void drawBracket(cairo_t *cr, double left, double right, double tickTop) {
  line(cr, right, tickTop, right, tickTop + kEventTickLength, kHairline, kEventTick);
  line(cr, left, tickTop + kPixelCentre, right, tickTop + kPixelCentre, kHairline, kEventTick);
}

// An event lane's marks: a tick each, and a bracket over a group's time.
void drawMarks(cairo_t *cr, const Scale &scale, const Lane &lane) {
  const double tickTop = lane.top + kEventTickTop;
  for (const EventMark &mark : lane.marks) {
    const double x0 = scale.x(seconds(mark.first));
    drawTick(cr, x0, tickTop, mark.noEffect);
    if (mark.last > mark.first) {
      drawBracket(cr, std::round(x0) + kPixelCentre,
                  std::round(scale.x(seconds(mark.last))) + kPixelCentre, tickTop);
    }
  }
}

// The two slanted strokes of a break from `left` to `right`, from `top` to `bottom`.
void drawBreakStrokes(cairo_t *cr, double left, double right, double top, double bottom) {
  for (const double x : {left + kBreakInset, right - kBreakInset}) {
    line(cr, x - kBreakSlant, bottom, x + kBreakSlant, top, kBreakHalo, kBackground);
    line(cr, x - kBreakSlant, bottom, x + kBreakSlant, top, kStroke, kMutedText);
  }
}

// The axis with its ticks, left open between a break's strokes.
void drawAxis(cairo_t *cr, const Layout &layout) {
  const double y = std::round(layout.axisTop) + kPixelCentre;
  line(cr, layout.scale.left(), y, layout.scale.right(), y, kHairline, kText);
  for (const AxisTick &tick : layout.ticks) {
    const double x = std::round(layout.scale.x(tick.time)) + kPixelCentre;
    line(cr, x, y, x, y + kAxisTickLength, kHairline, kText);
    const double width = textWidth(cr, tick.label, kLabelFontSize);
    drawText(cr, tick.label, x - width / 2.0, y + kAxisLabelDrop - kLabelFontSize / 2.0,
             kLabelFontSize, kText, static_cast<double>(layout.width));
  }
  for (const ScaleSegment &piece : layout.scale.segments()) {
    if (piece.idle) {
      line(cr, piece.left + kBreakInset, y, piece.right - kBreakInset, y, kBreakHalo, kBackground);
      drawBreakStrokes(cr, piece.left, piece.right, y - kBreakAxisHalfHeight,
                       y + kBreakAxisHalfHeight);
    }
  }
}

// One entry's swatch, `kKeySwatchWidth` wide from its `x`, centred on its
// `middle`.
void drawSwatch(cairo_t *cr, const KeyEntry &entry) {
  const double x = entry.x;
  const double middle = entry.middle;
  const double top = middle - kKeySwatchHalfHeight;
  const double height = 2.0 * kKeySwatchHalfHeight;
  const double centre = x + kKeySwatchWidth / 2.0;
  const double tickTop = middle - kEventTickLength / 2.0;
  const auto box = [&](Rgb colour) { fill(cr, x, top, kKeySwatchWidth, height, colour); };
  switch (entry.swatch) {
  case KeySwatch::Fill:
    return box(entry.fill);
  case KeySwatch::Bar:
    box(kBarColour);
    return outline(cr, x + kPixelCentre, top + kPixelCentre, kKeySwatchWidth - kHairline,
                   height - kHairline, kBarColour);
  case KeySwatch::Timer:
    return drawTimerBar(cr, x, x + kKeySwatchWidth, middle, true);
  case KeySwatch::TimerFired:
    return disc(cr, centre, middle, kFiredMarkRadius, kTimerFired);
  case KeySwatch::TimerDropped:
    return drawDroppedCross(cr, centre, middle);
  case KeySwatch::Event:
  case KeySwatch::NoEffect:
    return drawTick(cr, centre, tickTop, entry.swatch == KeySwatch::NoEffect);
  case KeySwatch::Group:
    drawTick(cr, x + kTickHalfWidth, tickTop, false);
    return drawBracket(cr, x, std::round(x + kKeySwatchWidth) - kPixelCentre, tickTop);
  case KeySwatch::Break:
    return drawBreakStrokes(cr, x, x + kKeySwatchWidth, top, top + height);
  }
}

void drawKey(cairo_t *cr, const Layout &layout) {
  for (const KeyEntry &entry : layout.key) {
    drawSwatch(cr, entry);
    const double from = entry.x + kKeySwatchWidth + kKeySwatchGap;
    drawText(cr, entry.text, from, entry.middle, kLabelFontSize, kMutedText,
             static_cast<double>(layout.width));
  }
}

// The background: every other lane shaded, the lanes' titles and the grid.
void drawBackground(cairo_t *cr, const Layout &layout) {
  const auto width = static_cast<double>(layout.width);
  fill(cr, 0.0, 0.0, width, layout.height, kBackground);
  for (std::size_t i = 0; i < layout.lanes.size(); ++i) {
    const Lane &lane = layout.lanes[i];
    if (i % 2 == 1) {
      fill(cr, 0.0, lane.top, width, lane.height, kAlternateLane);
    }
    drawText(cr, lane.title, kLaneTitleIndent, lane.top + lane.height / 2.0, kTitleFontSize,
             kMutedText, layout.scale.left());
  }
  const double gridTop = layout.lanes.front().top;
  for (const AxisTick &tick : layout.ticks) {
    const double x = std::round(layout.scale.x(tick.time)) + kPixelCentre;
    line(cr, x, gridTop, x, layout.axisTop, kHairline, kGrid);
  }
}

void draw(cairo_t *cr, const Layout &layout) {
  selectFont(cr);
  drawBackground(cr, layout);
  for (const Lane &lane : layout.lanes) {
    if (lane.kind == LaneKind::Timers) {
      drawTimers(cr, layout);
    }
    drawSpans(cr, lane);
    drawMarks(cr, layout.scale, lane);
    const Rgb onFill = lane.kind == LaneKind::Bar ? kBarText : kTextOnFill;
    for (const PlacedLabel &label : lane.labels) {
      drawText(cr, label.text, label.x, label.middle, kLabelFontSize, label.inside ? onFill : kText,
               label.x + label.width + 1.0);
    }
  }
  // Each compressed idle stretch: its strokes across every lane. What runs
  // through it is drawn under them and stays whole; the layout keeps labels
  // out of it.
  for (const ScaleSegment &piece : layout.scale.segments()) {
    if (!piece.idle) {
      continue;
    }
    for (const Lane &lane : layout.lanes) {
      drawBreakStrokes(cr, piece.left, piece.right, lane.top, lane.top + lane.height);
    }
  }
  for (const Lane &lane : layout.lanes) {
    const double y = std::round(lane.top + lane.height) + kPixelCentre;
    line(cr, 0.0, y, static_cast<double>(layout.width), y, kHairline, kRule);
  }
  drawAxis(cr, layout);
  drawKey(cr, layout);
}

// The layout, with labels placed at the widths this font gives them.
Layout measuredLayout(const Timeline &timeline) {
  const CairoPtr<cairo_surface_t> measuring(cairo_image_surface_create(CAIRO_FORMAT_RGB24, 1, 1));
  const CairoPtr<cairo_t> cr(cairo_create(measuring.get()));
  selectFont(cr.get());
  return layOut(timeline, [&](std::string_view text) {
    return std::ceil(textWidth(cr.get(), text, kLabelFontSize));
  });
}

} // namespace

bool timelinesAvailable() { return true; }

Failure renderTimeline(const Timeline &timeline, const std::string &path) {
  const Layout layout = measuredLayout(timeline);
  const bool svg = sim::endsWithIgnoringCase(path, ".svg");

  std::string bytes;
  const CairoPtr<cairo_surface_t> surface(
      svg ? cairo_svg_surface_create_for_stream(&picture::appendTo, &bytes, layout.width,
                                                layout.height)
          : cairo_image_surface_create(CAIRO_FORMAT_RGB24, layout.width, layout.height));
  const CairoPtr<cairo_t> cr(cairo_create(surface.get()));
  draw(cr.get(), layout);
  const std::string context = "cannot write timeline " + path + ": ";
  if (!svg) {
    return withContext(context, picture::writePng(cr.get(), surface.get(), path));
  }
  cairo_status_t status = cairo_status(cr.get());
  if (status == CAIRO_STATUS_SUCCESS) {
    cairo_surface_finish(surface.get());
    status = cairo_surface_status(surface.get());
    addTooltips(bytes, layout.tooltips);
  }
  return withContext(context, picture::writePicture(status, bytes, path));
}

} // namespace corvane::timeline

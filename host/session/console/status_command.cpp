// sim_status: one screen with the state of the game and the host, for a
// person trying a plugin out.
#include <array>
#include <ostream>
#include <string>
#include <vector>

#include "command_args.h"
#include "console.h"
#include "host/session/engine/settings_store.h"
#include "host/session/engine/timer_queue.h"
#include "host/session/engine/trace_format.h"

namespace corvane::console {

namespace {

constexpr std::size_t kLabelWidth = 13;
constexpr float kFullComponent = 255.0F;

std::string seconds(std::int64_t micros) { return host::secondsText(micros) + " s"; }

// "white", or the components when the colour is none of the eight opaque
// ones whose red, green and blue are each full or none.
std::string colorText(LinearColor color) {
  // By which components are full: red 4, green 2, blue 1.
  constexpr std::array<const char *, 8> kPlainNames = {"black", "blue",    "green",  "cyan",
                                                       "red",   "magenta", "yellow", "white"};
  const auto plain = [](float component) { return component == 0 || component == kFullComponent; };
  if (color.A == kFullComponent && plain(color.R) && plain(color.G) && plain(color.B)) {
    return kPlainNames[(color.R == 0 ? 0 : 4) + (color.G == 0 ? 0 : 2) + (color.B == 0 ? 0 : 1)];
  }
  return "colour " + host::shortestNumber(color.R) + "," + host::shortestNumber(color.G) + "," +
         host::shortestNumber(color.B) + "," + host::shortestNumber(color.A);
}

std::string pointText(Vector2F point) {
  return host::shortestNumber(point.X) + "," + host::shortestNumber(point.Y);
}

// Labels are padded so that every value starts in one column.
void row(std::ostream &out, const std::string &label, const std::string &value) {
  out << label << std::string(label.size() < kLabelWidth ? kLabelWidth - label.size() : 1, ' ')
      << value << '\n';
}

// A section of one line per value, the first carrying the label; `none`
// when there is no value.
void rows(std::ostream &out, const std::string &label, const std::vector<std::string> &values,
          const std::string &none) {
  if (values.empty()) {
    row(out, label, none);
  }
  for (std::size_t i = 0; i < values.size(); ++i) {
    row(out, i == 0 ? label : "", values[i]);
  }
}

void matchmakingRows(std::ostream &out, const host::Host &host) {
  std::string line = host.matchmakingUsable() ? "usable" : "not usable";
  line += host.searching() ? ", searching" : ", not searching";
  const std::vector<std::int32_t> selected = host.selectedPlaylists();
  std::string playlists;
  for (const std::int32_t playlist : selected) {
    playlists += (playlists.empty() ? "" : " ") + std::to_string(playlist);
  }
  line += selected.empty() ? ", no playlist selected" : ", playlists " + playlists;
  const auto category = host.lastCategory();
  line += category ? ", last search in category " + std::to_string(*category) : ", no search yet";
  row(out, "matchmaking", line);
}

void frameRows(std::ostream &out, const host::Host &host) {
  if (host.framesRendered() == 0) {
    row(out, "last frame", "none rendered yet (sim_frame renders one)");
    return;
  }
  const host::FrameRecord &frame = host.lastFrame();
  const std::string when = "at " + seconds(host.lastFrameMicros()) + ": ";
  if (frame.calls() == 0) {
    row(out, "last frame", when + "nothing drawn");
    return;
  }
  row(out, "last frame", when + std::to_string(frame.calls()) + " canvas calls");
  if (const host::FrameRecord::Box *box = frame.box()) {
    row(out, "",
        "box " + host::shortestNumber(box->size.X) + " x " + host::shortestNumber(box->size.Y) +
            " (bar height " + host::shortestNumber(box->size.Y) + ") at " +
            pointText(box->position) + ", " + colorText(box->color));
  }
  if (const host::FrameRecord::Text *style = frame.textStyle()) {
    row(out, "",
        "text " + host::quoteText(frame.text()) + (frame.textCut() ? " (cut)" : "") + " at " +
            pointText(style->position) + ", scale " + host::shortestNumber(style->xScale) + ", " +
            colorText(style->color));
  }
}

CommandResult simStatus(Console &console, const Words & /*words*/) {
  host::Host &host = console.host();
  std::ostream &out = console.out();
  row(out, "clock", seconds(host.nowMicros()));
  row(out, "game", std::string(host::gameStateName(host.state())));
  matchmakingRows(out, host);
  std::vector<std::string> timers;
  for (const std::int64_t micros : host.timers().dueTimes()) {
    timers.push_back("due at " + seconds(micros) + " (in " + seconds(micros - host.nowMicros()) +
                     ")");
  }
  rows(out, "timers", timers, "none pending");
  std::vector<std::string> keys;
  for (const auto &[key, line] : host.keyBindings()) {
    keys.push_back(key + " runs " + host::quoteText(line));
  }
  rows(out, "keys", keys, "none bound");
  frameRows(out, host);
  std::vector<std::string> changed;
  for (const host::Setting *setting : host.settings().sortedByName()) {
    if (setting->value != setting->definition.defaultValue) {
      changed.push_back(setting->definition.name + " " + host::quoteText(setting->value) +
                        " (default " + host::quoteText(setting->definition.defaultValue) + ")");
    }
  }
  rows(out, "settings", changed, "all at their defaults");
  return CommandResult::ok();
}

} // namespace

void addStatusCommand(Console &console) {
  console.addCommand("sim_status", "sim_status",
                     "shows the game and the host: matchmaking, timers, keys, last frame, "
                     "changed settings",
                     simStatus, {0, 0});
}

} // namespace corvane::console

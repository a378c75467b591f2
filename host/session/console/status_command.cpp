// sim_status: one screen with the state of the game and the host, for a
// person trying a plugin out.
#include <array>
#include <ostream>
#include <string>
#include <vector>

#include "command_args.h"
#include "console.h"
#include "host/session/engine/key_bindings.h"
#include "host/session/engine/settings_store.h"
#include "host/session/engine/timer_queue.h"
#include "host/session/engine/trace_format.h"
#include "host/session/trace.h"

namespace corvane::console {

namespace {

// Labels are padded to this width so that every value starts in one column.
constexpr std::size_t kLabelWidth = 13;
constexpr float kFullComponent = 255.0F;

std::string seconds(std::int64_t micros) {
  // The trace's own time format without its brackets, so both read alike.
  const std::string time = host::traceTime(micros);
  return time.substr(1, time.size() - 2) + " s";
}

struct NamedColor {
  const char *name;
  LinearColor color;
};
constexpr std::array<NamedColor, 8> kNamedColors{{
    {"black", {0, 0, 0, kFullComponent}},
    {"white", {kFullComponent, kFullComponent, kFullComponent, kFullComponent}},
    {"red", {kFullComponent, 0, 0, kFullComponent}},
    {"green", {0, kFullComponent, 0, kFullComponent}},
    {"blue", {0, 0, kFullComponent, kFullComponent}},
    {"yellow", {kFullComponent, kFullComponent, 0, kFullComponent}},
    {"cyan", {0, kFullComponent, kFullComponent, kFullComponent}},
    {"magenta", {kFullComponent, 0, kFullComponent, kFullComponent}},
}};

// "white", or the components when the colour is none of the plain ones.
std::string colorText(LinearColor color) {
  for (const NamedColor &named : kNamedColors) {
    const LinearColor &c = named.color;
    if (c.R == color.R && c.G == color.G && c.B == color.B && c.A == color.A) {
      return named.name;
    }
  }
  return "colour " + host::shortestNumber(color.R) + "," + host::shortestNumber(color.G) + "," +
         host::shortestNumber(color.B) + "," + host::shortestNumber(color.A);
}

std::string pointText(Vector2F point) {
  return host::shortestNumber(point.X) + "," + host::shortestNumber(point.Y);
}

class Screen {
public:
  explicit Screen(std::ostream &out) : out_(out) {}
  // The first line of a section carries its label; the rest are indented.
  void row(const std::string &label, const std::string &value) {
    out_ << label << std::string(label.size() < kLabelWidth ? kLabelWidth - label.size() : 1, ' ')
         << value << '\n';
  }
  void more(const std::string &value) { row("", value); }

private:
  std::ostream &out_;
};

void matchmakingRows(Screen &screen, const host::Host &host) {
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
  screen.row("matchmaking", line);
}

void timerRows(Screen &screen, host::Host &host) {
  const std::vector<std::int64_t> due = host.timers().dueTimes();
  if (due.empty()) {
    screen.row("timers", "none pending");
    return;
  }
  std::string label = "timers";
  for (const std::int64_t micros : due) {
    screen.row(label,
               "due at " + seconds(micros) + " (in " + seconds(micros - host.nowMicros()) + ")");
    label.clear();
  }
}

void keyRows(Screen &screen, host::Host &host) {
  const auto &bindings = host.keyBindings().all();
  if (bindings.empty()) {
    screen.row("keys", "none bound");
    return;
  }
  std::string label = "keys";
  for (const auto &[key, line] : bindings) {
    screen.row(label, key + " runs " + host::quoteText(line));
    label.clear();
  }
}

void frameRows(Screen &screen, const host::Host &host) {
  if (host.framesRendered() == 0) {
    screen.row("last frame", "none rendered yet (sim_frame renders one)");
    return;
  }
  const host::FrameRecord &frame = host.lastFrame();
  const std::string when = "at " + seconds(host.lastFrameMicros()) + ": ";
  if (frame.calls() == 0) {
    screen.row("last frame", when + "nothing drawn");
    return;
  }
  screen.row("last frame", when + std::to_string(frame.calls()) + " canvas calls");
  if (const host::FrameRecord::Box *box = frame.box()) {
    screen.more("box " + host::shortestNumber(box->size.X) + " x " +
                host::shortestNumber(box->size.Y) + " (bar height " +
                host::shortestNumber(box->size.Y) + ") at " + pointText(box->position) + ", " +
                colorText(box->color));
  }
  if (const host::FrameRecord::Text *style = frame.textStyle()) {
    screen.more("text " + host::quoteText(frame.text()) + (frame.textCut() ? " (cut)" : "") +
                " at " + pointText(style->position) + ", scale " +
                host::shortestNumber(style->xScale) + ", " + colorText(style->color));
  }
}

void settingRows(Screen &screen, host::Host &host) {
  std::string label = "settings";
  for (const host::Setting *setting : host.settings().sortedByName()) {
    if (setting->value == setting->definition.defaultValue) {
      continue;
    }
    screen.row(label, setting->definition.name + " " + host::quoteText(setting->value) +
                          " (default " + host::quoteText(setting->definition.defaultValue) + ")");
    label.clear();
  }
  if (!label.empty()) {
    screen.row(label, "all at their defaults");
  }
}

CommandResult simStatus(Console &console, const Words &words) {
  if (!argumentCount(words, 0, 0)) {
    return usageError(console, words);
  }
  host::Host &host = console.host();
  Screen screen(console.out());
  screen.row("clock", seconds(host.nowMicros()));
  screen.row("game", std::string(host::gameStateName(host.state())));
  matchmakingRows(screen, host);
  timerRows(screen, host);
  keyRows(screen, host);
  frameRows(screen, host);
  settingRows(screen, host);
  return CommandResult::ok();
}

} // namespace

void addStatusCommand(Console &console) {
  console.addCommand("sim_status", "sim_status",
                     "shows the game and the host: matchmaking, timers, keys, last frame, "
                     "changed settings",
                     simStatus);
}

} // namespace corvane::console

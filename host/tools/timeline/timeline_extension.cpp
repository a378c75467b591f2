// The timeline extension: a host observer feeding a recorder, the
// sim_timeline command and the --timeline option.
#include "timeline_extension.h"

#include <cmath>
#include <fstream>
#include <memory>
#include <optional>
#include <ostream>
#include <string>

#include "host/session/console/command_args.h"
#include "host/session/console/console.h"
#include "host/session/engine/canvas.h"
#include "host/session/platform/utf8_path.h"
#include "host/tools/common/file_name.h"
#include "timeline.h"
#include "timeline_render.h"

namespace corvane::timeline {

namespace {

using console::CommandResult;
using console::Console;
using console::Words;

constexpr const char *kCommandName = "sim_timeline";
constexpr std::string_view kTextSuffix = ".txt";

// Why `file` names no kind of file a timeline is written as; nothing when
// it does.
std::optional<std::string> refuseFileName(const std::string &file) {
  if (sim::hasSuffix(file, {".png", ".svg", kTextSuffix})) {
    return std::nullopt;
  }
  return "timelines are written as .png, .svg or .txt files, not " +
         console::quoteWordIfNeeded(file);
}

// The file --timeline names: one for the whole program, like its run.
std::string &timelineFileInUse() {
  static std::string file;
  return file;
}

// Notes whether a frame drew anything, and the last text it drew.
class BarCanvas final : public host::Canvas {
public:
  void reset() {
    drawn_ = false;
    text_.clear();
  }
  bool drawn() const { return drawn_; }
  const std::string &text() const { return text_; }

  void SetPosition(Vector2F /*position*/) override { drawn_ = true; }
  void SetColor(LinearColor /*color*/) override { drawn_ = true; }
  void FillBox(Vector2F /*size*/) override { drawn_ = true; }
  void DrawString(const std::string &text, float /*xScale*/, float /*yScale*/, bool /*dropShadow*/,
                  bool /*wrap*/) override {
    drawn_ = true;
    text_ = text;
  }

private:
  bool drawn_ = false;
  std::string text_;
};

// Times in the trace's `[S.mmm]` form.
std::string stamp(double seconds) {
  constexpr double kMicrosPerSecond = 1e6;
  return host::traceTime(std::llround(seconds * kMicrosPerSecond));
}

std::string interval(double start, double end) { return stamp(start) + " to " + stamp(end); }

// The record as text, one line per interval or event: for a person to read
// or a test to compare.
std::string describe(const Timeline &timeline) {
  constexpr std::string_view kEventKinds[] = {"key", "notifier", "function", "command"};
  constexpr std::string_view kOutcomes[] = {"fired", "dropped", "pending"};
  std::string text;
  for (const StateSpan &span : timeline.states) {
    text += "state " + interval(span.start, span.end) + " " + span.state + "\n";
  }
  for (const SearchSpan &span : timeline.searches) {
    text += "search " + interval(span.start, span.end) + " category " +
            std::to_string(span.category) + " playlists";
    for (const int playlist : span.playlists) {
      text += " " + std::to_string(playlist);
    }
    text += "\n";
  }
  for (const TimerSpan &span : timeline.timers) {
    text += "timer " + interval(span.set, span.end) + " due " + stamp(span.due) + " " +
            std::string(kOutcomes[static_cast<std::size_t>(span.outcome)]) + "\n";
  }
  for (const BarSpan &span : timeline.bars) {
    text += "bar " + interval(span.start, span.end) + " \"" + span.text + "\"\n";
  }
  for (const Event &event : timeline.events) {
    text += "event " + stamp(event.time) + " " +
            std::string(kEventKinds[static_cast<std::size_t>(event.kind)]) + " " + event.label +
            "\n";
  }
  return text;
}

// One session's record. It watches the host from the moment it is attached
// until it goes, which is when the session's console goes.
class SessionTimeline final : public host::HostObserver {
public:
  explicit SessionTimeline(host::Host &host) : host_(host) {
    host_.setObserver(this);
    stateChanged();
  }
  ~SessionTimeline() override { host_.setObserver(nullptr); }
  SessionTimeline(const SessionTimeline &) = delete;
  SessionTimeline &operator=(const SessionTimeline &) = delete;

  // What the plugins draw now, seen through a frame that leaves no mark.
  void lookAtBar() {
    canvas_.reset();
    host_.renderUnobserved(canvas_);
    if (canvas_.drawn()) {
      recorder_.barShown(now(), canvas_.text());
    } else {
      recorder_.barHidden(now());
    }
  }

  // A ".txt" file gets the record as text; anything else, a picture.
  std::optional<std::string> draw(const std::string &file) {
    lookAtBar();
    const Timeline timeline = recorder_.snapshot(now());
    if (!sim::endsWithIgnoringCase(file, kTextSuffix)) {
      return renderTimeline(timeline, file);
    }
    std::ofstream out(platform::pathFromUtf8(file), std::ios::binary | std::ios::trunc);
    out << describe(timeline);
    out.close();
    return out ? std::nullopt : std::optional<std::string>("cannot write timeline " + file);
  }

  void stateChanged() override { recorder_.setState(now(), host::gameStateName(host_.state())); }
  void searchChanged() override {
    if (!host_.searching()) {
      recorder_.searchStopped(now());
      return;
    }
    const std::vector<std::int32_t> selected = host_.selectedPlaylists();
    recorder_.searchStarted(now(), host_.lastCategory().value_or(0),
                            std::vector<int>(selected.begin(), selected.end()));
  }
  void timerSet(std::uint64_t id, std::int64_t dueMicros) override {
    recorder_.timerSet(id, now(), seconds(dueMicros));
  }
  void timerFired(std::uint64_t id) override {
    recorder_.timerFired(id, now());
    lookAtBar();
  }
  void timerDropped(std::uint64_t id) override { recorder_.timerDropped(id, now()); }
  void functionCalled(const std::string &name, bool hooked) override {
    if (hooked) {
      recorder_.event(now(), EventKind::Function, name);
    }
  }
  void notifierRun(const std::string &name) override {
    recorder_.event(now(), EventKind::Notifier, name);
  }
  void keyPressed(std::string_view key) override { recorder_.event(now(), EventKind::Key, key); }
  void commandIssued(const std::string &line) override {
    recorder_.event(now(), EventKind::Command, line);
  }

private:
  static double seconds(std::int64_t micros) {
    constexpr double kMicrosPerSecond = 1e6;
    return static_cast<double>(micros) / kMicrosPerSecond;
  }
  double now() const { return host_.nowSeconds(); }

  host::Host &host_;
  Recorder recorder_;
  BarCanvas canvas_;
};

// A relative path is taken from the output folder, like sim_screenshot's:
// pictures land where the person is.
CommandResult drawCommand(SessionTimeline &timeline, Console &console, const Words &words) {
  if (!console::argumentCount(words, 1, 1) || words[1].empty()) {
    return console::usageError(console, words);
  }
  if (const auto refused = refuseFileName(words[1])) {
    return CommandResult::error(*refused);
  }
  const std::string file = console.outputFile(words[1]);
  if (const auto problem = timeline.draw(file)) {
    return CommandResult::error(*problem);
  }
  console.out() << "timeline: " << file << '\n';
  return CommandResult::ok();
}

} // namespace

sim::Extension simulatorExtension() {
  sim::Extension extension;
  extension.addOptions = [](sim::OptionTable &table) {
    table.add(
        {"--timeline", "", "FILE",
         timelinesAvailable()
             ? "draw the whole run into FILE (.png, .svg, or .txt: the record as text) at its end"
             : "not available in this build (timelines need Cairo)",
         [](const std::string &value) -> std::optional<std::string> {
           if (value.empty()) {
             return "needs a file name";
           }
           if (const auto refused = refuseFileName(value)) {
             return refused;
           }
           timelineFileInUse() = value;
           return std::nullopt;
         }});
  };
  extension.attach = [](sim::Simulator &simulator) {
    Console &console = simulator.console();
    auto timeline = std::make_shared<SessionTimeline>(simulator.host());
    console.setAfterCommand([timeline] { timeline->lookAtBar(); });
    console.addCommand(kCommandName, "sim_timeline FILE.png|.svg|.txt",
                       timelinesAvailable()
                           ? "draws the run so far: game state, searches, timers, bar, events"
                           : "not available in this build (timelines need Cairo)",
                       [timeline](Console &target, const Words &words) {
                         return drawCommand(*timeline, target, words);
                       });
  };
  extension.finish = [](sim::Simulator &simulator) {
    const std::string &file = timelineFileInUse();
    if (file.empty()) {
      return true;
    }
    Console &console = simulator.console();
    const auto command = console.commands().find(kCommandName);
    const CommandResult result = command->second.handler(console, {kCommandName, file});
    if (result.kind == CommandResult::Kind::Error) {
      console.err() << "corvane-sim: " << result.message << '\n';
      return false;
    }
    return true;
  };
  return extension;
}

} // namespace corvane::timeline

// The timeline extension: a host observer feeding a recorder, the
// sim_timeline command and the --timeline option.
#include "timeline_extension.h"

#include <ostream>
#include <variant>

#include "host/base/utf8_path.h"
#include "host/base/whole_file.h"
#include "host/session/console/command_args.h"
#include "host/session/console/console.h"
#include "host/session/effect_watch.h"
#include "host/session/trace.h"
#include "host/tools/program/file_name.h"
#include "timeline_render.h"

namespace corvane::timeline {

namespace {

using console::CommandResult;
using console::Console;
using console::Words;

constexpr const char *kCommandName = "sim_timeline";
constexpr std::string_view kTextSuffix = ".txt";

// Refuses, as bad input, a `file` that names no kind of file a timeline is
// written as.
Failure refuseFileName(const std::string &file) {
  if (sim::hasSuffix(file, {".png", ".svg", kTextSuffix})) {
    return std::nullopt;
  }
  return Error{ErrorKind::BadInput, "timelines are written as .png, .svg or .txt files, not " +
                                        console::quoteWordIfNeeded(file)};
}

// The record as text, one line per interval or event, times in the trace's
// `[S.mmm]` form: for a person to read or a test to compare.
std::string describe(const Timeline &timeline) {
  constexpr const char *kEventKinds[] = {"key", "notifier", "function", "command"};
  constexpr const char *kOutcomes[] = {"fired", "dropped", "pending"};
  std::string text;
  const auto interval = [&text](std::string_view what, Micros start, Micros end,
                                std::string_view rest) {
    text += std::string(what) + " " + host::traceTime(start) + " to " + host::traceTime(end) + " " +
            std::string(rest) + "\n";
  };
  for (const StateSpan &span : timeline.states) {
    interval("state", span.start, span.end, host::gameStateName(span.shown));
  }
  for (const SearchSpan &span : timeline.searches) {
    std::string settings = "category " + std::to_string(span.category) + " playlists";
    for (const int playlist : span.playlists) {
      settings += " " + std::to_string(playlist);
    }
    interval("search", span.start, span.end, settings);
  }
  for (const PartySpan &span : timeline.parties) {
    interval("party", span.start, span.end, partyName(span.shown));
  }
  for (const TimerSpan &span : timeline.timers) {
    interval("timer", span.set, span.end,
             "due " + host::traceTime(span.due) + " " + kOutcomes[static_cast<int>(span.outcome)]);
  }
  for (const BarSpan &span : timeline.bars) {
    interval("bar", span.start, span.end, "\"" + span.shown + "\"");
  }
  for (const Event &event : timeline.events) {
    text += "event " + host::traceTime(event.time) + " " +
            kEventKinds[static_cast<int>(event.kind)] + " " + event.label +
            (event.noEffect ? " (no effect)" : "") + "\n";
  }
  return text;
}

} // namespace

// One session's record. It reads the host's events from the moment it is
// attached until it goes, which is when the session's console goes.
class SessionTimeline final : public host::EventSubscriber {
public:
  explicit SessionTimeline(host::Host &host) : host_(host) {
    recorder_.setState(host_.nowMicros(), host_.state());
    host_.events().subscribe(*this);
  }
  ~SessionTimeline() override { host_.events().unsubscribe(*this); }

  Timeline record() const { return recorder_.snapshot(host_.nowMicros()); }

  // A relative path is taken from the output folder, like sim_screenshot's:
  // pictures land where the person is.
  CommandResult draw(Console &console, const Words &words) const {
    if (words[1].empty()) {
      return console::usageError(console, words);
    }
    if (auto refused = refuseFileName(words[1])) {
      return CommandResult::error(std::move(*refused));
    }
    const std::string file = console.outputFile(words[1]);
    // A ".txt" file gets the record as text; anything else, a picture.
    if (auto problem = sim::endsWithIgnoringCase(file, kTextSuffix)
                           ? withContext("cannot write timeline " + file + ": ",
                                         platform::writeWholeFile(platform::pathFromUtf8(file),
                                                                  describe(record())))
                           : renderTimeline(record(), file)) {
      return CommandResult::error(std::move(*problem));
    }
    console.out() << "timeline: " << file << '\n';
    return CommandResult::ok();
  }

  void onEvent(const host::Event &event) override {
    recorded_.reset();
    std::visit([this, t = event.micros](const auto &what) { take(t, what); }, event.what);
    for (const std::size_t index : effects_.take(event, recorded_)) {
      recorder_.hadNoEffect(index);
    }
  }

private:
  void take(Micros t, const host::StateChanged &what) { recorder_.setState(t, what.state); }
  void take(Micros t, const host::SearchStarted &what) {
    recorder_.searchStarted(t, what.category.value_or(0), what.playlists);
  }
  void take(Micros t, const host::SearchStopped & /*what*/) { recorder_.searchStopped(t); }
  void take(Micros t, const host::TimerSet &what) {
    recorder_.timerSet(what.id, t, what.dueMicros);
  }
  void take(Micros t, const host::TimerFired &what) {
    recorder_.timerEnded(what.id, t, TimerOutcome::Fired);
  }
  void take(Micros t, const host::TimerDropped &what) {
    recorder_.timerEnded(what.id, t, TimerOutcome::Dropped);
  }
  void take(Micros t, const host::FunctionCalled &what) {
    if (what.hooked) {
      recorder_.event(t, EventKind::Function, what.name);
    }
  }
  void take(Micros t, const host::NotifierRun &what) {
    recorded_ = recorder_.event(t, EventKind::Notifier, what.name);
  }
  void take(Micros t, const host::KeyPressed &what) {
    recorded_ = recorder_.event(t, EventKind::Key, what.key);
  }
  void take(Micros t, const host::CommandIssued &what) {
    recorder_.event(t, EventKind::Command, what.line);
  }
  // The bar is what the frames draw: any canvas call shows it, with the
  // frame's last text.
  void take(Micros t, const host::FrameEnded &what) {
    if (what.drew->drewBar()) {
      recorder_.barShown(t, what.drew->text());
    } else {
      recorder_.barHidden(t);
    }
  }
  void take(Micros t, const host::PartyChanged &what) { recorder_.partyChanged(t, what.party); }
  // The other events do not show on the timeline.
  void take(Micros /*t*/, const auto & /*what*/) {}

  host::Host &host_;
  Recorder recorder_;
  host::EffectWatch effects_;
  std::optional<std::size_t> recorded_; // the press or notifier just recorded
};

void TimelineExtension::addOptions(sim::OptionTable &table) {
  table.add(
      {"--timeline", "", "FILE",
       timelinesAvailable()
           ? "draw the whole run into FILE (.png, .svg, or .txt: the record as text) at its end"
           : "not available in this build (timelines need Cairo)",
       [this](const std::string &value) -> Failure {
         file_ = value; // a refused option ends the program
         return value.empty() ? Error{ErrorKind::BadInput, "needs a file name"}
                              : refuseFileName(value);
       }});
}

void TimelineExtension::attach(sim::Simulator &simulator) {
  auto timeline = std::make_shared<SessionTimeline>(simulator.host());
  session_ = timeline;
  simulator.console().addCommand(
      kCommandName, "sim_timeline FILE.png|.svg|.txt",
      timelinesAvailable() ? "draws the run so far: game state, searches, timers, bar, events"
                           : "not available in this build (timelines need Cairo)",
      [timeline](Console &target, const Words &words) { return timeline->draw(target, words); },
      console::Arity{1, 1});
}

std::optional<Timeline> TimelineExtension::record() const {
  const std::shared_ptr<SessionTimeline> timeline = session_.lock();
  return timeline ? std::optional<Timeline>(timeline->record()) : std::nullopt;
}

Failure TimelineExtension::refuseToStart(sim::Simulator &simulator) {
  if (file_.empty()) {
    return std::nullopt;
  }
  const std::string file = simulator.console().outputFile(file_);
  return withContext("cannot write timeline " + file + ": ",
                     platform::refuseToWrite(platform::pathFromUtf8(file)));
}

bool TimelineExtension::finish(sim::Simulator &simulator) {
  const std::shared_ptr<SessionTimeline> timeline = session_.lock();
  if (file_.empty() || !timeline) {
    return true;
  }
  Console &console = simulator.console();
  const CommandResult result = timeline->draw(console, {kCommandName, file_});
  if (isFailure(result.outcome)) {
    console.err() << "corvane-sim: " << result.message << '\n';
    return false;
  }
  return true;
}

} // namespace corvane::timeline

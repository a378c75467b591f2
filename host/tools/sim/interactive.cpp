// The interactive front end: prompt, session commands (help, quit, exit),
// Ctrl-C, narration, the folded view of frames and the notes on what had no
// effect.
#include "interactive.h"

#include <algorithm>
#include <iostream>
#include <map>
#include <optional>
#include <string>
#include <variant>

#include "frame_folding.h"
#include "host/base/whole_file.h"
#include "host/session/console/command_args.h"
#include "host/session/console/tokenizer.h"
#include "host/session/effect_watch.h"
#include "host/session/engine/trace_format.h"
#include "line_editor.h"

namespace corvane::sim {

namespace {

constexpr std::size_t kHelpColumn = 26;
// Lists of names in help wrap before this width.
constexpr std::size_t kHelpWidth = 78;

// "Label: a, b, c", wrapped and indented under the first name.
std::string listOf(const std::string &label, const std::vector<std::string> &names) {
  const std::string indent(label.size() + 1, ' ');
  std::string text = label + ":";
  std::size_t lineLength = text.size();
  for (std::size_t i = 0; i < names.size(); ++i) {
    const std::string piece = names[i] + (i + 1 < names.size() ? "," : "");
    if (lineLength + 1 + piece.size() > kHelpWidth) {
      text += "\n" + indent;
      lineLength = indent.size();
    }
    text += " " + piece;
    lineLength += 1 + piece.size();
  }
  return text + (names.empty() ? " none yet\n" : "\n");
}

std::string helpList(Simulator &simulator) {
  std::string text = "Commands (help NAME explains one; Tab completes words):\n";
  addHelpRow(text, "help [NAME]", "lists the commands, or explains a command or setting",
             kHelpColumn);
  addHelpRow(text, "quit, exit", "leaves the session (so does Ctrl-D)", kHelpColumn);
  addHelpRow(text, "NAME [VALUE]", "prints a setting, or sets it", kHelpColumn);
  addHelpRow(text, "NAME ARGS...", "runs a plugin's command", kHelpColumn);
  for (const auto &[name, command] : simulator.console().commands()) {
    addHelpRow(text, command.usage, command.summary, kHelpColumn);
  }
  text += listOf("Settings", simulator.settingNames());
  text += listOf("Plugin commands", simulator.pluginCommands());
  text += "Ctrl-C abandons the line being typed, or stops a long sim_frame.\n";
  return text;
}

// One command, setting or plugin command explained; empty when there is none.
std::string helpOn(Simulator &simulator, const std::string &name) {
  if (name == "help" || name == "quit" || name == "exit") {
    return name == "help" ? "help [NAME]: lists the commands, or explains one\n"
                          : name + ": leaves the session (so does Ctrl-D)\n";
  }
  const auto &commands = simulator.console().commands();
  if (const auto it = commands.find(name); it != commands.end()) {
    return "usage: " + it->second.usage + "\n  " + it->second.summary + "\n";
  }
  if (const host::Setting *setting = simulator.setting(name)) {
    const host::SettingDefinition &definition = setting->definition;
    std::string text = name + " = " + host::quoteText(setting->value) + " (default " +
                       host::quoteText(definition.defaultValue);
    if (definition.bounds.hasMin) {
      text += ", at least " + host::shortestNumber(definition.bounds.min);
    }
    if (definition.bounds.hasMax) {
      text += ", at most " + host::shortestNumber(definition.bounds.max);
    }
    return text + ")\n  " + definition.description + "\n  " + name + " VALUE sets it\n";
  }
  if (const auto description = simulator.pluginCommand(name)) {
    return name + ": a plugin's command: " + *description + "\n";
  }
  return {};
}

enum class SessionWord { None, Help, Quit };

// Handles `help`, `quit` and `exit` typed alone on a line.
SessionWord sessionCommand(Simulator &simulator, const std::string &line) {
  const auto commands = console::tokenizeLine(line);
  if (!commands || commands->size() != 1) {
    return SessionWord::None;
  }
  const console::Words &words = commands->front();
  const bool leaves = words[0] == "quit" || words[0] == "exit";
  if (leaves && words.size() == 1) {
    return SessionWord::Quit;
  }
  if (!leaves && words[0] != "help") {
    return SessionWord::None;
  }
  if (words.size() > (leaves ? 1U : 2U)) {
    // Not left to the console, which knows no such command.
    std::cerr << console::usageMessage(leaves ? words[0] : "help [NAME]", words) << '\n';
    return SessionWord::Help;
  }
  if (words.size() == 1) {
    std::cout << helpList(simulator);
  } else if (const std::string text = helpOn(simulator, words[1]); !text.empty()) {
    std::cout << text;
  } else {
    std::cerr << "no command or setting named " << console::quoteWordIfNeeded(words[1])
              << " (help lists them)\n";
  }
  return SessionWord::Help;
}

// At the prompt, one line for a key press or plugin command after which the
// plugin did nothing a player could see, and one at once for one that changed
// nothing the host keeps. Judged as the timeline judges "no effect"
// (host::EffectWatch): the verdict comes with the next rendered frame, since
// only a frame shows whether the bar changed. What the host keeps is known at
// once: a press or command after which no setting, timer, hook, binding, game
// call or console line changed, with no frame drawn before the line ends, is
// said when its line has run.
class NoEffectNotes final : public host::EventSubscriber {
public:
  void onEvent(const host::Event &event) override {
    std::optional<std::size_t> recorded;
    if (const auto *key = std::get_if<host::KeyPressed>(&event.what)) {
      pressed_ = "key " + key->key;
      names_[next_] = pressed_;
      recorded = next_++;
    } else if (const auto *run = std::get_if<host::NotifierRun>(&event.what)) {
      names_[next_] = run->name;
      recorded = next_++;
      // Judged at once: a plugin command, named by the key that ran it (a key
      // that runs none already says so).
      if (pending_.empty()) {
        pending_ = pressed_.empty() ? run->name : pressed_;
        keptChange_ = false;
      }
    } else if (!pending_.empty()) {
      noteKeptChange(event);
    }
    const std::vector<std::size_t> unchanged = watch_.take(event, recorded);
    if (!unchanged.empty()) {
      // A key and the command it ran are one act: named by what was done first.
      verdicts_.push_back(names_[unchanged.front()]);
    }
    const std::vector<std::size_t> &watched = watch_.watched();
    std::erase_if(names_, [&watched](const auto &entry) {
      return std::find(watched.begin(), watched.end(), entry.first) == watched.end();
    });
  }

  // Writes the verdicts reached since the last call, one line each; called
  // when a line has run.
  void flush(std::ostream &out) {
    if (!pending_.empty() && !keptChange_) {
      out << pending_
          << " changed nothing the host keeps (settings, timers, hooks, key bindings, game calls, "
             "console lines sent); the next frame shows whether the bar changed\n";
    }
    pending_.clear();
    for (const std::string &name : verdicts_) {
      out << name
          << " had no effect: the plugin changed nothing, and the next frame drew what the "
             "last one did\n";
    }
    verdicts_.clear();
  }

private:
  // Whatever the host keeps that `event` changed; a frame leaves the verdict
  // to the frame.
  void noteKeptChange(const host::Event &event) {
    if (std::holds_alternative<host::FrameBegun>(event.what)) {
      pending_.clear();
      pressed_.clear();
    } else if (const auto *call = std::get_if<host::SdkCall>(&event.what)) {
      keptChange_ = keptChange_ || host::opKind(call->op) == host::OpKind::Effect;
    } else if (!std::holds_alternative<host::FunctionCalled>(event.what)) {
      keptChange_ = true; // a setting, timer, hook, binding, game state or console line
    }
  }

  std::string pressed_; // the key pressed in this line, if any
  std::string pending_; // the press or command of this line, not yet judged
  bool keptChange_ = false;
  host::EffectWatch watch_;
  // What each watched press or command is called, by its number.
  std::map<std::size_t, std::string> names_;
  std::size_t next_ = 0;
  std::vector<std::string> verdicts_;
};

// A person at the prompt for the object's life: the front narrates, knows
// the prompt's words, stops on Ctrl-C and shows progress; the folded view
// of frames stands in for the plain trace when `foldFrames`, and lines that
// changed nothing are noted.
class PersonPresent {
public:
  PersonPresent(Simulator &simulator, ProgramFront &front, bool foldFrames)
      : front_(front), events_(simulator.host().events()), plain_(simulator.traceWriter()) {
    front_.setPerson(true);
    events_.subscribe(noEffect_);
    if (foldFrames && plain_ != nullptr) {
      folded_.emplace(plain_->out(), plain_->verbose());
      events_.unsubscribe(*plain_);
      events_.subscribe(*folded_);
    }
  }
  ~PersonPresent() {
    if (folded_) {
      folded_->flush();
      events_.unsubscribe(*folded_);
      events_.subscribe(*plain_);
    }
    events_.unsubscribe(noEffect_);
    front_.setPerson(false);
  }
  PersonPresent(const PersonPresent &) = delete;
  PersonPresent &operator=(const PersonPresent &) = delete;

  // What the line just run did, said before the next prompt.
  void afterLine() {
    if (folded_) {
      folded_->flush();
    }
    noEffect_.flush(std::cout);
  }

private:
  ProgramFront &front_;
  host::EventStream &events_;
  host::TraceWriter *plain_;
  std::optional<FoldedFrames> folded_;
  NoEffectNotes noEffect_;
};

} // namespace

Outcome runInteractive(Simulator &simulator, ProgramFront &front, bool foldFrames) {
  const platform::InterruptCatcher catcher;
  PersonPresent person(simulator, front, foldFrames);
  std::cout << "Type console lines; help lists the commands, Tab completes, quit or Ctrl-D "
               "leaves.\n";
  LineEditor editor(simulator);
  while (true) {
    platform::interruptRequested = 0;
    const std::optional<std::string> line = editor.read();
    if (!line) {
      std::cout << '\n';
      if (platform::interruptRequested == 0) {
        break;
      }
      continue;
    }
    const SessionWord word = sessionCommand(simulator, *line);
    if (word == SessionWord::Quit) {
      break;
    }
    if (word == SessionWord::None) {
      // An empty file name: errors print without a place, and none ends the session.
      simulator.run(*line, "", 1);
      person.afterLine();
    }
    std::cout.flush();
  }
  return Outcome::Success;
}

void addHelpRow(std::string &text, const std::string &usage, const std::string &summary,
                std::size_t column) {
  text += "  " + usage;
  text += usage.size() + 2 < column ? std::string(column - usage.size() - 2, ' ')
                                    : "\n" + std::string(column, ' ');
  text += summary + "\n";
}

} // namespace corvane::sim

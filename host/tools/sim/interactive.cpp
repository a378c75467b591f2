// The interactive front end: prompt, session commands (help, quit, exit),
// Ctrl-C, narration and the folded view of frames.
#include "interactive.h"

#include <csignal>
#include <iostream>
#include <optional>
#include <string>

#include "completion.h"
#include "frame_folding.h"
#include "host/session/console/command_args.h"
#include "host/session/console/tokenizer.h"
#include "host/session/engine/notifiers.h"
#include "host/session/engine/settings_store.h"
#include "host/session/engine/trace_format.h"
#include "line_editor.h"
#include "no_effect_notes.h"

namespace corvane::sim {

namespace {

constexpr std::string_view kPrompt = "> ";
constexpr std::size_t kHelpColumn = 26;
// Lists of names in help wrap before this width.
constexpr std::size_t kHelpWidth = 78;

// Set by Ctrl-C; the console reads it to stop sim_frame, the loop to drop
// the line being typed.
volatile std::sig_atomic_t interruptRequested = 0;

extern "C" void onInterrupt(int /*signal*/) { interruptRequested = 1; }

// Catches Ctrl-C for the session's length. Without SA_RESTART, so that a
// read waiting at the prompt returns.
class InterruptCatcher {
public:
  InterruptCatcher(const InterruptCatcher &) = delete;
  InterruptCatcher &operator=(const InterruptCatcher &) = delete;
#if defined(_WIN32)
  InterruptCatcher() : previous_(std::signal(SIGINT, onInterrupt)) {}
  ~InterruptCatcher() { std::signal(SIGINT, previous_); }

private:
  void (*previous_)(int);
#else
  InterruptCatcher() {
    struct sigaction action {};
    action.sa_handler = onInterrupt;
    sigemptyset(&action.sa_mask);
    sigaction(SIGINT, &action, &previous_);
  }
  ~InterruptCatcher() { sigaction(SIGINT, &previous_, nullptr); }

private:
  struct sigaction previous_ {};
#endif
};

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
  host::Host &host = simulator.host();
  std::string text = "Commands (help NAME explains one; Tab completes words):\n";
  addHelpRow(text, "help [NAME]", "lists the commands, or explains a command or setting",
             kHelpColumn);
  addHelpRow(text, "quit, exit", "leaves the session (so does Ctrl-D)", kHelpColumn);
  addHelpRow(text, "NAME [VALUE]", "prints a setting, or sets it", kHelpColumn);
  addHelpRow(text, "NAME ARGS...", "runs a plugin's command", kHelpColumn);
  for (const auto &[name, command] : simulator.console().commands()) {
    addHelpRow(text, command.usage, command.summary, kHelpColumn);
  }
  std::vector<std::string> settings;
  for (const host::Setting *setting : host.settings().sortedByName()) {
    settings.push_back(setting->definition.name);
  }
  text += listOf("Settings", settings);
  text += listOf("Plugin commands", host.notifiers().names());
  text += "Ctrl-C abandons the line being typed, or stops a long sim_frame.\n";
  return text;
}

// One command, setting or plugin command explained; empty when there is none.
std::string helpOn(Simulator &simulator, const std::string &name) {
  host::Host &host = simulator.host();
  if (name == "help" || name == "quit" || name == "exit") {
    return name == "help" ? "help [NAME]: lists the commands, or explains one\n"
                          : name + ": leaves the session (so does Ctrl-D)\n";
  }
  const auto &commands = simulator.console().commands();
  if (const auto it = commands.find(name); it != commands.end()) {
    return "usage: " + it->second.usage + "\n  " + it->second.summary + "\n";
  }
  if (const host::Setting *setting = host.settings().at(host.settings().find(name))) {
    const host::SettingDefinition &definition = setting->definition;
    std::string text = name + " = " + host::quoteText(setting->value) + " (default " +
                       host::quoteText(definition.defaultValue);
    if (definition.bounds.hasMin) {
      text += ", at least " + host::shortestNumber(definition.bounds.min);
    }
    if (definition.bounds.hasMax) {
      text += ", at most " + host::shortestNumber(definition.bounds.max);
    }
    text += ")\n  " + definition.description + "\n  " + name + " VALUE sets it\n";
    return text;
  }
  if (const auto description = host.notifiers().description(name)) {
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

} // namespace

void addHelpRow(std::string &text, const std::string &usage, const std::string &summary,
                std::size_t column) {
  text += "  " + usage;
  text += usage.size() + 2 < column ? std::string(column - usage.size() - 2, ' ')
                                    : "\n" + std::string(column, ' ');
  text += summary + "\n";
}

Status runInteractive(Simulator &simulator, const InteractiveOptions &options) {
  InterruptCatcher catcher;
  console::Console &console = simulator.console();
  host::EventStream &events = simulator.host().events();
  host::TraceWriter *plain = simulator.traceWriter();
  std::optional<FoldedFrames> folded;
  NoEffectNotes noEffect;
  events.subscribe(noEffect);
  console.setNarrating(true);
  console.setSessionWords({std::begin(kSessionWords), std::end(kSessionWords)});
  console.setInterruptFlag(&interruptRequested);
  std::ostream *const progress = console.progressStream();
  if (options.showProgress) {
    console.setProgressStream(&std::cout);
  }
  if (options.foldFrames && plain != nullptr) {
    folded.emplace(plain->out(), plain->verbose());
    events.unsubscribe(*plain);
    events.subscribe(*folded);
  }
  std::cout << "Type console lines; help lists the commands, Tab completes, quit or Ctrl-D "
               "leaves.\n";
  LineEditor editor(
      std::string(kPrompt), historyPath(),
      [&simulator](std::string_view before) { return complete(simulator, before); },
      interruptRequested);
  while (true) {
    interruptRequested = 0;
    LineEditor::Read read = editor.read();
    if (read.outcome != LineEditor::Outcome::Line) {
      std::cout << '\n';
      if (read.outcome == LineEditor::Outcome::End && interruptRequested == 0) {
        break;
      }
      continue;
    }
    editor.remember(read.line);
    const SessionWord word = sessionCommand(simulator, read.line);
    if (word == SessionWord::Quit) {
      break;
    }
    if (word == SessionWord::None) {
      // An empty file name: errors print without a place, and none ends the session.
      simulator.run(read.line, "", 1);
      if (folded) {
        folded->flush();
      }
      noEffect.flush(std::cout);
    }
    std::cout.flush();
  }
  if (folded) {
    folded->flush();
    events.unsubscribe(*folded);
    events.subscribe(*plain);
  }
  events.unsubscribe(noEffect);
  console.setInterruptFlag(nullptr);
  console.setProgressStream(progress);
  console.setSessionWords({});
  console.setNarrating(false);
  return Status::Ok;
}

} // namespace corvane::sim

// Console: runs console lines against the host: built-in and simulator
// commands, settings, and plugin notifiers.
#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <iosfwd>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "host/base/outcome.h"
#include "host/session/engine/host.h"
#include "tokenizer.h"

namespace corvane::console {

// What one command did, and what it says where an error would be (with its
// place in a script; empty: nothing). A failure stops the run: bad input, a
// failed check ("expected ..., got ..."), or a script it ran that failed and
// said so itself; a notice is said and the run goes on.
struct CommandResult {
  Outcome outcome = Outcome::Success;
  std::string message;

  static CommandResult ok() { return {}; }
  static CommandResult error(std::string text) { return {Outcome::BadInput, std::move(text)}; }
  // A step that failed with `error`, whatever its kind, stops the run.
  static CommandResult error(Error error) { return {Outcome::BadInput, std::move(error.message)}; }
  static CommandResult failed(std::string text) { return {Outcome::PluginFailed, std::move(text)}; }
  static CommandResult reported(Outcome outcome) { return {outcome, {}}; }
  static CommandResult notice(std::string text) { return {Outcome::Notice, std::move(text)}; }
};

// `text` without the UTF-8 byte-order mark a Windows editor may put before
// a script's first line.
std::string_view withoutByteOrderMark(std::string_view text);

// What the program on top of a session gives its console, all through this
// one interface: where written files go, and a person watching (narration,
// the words the program runs itself, a long command's progress, Ctrl-C).
// The defaults are a script's: the working folder, and no one watching.
class Front {
public:
  // A long command under way: `frames` to render, or the clock to move
  // from `fromMicros` to `untilMicros`.
  struct LongCommand {
    std::string what; // e.g. "sim_frame 1000000"
    std::uint64_t frames = 0;
    std::int64_t fromMicros = 0;
    std::int64_t untilMicros = 0;
  };

  virtual ~Front() = default;

  // Where a command writes the file `name` (UTF-8).
  virtual std::string outputFile(const std::string &name) const { return name; }
  // One line saying what the game did, for a person watching.
  virtual void narrate(std::string_view /*line*/) {}
  // Words the program runs itself, offered with the console's names to a
  // mistyped command.
  virtual std::vector<std::string> ownWords() const { return {}; }
  // `command` begins; null: the one under way ended.
  virtual void longCommand(const LongCommand * /*command*/) {}
  // A person asked to stop the long command under way.
  virtual bool interrupted() const { return false; }
};

// How many arguments a command takes; the console refuses any other count
// with the command's usage before its handler runs.
struct Arity {
  std::size_t least = 0;
  std::size_t most = SIZE_MAX;
};

class Console {
public:
  // A command's handler gets the console and the command's words, its own
  // name first.
  using Handler = std::function<CommandResult(Console &, const Words &)>;
  struct Command {
    std::string usage;   // e.g. "sim_wait SECONDS"
    std::string summary; // one line for --help
    Handler handler;
    Arity arity;
  };

  // Registers the built-in and simulator commands and takes the host's
  // console lines (executeCommand); `front` null: a script's defaults.
  Console(host::Host &host, std::ostream &out, std::ostream &err, Front *front = nullptr);
  ~Console();
  Console(const Console &) = delete;
  Console &operator=(const Console &) = delete;

  // Adds (or replaces) a command; commands come before settings and
  // notifiers of the same name.
  void addCommand(std::string name, std::string usage, std::string summary, Handler handler,
                  Arity arity = {});
  const std::map<std::string, Command, std::less<>> &commands() const { return commands_; }

  // Runs console text (lines separated by '\n') as read from `file` starting
  // at `firstLine`. A bad line or a failed check is reported on the error
  // stream as `FILE:LINE: message` (just the message when `file` is empty:
  // a line a person typed) and ends the run.
  Outcome run(std::string_view text, std::string_view file, int firstLine);
  // Runs the script at `path` (see resolvePath); an unreadable file is an error.
  Outcome runFile(const std::string &path);
  // Runs one line that a plugin or a key press issued: an error is printed
  // as `console: message` and does not end the script that led to it; a
  // failed check ends it once the current command returns.
  void runIssuedLine(std::string_view line);

  // `path` against the running script's folder when a file is there, else
  // against the working folder.
  std::filesystem::path resolvePath(const std::string &path) const;
  // Own words of the program, commands, settings and plugin commands, for
  // "did you mean".
  std::vector<std::string> knownNames() const;
  Front &front() { return *front_; }
  // Where a command writes the file `name` (UTF-8), as the front says.
  std::string outputFile(const std::string &name) const { return front_->outputFile(name); }

  host::Host &host() { return host_; }
  std::ostream &out() { return out_; }
  std::ostream &err() { return err_; }

private:
  // Runs one command; no reporting.
  CommandResult execute(const Words &words);
  // Runs the commands of one line until one fails, which `report` tells;
  // with `stopOnIssuedFailure`, a failure in a line a plugin issued stops it too.
  using Report = std::function<void(const std::string &)>;
  Outcome runLine(std::string_view line, const Report &report, bool stopOnIssuedFailure);
  CommandResult dispatch(const Words &words);
  CommandResult executeSetting(int index, const Words &words);

  host::Host &host_;
  std::ostream &out_;
  std::ostream &err_;
  std::map<std::string, Command, std::less<>> commands_;
  std::vector<std::filesystem::path> scriptFolders_;
  Front scriptFront_;
  Front *front_;
  int depth_ = 0;
  // A check failed inside a line a plugin or key issued: the script stops
  // after the command that led to it.
  bool issuedFailure_ = false;
};

// The command sets, each in its own file.
void addBuiltinCommands(Console &console);
void addSimCommands(Console &console);
void addExpectationCommand(Console &console);
// What sim_expect checks, its first word: "searching", "selected", ...
const std::vector<std::string> &expectationSubjects();
void addStatusCommand(Console &console);

} // namespace corvane::console

// Console: runs console lines against the host: built-in and simulator
// commands, settings, and plugin notifiers.
#pragma once

#include <csignal>
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

#include "host/session/engine/host.h"
#include "host/session/exit_status.h"
#include "tokenizer.h"

namespace corvane::console {

// How a run of console text ended; also corvane-sim's exit status.
enum class Status { Ok = kExitPassed, ExpectationFailed = kExitFailed, Error = kExitUsage };

// What one command did: nothing to report, an error (a BadInput error is bad
// input, an ExpectationFailed one reads "expected ..., got ..."), or a
// script it ran that failed and said so itself, which stops with `status`.
struct CommandResult {
  std::optional<Error> problem;
  Status status = Status::Ok;

  static CommandResult ok() { return {}; }
  static CommandResult error(std::string text) {
    return error(Error{ErrorKind::BadInput, std::move(text)});
  }
  // A step that failed with `error`, whatever its kind, stops the run.
  static CommandResult error(Error error) { return {std::move(error), Status::Error}; }
  static CommandResult failed(std::string text) {
    return {Error{ErrorKind::ExpectationFailed, std::move(text)}, Status::ExpectationFailed};
  }
  static CommandResult reported(Status status) { return {std::nullopt, status}; }
  // Said where an error would be (with its place in a script), but the run
  // goes on and its status is untouched.
  static CommandResult notice(std::string text) {
    return {Error{ErrorKind::Notice, std::move(text)}, Status::Ok};
  }
};

// `text` without the UTF-8 byte-order mark a Windows editor may put before
// a script's first line.
std::string_view withoutByteOrderMark(std::string_view text);

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
  // console lines (executeCommand).
  Console(host::Host &host, std::ostream &out, std::ostream &err);
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
  Status run(std::string_view text, std::string_view file, int firstLine);
  // Runs the script at `path` (see resolvePath); an unreadable file is an error.
  Status runFile(const std::string &path);
  // Runs one line that a plugin or a key press issued: an error is printed
  // as `console: message` and does not end the script that led to it; a
  // failed check ends it once the current command returns.
  void runIssuedLine(std::string_view line);

  // `path` against the running script's folder when a file is there, else
  // against the working folder.
  std::filesystem::path resolvePath(const std::string &path) const;
  // Where a command writes the file `name` (UTF-8): a relative name under
  // the output folder, as the working folder is when none is set; an
  // absolute one as it is.
  std::string outputFile(const std::string &name) const;
  void setOutputFolder(std::filesystem::path folder) { outputFolder_ = std::move(folder); }

  // A person is watching: the game-flow commands and sim_call say in one
  // line what the game did. Scripts keep their output as it is.
  void setNarrating(bool narrating) { narrating_ = narrating; }
  bool narrating() const { return narrating_; }
  // Words the front end runs itself (help, quit and exit at the prompt),
  // offered with the console's own names to a mistyped command.
  void setSessionWords(std::vector<std::string> words) { sessionWords_ = std::move(words); }
  // Session words, commands, settings and plugin commands, for "did you mean".
  std::vector<std::string> knownNames() const;
  // A flag a signal handler sets to stop a long command (sim_frame); null: none.
  void setInterruptFlag(const volatile std::sig_atomic_t *flag) { interruptFlag_ = flag; }
  bool interrupted() const { return interruptFlag_ != nullptr && *interruptFlag_ != 0; }

  // Where a long sim_frame or sim_wait shows its progress line: a
  // terminal; null (the default) shows none.
  void setProgressStream(std::ostream *progress) { progress_ = progress; }
  std::ostream *progressStream() const { return progress_; }

  host::Host &host() { return host_; }
  std::ostream &out() { return out_; }
  std::ostream &err() { return err_; }

private:
  // Runs one command; no reporting.
  CommandResult execute(const Words &words);
  // Runs the commands of one line until one fails, which `report` tells;
  // with `stopOnIssuedFailure`, a failure in a line a plugin issued stops it too.
  using Report = std::function<void(const std::string &)>;
  Status runLine(std::string_view line, const Report &report, bool stopOnIssuedFailure);
  CommandResult dispatch(const Words &words);
  CommandResult executeSetting(int index, const Words &words);

  host::Host &host_;
  std::ostream &out_;
  std::ostream &err_;
  std::map<std::string, Command, std::less<>> commands_;
  std::vector<std::filesystem::path> scriptFolders_;
  std::vector<std::string> sessionWords_;
  std::filesystem::path outputFolder_;
  int depth_ = 0;
  bool narrating_ = false;
  const volatile std::sig_atomic_t *interruptFlag_ = nullptr;
  std::ostream *progress_ = nullptr;
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

// The console: line dispatch, script runs and error reporting.
#include "console.h"

#include <algorithm>
#include <cerrno>
#include <exception>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <ostream>
#include <ranges>
#include <sstream>
#include <system_error>

#include "command_args.h"
#include "host/base/utf8_path.h"
#include "host/session/engine/notifiers.h"
#include "host/session/engine/settings_store.h"
#include "host/session/engine/trace_format.h"

namespace corvane::console {

namespace {

// Deep enough for any real script; shallow enough to stop a key bound to
// itself or a script that execs itself long before the stack runs out.
constexpr int kMaxNesting = 32;

class DepthGuard {
public:
  explicit DepthGuard(int &depth) : depth_(depth) { ++depth_; }
  ~DepthGuard() { --depth_; }
  DepthGuard(const DepthGuard &) = delete;
  DepthGuard &operator=(const DepthGuard &) = delete;
  bool tooDeep() const { return depth_ > kMaxNesting; }

private:
  int &depth_;
};

constexpr std::string_view kTooDeep =
    "console lines nested too deeply (a key or script that runs itself?)";

constexpr std::size_t kMostSlips = 2;

// Slips between `a` and `b`: letters dropped, added or changed, and two
// neighbours swapped, each counting one.
std::size_t slips(std::string_view a, std::string_view b) {
  const std::size_t columns = b.size() + 1;
  std::vector<std::size_t> table((a.size() + 1) * columns);
  const auto at = [&table, columns](std::size_t i, std::size_t j) -> std::size_t & {
    return table[i * columns + j];
  };
  for (std::size_t i = 0; i <= a.size(); ++i) {
    at(i, 0) = i;
  }
  for (std::size_t j = 0; j <= b.size(); ++j) {
    at(0, j) = j;
  }
  for (std::size_t i = 1; i <= a.size(); ++i) {
    for (std::size_t j = 1; j <= b.size(); ++j) {
      const std::size_t changed = a[i - 1] == b[j - 1] ? 0 : 1;
      at(i, j) = std::min({at(i - 1, j) + 1, at(i, j - 1) + 1, at(i - 1, j - 1) + changed});
      if (i > 1 && j > 1 && a[i - 1] == b[j - 2] && a[i - 2] == b[j - 1]) {
        at(i, j) = std::min(at(i, j), at(i - 2, j - 2) + 1);
      }
    }
  }
  return at(a.size(), b.size());
}

// The name in `known` closest to `typed`, counting a dropped, added, changed
// or swapped neighbouring letter as one slip; nothing when even the closest
// needs more slips than a typo makes (two, and fewer than half the letters).
std::optional<std::string> nearestName(std::string_view typed,
                                       const std::vector<std::string> &known) {
  if (typed.empty()) {
    return std::nullopt;
  }
  std::optional<std::string> best;
  std::size_t bestSlips = std::min(kMostSlips, (typed.size() - 1) / 2);
  for (const std::string &name : known) {
    // A slip changes the length by one at most: a name longer or shorter by
    // more than the slips allowed cannot match, and costs no table.
    const std::size_t longer = std::max(typed.size(), name.size());
    if (longer - std::min(typed.size(), name.size()) > bestSlips) {
      continue;
    }
    const std::size_t count = slips(typed, name);
    if (count <= bestSlips && (!best || count < bestSlips)) {
      best = name;
      bestSlips = count;
    }
  }
  return best;
}

} // namespace

std::string_view withoutByteOrderMark(std::string_view text) {
  constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
  if (text.starts_with(kByteOrderMark)) {
    text.remove_prefix(kByteOrderMark.size());
  }
  return text;
}

Console::Console(host::Host &host, std::ostream &out, std::ostream &err, Front *front)
    : host_(host), out_(out), err_(err), front_(front != nullptr ? front : &scriptFront_) {
  addBuiltinCommands(*this);
  addSimCommands(*this);
  addExpectationCommand(*this);
  addStatusCommand(*this);
  host_.setCommandRunner([this](const std::string &line) { runIssuedLine(line); });
}

Console::~Console() { host_.setCommandRunner(nullptr); }

void Console::addCommand(std::string name, std::string usage, std::string summary, Handler handler,
                         Arity arity) {
  commands_.insert_or_assign(
      std::move(name), Command{std::move(usage), std::move(summary), std::move(handler), arity});
}

CommandResult Console::execute(const Words &words) {
  // A plugin callback that throws fails the command that led to it, as the
  // game's console would report it, instead of taking the host down.
  try {
    return dispatch(words);
  } catch (const std::exception &failure) {
    return CommandResult::error(words.front() + " failed: " + failure.what());
  } catch (...) {
    return CommandResult::error(words.front() + " failed");
  }
}

CommandResult Console::dispatch(const Words &words) {
  const std::string &name = words.front();
  if (const auto it = commands_.find(name); it != commands_.end()) {
    const std::size_t arguments = words.size() - 1;
    if (arguments < it->second.arity.least || arguments > it->second.arity.most) {
      return CommandResult::error(usageMessage(it->second.usage, words));
    }
    // Copied: a handler may replace commands while it runs.
    const Handler handler = it->second.handler;
    return handler(*this, words);
  }
  if (const int setting = host_.settings().find(name); setting != host::SettingsStore::kNoSetting) {
    return executeSetting(setting, words);
  }
  if (host_.runNotifier(words)) {
    return CommandResult::ok();
  }
  std::string message = "unknown command " + quoteWordIfNeeded(name);
  if (const auto meant = nearestName(name, knownNames())) {
    message += " (did you mean " + *meant + "?)";
  }
  return CommandResult::error(message);
}

std::vector<std::string> Console::knownNames() const {
  std::vector<std::string> names = front_->ownWords();
  std::transform(commands_.begin(), commands_.end(), std::back_inserter(names),
                 [](const auto &entry) { return entry.first; });
  for (const host::Setting *setting : host_.settings().sortedByName()) {
    names.push_back(setting->definition.name);
  }
  std::ranges::move(host_.notifiers().names(), std::back_inserter(names));
  return names;
}

CommandResult Console::executeSetting(int index, const Words &words) {
  const host::Setting &setting = *host_.settings().at(index);
  if (words.size() == 1) {
    out_ << setting.definition.name << " = " << host::quoteText(setting.value) << '\n';
    return CommandResult::ok();
  }
  if (words.size() > 2) {
    return CommandResult::error("setting " + setting.definition.name +
                                " takes one value (quote text with spaces)");
  }
  if (auto refused = host_.setSetting(index, words[1])) {
    return CommandResult::error(std::move(*refused));
  }
  return CommandResult::ok();
}

Outcome Console::run(std::string_view text, std::string_view file, int firstLine) {
  DepthGuard guard(depth_);
  if (guard.tooDeep()) {
    err_ << file << ':' << firstLine << ": " << kTooDeep << '\n';
    return Outcome::BadInput;
  }
  int lineNumber = firstLine;
  const Report report = [&](const std::string &message) {
    if (!file.empty()) {
      err_ << file << ':' << lineNumber << ": ";
    }
    err_ << message << '\n';
  };
  while (true) {
    const std::size_t end = text.find('\n');
    const Outcome status = runLine(text.substr(0, end), report, true);
    if (status != Outcome::Success) {
      issuedFailure_ = false;
      return status;
    }
    if (end == std::string_view::npos) {
      return Outcome::Success;
    }
    text.remove_prefix(end + 1);
    ++lineNumber;
  }
}

Outcome Console::runLine(std::string_view line, const Report &report, bool stopOnIssuedFailure) {
  const auto tokens = tokenizeLine(line);
  if (!tokens) {
    report(tokens.error().message);
    return Outcome::BadInput;
  }
  for (const Words &words : *tokens) {
    const CommandResult result = execute(words);
    if (!result.message.empty()) {
      report(result.message);
    }
    if (isFailure(result.outcome)) {
      return result.outcome;
    }
    if (stopOnIssuedFailure && issuedFailure_) {
      return Outcome::PluginFailed;
    }
  }
  return Outcome::Success;
}

Outcome Console::runFile(const std::string &path) {
  const std::filesystem::path resolved = resolvePath(path);
  std::error_code ignored;
  errno = 0;
  std::ifstream in(resolved, std::ios::binary);
  if (std::filesystem::is_directory(resolved, ignored)) {
    err_ << path << ": cannot read script: it is a folder\n";
    return Outcome::BadInput;
  }
  if (!in) {
    err_ << path << ": cannot read script: " << std::generic_category().message(errno) << '\n';
    return Outcome::BadInput;
  }
  std::ostringstream text;
  text << in.rdbuf();
  const std::string script = std::move(text).str();
  scriptFolders_.push_back(resolved.parent_path());
  const Outcome status = run(withoutByteOrderMark(script), path, 1);
  scriptFolders_.pop_back();
  return status;
}

void Console::runIssuedLine(std::string_view line) {
  DepthGuard guard(depth_);
  if (guard.tooDeep()) {
    err_ << "console: " << kTooDeep << '\n';
    return;
  }
  const Outcome status = runLine(
      line, [this](const std::string &message) { err_ << "console: " << message << '\n'; }, false);
  issuedFailure_ = issuedFailure_ || status == Outcome::PluginFailed;
}

// std::filesystem decides what is absolute. On Windows that needs a drive
// and a root (C:\x.cfg, \\server\share\x.cfg): "/x.cfg" is relative to
// a drive, so it is joined with the running script's folder, which keeps
// that folder's drive, and otherwise means the working folder's drive.
std::filesystem::path Console::resolvePath(const std::string &path) const {
  std::filesystem::path given = platform::pathFromUtf8(path);
  if (given.is_absolute() || scriptFolders_.empty()) {
    return given;
  }
  std::filesystem::path besideScript = scriptFolders_.back() / given;
  std::error_code ignored;
  if (std::filesystem::exists(besideScript, ignored)) {
    return besideScript;
  }
  return given;
}

} // namespace corvane::console

// The console's own commands: bind, unbind, load_freeplay, exec, echo, cvarlist.
#include <filesystem>
#include <ostream>
#include <string>
#include <system_error>

#include "command_args.h"
#include "console.h"
#include "host/session/engine/settings_store.h"
#include "host/session/engine/trace_format.h"

namespace corvane::console {

namespace {

CommandResult bind(Console &console, const Words &words) {
  console.host().bindKey(words[1], joinWords(words.begin() + 2, words.end()));
  return CommandResult::ok();
}

CommandResult unbind(Console &console, const Words &words) {
  if (!console.host().unbindKey(words[1])) {
    return CommandResult::error("key " + quoteWordIfNeeded(words[1]) + " is not bound");
  }
  return CommandResult::ok();
}

CommandResult loadFreeplay(Console &console, const Words & /*words*/) {
  console.host().setState(host::GameState::Freeplay);
  return CommandResult::ok();
}

CommandResult exec(Console &console, const Words &words) {
  std::error_code failed;
  const auto type = std::filesystem::status(console.resolvePath(words[1]), failed).type();
  if (type != std::filesystem::file_type::regular) {
    std::string why = failed.message();
    if (type == std::filesystem::file_type::directory) {
      why = "it is a folder";
    } else if (type == std::filesystem::file_type::not_found || !failed) {
      why = std::make_error_code(std::errc::no_such_file_or_directory).message();
    }
    return CommandResult::error("cannot read script " + quoteWordIfNeeded(words[1]) + ": " + why);
  }
  return CommandResult::reported(console.runFile(words[1]));
}

CommandResult echo(Console &console, const Words &words) {
  std::string line;
  for (std::size_t i = 1; i < words.size(); ++i) {
    line += (i > 1 ? " " : "") + words[i];
  }
  console.out() << line << '\n';
  return CommandResult::ok();
}

std::string describeBounds(const host::SettingBounds &bounds) {
  if (bounds.hasMin && bounds.hasMax) {
    return host::shortestNumber(bounds.min) + ".." + host::shortestNumber(bounds.max);
  }
  if (bounds.hasMin) {
    return ">= " + host::shortestNumber(bounds.min);
  }
  if (bounds.hasMax) {
    return "<= " + host::shortestNumber(bounds.max);
  }
  return "";
}

CommandResult cvarlist(Console &console, const Words &words) {
  const std::string_view prefix =
      words.size() > 1 ? std::string_view{words[1]} : std::string_view{};
  std::size_t listed = 0;
  for (const host::Setting *setting : console.host().settings().sortedByName()) {
    const host::SettingDefinition &definition = setting->definition;
    if (!definition.name.starts_with(prefix)) {
      continue;
    }
    ++listed;
    std::string details = "default " + host::quoteText(definition.defaultValue);
    if (const std::string bounds = describeBounds(definition.bounds); !bounds.empty()) {
      details += ", " + bounds;
    }
    if (definition.searchable) {
      details += ", searchable";
    }
    if (definition.saveToConfig) {
      details += ", saved";
    }
    console.out() << definition.name << " = " << host::quoteText(setting->value) << "  (" << details
                  << ")  " << definition.description << '\n';
  }
  console.out() << listed << (listed == 1 ? " setting" : " settings") << '\n';
  return CommandResult::ok();
}

} // namespace

void addBuiltinCommands(Console &console) {
  console.addCommand("bind", "bind KEY COMMAND...", "ties a key to a console line", bind, {2});
  console.addCommand("unbind", "unbind KEY", "unties a bound key", unbind, {1, 1});
  console.addCommand("load_freeplay", "load_freeplay", "the player goes to freeplay", loadFreeplay,
                     {0, 0});
  console.addCommand("exec", "exec FILE",
                     "runs a script (beside the current script, else from the working folder)",
                     exec, {1, 1});
  console.addCommand("echo", "echo TEXT...", "prints the words joined by spaces", echo);
  console.addCommand("cvarlist", "cvarlist [PREFIX]",
                     "lists settings with value, default, bounds, flags, description", cvarlist,
                     {0, 1});
}

} // namespace corvane::console

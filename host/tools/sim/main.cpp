// corvane-sim: loads a plugin into the stand-in host and plays console
// scripts against it.
#include <algorithm>
#include <filesystem>
#include <iostream>
#include <iterator>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#if defined(_WIN32)
#include <io.h>
#define CORVANE_ISATTY(fd) _isatty(fd)
#else
#include <unistd.h>
#define CORVANE_ISATTY(fd) isatty(fd)
#endif

#include "host/base/outcome.h"
#include "host/base/utf8_path.h"
#include "host/base/whole_file.h"
#include "host/session/loader/descriptor_check.h"
#include "host/session/loader/shared_library.h"
#include "host/session/simulator.h"
#include "host/tools/check_sdk/check_sdk.h"
#include "host/tools/options/option_table.h"
#include "host/tools/program/extension.h"
#include "host/tools/screenshot/screenshot.h"
#include "host/tools/timeline/timeline_extension.h"
#include "host/tools/validate/validate.h"
#include "interactive.h"
#include "line_editor.h"
#include "program_front.h"

#ifndef CORVANE_SIM_VERSION
#error "CORVANE_SIM_VERSION must be the project's version (the build defines it)"
#endif

namespace corvane::sim {

namespace {

constexpr int kStdinDescriptor = 0;
constexpr int kStdoutDescriptor = 1;
constexpr std::string_view kStdinScript = "-";
constexpr std::size_t kCommandColumn = 34;

using Extensions = std::vector<std::unique_ptr<Extension>>;

// A fresh set of every feature for one run; a new feature adds one entry here.
Extensions makeExtensions() {
  Extensions list;
  list.push_back(std::make_unique<screenshot::ScreenshotExtension>());
  list.push_back(std::make_unique<timeline::TimelineExtension>());
  return list;
}

// What each extension adds to a session, for a Simulator's options.
std::vector<SessionExtension> sessionExtensions(const Extensions &extensions) {
  std::vector<SessionExtension> attached;
  std::ranges::transform(extensions, std::back_inserter(attached),
                         [](const auto &extension) { return extension->forSessions(); });
  return attached;
}

struct ProgramSettings {
  bool verbose = false;
  bool help = false;
  bool version = false;
  bool interactive = false;
  std::string traceFile;
  std::string outputFolder;
  // The run's features, which hold their own options' values.
  Extensions extensions = makeExtensions();
};

OptionTable::Apply turnsOn(bool &flag) {
  return [&flag](const std::string &) {
    flag = true;
    return Failure{};
  };
}

OptionTable makeOptions(ProgramSettings &settings) {
  OptionTable table;
  table.add(
      {"--verbose", "-v", "", "also trace the plugin's registrations", turnsOn(settings.verbose)});
  table.add({"--trace", "", "FILE", "write the trace to FILE instead of standard output",
             nameInto(settings.traceFile, "needs a file name")});
  table.add({"--output", "-o", "DIR",
             "write the run's pictures (sim_screenshot, sim_timeline, --timeline) into DIR, "
             "made if missing, when their names are relative",
             nameInto(settings.outputFolder, "needs a folder name")});
  table.add({"--interactive", "-i", "",
             "read standard input as a person at a prompt, even when it is no terminal",
             turnsOn(settings.interactive)});
  table.add({"--version", "", "",
             "print the program's version, and the plugin's when one is given, and exit",
             turnsOn(settings.version)});
  table.add({"--help", "-h", "", "show this help", turnsOn(settings.help)});
  for (const auto &extension : settings.extensions) {
    extension->addOptions(table);
  }
  return table;
}

std::string helpText(const OptionTable &options, const Extensions &extensions) {
  std::string text =
      "usage: corvane-sim [options] PLUGIN [SCRIPT...]\n"
      "       corvane-sim --version [PLUGIN]\n"
      "       corvane-sim validate PLUGIN [--seed N] [--steps N] [--in-process]\n"
      "                            [--timeout SECONDS]\n"
      "       corvane-sim check-sdk PLUGIN.dll HOST_SDK\n"
      "\n"
      "Loads PLUGIN into the stand-in host, runs each SCRIPT (console lines; `-` is\n"
      "standard input, also read when no SCRIPT is given), then unloads the plugin.\n"
      "Exit status: 0 done, 1 an expectation failed, 2 usage error, refused plugin\n"
      "or script error.\n"
      "\n"
      "validate runs checks that hold for any plugin of this host, each in a child\n"
      "process, and ends with a line `N passed, N failed` (validate --help: more).\n"
      "\n"
      "check-sdk lists every function PLUGIN.dll imports from pluginsdk.dll that\n"
      "HOST_SDK (the host's pluginsdk.dll or pluginsdk.lib) does not export; status\n"
      "1 when one is missing (check-sdk --help: more).\n"
      "\n"
      "At a terminal (or with -i) standard input is an interactive session: a bad\n"
      "line prints its error and the session goes on; help lists the commands,\n"
      "quit, exit or Ctrl-D leaves, Ctrl-C abandons a line or stops sim_frame.\n" +
      std::string(LineEditor::editing()
                      ? "This build edits lines with libedit: history (kept in\n"
                        "$XDG_STATE_HOME/corvane-sim/history) and Tab completion.\n"
                      : "This build has no libedit: a plain prompt, without history or\n"
                        "completion.\n") +
      "\n"
      "options:\n" +
      options.describe() +
      "\n"
      "console lines: `;` separates commands, double quotes group words (\\\" and \\\\\n"
      "inside), a line starting with # or // is a comment.\n"
      "\n"
      "commands:\n";
  addHelpRow(text, "NAME", "prints a setting", kCommandColumn);
  addHelpRow(text, "NAME VALUE", "sets a setting", kCommandColumn);
  addHelpRow(text, "NAME ARGS...", "runs a plugin's command", kCommandColumn);
  Simulator simulator(SimulatorOptions{.extensions = sessionExtensions(extensions)});
  for (const auto &[name, command] : simulator.console().commands()) {
    addHelpRow(text, command.usage, command.summary, kCommandColumn);
  }
  return text;
}

// Makes the folder --output names when it is missing; fails when it cannot
// be made or written.
Failure makeOutputFolder(const std::string &folder) {
  std::error_code error;
  const std::filesystem::path path = platform::pathFromUtf8(folder);
  if (folder.empty()) {
    return std::nullopt;
  }
  std::filesystem::create_directories(path, error);
  return withContext("cannot write into output folder " + folder + ": ",
                     error ? Error{ErrorKind::Unreadable, error.message()}
                           : platform::refuseToWrite(path / "corvane-sim"));
}

// Console lines from standard input, one run per line so that each error
// names its line; a person at a terminal gets the interactive session.
Outcome runStandardInput(Simulator &simulator, ProgramFront &front,
                         const ProgramSettings &settings) {
  if (settings.interactive || CORVANE_ISATTY(kStdinDescriptor) != 0) {
    // The folded view is for the screen; a trace file keeps every line.
    return runInteractive(simulator, front, settings.traceFile.empty());
  }
  std::string line;
  for (int lineNumber = 1; std::getline(std::cin, line); ++lineNumber) {
    const std::string_view text =
        lineNumber == 1 ? console::withoutByteOrderMark(line) : std::string_view(line);
    const Outcome status = simulator.run(text, "<stdin>", lineNumber);
    if (status != Outcome::Success) {
      return status;
    }
  }
  return Outcome::Success;
}

// Says why the run cannot go on, with where to find the usage after bad
// input, and gives the usage status.
int reportError(const Error &error) {
  std::cerr << "corvane-sim: " << error.message << '\n';
  if (error.kind == ErrorKind::BadInput) {
    std::cerr << "(corvane-sim --help shows the usage)\n";
  }
  return exitStatus(Outcome::BadInput);
}

// Prints the program's version first, whatever `plugin` turns out to be, then
// the name and version its descriptor carries, read without loading it into a
// host (no plugin code runs); status 2 when it is no plugin this host loads.
int printVersion(const std::string &plugin) {
  std::cout << "corvane-sim " << CORVANE_SIM_VERSION << '\n' << std::flush;
  if (plugin.empty()) {
    return exitStatus(Outcome::Success);
  }
  const auto library = loader::SharedLibrary::open(plugin);
  const PluginDescriptor *descriptor = library ? loader::findDescriptor(**library) : nullptr;
  const Failure refused = !library ? Failure(library.error())
                          : descriptor == nullptr
                              ? Failure(Error{ErrorKind::NoPlugin, "it exports no descriptor"})
                              : loader::checkDescriptor(*descriptor);
  if (refused) {
    return reportError({ErrorKind::Unreadable,
                        "cannot read the version of plugin " + plugin + ": " + refused->message});
  }
  std::cout << descriptor->pluginName << ' ' << descriptor->pluginVersion << " (" << plugin
            << ")\n";
  return 0;
}

// Opens the --trace file `name` into `traceFile`, unless it is one of the
// run's `inputs` (the plugin, the scripts), however named: the trace may not
// overwrite an input of the run.
Failure openTraceFile(const std::string &name, const std::vector<std::string> &inputs,
                      std::unique_ptr<platform::WholeFile> &traceFile) {
  const std::filesystem::path target = platform::pathFromUtf8(name);
  std::error_code ignored;
  for (const std::string &inputName : inputs) {
    const std::filesystem::path input = platform::pathFromUtf8(inputName);
    // Fails (false) when either does not exist: then nothing is at stake.
    if (std::filesystem::equivalent(target, input, ignored)) {
      return Error{ErrorKind::BadInput, "the trace file " + platform::utf8FromPath(target) +
                                            " is " + platform::utf8FromPath(input) +
                                            ", an input of this run; it would be overwritten"};
    }
  }
  if (std::filesystem::is_directory(target, ignored)) {
    return Error{ErrorKind::Unreadable, "cannot write trace file " + name + ": it is a folder"};
  }
  traceFile = std::make_unique<platform::WholeFile>(target);
  return withContext("cannot write trace file " + name + ": ", traceFile->openError());
}

// Plays each script in turn (standard input where one is `-`, or when none
// is given) until one fails.
Outcome playScripts(Simulator &simulator, ProgramFront &front, std::vector<std::string> scripts,
                    const ProgramSettings &settings) {
  if (scripts.empty() || (settings.interactive && std::ranges::count(scripts, kStdinScript) == 0)) {
    scripts.emplace_back(kStdinScript);
  }
  // A person watching sees a long sim_frame or sim_wait move, unless the
  // trace goes to the screen line by line (the prompt's folded view does
  // not); a pipe or a file gets nothing of it.
  const bool watched = CORVANE_ISATTY(kStdoutDescriptor) != 0;
  front.showProgress(watched ? &std::cout : nullptr, simulator.host().events(),
                     !settings.traceFile.empty());
  for (const std::string &script : scripts) {
    const Outcome status = script == kStdinScript ? runStandardInput(simulator, front, settings)
                                                  : simulator.runScript(script);
    if (status != Outcome::Success) {
      return status;
    }
  }
  return Outcome::Success;
}

// Loads the plugin into a session and plays the scripts `positional` names
// after it; every feature then finishes its work.
int runSession(const ProgramSettings &settings, const std::vector<std::string> &positional) {
  std::unique_ptr<platform::WholeFile> traceFile;
  if (!settings.traceFile.empty()) {
    if (const auto problem = openTraceFile(settings.traceFile, positional, traceFile)) {
      return reportError(*problem);
    }
  }
  if (const auto problem = makeOutputFolder(settings.outputFolder)) {
    return reportError(*problem);
  }
  ProgramFront front(platform::pathFromUtf8(settings.outputFolder));
  Simulator simulator(SimulatorOptions{
      &std::cout, &std::cerr, traceFile ? &traceFile->stream() : &std::cout, settings.verbose,
      sessionExtensions(settings.extensions), &front, "corvane-sim: "});
  for (const auto &extension : settings.extensions) {
    if (const auto problem = extension->refuseToStart(simulator)) {
      return reportError(*problem);
    }
  }
  if (!simulator.load(positional.front())) {
    return exitStatus(Outcome::BadInput);
  }
  const Outcome played =
      playScripts(simulator, front, {positional.begin() + 1, positional.end()}, settings);
  Outcome status = played;
  for (const auto &extension : settings.extensions) {
    if (!extension->finish(simulator) && status == Outcome::Success) {
      status = Outcome::BadInput;
    }
  }
  simulator.unload();
  std::cout.flush();
  // A run whose scripts could not all be played keeps the old trace.
  if (traceFile && played != Outcome::BadInput) {
    if (const auto problem = withContext("cannot write trace file " + settings.traceFile + ": ",
                                         traceFile->commit())) {
      return reportError(*problem);
    }
  }
  return exitStatus(status);
}

int runProgram(const std::vector<std::string> &arguments) {
  if (!arguments.empty() && arguments.front() == "validate") {
    return validate::validateMain({arguments.begin() + 1, arguments.end()}, std::cout, std::cerr);
  }
  if (!arguments.empty() && arguments.front() == "check-sdk") {
    return sdkcheck::checkSdkMain({arguments.begin() + 1, arguments.end()}, std::cout, std::cerr);
  }
  ProgramSettings settings;
  const OptionTable options = makeOptions(settings);
  const auto positional = options.parse(arguments);
  if (!positional) {
    return reportError(positional.error());
  }
  if (settings.help) {
    std::cout << helpText(options, settings.extensions);
    return 0;
  }
  if (settings.version) {
    if (positional->size() > 1) {
      return reportError({ErrorKind::BadInput, "--version takes at most one plugin"});
    }
    return printVersion(positional->empty() ? std::string() : positional->front());
  }
  if (positional->empty()) {
    return reportError({ErrorKind::BadInput, "no plugin given"});
  }
  return runSession(settings, *positional);
}

} // namespace

} // namespace corvane::sim

int main(int argc, char **argv) {
  corvane::platform::useBinaryStandardStreams();
  // Whatever escapes (a file system error, memory running out) still ends
  // the run with a message and the error status, not an abort.
  try {
    return corvane::sim::runProgram(corvane::platform::utf8Arguments(argc, argv));
  } catch (const std::exception &error) {
    return corvane::sim::reportError({corvane::ErrorKind::Unreadable, error.what()});
  }
}

// The screenshot extension: parses the resolution and font options and runs
// sim_screenshot through the host's frame rendering.
#include "screenshot_extension.h"

#include <optional>
#include <ostream>
#include <string>

#include "host/session/console/command_args.h"
#include "host/session/console/console.h"
#include "host/session/simulator.h"
#include "host/tools/common/file_name.h"
#include "host/tools/common/option_table.h"

namespace corvane::screenshot {

namespace {

using console::CommandResult;
using console::Console;
using console::Words;

std::optional<std::string> parseFont(const std::string &value, std::string &font) {
  if (value.empty()) {
    return "needs a file name";
  }
  font = value;
  return std::nullopt;
}

std::optional<std::string> parseResolutionOption(const std::string &value, Resolution &resolution) {
  const std::optional<Resolution> parsed = parseResolution(value);
  if (!parsed) {
    return "needs WxH, each side 1.." + std::to_string(kMaxResolutionSide) +
           " (e.g. 1920x1080), not \"" + value + "\"";
  }
  resolution = *parsed;
  return std::nullopt;
}

// A relative path is taken from the output folder (the working folder unless
// --output names one), not from the running script's, so pictures land
// where the person is.
CommandResult simScreenshot(Console &console, const Words &words, Resolution resolution,
                            const std::string &font) {
  if (!console::argumentCount(words, 1, 1) || words[1].empty()) {
    return console::usageError(console, words);
  }
  if (!sim::hasSuffix(words[1], {".png"})) {
    return CommandResult::error("sim_screenshot writes PNG files (FILE.png), not " +
                                console::quoteWordIfNeeded(words[1]));
  }
  try {
    const std::string line =
        takeScreenshot([&console](host::Canvas &canvas) { console.host().renderFrame(canvas); },
                       console.outputFile(words[1]), resolution, font);
    console.out() << line << '\n';
  } catch (const ScreenshotError &error) {
    return CommandResult::error(error.what());
  }
  return CommandResult::ok();
}

} // namespace

void ScreenshotExtension::addOptions(sim::OptionTable &table) {
  table.add(
      {"--resolution", "", "WxH", "the screen size sim_screenshot renders (default 1920x1080)",
       [this](const std::string &value) { return parseResolutionOption(value, resolution_); }});
  table.add({"--font", "", "FILE",
             "the TrueType font sim_screenshot draws text with (default: the system's)",
             [this](const std::string &value) { return parseFont(value, font_); }});
}

void ScreenshotExtension::attach(sim::Simulator &simulator) {
  // A build without Cairo or FreeType (the Windows builds) keeps the
  // command, which refuses, and says so in the help.
  simulator.console().addCommand(
      "sim_screenshot", "sim_screenshot FILE.png",
      screenshotsAvailable() ? "renders one frame into FILE.png over a stand-in game picture"
                             : "not available in this build (screenshots need Cairo and FreeType)",
      [this](Console &console, const Words &words) {
        return simScreenshot(console, words, resolution_, font_);
      });
}

} // namespace corvane::screenshot

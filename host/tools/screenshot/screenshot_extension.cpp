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

Resolution &resolutionInUse() {
  static Resolution resolution = kDefaultResolution;
  return resolution;
}

// The font file --font named; empty for the system's usual font.
std::string &fontInUse() {
  static std::string font;
  return font;
}

std::optional<std::string> applyFont(const std::string &value) {
  if (value.empty()) {
    return "needs a file name";
  }
  fontInUse() = value;
  return std::nullopt;
}

std::optional<std::string> applyResolution(const std::string &value) {
  const std::optional<Resolution> resolution = parseResolution(value);
  if (!resolution) {
    return "needs WxH, each side 1.." + std::to_string(kMaxResolutionSide) +
           " (e.g. 1920x1080), not \"" + value + "\"";
  }
  resolutionInUse() = *resolution;
  return std::nullopt;
}

// A relative path is taken from the output folder (the working folder unless
// --output names one), not from the running script's, so pictures land
// where the person is.
CommandResult simScreenshot(Console &console, const Words &words) {
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
                       console.outputFile(words[1]), resolutionInUse(), fontInUse());
    console.out() << line << '\n';
  } catch (const ScreenshotError &error) {
    return CommandResult::error(error.what());
  }
  return CommandResult::ok();
}

} // namespace

Resolution screenshotResolution() { return resolutionInUse(); }

void setScreenshotResolution(Resolution resolution) { resolutionInUse() = resolution; }

sim::Extension simulatorExtension() {
  return sim::Extension{
      [](sim::OptionTable &table) {
        table.add({"--resolution", "", "WxH",
                   "the screen size sim_screenshot renders (default 1920x1080)", applyResolution});
        table.add({"--font", "", "FILE",
                   "the TrueType font sim_screenshot draws text with (default: the system's)",
                   applyFont});
      },
      [](sim::Simulator &simulator) {
        // A build without libpng or FreeType (the Windows cross build) keeps the
        // command, which refuses, and says so in the help.
        simulator.console().addCommand(
            "sim_screenshot", "sim_screenshot FILE.png",
            screenshotsAvailable()
                ? "renders one frame into FILE.png over a stand-in game picture"
                : "not available in this build (screenshots need libpng and FreeType)",
            simScreenshot);
      }};
}

} // namespace corvane::screenshot

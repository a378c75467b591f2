// The screenshot extension: parses the resolution and font options and runs
// sim_screenshot through the host's frame rendering.
#include "screenshot_extension.h"

#include <array>
#include <cstdio>
#include <optional>
#include <ostream>
#include <string>

#include "host/session/console/command_args.h"
#include "host/session/console/console.h"
#include "host/session/platform/utf8_path.h"
#include "host/session/platform/whole_file.h"
#include "host/session/simulator.h"
#include "host/tools/common/file_name.h"
#include "host/tools/common/option_table.h"
#include "host/tools/common/utf8.h"

namespace corvane::screenshot {

namespace {

using console::CommandResult;
using console::Console;
using console::Words;

Failure parseFont(const std::string &value, std::string &font) {
  if (value.empty()) {
    return Error{ErrorKind::BadInput, "needs a file name"};
  }
  font = value;
  return std::nullopt;
}

Failure parseResolutionOption(const std::string &value, Resolution &resolution) {
  const std::optional<Resolution> parsed = parseResolution(value);
  if (!parsed) {
    return Error{ErrorKind::BadInput, "needs WxH, each side 1.." +
                                          std::to_string(kMaxResolutionSide) +
                                          " (e.g. 1920x1080), not \"" + value + "\""};
  }
  resolution = *parsed;
  return std::nullopt;
}

// "ק (U+05E7)": a character as drawn and by number, for a person who has
// no font for it either.
std::string describeCharacters(std::u32string_view characters) {
  std::string text;
  for (const char32_t code : characters) {
    std::array<char, 16> number{};
    std::snprintf(number.data(), number.size(), "U+%04X", static_cast<unsigned>(code));
    text += (text.empty() ? "" : ", ") + text::encodeUtf8({&code, 1}) + " (" + number.data() + ")";
  }
  return text;
}

} // namespace

// A relative path is taken from the output folder (the working folder unless
// --output names one), not from the running script's, so pictures land
// where the person is.
CommandResult ScreenshotExtension::screenshot(Console &console, const Words &words) {
  if (!console::argumentCount(words, 1, 1) || words[1].empty()) {
    return console::usageError(console, words);
  }
  if (!sim::hasSuffix(words[1], {".png"})) {
    return CommandResult::error("sim_screenshot writes PNG files (FILE.png), not " +
                                console::quoteWordIfNeeded(words[1]));
  }
  const std::string file = console.outputFile(words[1]);
  // Checked before the frame is rendered: a refused command changes nothing.
  if (auto problem = withContext("cannot write " + file + ": ",
                                 platform::refuseToWrite(platform::pathFromUtf8(file)))) {
    return CommandResult::error(std::move(*problem));
  }
  MissingGlyphs missing;
  try {
    const std::string line =
        takeScreenshot([&console](host::Canvas &canvas) { console.host().renderFrame(canvas); },
                       file, resolution_, font_, &missing);
    console.out() << line << '\n';
  } catch (const ScreenshotError &error) {
    return CommandResult::error(error.what());
  }
  reportMissing(console, missing);
  return CommandResult::ok();
}

// Each character once per run, so that a bar drawn again and again says it
// once.
void ScreenshotExtension::reportMissing(Console &console, const MissingGlyphs &missing) {
  std::u32string fresh;
  for (const char32_t code : missing.characters) {
    if (reported_.find(code) == std::u32string::npos) {
      fresh += code;
    }
  }
  if (fresh.empty()) {
    return;
  }
  reported_ += fresh;
  console.err() << "sim_screenshot: the font " << missing.font << " has no glyph for "
                << describeCharacters(fresh) << "; "
                << (missing.drawnWith.empty()
                        ? std::string("no font of this system has them all: drawn as empty boxes")
                        : "drawn with " + missing.drawnWith)
                << '\n';
}

void ScreenshotExtension::addOptions(sim::OptionTable &table) {
  table.add(
      {"--resolution", "", "WxH", "the screen size sim_screenshot renders (default 1920x1080)",
       [this](const std::string &value) { return parseResolutionOption(value, resolution_); }});
  table.add({"--font", "", "FILE",
             "the TrueType font sim_screenshot draws text with (default: the system's)",
             [this](const std::string &value) { return parseFont(value, font_); }});
}

Failure ScreenshotExtension::refuseToStart(sim::Simulator & /*simulator*/) {
  const auto problem = font_.empty() ? std::nullopt : refuseFont(font_);
  return problem ? Failure(Error{ErrorKind::Unreadable, *problem}) : std::nullopt;
}

void ScreenshotExtension::attach(sim::Simulator &simulator) {
  // A build without Cairo or FreeType (the Windows builds) keeps the
  // command, which refuses, and says so in the help.
  simulator.console().addCommand(
      "sim_screenshot", "sim_screenshot FILE.png",
      screenshotsAvailable() ? "renders one frame into FILE.png over a stand-in game picture"
                             : "not available in this build (screenshots need Cairo and FreeType)",
      [this](Console &console, const Words &words) { return screenshot(console, words); });
}

} // namespace corvane::screenshot

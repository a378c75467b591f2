// The screenshot's options and sim_screenshot, and the refusals of a build
// without screenshots (screenshot_cairo.cpp draws them).
#include "screenshot.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdio>
#include <ostream>

#include "host/base/utf8_path.h"
#include "host/base/whole_file.h"
#include "host/session/console/command_args.h"
#include "host/tools/options/option_table.h"
#include "host/tools/program/file_name.h"

namespace corvane::screenshot {

using console::CommandResult;
using console::Console;
using console::Words;

// The sides as plain decimal numbers: no sign and no spaces.
std::optional<Resolution> parseResolution(std::string_view text) {
  const std::size_t cross = text.find_first_of("xX");
  if (cross == std::string_view::npos) {
    return std::nullopt;
  }
  const auto width = console::parseCount(text.substr(0, cross));
  const auto height = console::parseCount(text.substr(cross + 1));
  if (!width || !height || std::min(*width, *height) < 1 ||
      std::max(*width, *height) > std::uint32_t{kMaxResolutionSide}) {
    return std::nullopt;
  }
  return Resolution{static_cast<int>(*width), static_cast<int>(*height)};
}

bool screenshotsAvailable() { return VEXLO_SCREENSHOTS != 0; }

#if !VEXLO_SCREENSHOTS

Failure checkFont(const std::string &) { return std::nullopt; }

Expected<std::string> takeScreenshot(const std::function<void(host::Canvas &)> &,
                                     const std::string &, Resolution, const std::string &,
                                     MissingGlyphs *) {
  return Error{ErrorKind::Unreadable, "screenshots are not available in this build"};
}

#endif

// A relative path is taken from the output folder, so pictures land where
// the person is, not beside the running script.
CommandResult ScreenshotExtension::screenshot(Console &console, const Words &words) {
  if (words[1].empty()) {
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
  const auto drawFrame = [&console](host::Canvas &canvas) { console.host().renderFrame(canvas); };
  const auto shot = takeScreenshot(drawFrame, file, resolution_, font_, &missing);
  if (!shot) {
    return CommandResult::error(shot.error().message);
  }
  console.out() << *shot << '\n';
  reportMissing(console, missing);
  return CommandResult::ok();
}

// Each character once a run, so that a bar drawn again and again says it
// once: "ק (U+05E7)", as drawn and by number, with the font that drew it or
// that no font has it.
void ScreenshotExtension::reportMissing(Console &console, const MissingGlyphs &missing) {
  const auto drawnBy = [](const std::string &font) {
    return font.empty() ? std::string("; drawn as empty boxes (no font of this system has them)")
                        : "; drawn with " + font;
  };
  std::string said;
  std::string drawnWith = "\n"; // no font's name
  for (const MissingGlyph &glyph : missing.characters) {
    if (reported_.find(glyph.code) != std::u32string::npos) {
      continue;
    }
    reported_ += glyph.code;
    if (!said.empty()) {
      said += glyph.drawnWith != drawnWith ? drawnBy(drawnWith) + "; " : ", ";
    }
    drawnWith = glyph.drawnWith;
    std::array<char, 16> number{};
    std::snprintf(number.data(), number.size(), " (U+%04X)", static_cast<unsigned>(glyph.code));
    said += glyph.character + number.data();
  }
  if (!said.empty()) {
    console.err() << "sim_screenshot: the font " << missing.font << " has no glyph for " << said
                  << drawnBy(drawnWith) << '\n';
  }
}

void ScreenshotExtension::addOptions(sim::OptionTable &table) {
  table.add({"--resolution", "", "WxH",
             "the screen size sim_screenshot renders (default 1920x1080)",
             [this](const std::string &value) -> Failure {
               const std::optional<Resolution> parsed = parseResolution(value);
               if (!parsed) {
                 return Error{ErrorKind::BadInput, "needs WxH, each side 1.." +
                                                       std::to_string(kMaxResolutionSide) +
                                                       " (e.g. 1920x1080), not \"" + value + "\""};
               }
               resolution_ = *parsed;
               return std::nullopt;
             }});
  table.add({"--font", "", "FILE",
             "the font file sim_screenshot draws text with (default: DejaVu Sans); characters it "
             "lacks come from the system's fonts",
             sim::nameInto(font_, "needs a file name")});
}

Failure ScreenshotExtension::refuseToStart(sim::Simulator & /*simulator*/) {
  return font_.empty() ? std::nullopt : checkFont(font_);
}

// A build without screenshots keeps the command, which refuses, and says so
// in the help.
void ScreenshotExtension::attach(sim::Simulator &simulator) {
  simulator.console().addCommand(
      "sim_screenshot", "sim_screenshot FILE.png",
      screenshotsAvailable() ? "renders one frame into FILE.png over a stand-in game picture"
                             : "not available in this build (screenshots need Cairo and Pango)",
      [this](Console &console, const Words &words) { return screenshot(console, words); },
      console::Arity{1, 1});
}

} // namespace corvane::screenshot

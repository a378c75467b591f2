// The simulator's screenshots: `--resolution WxH` sets the size of every
// screenshot of the run, `--font FILE` the font of their text, and
// `sim_screenshot FILE` renders one frame into FILE as a PNG and prints
// "screenshot: FILE (WxH)".
#pragma once

#include <string>

#include "host/session/console/console.h"
#include "host/tools/common/extension.h"
#include "screenshot.h"

namespace corvane::screenshot {

class ScreenshotExtension final : public sim::Extension {
public:
  void addOptions(sim::OptionTable &table) override;
  void attach(sim::Simulator &simulator) override;
  Failure refuseToStart(sim::Simulator &simulator) override;

  Resolution resolution() const { return resolution_; }
  void setResolution(Resolution resolution) { resolution_ = resolution; }

private:
  console::CommandResult screenshot(console::Console &console, const console::Words &words);
  void reportMissing(console::Console &console, const MissingGlyphs &missing);

  Resolution resolution_ = kDefaultResolution;
  std::string font_;        // empty: the system's usual font
  std::u32string reported_; // characters without a glyph, said once
};

} // namespace corvane::screenshot

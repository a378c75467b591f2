// The simulator's screenshot feature: the --resolution option and the
// sim_screenshot console command.
#pragma once

#include "host/tools/common/extension.h"
#include "screenshot.h"

namespace corvane::screenshot {

// The extension entry corvane-sim lists: `--resolution WxH` sets the size of
// every screenshot the program takes, `--font FILE` the font its text is
// drawn with, and `sim_screenshot FILE` renders one
// frame into FILE as a PNG and prints "screenshot: FILE (WxH)".
sim::Extension simulatorExtension();

// The size sim_screenshot renders at; kDefaultResolution until the option or
// a test sets it. One value for the whole program, like the screen it stands
// for.
Resolution screenshotResolution();
void setScreenshotResolution(Resolution resolution);

} // namespace corvane::screenshot

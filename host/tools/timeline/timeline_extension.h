// The simulator's timeline feature: `sim_timeline FILE` draws the run so far,
// `--timeline FILE` draws the whole run when it ends.
#pragma once

#include "host/tools/common/extension.h"

namespace corvane::timeline {

// The extension entry corvane-sim lists. Each session it is attached to
// records what its host observes: game state, searches, the plugin's timers,
// the bar (seen through a frame rendered after every console command on a
// canvas that only notes what was drawn, traced nowhere), and events.
sim::Extension simulatorExtension();

} // namespace corvane::timeline

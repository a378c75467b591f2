// Timeline drawing in a build without Cairo: it says so.
#include "timeline_render.h"

namespace corvane::timeline {

bool timelinesAvailable() { return false; }

std::optional<std::string> renderTimeline(const Timeline &, const std::string &,
                                          const RenderOptions &) {
  return "timelines are not available in this build";
}

} // namespace corvane::timeline

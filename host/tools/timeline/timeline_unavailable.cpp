// Timeline drawing in a build without Cairo: it says so.
#include "timeline_render.h"

namespace corvane::timeline {

bool timelinesAvailable() { return false; }

Failure renderTimeline(const Timeline &, const std::string &) {
  return Error{ErrorKind::BadInput, "timelines are not available in this build"};
}

} // namespace corvane::timeline

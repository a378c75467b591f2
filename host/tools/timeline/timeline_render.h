// Drawing a timeline record into a picture file.
#pragma once

#include <string>

#include "host/base/error.h"

#include "timeline.h"
#include "timeline_layout.h"

namespace corvane::timeline {

// Whether this build can draw timelines (Cairo was found).
bool timelinesAvailable();

// Draws `timeline`, kDefaultPictureWidth wide, into `path`: an SVG when the
// name ends in ".svg", a PNG otherwise. Returns nothing on success and a
// message for a person on failure, naming the file and the reason; a failed
// write leaves no file.
Failure renderTimeline(const Timeline &timeline, const std::string &path);

} // namespace corvane::timeline

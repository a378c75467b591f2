// ScreenshotError: why a screenshot could not be made, in words for a person.
#pragma once

#include <stdexcept>

namespace corvane::screenshot {

// Thrown by the renderer and the PNG writer; the message is complete and is
// shown as it is, after the console's FILE:LINE.
class ScreenshotError : public std::runtime_error {
public:
  using std::runtime_error::runtime_error;
};

} // namespace corvane::screenshot

// The list of simulator extensions. A new feature adds one entry here.
#include "extensions.h"

#include "host/tools/screenshot/screenshot.h"
#include "host/tools/timeline/timeline_extension.h"

namespace corvane::sim {

Extensions makeExtensions() {
  Extensions list;
  list.push_back(std::make_unique<screenshot::ScreenshotExtension>());
  list.push_back(std::make_unique<timeline::TimelineExtension>());
  return list;
}

std::vector<SessionExtension> sessionExtensions(const Extensions &extensions) {
  std::vector<SessionExtension> attached;
  for (const auto &extension : extensions) {
    attached.push_back(extension->forSessions());
  }
  return attached;
}

} // namespace corvane::sim

// The list of simulator extensions. A new feature adds one entry here.
#include "extensions.h"

#include "host/tools/screenshot/screenshot_extension.h"
#include "host/tools/timeline/timeline_extension.h"

namespace corvane::sim {

const std::vector<Extension> &extensions() {
  static const std::vector<Extension> list = {screenshot::simulatorExtension(),
                                              timeline::simulatorExtension()};
  return list;
}

std::vector<SessionExtension> sessionExtensions() {
  std::vector<SessionExtension> attached;
  for (const Extension &extension : extensions()) {
    if (extension.attach) {
      attached.push_back(extension.attach);
    }
  }
  return attached;
}

} // namespace corvane::sim

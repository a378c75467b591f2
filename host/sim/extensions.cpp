// The list of simulator extensions. A new feature adds one entry here.
#include "extensions.h"

#include "host/screenshot/screenshot_extension.h"

namespace corvane::sim {

const std::vector<Extension> &extensions() {
  static const std::vector<Extension> list = {screenshot::simulatorExtension()};
  return list;
}

} // namespace corvane::sim

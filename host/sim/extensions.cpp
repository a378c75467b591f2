// The list of simulator extensions. A new feature adds one entry here.
#include "extensions.h"

namespace corvane::sim {

const std::vector<Extension> &extensions() {
  static const std::vector<Extension> list = {};
  return list;
}

} // namespace corvane::sim

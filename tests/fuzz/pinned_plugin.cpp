// The fuzzers' extra reference to the plugin library.
#include "pinned_plugin.h"

#include <dlfcn.h>

namespace fuzzing {

bool pinPlugin(const char *path) {
  return dlopen(path, RTLD_NOW | RTLD_LOCAL | RTLD_NODELETE) != nullptr;
}

} // namespace fuzzing

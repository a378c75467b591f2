// The fuzzers' start, shared by both: the plugin library stays mapped for
// the whole fuzzing run.
#include <dlfcn.h>

// libFuzzer clears the coverage counters of every instrumented library
// before each input, so a library it has seen may never be unmapped: one
// extra, never-closed reference keeps the plugin mapped while the host still
// loads and unloads it for every input.
extern "C" int LLVMFuzzerInitialize(int * /*argc*/, char *** /*argv*/) {
  if (dlopen(VEXLO_PLUGIN_PATH, RTLD_NOW | RTLD_LOCAL | RTLD_NODELETE) == nullptr) {
    __builtin_trap();
  }
  return 0;
}

// libFuzzer target: the fuzzer's bytes choose a sequence of host actions
// (settings, notifier, keys, game functions, waits, frames), played against
// the loaded plugin and the model in lockstep; any difference aborts.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "action_generator.h"
#include "action_source.h"
#include "lockstep.h"

namespace {
// Enough for long sequences without letting one input run for seconds.
constexpr std::size_t kMaxActions = 400;
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
  modelcheck::ByteSource source(data, size);
  modelcheck::Lockstep lockstep(VEXLO_PLUGIN_PATH);
  if (!lockstep.loaded()) {
    __builtin_trap();
  }
  std::vector<std::string> lines;
  while (!source.exhausted() && lines.size() < kMaxActions) {
    lines.push_back(modelcheck::nextAction(source));
    if (const auto difference = lockstep.step(lines.back())) {
      std::fprintf(stderr, "the plugin and the model parted at action %zu:\n", lines.size());
      for (const std::string &line : lines) {
        std::fprintf(stderr, "  %s\n", line.c_str());
      }
      std::fprintf(stderr, "%s", difference->c_str());
      std::abort();
    }
  }
  return 0;
}

// libFuzzer target: arbitrary text as console script lines, through the
// simulator's line tokenizer, command table and script runner, with the
// plugin loaded so that its settings and command take part.
#include <cstddef>
#include <cstdint>
#include <sstream>
#include <string>
#include <string_view>

#include "host/session/simulator.h"

namespace {

constexpr std::size_t kLongestNumber = 3;

// Lines the fuzzer must not run: ones that read or write files (a script
// named by chance could be any file on the machine) and ones that render
// unbounded numbers of frames. Quotes are ignored, as the console would
// join a quoted word to its neighbours.
bool runnable(std::string_view line) {
  std::string bare;
  for (const char c : line) {
    if (c != '"') {
      bare += static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
    }
  }
  if (bare.find("exec") != std::string::npos || bare.find("screenshot") != std::string::npos) {
    return false;
  }
  std::size_t digits = 0;
  for (const char c : bare) {
    digits = c >= '0' && c <= '9' ? digits + 1 : 0;
    if (digits > kLongestNumber) {
      return false;
    }
  }
  return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
  const std::string_view input(reinterpret_cast<const char *>(data), size);
  std::string script;
  std::size_t start = 0;
  while (start <= input.size()) {
    std::size_t end = input.find('\n', start);
    if (end == std::string_view::npos) {
      end = input.size();
    }
    const std::string_view line = input.substr(start, end - start);
    if (runnable(line)) {
      script.append(line).append("\n");
    }
    start = end + 1;
  }
  std::ostringstream out;
  std::ostringstream trace;
  corvane::sim::Simulator simulator(corvane::sim::SimulatorOptions{&out, &out, &trace, true});
  if (!simulator.load(VEXLO_PLUGIN_PATH)) {
    __builtin_trap();
  }
  // Each line on its own, as a script would go on after a refused one in a
  // person's console.
  std::size_t at = 0;
  int lineNumber = 0;
  while (at < script.size()) {
    const std::size_t end = script.find('\n', at);
    simulator.run(std::string_view(script).substr(at, end - at), "<fuzz>", ++lineNumber);
    at = end + 1;
  }
  // And the whole text as one script, stopping at its first error.
  simulator.run(script, "<fuzz>", 1);
  simulator.unload();
  return 0;
}

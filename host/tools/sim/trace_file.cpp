// The --trace file's guard against overwriting an input of the run.
#include "trace_file.h"

#include <system_error>

#include "host/base/utf8_path.h"

namespace corvane::sim {

Failure refuseTraceFile(const std::filesystem::path &target,
                        const std::vector<std::string> &inputs) {
  for (const std::string &name : inputs) {
    const std::filesystem::path input = platform::pathFromUtf8(name);
    std::error_code error;
    // Fails (false) when either does not exist: then nothing is at stake.
    if (std::filesystem::equivalent(target, input, error)) {
      return Error{ErrorKind::BadInput, "the trace file " + platform::utf8FromPath(target) +
                                            " is " + platform::utf8FromPath(input) +
                                            ", an input of this run; it would be overwritten"};
    }
  }
  return std::nullopt;
}

} // namespace corvane::sim

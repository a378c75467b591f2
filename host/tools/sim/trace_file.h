// The --trace file's guard: the trace may not overwrite an input of the run.
// The file itself is a platform::WholeFile, replaced only when the run has
// played its scripts.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace corvane::sim {

// Why `target` may not take the trace: it is one of `inputs` (the plugin,
// a script), however named. Checked before anything is opened for writing.
std::optional<std::string> refuseTraceFile(const std::filesystem::path &target,
                                           const std::vector<std::filesystem::path> &inputs);

} // namespace corvane::sim

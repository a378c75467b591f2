// The --trace file's guard: the trace may not overwrite an input of the run.
// The file itself is a platform::WholeFile, replaced only when the run has
// played its scripts.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "host/base/error.h"

namespace corvane::sim {

// Refuses `target` as bad input when it is one of `inputs` (the plugin, a
// script, named in UTF-8), however named. Checked before anything is opened
// for writing.
Failure refuseTraceFile(const std::filesystem::path &target,
                        const std::vector<std::string> &inputs);

} // namespace corvane::sim

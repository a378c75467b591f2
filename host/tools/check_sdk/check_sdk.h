// The `check-sdk` verb of corvane-sim: before a plugin DLL is copied into
// the host, whether the host's own SDK library exports every function the
// plugin imports from it.
#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace corvane::sdkcheck {

// The verb's entry: `words` are the command-line words after `check-sdk`,
// the plugin DLL and the host's pluginsdk.dll or its import library.
// Returns the program's exit status: 0 when every import is exported (one
// line says so), 1 when some is missing (each is listed), 2 for a usage
// error or a file that cannot be read as what it should be.
int checkSdkMain(const std::vector<std::string> &words, std::ostream &out, std::ostream &err);

} // namespace corvane::sdkcheck

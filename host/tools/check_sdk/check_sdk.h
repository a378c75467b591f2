// The SDK check: before a plugin DLL is copied into the host, whether the
// host's own SDK library exports every function the plugin imports from it.
// corvane-sim runs it as its `check-sdk` verb, vexlo-check as its whole job.
#pragma once

#include <cstdint>
#include <ostream>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "host/base/outcome.h"

namespace corvane::sdkcheck {

// How the program running the check names itself in its errors, and the
// usage it prints for --help and after a usage error.
struct Program {
  std::string_view name;
  std::string_view usage;
};

extern const Program kCheckSdkVerb;

// What the check found: its outcome (success every import is exported, a
// failed plugin some is missing, bad input a file is not what it should be),
// the report for standard output (the first two) and the one error line
// (bad input, without the program's name).
struct Finding {
  Outcome outcome = Outcome::Success;
  std::string report;
  std::string error;
};

// Checks the plugin's bytes against the host SDK's (its pluginsdk.dll or its
// import library); the names are the files' as the person gave them.
Finding checkSdk(const std::string &pluginName, std::span<const std::uint8_t> plugin,
                 const std::string &hostName, std::span<const std::uint8_t> host);

// The program's entry: `words` are its command-line words, the plugin DLL
// and the host's pluginsdk.dll or its import library. Returns the exit
// status of the finding's outcome, or of bad input for a usage error or a
// file that cannot be read.
int checkSdkMain(const std::vector<std::string> &words, std::ostream &out, std::ostream &err,
                 const Program &program = kCheckSdkVerb);

} // namespace corvane::sdkcheck

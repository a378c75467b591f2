// corvane-sim --version: the program's version, and a plugin's as its
// descriptor gives it.
#pragma once

#include <iosfwd>
#include <string>

namespace corvane::sim {

// Prints "corvane-sim VERSION" and, when `plugin` is not empty, the plugin's
// name and version from its descriptor, read without loading the plugin into
// a host (no plugin code runs). Returns the exit status: 0, or 2 with the
// reason on `err` when `plugin` is no plugin this host would load.
int printVersion(const std::string &plugin, std::ostream &out, std::ostream &err);

} // namespace corvane::sim

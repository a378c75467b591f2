// The features corvane-sim adds to its sessions, in one list.
#pragma once

#include <vector>

#include "host/tools/common/extension.h"

namespace corvane::sim {

// Every extension, in the order they were listed in extensions.cpp.
const std::vector<Extension> &extensions();

// What each extension adds to a session, for a Simulator's options.
std::vector<SessionExtension> sessionExtensions();

} // namespace corvane::sim

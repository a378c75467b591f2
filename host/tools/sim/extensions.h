// The features corvane-sim adds to its sessions, in one list.
#pragma once

#include <memory>
#include <vector>

#include "host/tools/program/extension.h"

namespace corvane::sim {

using Extensions = std::vector<std::unique_ptr<Extension>>;

// A fresh set of every extension for one run, in the order extensions.cpp
// lists them.
Extensions makeExtensions();

// What each extension adds to a session, for a Simulator's options.
std::vector<SessionExtension> sessionExtensions(const Extensions &extensions);

} // namespace corvane::sim

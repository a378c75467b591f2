// What the host requires of a plugin's descriptor, written once: the loader
// refuses a plugin on the first requirement it misses, and validate reports
// each requirement as a check of its own.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include <corvane/entry.h>
#include <corvane/plugin.h>

#include "host/base/error.h"
#include "shared_library.h"

namespace corvane::loader {

// The descriptor `library` exports under its symbol name, or null.
const PluginDescriptor *findDescriptor(const SharedLibrary &library);

// The host speaks the descriptor's API version, and its upper half is 0.
bool apiVersionAccepted(const PluginDescriptor &descriptor);
// The names of the fields left null ("fileName", ..., "deleteMe"), in
// record order.
std::vector<std::string_view> missingDescriptorFields(const PluginDescriptor &descriptor);

// Why the loader refuses the descriptor (API version, texts, entry points):
// bad input; or nothing.
Failure checkDescriptor(const PluginDescriptor &descriptor);

} // namespace corvane::loader

// The descriptor record the host reads to find and check the plugin.
#include "entry_points.h"
#include "main_source_path.h"

namespace {
constexpr std::uint32_t kPluginTypeFlags = 0x20;
} // namespace

extern "C" const PluginDescriptor exports = {
    kCorvaneApiVersion, 0, kMainSourcePath, "vexlo",   "Vexlo", "1.3a",
    kPluginTypeFlags,   0, &getPlugin,      &deleteMe,
};

// Export and import markers for the two kinds of library that meet at the
// plugin boundary: the host's SDK library (`pluginsdk`) and a plugin library.
#pragma once

// CORVANE_SDK_API marks what the SDK library exports. The SDK's own build
// defines CORVANE_BUILDING_SDK; everyone else imports.
#if defined(_WIN32)
#if defined(CORVANE_BUILDING_SDK)
#define CORVANE_SDK_API __declspec(dllexport)
#else
#define CORVANE_SDK_API __declspec(dllimport)
#endif
#else
#define CORVANE_SDK_API __attribute__((visibility("default")))
#endif

// CORVANE_PLUGIN_API marks what a plugin library exports: its descriptor, its
// factory and teardown, and the plugin base class. A plugin's build defines
// CORVANE_BUILDING_PLUGIN; a host that includes the same header imports nothing
// through it, since it reaches the plugin only through the descriptor.
#if defined(_WIN32)
#if defined(CORVANE_BUILDING_PLUGIN)
#define CORVANE_PLUGIN_API __declspec(dllexport)
#else
#define CORVANE_PLUGIN_API
#endif
#else
#define CORVANE_PLUGIN_API __attribute__((visibility("default")))
#endif

namespace corvane::host {
// The host's own per-plugin state. Wrappers carry a pointer to it; a plugin
// never looks inside.
class PluginContext;
// The host's drawing target for one frame.
class Canvas;
} // namespace corvane::host

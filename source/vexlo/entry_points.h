// The symbols a host finds the plugin library by.
#pragma once

#include <memory>

#include <corvane/entry.h>
#include <corvane/plugin.h>

extern "C" {
// The descriptor record the host reads first.
CORVANE_PLUGIN_API extern const PluginDescriptor exports;
// Returns the address of the library's one owner of the plugin object,
// creating the object on the first call.
CORVANE_PLUGIN_API std::shared_ptr<Corvane::Plugin::CorvanePlugin> *getPlugin();
// Drops the library's share of the plugin object; the object goes when the
// host's shares go too.
CORVANE_PLUGIN_API void deleteMe();
}

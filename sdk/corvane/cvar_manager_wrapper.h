// CVarManagerWrapper: the host's console, its settings and commands.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "cvar_wrapper.h"
#include "sdk_export.h"

// The host's console as seen by one plugin. The host hands each plugin one,
// shared, in CorvanePlugin::cvarManagerHandle before onLoad.
//
// All operations: [game-thread & loaded]. Everything a plugin registers
// through it is dropped by the host when that plugin is unloaded; setting
// values stay, as console state.
class CORVANE_SDK_API CVarManagerWrapper {
public:
  // Made by the host only.
  explicit CVarManagerWrapper(corvane::host::PluginContext *context);
  CVarManagerWrapper(const CVarManagerWrapper &other);
  CVarManagerWrapper &operator=(const CVarManagerWrapper &other);
  ~CVarManagerWrapper();

  // Creates the setting `name` holding `defaultValue`, with a description,
  // optional bounds, and two flags whose meaning is the host's. Returns a
  // handle to it; registering a name that exists returns the existing
  // setting unchanged.
  CVarWrapper registerCvar(std::string name, std::string defaultValue, std::string description,
                           bool searchable, bool hasMin, float min, bool hasMax, float max,
                           bool saveToConfig);

  // Creates the console command `name`. Each run calls `callback` with the
  // words of the command line, the command's own name first.
  void registerNotifier(std::string name, std::function<void(std::vector<std::string>)> callback,
                        std::string description, unsigned char permissions);

  // The setting called `name`; a handle that reads as empty when there is
  // none.
  CVarWrapper getCvar(std::string name);

  // Runs `command` as a console line, at once. `log` is the host's matter.
  void executeCommand(std::string command, bool log);

private:
  corvane::host::PluginContext *context_;
};

// SettingsStore: the console's settings, their values, bound values and
// change callbacks.
#pragma once

#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include <corvane/cvar_wrapper.h>

#include "host/base/error.h"
#include "host_export.h"
#include "value_conversion.h"

namespace corvane::host {

class PluginContext;

// What a plugin hands the host on a setting: a value of its own the host
// keeps equal to the setting, and a function the host calls on its change.
using BoundTarget = std::variant<std::shared_ptr<bool>, std::shared_ptr<int>,
                                 std::shared_ptr<float>, std::shared_ptr<std::string>>;
using ChangeFunction = std::function<void(std::string, CVarWrapper)>;

// What registerCvar describes.
struct SettingDefinition {
  std::string name;
  std::string defaultValue;
  std::string description;
  bool searchable = false;
  SettingBounds bounds;
  bool saveToConfig = false;
};

// A plugin value the host keeps equal to a setting, and who handed it over.
struct BoundValue {
  PluginContext *owner;
  BoundTarget target;
};

struct ChangeCallback {
  PluginContext *owner;
  // Shared so that a callback list can be walked from a copy while callbacks
  // add more callbacks.
  std::shared_ptr<ChangeFunction> function;
};

struct Setting {
  SettingDefinition definition;
  std::string value;
  std::vector<BoundValue> boundValues;
  std::vector<ChangeCallback> callbacks;
};

// Settings are addressed by index: a CVarWrapper holds one. Indices never
// change and settings are never removed (their values are console state).
class CORVANE_HOST_API SettingsStore {
public:
  static constexpr int kNoSetting = -1;

  // Adds a setting holding its default text, unchecked; an existing name
  // gives the existing setting, unchanged.
  int add(SettingDefinition definition);
  int find(std::string_view name) const;
  const Setting *at(int index) const;

  // The operations below take the index of a setting there is.
  // Stores `text` (checked and clamped by the setting's bounds), writes the
  // bound values, then runs every change callback with the old text. A
  // refused text is bad input, and then nothing changes. `stored` is told of
  // the new value before any callback runs.
  Failure set(int index, std::string text, const std::function<void(const Setting &)> &stored);

  // Writes the current value into `target` now and after every set.
  void bind(int index, PluginContext *owner, BoundTarget target);
  void addCallback(int index, PluginContext *owner, ChangeFunction function);

  // Drops the bound values and callbacks `owner` handed over.
  void dropOwner(const PluginContext *owner);

  // Every setting, sorted by name.
  std::vector<const Setting *> sortedByName() const;

private:
  // A deque keeps references to settings valid while a callback registers
  // another setting.
  std::deque<Setting> settings_;
  // By name, in name order.
  std::map<std::string, int, std::less<>> byName_;
};

} // namespace corvane::host

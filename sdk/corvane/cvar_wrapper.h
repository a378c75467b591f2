// CVarWrapper: a handle to one console setting.
#pragma once

#include <functional>
#include <memory>
#include <string>

#include "sdk_export.h"

// A console setting, passed, copied and destroyed by value. A handle to a
// setting that does not exist reads as 0, false or the empty text, and its
// other operations do nothing.
//
// All operations: [game-thread & loaded]. The handle does not keep its
// setting alive; the host drops a plugin's settings' callbacks and bound
// values when it unloads that plugin.
class CORVANE_SDK_API CVarWrapper {
public:
  // Made by the host only (registerCvar, getCvar, change callbacks).
  CVarWrapper(corvane::host::PluginContext *context, int settingIndex);
  CVarWrapper(const CVarWrapper &other);
  CVarWrapper &operator=(const CVarWrapper &other);
  ~CVarWrapper();

  // The current value read as a bool: its leading number is not 0.
  bool getBoolValue() const;
  // The current value read as a float: its leading number, 0 when there is
  // none, clamped into the setting's bounds where it has them.
  float getFloatValue() const;
  // The current value as stored, as text.
  std::string getStringValue() const;

  // From now on the host keeps `value` equal to the setting's value converted
  // to its type, starting with the current value. The host holds a share of
  // `value` until the setting's owner is unloaded.
  void bindTo(std::shared_ptr<bool> value);
  void bindTo(std::shared_ptr<int> value);
  void bindTo(std::shared_ptr<float> value);
  void bindTo(std::shared_ptr<std::string> value);

  // Runs `callback` after every change of the setting, also when the new
  // value equals the old, with the text as it was before the change and a
  // handle to the setting. Bound values are written before callbacks run.
  void addOnValueChanged(std::function<void(std::string, CVarWrapper)> callback);

private:
  corvane::host::PluginContext *context_;
  int settingIndex_;
};

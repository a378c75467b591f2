// CVarManagerWrapper: registering settings and notifiers, running console lines.
#include <corvane/cvar_manager_wrapper.h>

#include "host/session/engine/notifiers.h"
#include "host/session/engine/plugin_context.h"
#include "host/session/engine/settings_store.h"

using corvane::host::Op;

CVarManagerWrapper::CVarManagerWrapper(corvane::host::PluginContext *context) : context_(context) {}
CVarManagerWrapper::CVarManagerWrapper(const CVarManagerWrapper &other) = default;
CVarManagerWrapper &CVarManagerWrapper::operator=(const CVarManagerWrapper &other) = default;
CVarManagerWrapper::~CVarManagerWrapper() = default;

CVarWrapper CVarManagerWrapper::registerCvar(std::string name, std::string defaultValue,
                                             std::string description, bool searchable, bool hasMin,
                                             float min, bool hasMax, float max, bool saveToConfig) {
  if (!context_->call(Op::registerCvar, name, defaultValue, description, searchable, hasMin, min,
                      hasMax, max, saveToConfig)) {
    return {context_, corvane::host::SettingsStore::kNoSetting};
  }
  corvane::host::SettingDefinition definition{
      std::move(name), std::move(defaultValue),    std::move(description),
      searchable,      {hasMin, min, hasMax, max}, saveToConfig};
  return {context_, context_->host().addSetting(std::move(definition))};
}

void CVarManagerWrapper::registerNotifier(std::string name,
                                          std::function<void(std::vector<std::string>)> callback,
                                          std::string description, unsigned char permissions) {
  if (context_->call(Op::registerNotifier, name, description, static_cast<int>(permissions))) {
    context_->host().addNotifier(
        std::move(name),
        corvane::host::Notifier{context_, std::move(description), std::move(callback)});
  }
}

CVarWrapper CVarManagerWrapper::getCvar(std::string name) {
  context_->call(Op::getCvar, name);
  return {context_, context_->host().settings().find(name)};
}

void CVarManagerWrapper::executeCommand(std::string command, bool log) {
  if (context_->call(Op::executeCommand, command, log)) {
    context_->host().runCommandLine(command);
  }
}

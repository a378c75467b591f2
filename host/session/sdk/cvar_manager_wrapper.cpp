// CVarManagerWrapper: registering settings and notifiers, running console lines.
#include <corvane/cvar_manager_wrapper.h>

#include "host/session/engine/host.h"
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
  auto &host = context_->host();
  host.record(Op::registerCvar, name, defaultValue, description, searchable, hasMin, min, hasMax,
              max, saveToConfig);
  if (!context_->active()) {
    return {context_, corvane::host::SettingsStore::kNoSetting};
  }
  corvane::host::SettingDefinition definition{
      std::move(name), std::move(defaultValue),    std::move(description),
      searchable,      {hasMin, min, hasMax, max}, saveToConfig};
  return {context_, host.addSetting(std::move(definition))};
}

void CVarManagerWrapper::registerNotifier(std::string name,
                                          std::function<void(std::vector<std::string>)> callback,
                                          std::string description, unsigned char permissions) {
  auto &host = context_->host();
  host.record(Op::registerNotifier, name, description, static_cast<int>(permissions));
  if (context_->active()) {
    host.addNotifier(std::move(name), corvane::host::Notifier{context_, std::move(description),
                                                              permissions, std::move(callback)});
  }
}

CVarWrapper CVarManagerWrapper::getCvar(std::string name) {
  auto &host = context_->host();
  host.record(Op::getCvar, name);
  return {context_, host.settings().find(name)};
}

void CVarManagerWrapper::executeCommand(std::string command, bool log) {
  auto &host = context_->host();
  host.record(Op::executeCommand, command, log);
  if (context_->active()) {
    host.runCommandLine(command);
  }
}

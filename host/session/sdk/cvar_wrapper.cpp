// CVarWrapper: reading a setting, binding values to it, watching its changes.
#include <corvane/cvar_wrapper.h>

#include "host/session/engine/plugin_context.h"
#include "host/session/engine/settings_store.h"

using corvane::host::BareWord;
using corvane::host::Op;
using corvane::host::Setting;

namespace {

const Setting *settingOf(corvane::host::PluginContext *context, int index) {
  return context->host().settings().at(index);
}

std::string_view nameOf(const Setting *setting) {
  return setting == nullptr ? std::string_view{} : std::string_view{setting->definition.name};
}

template <typename Value>
void bindValue(corvane::host::PluginContext *context, int index, std::shared_ptr<Value> value,
               std::string_view typeName) {
  const Setting *setting = settingOf(context, index);
  if (context->call(Op::bindTo, nameOf(setting), BareWord{std::string(typeName)}) &&
      setting != nullptr) {
    context->host().bindSetting(index, context, std::move(value));
  }
}

} // namespace

CVarWrapper::CVarWrapper(corvane::host::PluginContext *context, int settingIndex)
    : context_(context), settingIndex_(settingIndex) {}
CVarWrapper::CVarWrapper(const CVarWrapper &other) = default;
CVarWrapper &CVarWrapper::operator=(const CVarWrapper &other) = default;
CVarWrapper::~CVarWrapper() = default;

bool CVarWrapper::getBoolValue() const {
  context_->call(Op::getBoolValue);
  const Setting *setting = settingOf(context_, settingIndex_);
  return setting != nullptr && corvane::host::readBool(setting->value, setting->definition.bounds);
}

float CVarWrapper::getFloatValue() const {
  context_->call(Op::getFloatValue);
  const Setting *setting = settingOf(context_, settingIndex_);
  return setting == nullptr ? 0.0F
                            : corvane::host::readFloat(setting->value, setting->definition.bounds);
}

std::string CVarWrapper::getStringValue() const {
  context_->call(Op::getStringValue);
  const Setting *setting = settingOf(context_, settingIndex_);
  return setting == nullptr ? std::string{} : setting->value;
}

void CVarWrapper::bindTo(std::shared_ptr<bool> value) {
  bindValue(context_, settingIndex_, std::move(value), "bool");
}
void CVarWrapper::bindTo(std::shared_ptr<int> value) {
  bindValue(context_, settingIndex_, std::move(value), "int");
}
void CVarWrapper::bindTo(std::shared_ptr<float> value) {
  bindValue(context_, settingIndex_, std::move(value), "float");
}
void CVarWrapper::bindTo(std::shared_ptr<std::string> value) {
  bindValue(context_, settingIndex_, std::move(value), "string");
}

void CVarWrapper::addOnValueChanged(std::function<void(std::string, CVarWrapper)> callback) {
  const Setting *setting = settingOf(context_, settingIndex_);
  if (context_->call(Op::addOnValueChanged, nameOf(setting)) && setting != nullptr) {
    context_->host().watchSetting(settingIndex_, context_, std::move(callback));
  }
}

// The settings store: registration, checked sets, bound values and callbacks.
#include "settings_store.h"

#include <type_traits>
#include <utility>

#include "plugin_context.h"
#include "trace_format.h"

namespace corvane::host {

namespace {

// Writes the setting's value converted to the target's type.
void writeBound(const Setting &setting, const BoundTarget &target) {
  const SettingBounds &bounds = setting.definition.bounds;
  std::visit(
      [&](const auto &pointer) {
        using Value = typename std::decay_t<decltype(pointer)>::element_type;
        if (!pointer) {
          return;
        }
        if constexpr (std::is_same_v<Value, bool>) {
          *pointer = readBool(setting.value, bounds);
        } else if constexpr (std::is_same_v<Value, int>) {
          *pointer = readInt(setting.value, bounds);
        } else if constexpr (std::is_same_v<Value, float>) {
          *pointer = readFloat(setting.value, bounds);
        } else {
          *pointer = setting.value;
        }
      },
      target);
}

} // namespace

int SettingsStore::add(SettingDefinition definition) {
  if (const int existing = find(definition.name); existing != kNoSetting) {
    return existing;
  }
  const int index = static_cast<int>(settings_.size());
  byName_.emplace(definition.name, index);
  std::string value = definition.defaultValue;
  settings_.push_back(Setting{std::move(definition), std::move(value), {}, {}});
  return index;
}

int SettingsStore::find(std::string_view name) const {
  const auto it = byName_.find(name);
  return it == byName_.end() ? kNoSetting : it->second;
}

const Setting *SettingsStore::at(int index) const {
  if (index < 0 || static_cast<std::size_t>(index) >= settings_.size()) {
    return nullptr;
  }
  return &settings_[static_cast<std::size_t>(index)];
}

Failure SettingsStore::set(int index, std::string text,
                           const std::function<void(const Setting &)> &stored) {
  Setting &setting = settings_[static_cast<std::size_t>(index)];
  auto checked = boundedText(text, setting.definition.bounds);
  if (!checked) {
    return withContext("setting " + setting.definition.name + " refuses " + quoteText(text) + ": ",
                       checked.error());
  }
  std::string old = std::exchange(setting.value, std::move(*checked));
  for (const BoundValue &bound : setting.boundValues) {
    writeBound(setting, bound.target);
  }
  stored(setting);
  // Callbacks may add callbacks or settings, or set this setting again: walk
  // a copy, and skip callbacks whose plugin has gone meanwhile.
  const std::vector<ChangeCallback> callbacks = setting.callbacks;
  for (const ChangeCallback &callback : callbacks) {
    if (callback.owner->active()) {
      (*callback.function)(old, CVarWrapper(callback.owner, index));
    }
  }
  return std::nullopt;
}

void SettingsStore::bind(int index, PluginContext *owner, BoundTarget target) {
  Setting &setting = settings_[static_cast<std::size_t>(index)];
  writeBound(setting, target);
  setting.boundValues.push_back(BoundValue{owner, std::move(target)});
}

void SettingsStore::addCallback(int index, PluginContext *owner, ChangeFunction function) {
  settings_[static_cast<std::size_t>(index)].callbacks.push_back(
      ChangeCallback{owner, std::make_shared<ChangeFunction>(std::move(function))});
}

void SettingsStore::dropOwner(const PluginContext *owner) {
  for (Setting &setting : settings_) {
    std::erase_if(setting.boundValues,
                  [owner](const BoundValue &bound) { return bound.owner == owner; });
    std::erase_if(setting.callbacks,
                  [owner](const ChangeCallback &callback) { return callback.owner == owner; });
  }
}

std::vector<const Setting *> SettingsStore::sortedByName() const {
  std::vector<const Setting *> sorted;
  for (const auto &entry : byName_) {
    sorted.push_back(&settings_[static_cast<std::size_t>(entry.second)]);
  }
  return sorted;
}

} // namespace corvane::host

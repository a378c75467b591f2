// The key binding table.
#include "key_bindings.h"

namespace corvane::host {

void KeyBindings::bind(std::string key, std::string commandLine) {
  bindings_[std::move(key)] = std::move(commandLine);
}

bool KeyBindings::unbind(std::string_view key) {
  const auto it = bindings_.find(key);
  if (it == bindings_.end()) {
    return false;
  }
  bindings_.erase(it);
  return true;
}

std::optional<std::string> KeyBindings::lineFor(std::string_view key) const {
  const auto it = bindings_.find(key);
  if (it == bindings_.end()) {
    return std::nullopt;
  }
  return it->second;
}

} // namespace corvane::host

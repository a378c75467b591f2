// The key binding table.
#include "key_bindings.h"

namespace corvane::host {

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
  return it == bindings_.end() ? std::nullopt : std::optional(it->second);
}

} // namespace corvane::host

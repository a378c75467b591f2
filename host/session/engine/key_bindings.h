// KeyBindings: console lines tied to keys.
#pragma once

#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

#include "host_export.h"

namespace corvane::host {

// Bindings are console state: they outlive the plugin that made them.
class CORVANE_HOST_API KeyBindings {
public:
  void bind(std::string key, std::string commandLine) {
    bindings_.insert_or_assign(std::move(key), std::move(commandLine));
  }
  // False when `key` was not bound.
  bool unbind(std::string_view key);
  std::optional<std::string> lineFor(std::string_view key) const;
  const std::map<std::string, std::string, std::less<>> &all() const { return bindings_; }

private:
  std::map<std::string, std::string, std::less<>> bindings_;
};

} // namespace corvane::host

// What a plugin hands the host on a setting: a value of its own the host
// keeps equal to the setting, and a function the host calls on its change.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <variant>

class CVarWrapper;

namespace corvane::host {

using BoundTarget = std::variant<std::shared_ptr<bool>, std::shared_ptr<int>,
                                 std::shared_ptr<float>, std::shared_ptr<std::string>>;

using ChangeFunction = std::function<void(std::string, CVarWrapper)>;

} // namespace corvane::host

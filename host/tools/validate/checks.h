// The registry of named validation checks: what holds for any plugin of this
// host, each with a stable name and a one-line description.
#pragma once

#include <functional>
#include <string_view>
#include <vector>

#include "check_result.h"
#include "validate_options.h"

namespace corvane::validate {

struct Check {
  std::string_view name;
  std::string_view description;
  std::function<CheckResult(const ValidateOptions &, const ProgressNote &)> run;
};

// Every check, in the order they run.
const std::vector<Check> &allChecks();

} // namespace corvane::validate

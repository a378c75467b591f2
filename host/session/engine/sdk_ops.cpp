// The look-up of SDK operations by name.
#include "sdk_ops.h"

namespace corvane::host {

std::string_view opName(Op op) { return kOpTable[static_cast<std::size_t>(op)].name; }

std::optional<Op> opByName(std::string_view name) {
  if (name == "operator_bool" || name == "bool") {
    return Op::OperatorBool;
  }
  for (std::size_t i = 0; i < kOpCount; ++i) {
    if (kOpTable[i].name == name) {
      return static_cast<Op>(i);
    }
  }
  return std::nullopt;
}

} // namespace corvane::host

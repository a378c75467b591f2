// Trace line assembly and the look-up of SDK operations by name.
#include "trace.h"

#include <ostream>

namespace corvane::host {

namespace {

constexpr std::int64_t kMicrosPerMilli = 1000;
constexpr std::int64_t kMillisPerSecond = 1000;
constexpr std::size_t kMillisDigits = 3;

} // namespace

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

std::string traceTime(std::int64_t micros) {
  const std::int64_t millis = (micros + kMicrosPerMilli / 2) / kMicrosPerMilli;
  std::string fraction = std::to_string(millis % kMillisPerSecond);
  fraction.insert(0, kMillisDigits - fraction.size(), '0');
  // Appended piece by piece: GCC 12 warns falsely (-Wrestrict) on a chain of
  // string concatenations in optimised builds.
  std::string time = "[";
  time += std::to_string(millis / kMillisPerSecond);
  time += '.';
  time += fraction;
  time += ']';
  return time;
}

std::string Trace::beginLine(Op op) const {
  std::string line = traceTime(clock_.nowMicros());
  line += ' ';
  line += opName(op);
  return line;
}

void Trace::emit(const std::string &line) {
  if (frameView_ != nullptr) {
    if (inFrame_) {
      frameLines_.push_back(line.substr(line.find(' ') + 1));
      return;
    }
    frameView_->flush();
  }
  *out_ << line << '\n';
  out_->flush();
}

} // namespace corvane::host

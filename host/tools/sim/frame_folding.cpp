// Folding of repeated frames into one line.
#include "frame_folding.h"

#include <string_view>

namespace corvane::sim {

namespace {

constexpr std::string_view kDrawString = "DrawString ";

// The end of the quoted text that opens `arguments`, its closing quote
// included; the trace escapes `"` and `\` inside it.
std::size_t quotedEnd(std::string_view arguments) {
  for (std::size_t i = 1; i < arguments.size(); ++i) {
    if (arguments[i] == '\\') {
      ++i;
    } else if (arguments[i] == '"') {
      return i + 1;
    }
  }
  return arguments.size();
}

// `OP`, or `DrawString "text"`: what a person tells frames apart by.
std::string callName(std::string_view call) {
  if (call.starts_with(kDrawString)) {
    const std::string_view arguments = call.substr(kDrawString.size());
    return std::string(kDrawString) + std::string(arguments.substr(0, quotedEnd(arguments)));
  }
  return std::string(call.substr(0, call.find(' ')));
}

} // namespace

FoldedFrames::~FoldedFrames() { flush(); }

void FoldedFrames::frame(std::int64_t micros, const std::vector<std::string> &calls) {
  if (count_ > 0 && calls == calls_) {
    ++count_;
    return;
  }
  flush();
  calls_ = calls;
  firstMicros_ = micros;
  count_ = 1;
}

void FoldedFrames::flush() {
  if (count_ == 0) {
    return;
  }
  std::string line = host::traceTime(firstMicros_) + " " + std::to_string(count_) +
                     (count_ == 1 ? " frame: " : " frames: ");
  if (calls_.empty()) {
    line += "nothing drawn";
  }
  for (std::size_t i = 0; i < calls_.size(); ++i) {
    line += (i == 0 ? "" : ", ") + callName(calls_[i]);
  }
  out_ << line << '\n' << std::flush;
  count_ = 0;
}

} // namespace corvane::sim

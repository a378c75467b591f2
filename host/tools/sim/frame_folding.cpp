// Folding of repeated frames into one line.
#include "frame_folding.h"

#include <algorithm>
#include <variant>

#include "host/session/engine/trace_format.h"

namespace corvane::sim {

FoldedFrames::~FoldedFrames() { flush(); }

void FoldedFrames::onEvent(const host::Event &event) {
  if (std::holds_alternative<host::FrameBegun>(event.what)) {
    inFrame_ = true;
    frame_.clear();
    return;
  }
  if (const auto *ended = std::get_if<host::FrameEnded>(&event.what)) {
    inFrame_ = false;
    nameText(*ended->drew);
    frameEnded(event.micros);
    return;
  }
  const auto *call = std::get_if<host::SdkCall>(&event.what);
  if (call == nullptr || !host::traced(call->op, verbose())) {
    return;
  }
  if (!inFrame_) {
    flush();
    TraceWriter::onEvent(event);
    return;
  }
  frame_.push_back({host::formatCall(*call), std::string(host::opName(call->op))});
}

void FoldedFrames::nameText(const host::FrameRecord &drew) {
  if (drew.textStyle() == nullptr) {
    return;
  }
  const auto last = std::find_if(frame_.rbegin(), frame_.rend(), [](const Call &call) {
    return call.name == host::opName(host::Op::DrawString);
  });
  if (last != frame_.rend()) {
    last->name += ' ' + host::quoteText(drew.text()) + (drew.textCut() ? " (cut)" : "");
  }
}

void FoldedFrames::frameEnded(std::int64_t micros) {
  if (count_ > 0 && frame_ == calls_) {
    ++count_;
    return;
  }
  flush();
  calls_.swap(frame_);
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
    line += (i == 0 ? "" : ", ") + calls_[i].name;
  }
  writeLine(line);
  count_ = 0;
}

} // namespace corvane::sim

// FoldedFrames: the interactive view of the trace: a run of rendered frames
// whose calls are identical is one line with a count; every other line is
// written as the trace writes it.
#pragma once

#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

#include "host/session/trace.h"

namespace corvane::sim {

class FoldedFrames final : public host::TraceWriter {
public:
  FoldedFrames(std::ostream &out, bool verbose) : TraceWriter(out, verbose) {}
  ~FoldedFrames() override;

  void onEvent(const host::Event &event) override;
  // Writes the run held back, as `[T] N frames: OP, OP, DrawString "text"`,
  // the text the frame's last string.
  void flush();

private:
  struct Call {
    std::string line; // `OP ARGS`, what tells two frames apart
    std::string name; // `OP`, or `DrawString "text"`, what a person reads
    bool operator==(const Call &other) const { return line == other.line; }
  };
  // The frame's last DrawString is read with the text the frame drew.
  void nameText(const host::FrameRecord &drew);
  void frameEnded(std::int64_t micros);

  bool inFrame_ = false;
  std::vector<Call> frame_;
  std::vector<Call> calls_;
  std::int64_t firstMicros_ = 0;
  std::uint64_t count_ = 0;
};

} // namespace corvane::sim

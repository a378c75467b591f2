// FoldedFrames: the interactive view of rendered frames: a run of frames
// whose calls are identical is one line with a count.
#pragma once

#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

#include "host/session/engine/trace.h"

namespace corvane::sim {

class FoldedFrames final : public host::FrameView {
public:
  explicit FoldedFrames(std::ostream &out) : out_(out) {}
  ~FoldedFrames() override;

  void frame(std::int64_t micros, const std::vector<std::string> &calls) override;
  // Writes the run held back, as `[T] N frames: OP, OP, DrawString "text"`.
  void flush() override;

private:
  std::ostream &out_;
  std::vector<std::string> calls_;
  std::int64_t firstMicros_ = 0;
  std::uint64_t count_ = 0;
};

} // namespace corvane::sim

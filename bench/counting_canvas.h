// CountingCanvas: a canvas that only counts what is drawn on it, so that a
// frame costs the plugin's and the host's work and nothing else.
#pragma once

#include <cstdint>
#include <string>

#include "host/session/engine/canvas.h"

namespace vexlo::bench {

class CountingCanvas final : public corvane::host::Canvas {
public:
  void SetPosition(Vector2F /*position*/) override { ++calls_; }
  void SetColor(LinearColor /*color*/) override { ++calls_; }
  void FillBox(Vector2F /*size*/) override { ++calls_; }
  void DrawString(const std::string &text, float /*xScale*/, float /*yScale*/, bool /*dropShadow*/,
                  bool /*wrap*/) override {
    ++calls_;
    textBytes_ += text.size();
  }

  // Canvas calls so far, of any kind.
  std::uint64_t calls() const { return calls_; }
  // Bytes of text drawn so far: shows that the configured text reached the canvas.
  std::uint64_t textBytes() const { return textBytes_; }

private:
  std::uint64_t calls_ = 0;
  std::uint64_t textBytes_ = 0;
};

} // namespace vexlo::bench

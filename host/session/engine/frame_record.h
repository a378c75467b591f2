// FrameRecord: a summary of what the last rendered frame drew, for sim_status,
// sim_expect drawn and the frame's end in the host's events.
#pragma once

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstring>
#include <optional>
#include <string>
#include <string_view>

#include <corvane/value_types.h>

namespace corvane::host {

// Filled by the canvas wrappers on every call, so each call costs a few
// stores and no allocation: the text is copied into a buffer of fixed size.
class FrameRecord {
public:
  // The bytes of the last text kept for a person to read.
  static constexpr std::size_t kKeptTextBytes = 256;

  struct Box {
    Vector2F position{};
    Vector2F size{};
    LinearColor color{};
  };
  struct Text {
    Vector2F position{};
    LinearColor color{};
    float xScale = 0;
    float yScale = 0;
  };

  void begin() {
    calls_ = 0;
    box_.reset();
    textStyle_.reset();
    textSize_ = 0;
    textCut_ = false;
  }
  void setPosition(Vector2F position) {
    ++calls_;
    pen_ = position;
  }
  void setColor(LinearColor color) {
    ++calls_;
    color_ = color;
  }
  void fillBox(Vector2F size) {
    ++calls_;
    box_ = Box{pen_, size, color_};
  }
  void drawString(const std::string &text, float xScale, float yScale) {
    ++calls_;
    textStyle_ = Text{pen_, color_, xScale, yScale};
    // Kept in a buffer of its own, never allocated: the frame path of a
    // long text allocates once for the plugin's own copy and not again here.
    textSize_ = std::min(text.size(), kKeptTextBytes);
    textCut_ = textSize_ < text.size();
    std::memcpy(text_.data(), text.data(), textSize_);
  }

  std::size_t calls() const { return calls_; }
  // Whether the frame drew the bar: any canvas call shows it.
  bool drewBar() const { return calls_ > 0; }
  // The last box and text of the frame, when it drew one.
  const Box *box() const { return box_ ? &*box_ : nullptr; }
  const Text *textStyle() const { return textStyle_ ? &*textStyle_ : nullptr; }
  // The frame's last text, its first kKeptTextBytes bytes at most; empty
  // when it drew none.
  std::string_view text() const { return {text_.data(), textSize_}; }
  bool textCut() const { return textCut_; }

private:
  std::size_t calls_ = 0;
  Vector2F pen_{};
  LinearColor color_{};
  std::optional<Box> box_;
  std::optional<Text> textStyle_;
  std::array<char, kKeptTextBytes> text_{};
  std::size_t textSize_ = 0;
  bool textCut_ = false;
};

} // namespace corvane::host

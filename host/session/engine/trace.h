// Trace: one line per effectful call a plugin makes into the host, and a
// counter per SDK operation.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <iosfwd>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "host_export.h"
#include "trace_format.h"
#include "virtual_clock.h"

namespace corvane::host {

// Every SDK operation a plugin can call, named as the SDK names it.
enum class Op : std::uint8_t {
  registerCvar,
  registerNotifier,
  getCvar,
  executeCommand,
  getBoolValue,
  getFloatValue,
  getStringValue,
  bindTo,
  addOnValueChanged,
  HookEvent,
  HookEventPost,
  SetTimeout,
  RegisterDrawable,
  IsInOnlineGame,
  IsInFreeplay,
  GetMatchmakingWrapper,
  OperatorBool,
  IsSearching,
  CancelMatchmaking,
  SetPlaylistSelection,
  StartMatchmaking,
  SetPosition,
  SetColor,
  FillBox,
  DrawString,
};
inline constexpr std::size_t kOpCount = static_cast<std::size_t>(Op::DrawString) + 1;

// Effects are always traced, registrations only when verbose, reads never.
enum class OpKind : std::uint8_t { Effect, Registration, Read };

// Each operation's SDK name, as the trace writes it, and its kind; one row
// per operation, in the order of Op.
struct OpInfo {
  std::string_view name;
  OpKind kind;
};

inline constexpr std::array<OpInfo, kOpCount> kOpTable = {{
    {"registerCvar", OpKind::Registration},
    {"registerNotifier", OpKind::Registration},
    {"getCvar", OpKind::Read},
    {"executeCommand", OpKind::Effect},
    {"getBoolValue", OpKind::Read},
    {"getFloatValue", OpKind::Read},
    {"getStringValue", OpKind::Read},
    {"bindTo", OpKind::Registration},
    {"addOnValueChanged", OpKind::Registration},
    {"HookEvent", OpKind::Registration},
    {"HookEventPost", OpKind::Registration},
    {"SetTimeout", OpKind::Effect},
    {"RegisterDrawable", OpKind::Registration},
    {"IsInOnlineGame", OpKind::Read},
    {"IsInFreeplay", OpKind::Read},
    {"GetMatchmakingWrapper", OpKind::Read},
    {"operator bool", OpKind::Read},
    {"IsSearching", OpKind::Read},
    {"CancelMatchmaking", OpKind::Effect},
    {"SetPlaylistSelection", OpKind::Effect},
    {"StartMatchmaking", OpKind::Effect},
    {"SetPosition", OpKind::Effect},
    {"SetColor", OpKind::Effect},
    {"FillBox", OpKind::Effect},
    {"DrawString", OpKind::Effect},
}};

constexpr OpKind opKind(Op op) { return kOpTable[static_cast<std::size_t>(op)].kind; }
// The operation's SDK name ("operator bool" for the matchmaking check).
CORVANE_HOST_API std::string_view opName(Op op);
// The operation called `name`; "operator_bool" and "bool" also name the check.
CORVANE_HOST_API std::optional<Op> opByName(std::string_view name);

// Takes the trace lines of each rendered frame in place of the stream: an
// interactive view folds frames that repeat into one line.
class FrameView {
public:
  FrameView() = default;
  FrameView(const FrameView &) = delete;
  FrameView &operator=(const FrameView &) = delete;
  virtual ~FrameView() = default;
  // One frame's lines without their time (`OP ARGS`), at the time `micros`.
  virtual void frame(std::int64_t micros, const std::vector<std::string> &calls) = 0;
  // A line outside a frame is written next: write whatever is held back.
  virtual void flush() = 0;
};

// Formats `[T] OP ARGS` lines on the trace stream. With no stream, tracing is
// off and a call costs one counter increment and one branch: the frame path
// goes through here for every canvas call.
class CORVANE_HOST_API Trace {
public:
  explicit Trace(const VirtualClock &clock) : clock_(clock) {}

  void setOutput(std::ostream *out) { out_ = out; }
  void setVerbose(bool verbose) { verbose_ = verbose; }
  bool enabled() const { return out_ != nullptr; }
  // Sends each frame's lines to `view` (null: to the stream, as other lines).
  void setFrameView(FrameView *view) { frameView_ = view; }

  // Bracket one rendered frame; a branch each while no view is set.
  void beginFrame() {
    if (frameView_ != nullptr) {
      frameLines_.clear();
      inFrame_ = true;
    }
  }
  void endFrame() {
    if (inFrame_) {
      inFrame_ = false;
      frameView_->frame(clock_.nowMicros(), frameLines_);
    }
  }

  // The one entry point of every SDK call: counts it, and writes its line
  // when the operation's kind is traced.
  template <typename... Args> void record(Op op, const Args &...args) {
    ++counts_[static_cast<std::size_t>(op)];
    if (!prints(op)) {
      return;
    }
    std::string line = beginLine(op);
    ((line += ' ', appendTraceArg(line, args)), ...);
    emit(line);
  }

  bool prints(Op op) const {
    if (out_ == nullptr) {
      return false;
    }
    const OpKind kind = opKind(op);
    return kind == OpKind::Effect || (kind == OpKind::Registration && verbose_);
  }

  std::uint64_t count(Op op) const { return counts_[static_cast<std::size_t>(op)]; }

  // While one lives, calls are neither written nor counted: the trace and
  // the counts are as they were when it goes.
  class Muted {
  public:
    explicit Muted(Trace &trace) : trace_(trace), out_(trace.out_), counts_(trace.counts_) {
      trace.out_ = nullptr;
    }
    ~Muted() {
      trace_.out_ = out_;
      trace_.counts_ = counts_;
    }
    Muted(const Muted &) = delete;
    Muted &operator=(const Muted &) = delete;

  private:
    Trace &trace_;
    std::ostream *out_;
    std::array<std::uint64_t, kOpCount> counts_;
  };

private:
  std::string beginLine(Op op) const;
  void emit(const std::string &line);

  const VirtualClock &clock_;
  std::ostream *out_ = nullptr;
  bool verbose_ = false;
  std::array<std::uint64_t, kOpCount> counts_{};
  FrameView *frameView_ = nullptr;
  bool inFrame_ = false;
  std::vector<std::string> frameLines_;
};

// "[12.000]": a time in whole milliseconds, as the trace prefixes lines.
CORVANE_HOST_API std::string traceTime(std::int64_t micros);

} // namespace corvane::host

// TraceWriter: the trace, a subscriber of the host's events that writes one
// `[T] OP ARGS` line per effectful SDK call a plugin makes.
#pragma once

#include <cstdint>
#include <iosfwd>
#include <string>

#include "host/session/engine/events.h"

namespace corvane::host {

// Whether the trace shows calls of `op`: effects always, registrations only
// when verbose, reads never.
constexpr bool traced(Op op, bool verbose) {
  const OpKind kind = opKind(op);
  return kind == OpKind::Effect || (kind == OpKind::Registration && verbose);
}

// `OP ARGS`: the call as a trace line writes it after its time.
std::string formatCall(const SdkCall &call);

// "[12.000]": a time in whole milliseconds, as the trace prefixes lines.
std::string traceTime(std::int64_t micros);

class TraceWriter : public EventSubscriber {
public:
  TraceWriter(std::ostream &out, bool verbose) : out_(out), verbose_(verbose) {}
  ~TraceWriter() override;

  void onEvent(const Event &event) override;

  std::ostream &out() { return out_; }
  bool verbose() const { return verbose_; }

protected:
  // Writes one line and flushes, so that a person sees it at once.
  void writeLine(const std::string &line);

private:
  std::ostream &out_;
  bool verbose_;
};

} // namespace corvane::host

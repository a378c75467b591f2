// Trace lines made from SDK call events.
#include "trace.h"

#include <initializer_list>
#include <ostream>

#include "host/session/engine/trace_format.h"

namespace corvane::host {

namespace {

struct ArgWriter {
  std::string &out;
  void operator()(const std::string &text) const { appendQuoted(out, text); }
  void operator()(const BareWord &word) const { out += word.text; }
  void operator()(bool value) const { out += value ? "true" : "false"; }
  void operator()(float value) const { out += shortestNumber(value); }
  void operator()(std::int32_t value) const { out += std::to_string(value); }
  void operator()(Vector2F value) const { numbers({value.X, value.Y}); }
  void operator()(LinearColor value) const { numbers({value.R, value.G, value.B, value.A}); }
  // Appended piece by piece: GCC 12 warns falsely (-Wrestrict) on a chain of
  // string concatenations in optimised builds.
  void numbers(std::initializer_list<float> values) const {
    const char *separator = "";
    for (const float value : values) {
      out += separator;
      out += shortestNumber(value);
      separator = " ";
    }
  }
};

} // namespace

std::string formatCall(const SdkCall &call) {
  std::string line(opName(call.op));
  for (const CallArg &arg : call.args) {
    line += ' ';
    std::visit(ArgWriter{line}, arg);
  }
  return line;
}

std::string traceTime(std::int64_t micros) {
  return std::string("[").append(secondsText(micros)).append("]");
}

TraceWriter::~TraceWriter() = default;

void TraceWriter::onEvent(const Event &event) {
  const auto *call = std::get_if<SdkCall>(&event.what);
  if (call != nullptr && traced(call->op, verbose_)) {
    std::string line = traceTime(event.micros);
    line += ' ';
    line += formatCall(*call);
    writeLine(line);
  }
}

void TraceWriter::writeLine(const std::string &line) {
  out_ << line << '\n';
  out_.flush();
}

} // namespace corvane::host

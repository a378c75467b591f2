// How values are written in trace lines and console output: quoted texts with
// escapes, shortest round-trip numbers, bools as words.
#pragma once

#include <string>
#include <string_view>

#include <corvane/value_types.h>

#include "host_export.h"

namespace corvane::host {

// A word written as it is, unquoted (e.g. the type name in a bindTo line).
struct BareWord {
  std::string_view text;
};

// Appends `text` double-quoted, escaping `"`, `\`, newline, carriage return,
// tab, and every other byte below 0x20 or 0x7F as \xNN.
CORVANE_HOST_API void appendQuoted(std::string &out, std::string_view text);
// `text` double-quoted and escaped as appendQuoted does.
CORVANE_HOST_API std::string quoteText(std::string_view text);
// The shortest text that reads back as `value` (std::to_chars).
CORVANE_HOST_API std::string shortestNumber(float value);
CORVANE_HOST_API std::string shortestNumber(double value);

// One trace argument each; the trace joins them with single spaces.
CORVANE_HOST_API void appendTraceArg(std::string &out, std::string_view text);
CORVANE_HOST_API void appendTraceArg(std::string &out, const char *text);
CORVANE_HOST_API void appendTraceArg(std::string &out, BareWord word);
CORVANE_HOST_API void appendTraceArg(std::string &out, bool value);
CORVANE_HOST_API void appendTraceArg(std::string &out, float value);
CORVANE_HOST_API void appendTraceArg(std::string &out, int value);
CORVANE_HOST_API void appendTraceArg(std::string &out, Playlist value);
CORVANE_HOST_API void appendTraceArg(std::string &out, PlaylistCategory value);
CORVANE_HOST_API void appendTraceArg(std::string &out, Vector2F value);
CORVANE_HOST_API void appendTraceArg(std::string &out, LinearColor value);

} // namespace corvane::host

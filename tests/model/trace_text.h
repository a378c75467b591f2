// How the model writes the trace lines it expects: times, quoted texts and
// numbers, as the host's trace format describes them.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace modelcheck {

// "[12.000]": game time in seconds, rounded to whole milliseconds.
std::string timeText(std::int64_t micros);
// `text` double-quoted with \" \\ \n \r \t and \xNN for other control bytes.
std::string quotedText(std::string_view text);
// The shortest text that reads back as `value`.
std::string numberText(float value);
std::string numberText(std::int32_t value);

} // namespace modelcheck

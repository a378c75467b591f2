// UTF-8 text as the timeline measures it: counted in characters.
#pragma once

#include <cstddef>
#include <string_view>

namespace corvane::text {

// Whether `byte` stands inside a UTF-8 sequence, after its first byte.
bool isUtf8Continuation(char byte);

// How many characters `text` holds: its bytes that start a sequence.
std::size_t utf8CharCount(std::string_view text);

} // namespace corvane::text

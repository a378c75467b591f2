// UTF-8 decoding for the text a screenshot draws.
#pragma once

#include <string>
#include <string_view>

namespace corvane::screenshot {

// The code point drawn in place of bytes that are not valid UTF-8.
inline constexpr char32_t kReplacementCharacter = U'\uFFFD';

// The code points of `text`. Settings are typed by players, so malformed,
// overlong or surrogate sequences are expected: each bad sequence becomes one
// kReplacementCharacter and decoding goes on with the next byte.
std::u32string decodeUtf8(std::string_view text);

} // namespace corvane::screenshot

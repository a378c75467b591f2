// UTF-8 text as the tools draw and measure it: decoded into code points,
// counted in characters.
#pragma once

#include <string>
#include <string_view>

namespace corvane::text {

// The code point drawn in place of bytes that are not valid UTF-8.
inline constexpr char32_t kReplacementCharacter = U'\uFFFD';

// The code points of `text`. Settings are typed by players, so malformed,
// overlong or surrogate sequences are expected: each bad sequence becomes one
// kReplacementCharacter and decoding goes on with the next byte.
std::u32string decodeUtf8(std::string_view text);

// The UTF-8 bytes of `codes`.
std::string encodeUtf8(std::u32string_view codes);

// `text` as text drawing libraries take it: valid UTF-8, control characters
// left out and each malformed sequence as kReplacementCharacter.
std::string drawableUtf8(std::string_view text);

// Whether `byte` stands inside a UTF-8 sequence, after its first byte.
bool isUtf8Continuation(char byte);

// How many characters `text` holds: its bytes that start a sequence.
std::size_t utf8CharCount(std::string_view text);

} // namespace corvane::text

// Decoding the UTF-8 a player types into the text setting.
#include "host/tools/text/utf8.h"

#include <gtest/gtest.h>

namespace corvane::text {
namespace {

TEST(Utf8Test, DecodesEveryLength) {
  EXPECT_EQ(decodeUtf8("Queue"), U"Queue");
  EXPECT_EQ(decodeUtf8("caf\xc3\xa9"), U"caf\u00e9");
  EXPECT_EQ(decodeUtf8("\xe2\x82\xac 5"), U"\u20ac 5");
  EXPECT_EQ(decodeUtf8("\xf0\x9f\x8e\xae"), U"\U0001F3AE");
}

TEST(Utf8Test, EachBadSequenceBecomesOneReplacement) {
  constexpr char32_t kBad = kReplacementCharacter;
  EXPECT_EQ(decodeUtf8("a\xff"
                       "b"),
            (std::u32string{U'a', kBad, U'b'}));
  EXPECT_EQ(decodeUtf8("\xc3"), std::u32string(1, kBad));             // cut short
  EXPECT_EQ(decodeUtf8("\xe2\x82"), std::u32string(2, kBad));         // cut short
  EXPECT_EQ(decodeUtf8("\xc0\xaf"), std::u32string(2, kBad));         // overlong '/'
  EXPECT_EQ(decodeUtf8("\xed\xa0\x80"), std::u32string(3, kBad));     // a surrogate
  EXPECT_EQ(decodeUtf8("\xf4\x90\x80\x80"), std::u32string(4, kBad)); // past U+10FFFF
  EXPECT_EQ(decodeUtf8("\xc3("), (std::u32string{kBad, U'('}));       // no continuation
}

} // namespace
} // namespace corvane::text

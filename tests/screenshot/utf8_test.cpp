// Counting the characters of the UTF-8 a player types into the text setting,
// as the timeline fits its labels. Fault: bytes counted as characters.
#include "host/tools/text/utf8.h"

#include <gtest/gtest.h>

namespace corvane::text {
namespace {

TEST(Utf8Test, CountsCharactersOfEveryLength) {
  EXPECT_EQ(utf8CharCount("Queue"), 5U);
  EXPECT_EQ(utf8CharCount("caf\xc3\xa9"), 4U);
  EXPECT_EQ(utf8CharCount("\xe2\x82\xac 5"), 3U);
  EXPECT_EQ(utf8CharCount("\xf0\x9f\x8e\xae"), 1U);
  EXPECT_EQ(utf8CharCount("\xe6\x97\xa5\xe6\x9c\xac"), 2U);
}

} // namespace
} // namespace corvane::text

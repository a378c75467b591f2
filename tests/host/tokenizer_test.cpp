// Reading console lines into commands and words, and writing words back.
#include <string>
#include <variant>
#include <vector>

#include <gtest/gtest.h>

#include "host/session/console/tokenizer.h"

namespace {

using corvane::Error;
using corvane::console::joinWords;
using corvane::console::tokenizeLine;
using corvane::console::Words;

std::vector<Words> commands(std::string_view line) {
  auto result = tokenizeLine(line);
  EXPECT_TRUE(result) << line;
  return result ? *result : std::vector<Words>{};
}

TEST(Tokenizer, BlanksSeparateWordsAndSemicolonsCommands) {
  EXPECT_EQ(commands("  echo\ta  b ;sim_wait 1;; "),
            (std::vector<Words>{{"echo", "a", "b"}, {"sim_wait", "1"}}));
  EXPECT_TRUE(commands("").empty());
  EXPECT_TRUE(commands(" \t ").empty());
}

TEST(Tokenizer, QuotesGroupWordsAndKeepSemicolons) {
  EXPECT_EQ(commands("bind F1 \"echo a; echo b\""),
            (std::vector<Words>{{"bind", "F1", "echo a; echo b"}}));
  EXPECT_EQ(commands("echo \"\" x"), (std::vector<Words>{{"echo", "", "x"}}));
  EXPECT_EQ(commands("echo ab\"c d\"e"), (std::vector<Words>{{"echo", "abc de"}}));
}

TEST(Tokenizer, EscapesInsideQuotes) {
  EXPECT_EQ(commands(R"(echo "say \"hi\"" "back\\slash" "keep\n")"),
            (std::vector<Words>{{"echo", "say \"hi\"", "back\\slash", "keep\\n"}}));
  // Outside quotes a backslash is an ordinary character.
  EXPECT_EQ(commands(R"(echo a\b)"), (std::vector<Words>{{"echo", "a\\b"}}));
}

TEST(Tokenizer, UnterminatedQuoteIsAnError) {
  for (const char *line : {"echo \"open", "echo \"ends in escape\\\"", "\""}) {
    auto result = tokenizeLine(line);
    ASSERT_FALSE(result) << line;
    EXPECT_EQ(result.error().message, "unterminated quote");
  }
}

TEST(Tokenizer, CommentLines) {
  EXPECT_TRUE(commands("# echo a; echo b").empty());
  EXPECT_TRUE(commands("   // \"unterminated").empty());
  // Only at the start of a line.
  EXPECT_EQ(commands("echo a # b"), (std::vector<Words>{{"echo", "a", "#", "b"}}));
}

TEST(Tokenizer, JoinedWordsReadBackTheSame) {
  const Words words{"echo",        "",      "two words", "semi;colon", "quote\"d",
                    "back\\slash", "#hash", "//slashes", "plain"};
  const std::string joined = joinWords(words.begin(), words.end());
  EXPECT_EQ(
      joined,
      R"(echo "" "two words" "semi;colon" "quote\"d" "back\\slash" "#hash" "//slashes" plain)");
  EXPECT_EQ(commands(joined), (std::vector<Words>{words}));
}

} // namespace

// The console line tokenizer: commands split by `;`, words by blanks, double
// quotes grouping words.
#pragma once

#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace corvane::console {

using Words = std::vector<std::string>;

struct TokenizeError {
  std::string message;
};

// The commands of one console line, each as its words; blank commands are
// left out and a comment line (`#` or `//` after leading blanks) has none.
// Inside quotes `\"` and `\\` stand for `"` and `\`, and `;` is part of the
// word; `""` is an empty word.
std::variant<std::vector<Words>, TokenizeError> tokenizeLine(std::string_view line);

// `word` as the tokenizer reads it back: quoted when it is empty or holds a
// blank, `;`, `"` or `\`, or would start a comment.
std::string quoteWordIfNeeded(std::string_view word);
// The words joined with single spaces, each quoted where needed.
std::string joinWords(Words::const_iterator first, Words::const_iterator last);

} // namespace corvane::console

// The console line tokenizer: commands split by `;`, words by blanks, double
// quotes grouping words.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "host/base/error.h"

namespace corvane::console {

using Words = std::vector<std::string>;

// The commands of one console line, each as its words; blank commands are
// left out and a comment line (`#` or `//` after leading blanks) has none.
// Inside quotes `\"` and `\\` stand for `"` and `\`, and `;` is part of the
// word; `""` is an empty word.
// A line it cannot read (an open quote) is a BadInput error.
Expected<std::vector<Words>> tokenizeLine(std::string_view line);

// The command being typed at the end of `text`, read as the console would
// read it (an open quote allowed): its complete words, and the word being
// typed, unquoted, with its length as typed and whether it opens with a quote.
struct TypedCommand {
  Words words;
  std::string partial;
  std::size_t partialLength = 0;
  bool quoted = false;
};
TypedCommand typedSoFar(std::string_view text);

// `word` in quotes, with `"` and `\` escaped.
std::string quoteWord(std::string_view word);
// `word` as the tokenizer reads it back: quoted when it is empty or holds a
// blank, `;`, `"` or `\`, or would start a comment.
std::string quoteWordIfNeeded(std::string_view word);
// The words joined with single spaces, each quoted where needed.
std::string joinWords(Words::const_iterator first, Words::const_iterator last);

} // namespace corvane::console

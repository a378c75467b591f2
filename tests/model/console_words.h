// How the model splits a console line into commands and words.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace modelcheck {

// One command: its words, the command's name first.
using Words = std::vector<std::string>;

// The commands of one console line, split at `;` outside quotes, words split
// at blanks, double quotes grouping (with \" and \\ inside). A comment line
// gives no command; an unterminated quote gives nothing at all.
std::optional<std::vector<Words>> splitLine(std::string_view line);

// A word as a console line would carry it: bare when it needs no quotes.
std::string consoleWord(std::string_view word);

} // namespace modelcheck

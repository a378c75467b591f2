// File names as the programs judge them: which kind of file a name asks for.
#pragma once

#include <algorithm>
#include <cctype>
#include <initializer_list>
#include <string_view>

namespace corvane::sim {

// Whether `name` ends in `suffix` (given in lower case), whatever the case of
// its letters: "Run.PNG" ends in ".png".
inline bool endsWithIgnoringCase(std::string_view name, std::string_view suffix) {
  return name.size() >= suffix.size() &&
         std::equal(suffix.rbegin(), suffix.rend(), name.rbegin(), [](char wanted, char given) {
           return std::tolower(static_cast<unsigned char>(given)) == wanted;
         });
}

// Whether `name` ends in one of `suffixes`.
inline bool hasSuffix(std::string_view name, std::initializer_list<std::string_view> suffixes) {
  return std::ranges::any_of(
      suffixes, [name](std::string_view suffix) { return endsWithIgnoringCase(name, suffix); });
}

} // namespace corvane::sim

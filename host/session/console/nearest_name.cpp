// Edit distance with swapped neighbours, over a small table per pair.
#include "nearest_name.h"

#include <algorithm>

namespace corvane::console {

namespace {

constexpr std::size_t kMostSlips = 2;

// Slips between `a` and `b`: letters dropped, added or changed, and two
// neighbours swapped, each counting one.
std::size_t slips(std::string_view a, std::string_view b) {
  const std::size_t columns = b.size() + 1;
  std::vector<std::size_t> table((a.size() + 1) * columns);
  const auto at = [&table, columns](std::size_t i, std::size_t j) -> std::size_t & {
    return table[i * columns + j];
  };
  for (std::size_t i = 0; i <= a.size(); ++i) {
    at(i, 0) = i;
  }
  for (std::size_t j = 0; j <= b.size(); ++j) {
    at(0, j) = j;
  }
  for (std::size_t i = 1; i <= a.size(); ++i) {
    for (std::size_t j = 1; j <= b.size(); ++j) {
      const std::size_t changed = a[i - 1] == b[j - 1] ? 0 : 1;
      at(i, j) = std::min({at(i - 1, j) + 1, at(i, j - 1) + 1, at(i - 1, j - 1) + changed});
      if (i > 1 && j > 1 && a[i - 1] == b[j - 2] && a[i - 2] == b[j - 1]) {
        at(i, j) = std::min(at(i, j), at(i - 2, j - 2) + 1);
      }
    }
  }
  return at(a.size(), b.size());
}

} // namespace

std::optional<std::string> nearestName(std::string_view typed,
                                       const std::vector<std::string> &known) {
  if (typed.empty()) {
    return std::nullopt;
  }
  std::optional<std::string> best;
  std::size_t bestSlips = std::min(kMostSlips, (typed.size() - 1) / 2);
  for (const std::string &name : known) {
    // A slip changes the length by one at most: a name longer or shorter by
    // more than the slips allowed cannot match, and costs no table.
    const std::size_t longer = std::max(typed.size(), name.size());
    if (longer - std::min(typed.size(), name.size()) > bestSlips) {
      continue;
    }
    const std::size_t count = slips(typed, name);
    if (count <= bestSlips && (!best || count < bestSlips)) {
      best = name;
      bestSlips = count;
    }
  }
  return best;
}

} // namespace corvane::console

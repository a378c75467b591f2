// The model's own reading of console lines, kept apart from the host's
// tokenizer so that a fault in one shows against the other.
#include "console_words.h"

namespace modelcheck {

namespace {

bool isBlank(char c) { return c == ' ' || c == '\t'; }

bool isComment(std::string_view line) {
  const std::size_t start = line.find_first_not_of(" \t");
  if (start == std::string_view::npos) {
    return false;
  }
  const std::string_view rest = line.substr(start);
  return rest.starts_with('#') || rest.starts_with("//");
}

} // namespace

std::optional<std::vector<Words>> splitLine(std::string_view line) {
  std::vector<Words> commands;
  if (isComment(line)) {
    return commands;
  }
  Words words;
  std::string word;
  bool inWord = false;
  std::size_t at = 0;
  const auto endWord = [&] {
    if (inWord) {
      words.push_back(std::move(word));
      word.clear();
      inWord = false;
    }
  };
  const auto endCommand = [&] {
    endWord();
    if (!words.empty()) {
      commands.push_back(std::move(words));
      words.clear();
    }
  };
  while (at < line.size()) {
    const char c = line[at];
    if (isBlank(c)) {
      endWord();
      ++at;
    } else if (c == ';') {
      endCommand();
      ++at;
    } else if (c == '"') {
      inWord = true;
      ++at;
      bool closed = false;
      while (at < line.size()) {
        const char inner = line[at];
        if (inner == '"') {
          closed = true;
          ++at;
          break;
        }
        if (inner == '\\' && at + 1 < line.size() &&
            (line[at + 1] == '"' || line[at + 1] == '\\')) {
          word += line[at + 1];
          at += 2;
          continue;
        }
        word += inner;
        ++at;
      }
      if (!closed) {
        return std::nullopt;
      }
    } else {
      inWord = true;
      word += c;
      ++at;
    }
  }
  endCommand();
  return commands;
}

std::string consoleWord(std::string_view word) {
  bool needsQuotes = word.empty();
  for (const char c : word) {
    if (isBlank(c) || c == ';' || c == '"' || c == '\\' || c == '#' || c == '/' ||
        static_cast<unsigned char>(c) < 0x20 || c == 0x7F) {
      needsQuotes = true;
    }
  }
  if (!needsQuotes) {
    return std::string(word);
  }
  std::string out = "\"";
  for (const char c : word) {
    if (c == '"' || c == '\\') {
      out += '\\';
    }
    out += c;
  }
  out += '"';
  return out;
}

} // namespace modelcheck

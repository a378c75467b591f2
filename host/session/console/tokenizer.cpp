// The console line tokenizer.
#include "tokenizer.h"

namespace corvane::console {

namespace {

bool isBlank(char c) { return c == ' ' || c == '\t'; }

bool isCommentLine(std::string_view line) {
  const std::size_t start = line.find_first_not_of(" \t");
  if (start == std::string_view::npos) {
    return false;
  }
  const std::string_view rest = line.substr(start);
  return rest.starts_with('#') || rest.starts_with("//");
}

} // namespace

std::variant<std::vector<Words>, TokenizeError> tokenizeLine(std::string_view line) {
  std::vector<Words> commands;
  if (isCommentLine(line)) {
    return commands;
  }
  Words words;
  std::string word;
  bool inWord = false;
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
  for (std::size_t i = 0; i < line.size(); ++i) {
    const char c = line[i];
    if (c == '"') {
      inWord = true;
      bool closed = false;
      for (++i; i < line.size(); ++i) {
        if (line[i] == '"') {
          closed = true;
          break;
        }
        if (line[i] == '\\' && i + 1 < line.size() && (line[i + 1] == '"' || line[i + 1] == '\\')) {
          ++i;
        }
        word += line[i];
      }
      if (!closed) {
        return TokenizeError{"unterminated quote"};
      }
    } else if (isBlank(c) || c == '\r' || c == '\n') {
      endWord();
    } else if (c == ';') {
      endCommand();
    } else {
      inWord = true;
      word += c;
    }
  }
  endCommand();
  return commands;
}

std::string quoteWordIfNeeded(std::string_view word) {
  const bool needsQuotes = word.empty() ||
                           word.find_first_of(" \t;\"\\\r\n") != std::string_view::npos ||
                           word.starts_with('#') || word.starts_with("//");
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

std::string joinWords(Words::const_iterator first, Words::const_iterator last) {
  std::string out;
  for (auto it = first; it != last; ++it) {
    if (it != first) {
      out += ' ';
    }
    out += quoteWordIfNeeded(*it);
  }
  return out;
}

} // namespace corvane::console

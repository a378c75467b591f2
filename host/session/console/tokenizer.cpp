// The console line tokenizer.
#include "tokenizer.h"

#include <algorithm>

namespace corvane::console {

namespace {

bool isCommentLine(std::string_view line) {
  const std::string_view rest = line.substr(std::min(line.find_first_not_of(" \t"), line.size()));
  return rest.starts_with('#') || rest.starts_with("//");
}

// Reads `line` as the console does, into `commands`, the words of the command
// still open and its last word; false when a quote is left open.
struct Scan {
  std::vector<Words> commands;
  Words words;
  std::string word;
  bool inWord = false;
  std::size_t wordStart = 0;
  bool quoted = false; // the last word opens with a quote

  void endWord() {
    if (inWord) {
      words.push_back(std::move(word));
      word.clear();
      inWord = false;
    }
  }
  void endCommand() {
    endWord();
    if (!words.empty()) {
      commands.push_back(std::move(words));
      words.clear();
    }
  }
  void startWord(std::size_t at, bool withQuote) {
    if (!inWord) {
      inWord = true;
      wordStart = at;
      quoted = withQuote;
    }
  }

  bool read(std::string_view line) {
    for (std::size_t i = 0; i < line.size(); ++i) {
      const char c = line[i];
      if (c == '"') {
        startWord(i, true);
        for (++i; i < line.size() && line[i] != '"'; ++i) {
          if (line[i] == '\\' && i + 1 < line.size() &&
              (line[i + 1] == '"' || line[i + 1] == '\\')) {
            ++i;
          }
          word += line[i];
        }
        if (i == line.size()) {
          return false; // no closing quote
        }
      } else if (c == ' ' || c == '\t' || c == '\r' || c == '\n') {
        endWord();
      } else if (c == ';') {
        endCommand();
      } else {
        startWord(i, false);
        word += c;
      }
    }
    return true;
  }
};

} // namespace

Expected<std::vector<Words>> tokenizeLine(std::string_view line) {
  if (isCommentLine(line)) {
    return std::vector<Words>{};
  }
  Scan scan;
  if (!scan.read(line)) {
    return Error{ErrorKind::BadInput, "unterminated quote"};
  }
  scan.endCommand();
  return std::move(scan.commands);
}

TypedCommand typedSoFar(std::string_view text) {
  Scan scan;
  scan.read(text);
  TypedCommand typed;
  typed.words = std::move(scan.words);
  if (scan.inWord) {
    typed.partial = std::move(scan.word);
    typed.partialLength = text.size() - scan.wordStart;
    typed.quoted = scan.quoted;
  }
  return typed;
}

std::string quoteWord(std::string_view word) {
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

std::string quoteWordIfNeeded(std::string_view word) {
  const bool needsQuotes = word.empty() ||
                           word.find_first_of(" \t;\"\\\r\n") != std::string_view::npos ||
                           word.starts_with('#') || word.starts_with("//");
  return needsQuotes ? quoteWord(word) : std::string(word);
}

std::string joinWords(Words::const_iterator first, Words::const_iterator last) {
  std::string out;
  for (auto it = first; it != last; ++it) {
    out += (it == first ? "" : " ") + quoteWordIfNeeded(*it);
  }
  return out;
}

} // namespace corvane::console

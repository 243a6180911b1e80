#include "script/var_split.h"

#include <cctype>

#include "script/keywords.h"

namespace zenta::script {

namespace {

// Walks a text keeping track of literals and brackets; `visit` sees each
// character at top level (outside literals and brackets) with its index.
// Returns false when the brackets do not balance.
template <typename F>
bool walkTopLevel(std::string_view text, F&& visit) {
  std::string open;
  char quote = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (quote != 0) {
      if (c == '\\') ++i;
      else if (c == quote) quote = 0;
      continue;
    }
    switch (c) {
      case '"': case '\'':
        if (open.empty() && !visit(i)) return true;
        quote = c;
        continue;
      case '(': case '[': case '{':
        if (open.empty() && !visit(i)) return true;
        open += c;
        continue;
      case ')': case ']': case '}': {
        const char expected = c == ')' ? '(' : c == ']' ? '[' : '{';
        if (open.empty() || open.back() != expected) return false;
        open.pop_back();
        continue;
      }
      default:
        if (open.empty() && !visit(i)) return true;
    }
  }
  return open.empty();
}

bool isBlank(char c) { return c == ' ' || c == '\t'; }

}  // namespace

std::string upper(std::string_view text) {
  std::string out(text);
  for (char& c : out) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return out;
}

SplitResult splitTopLevel(std::string_view text, std::string& before, std::string& after) {
  std::size_t comma = std::string_view::npos;
  // The whole text is walked so that a bracket left open after the comma is
  // found too.
  const bool balanced = walkTopLevel(text, [&](std::size_t i) {
    if (text[i] == ',' && comma == std::string_view::npos) comma = i;
    return true;
  });
  if (!balanced) {
    before = std::string(text);
    after.clear();
    return SplitResult::Unbalanced;
  }
  if (comma == std::string_view::npos) {
    before = std::string(text);
    after.clear();
    return SplitResult::NoComma;
  }
  before = std::string(text.substr(0, comma));
  after = std::string(text.substr(comma + 1));
  return SplitResult::Comma;
}

bool splitList(std::string_view text, std::vector<std::string>& pieces) {
  pieces.clear();
  std::size_t start = 0;
  const bool balanced = walkTopLevel(text, [&](std::size_t i) {
    if (text[i] == ',') {
      pieces.push_back(trim(text.substr(start, i - start)));
      start = i + 1;
    }
    return true;
  });
  pieces.push_back(trim(text.substr(start)));
  return balanced;
}

std::size_t findWord(std::string_view text, std::string_view word, std::size_t from) {
  const std::string w = upper(word);
  std::size_t found = std::string_view::npos;
  walkTopLevel(text, [&](std::size_t i) {
    if (i < from || i + w.size() > text.size()) return true;
    if (i > 0 && !isBlank(text[i - 1])) return true;
    const std::size_t end = i + w.size();
    if (end < text.size() && !isBlank(text[end])) return true;
    if (upper(text.substr(i, w.size())) != w) return true;
    found = i;
    return false;
  });
  return found;
}

bool startsWithWord(std::string_view text, std::string_view word, std::string_view followers) {
  if (text.size() < word.size() || upper(text.substr(0, word.size())) != upper(word)) return false;
  if (text.size() == word.size()) return true;
  const char next = text[word.size()];
  return isBlank(next) || followers.find(next) != std::string_view::npos;
}

}  // namespace zenta::script

// Cutting the text of a variable statement: the top-level comma splitter
// shared by every comma-separated list of the script, and the search of
// whole words outside literals and brackets.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace zenta::script {

enum class SplitResult {
  NoComma,     // no comma at top level: `before` is the whole text
  Comma,       // cut at the first top-level comma
  Unbalanced,  // a closing bracket that does not match the last open one, or one left open
};

// Cuts `text` at its first comma outside parentheses, brackets, braces,
// string literals and character literals (a backslash in a literal takes
// the next character with it). The brackets of the whole text are checked.
SplitResult splitTopLevel(std::string_view text, std::string& before, std::string& after);

// Every top-level piece of a comma-separated list, trimmed (one empty piece
// for an empty text). False when the brackets do not balance.
bool splitList(std::string_view text, std::vector<std::string>& pieces);

// Position of `word` (compared in upper case) as a whole word in `text`:
// outside literals and brackets, with a blank or a tab (or the start or end
// of the text) on either side. npos when absent.
std::size_t findWord(std::string_view text, std::string_view word, std::size_t from = 0);

// Whether the text starts with `word` (compared in upper case) followed by
// the end, a blank, a tab or one of the characters of `followers`.
bool startsWithWord(std::string_view text, std::string_view word, std::string_view followers = "");

// The upper-case copy of a text.
std::string upper(std::string_view text);

}  // namespace zenta::script

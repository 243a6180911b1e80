// The access path of a variable text: the root name and one element per
// index, field or dereference. Parsed by a table-driven state machine over
// nine character classes.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "model/pool.h"

namespace zenta::model {

enum PathElementKind { PathIndex = 0, PathField = 1, PathDereference = 2 };

struct PathElement {
  int kind = PathIndex;
  long lower = 0;
  long upper = 0;
  bool boundGiven = false;  // lower and upper are numbers from the text
  Handle text;              // the element as written (index text or field name)
};

struct AccessPath {
  Handle root;
  std::vector<PathElement> elements;
  std::string rootText() const { return text(root); }
  // Number of index elements.
  int indexCount() const;
};

// The text as the parser sees it: an "l"/"L" directly after a number that is
// not part of an identifier becomes a blank, the text is trimmed, and blanks
// and tabs outside string and character literals are removed except one
// blank between two word characters.
std::string normaliseVariableText(std::string_view text);

// Removes blanks and tabs outside string and character literals, keeping one
// blank between two word characters (letters, digits, '_' and '$').
std::string compressBlanksOutsideLiterals(std::string_view text);

// Character class (0 to 8) of the character at position i of a text, in the
// given parser state (the star is a dereference only in the initial state).
int characterClass(std::string_view text, std::size_t i, int state);

// Parses a variable text into a path whose texts are interned in the pool of
// the level. Returns false for a malformed text (the path is then partial).
bool parseAccessPath(std::string_view text, int level, AccessPath& path);

// Which (state, class) pairs of the table have been used since the start of
// the run (for the coverage of the parser's table by tests).
bool transitionUsed(int state, int characterClass);
int parserStateCount();

}  // namespace zenta::model

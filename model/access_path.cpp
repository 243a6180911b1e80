#include "model/access_path.h"

#include <array>
#include <cctype>
#include <climits>

namespace zenta::model {
namespace {

bool isWord(char c) { return std::isalnum(static_cast<unsigned char>(c)) || c == '_' || c == '$'; }

// Parser states.
enum State {
  SInitial = 0,
  SRoot,
  SIndexStart,
  SLower,
  SIndexText,
  SFirstDot,
  SRangeDot,
  SUpper,
  SAfterIndex,
  SFieldStart,
  SField,
  SString,
  SChar,
  SError,
  StateCount
};

// Actions of the transitions.
enum Action {
  ANone = 0,
  AError,
  AStartRoot,
  AAppendRoot,
  ADereference,
  AOpenIndex,
  ALowerDigit,
  AIndexText,
  AFirstDot,
  ASecondDot,
  AUpperDigit,
  ACloseIndex,
  ANextIndex,
  AFieldSeparator,
  AFieldChar,
  AOpenLiteral,
  ALiteralChar,
  ACloseLiteral,
  ANumberToText,
  ActionCount
};

struct Transition {
  unsigned char next;
  unsigned char action;
};

constexpr int kClasses = 9;
#define E {SError, AError}
// Indexed by state * 9 + class. Classes: 0 digit or '-' not before '>',
// 1 name characters, 2 '"', 3 '\'', 4 '[' (and '*' initially), 5 ']', 6 '.',
// 7 ',', 8 other.
constexpr Transition kTable[StateCount * kClasses] = {
    // SInitial
    E, {SRoot, AStartRoot}, E, E, {SInitial, ADereference}, E, E, E, E,
    // SRoot
    {SRoot, AAppendRoot}, {SRoot, AAppendRoot}, E, E, {SIndexStart, AOpenIndex}, E,
    {SFieldStart, AFieldSeparator}, {SRoot, AAppendRoot}, {SRoot, AAppendRoot},
    // SIndexStart
    {SLower, ALowerDigit}, {SIndexText, AIndexText}, {SString, AOpenLiteral}, {SChar, AOpenLiteral}, E, E, E, E,
    {SIndexText, AIndexText},
    // SLower
    {SLower, ALowerDigit}, {SIndexText, ANumberToText}, E, E, E, {SAfterIndex, ACloseIndex},
    {SFirstDot, AFirstDot}, {SIndexStart, ANextIndex}, {SIndexText, ANumberToText},
    // SIndexText
    {SIndexText, AIndexText}, {SIndexText, AIndexText}, {SString, AOpenLiteral}, {SChar, AOpenLiteral}, E,
    {SAfterIndex, ACloseIndex}, {SIndexText, AIndexText}, {SIndexStart, ANextIndex}, {SIndexText, AIndexText},
    // SFirstDot
    E, E, E, E, E, E, {SRangeDot, ASecondDot}, E, E,
    // SRangeDot
    {SUpper, AUpperDigit}, E, E, E, E, E, E, E, E,
    // SUpper
    {SUpper, AUpperDigit}, E, E, E, E, {SAfterIndex, ACloseIndex}, E, {SIndexStart, ANextIndex}, E,
    // SAfterIndex
    E, {SField, AFieldChar}, E, E, {SIndexStart, AOpenIndex}, E, {SFieldStart, AFieldSeparator}, E, E,
    // SFieldStart
    E, {SField, AFieldChar}, E, E, E, E, E, E, E,
    // SField
    {SField, AFieldChar}, {SField, AFieldChar}, E, E, {SIndexStart, AOpenIndex}, E,
    {SFieldStart, AFieldSeparator}, {SField, AFieldChar}, {SField, AFieldChar},
    // SString
    {SString, ALiteralChar}, {SString, ALiteralChar}, {SIndexText, ACloseLiteral}, {SString, ALiteralChar},
    {SString, ALiteralChar}, {SString, ALiteralChar}, {SString, ALiteralChar}, {SString, ALiteralChar},
    {SString, ALiteralChar},
    // SChar
    {SChar, ALiteralChar}, {SChar, ALiteralChar}, {SChar, ALiteralChar}, {SIndexText, ACloseLiteral},
    {SChar, ALiteralChar}, {SChar, ALiteralChar}, {SChar, ALiteralChar}, {SChar, ALiteralChar},
    {SChar, ALiteralChar},
    // SError
    E, E, E, E, E, E, E, E, E,
};
#undef E

std::array<bool, StateCount * kClasses>& usedPairs() {
  static std::array<bool, StateCount * kClasses> used{};
  return used;
}

// Work state of one parse.
struct Parse {
  int level;
  AccessPath* path;
  std::string root;
  std::string element;
  bool inElement = false;
  int elementKind = PathIndex;
  bool numeric = true;
  bool negativeLower = false;
  bool negativeUpper = false;
  long lower = 0;
  long upper = 0;
  bool range = false;
  bool escape = false;
  bool failed = false;

  void beginElement(int kind) {
    inElement = true;
    elementKind = kind;
    element.clear();
    numeric = kind == PathIndex;
    negativeLower = negativeUpper = false;
    lower = upper = 0;
    range = false;
  }
  void endElement() {
    if (!inElement) return;
    PathElement e;
    e.kind = elementKind;
    e.text = intern(level, element);
    if (elementKind == PathIndex && numeric && !element.empty() && element != "-") {
      e.lower = negativeLower ? -lower : lower;
      e.upper = range ? (negativeUpper ? -upper : upper) : e.lower;
      e.boundGiven = true;
    }
    path->elements.push_back(e);
    inElement = false;
  }
  static void accumulate(long& value, char c) {
    if (value > (LONG_MAX - 9) / 10) return;  // keeps the largest representable prefix
    value = value * 10 + (c - '0');
  }
};

}  // namespace

int AccessPath::indexCount() const {
  int n = 0;
  for (const PathElement& e : elements)
    if (e.kind == PathIndex) ++n;
  return n;
}

std::string compressBlanksOutsideLiterals(std::string_view s) {
  // Blanks outside literals go, except one between two word characters.
  std::string out;
  char quote = 0;
  bool escape = false;
  for (std::size_t i = 0; i < s.size(); ++i) {
    const char c = s[i];
    if (quote) {
      out += c;
      if (escape) escape = false;
      else if (c == '\\') escape = true;
      else if (c == quote) quote = 0;
      continue;
    }
    if (c == '"' || c == '\'') {
      quote = c;
      out += c;
      continue;
    }
    if (c == ' ' || c == '\t') {
      std::size_t j = i;
      while (j < s.size() && (s[j] == ' ' || s[j] == '\t')) ++j;
      if (!out.empty() && j < s.size() && isWord(out.back()) && isWord(s[j])) out += ' ';
      i = j - 1;
      continue;
    }
    out += c;
  }
  return out;
}

std::string normaliseVariableText(std::string_view in) {
  // An l or L suffix of a number becomes a blank.
  std::string s(in);
  for (std::size_t i = 0; i < s.size(); ++i) {
    if (!std::isdigit(static_cast<unsigned char>(s[i]))) continue;
    if (i > 0 && isWord(s[i - 1])) continue;  // part of an identifier
    std::size_t j = i;
    while (j < s.size() && std::isdigit(static_cast<unsigned char>(s[j]))) ++j;
    if (j < s.size() && (s[j] == 'l' || s[j] == 'L') && (j + 1 >= s.size() || !isWord(s[j + 1]))) s[j] = ' ';
    i = j;
  }
  // Trim.
  std::size_t b = 0, e = s.size();
  while (b < e && (s[b] == ' ' || s[b] == '\t')) ++b;
  while (e > b && (s[e - 1] == ' ' || s[e - 1] == '\t')) --e;
  s = s.substr(b, e - b);
  return compressBlanksOutsideLiterals(s);
}

int characterClass(std::string_view t, std::size_t i, int state) {
  const char c = t[i];
  if (c == '-') return (i + 1 < t.size() && t[i + 1] == '>') ? 1 : 0;
  if (std::isdigit(static_cast<unsigned char>(c))) return 0;
  if (std::isalpha(static_cast<unsigned char>(c))) return 1;
  switch (c) {
    case '_': case '$': case '^': case '@': case '+': case '/': case '&': case ':': case '>': case '(': case ')':
      return 1;
    case '*':
      return state == SInitial ? 4 : 1;
    case '"': return 2;
    case '\'': return 3;
    case '[': return 4;
    case ']': return 5;
    case '.': return 6;
    case ',': return 7;
    default: return 8;
  }
}

bool parseAccessPath(std::string_view input, int level, AccessPath& path) {
  path = AccessPath{};
  const std::string t = normaliseVariableText(input);
  Parse p{level, &path, {}, {}};
  int state = SInitial;
  for (std::size_t i = 0; i < t.size(); ++i) {
    const char c = t[i];
    const int cls = characterClass(t, i, state);
    const std::size_t at = static_cast<std::size_t>(state * kClasses + cls);
    const Transition tr = kTable[at];
    usedPairs()[at] = true;
    int next = tr.next;
    switch (tr.action) {
      case ANone: break;
      case AError: p.failed = true; break;
      case AStartRoot:
      case AAppendRoot: p.root += c; break;
      case ADereference:
        if (c != '*') {
          p.failed = true;
          next = SError;
          break;
        }
        p.beginElement(PathDereference);
        p.element.assign(1, '*');
        p.endElement();
        break;
      case AOpenIndex: p.endElement(); p.beginElement(PathIndex); break;
      case ALowerDigit:
        p.element += c;
        if (c == '-') {
          if (p.element.size() != 1) { p.numeric = false; next = SIndexText; }
          else p.negativeLower = true;
        } else {
          Parse::accumulate(p.lower, c);
        }
        break;
      case AIndexText:
      case ANumberToText: p.element += c; p.numeric = false; break;
      case AFirstDot: p.element += c; break;
      case ASecondDot: p.element += c; p.range = true; break;
      case AUpperDigit:
        p.element += c;
        if (c == '-') {
          if (p.element.back() == '-' && p.element.size() >= 2 && p.element[p.element.size() - 2] == '.' && !p.negativeUpper && p.upper == 0)
            p.negativeUpper = true;
          else { p.failed = true; next = SError; }
        } else {
          Parse::accumulate(p.upper, c);
        }
        break;
      case ACloseIndex: p.endElement(); break;
      case ANextIndex: p.endElement(); p.beginElement(PathIndex); break;
      case AFieldSeparator: p.endElement(); break;
      case AFieldChar:
        if (!p.inElement) p.beginElement(PathField);
        p.element += c;
        break;
      case AOpenLiteral: p.element += c; p.numeric = false; p.escape = false; break;
      case ALiteralChar:
        p.element += c;
        if (p.escape) p.escape = false;
        else if (c == '\\') p.escape = true;
        break;
      case ACloseLiteral:
        p.element += c;
        if (p.escape) {  // an escaped quote does not close the literal
          p.escape = false;
          next = state;
        }
        break;
      default: p.failed = true; break;
    }
    state = next;
  }
  if (state == SField || state == SFieldStart) p.endElement();
  path.root = intern(level, p.root);
  const bool accepted = state == SRoot || state == SAfterIndex || state == SField;
  return accepted && !p.failed && !p.root.empty();
}

bool transitionUsed(int state, int cls) {
  if (state < 0 || state >= StateCount || cls < 0 || cls >= kClasses) return false;
  return usedPairs()[static_cast<std::size_t>(state * kClasses + cls)];
}

int parserStateCount() { return StateCount; }

}  // namespace zenta::model

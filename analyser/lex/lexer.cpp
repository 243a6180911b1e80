#include "analyser/lex/lexer.h"

#include <array>
#include <cstdint>
#include <cstring>

#include "analyser/basic/dialect.h"
#include "analyser/lex/char_classes.h"

namespace zenta::analyser::lex {

Lexer::Lexer() : table_(identifiers()) {
  const KeywordSet set = keywordSetOfDialect();
  if (!keywordSetInstalled() || currentKeywordSet() != set) useKeywordSet(set);
  spaceship_ = set == KeywordSet::Cxx20;
  separators_ = dialectAtLeast(Dialect::Cxx14);
  start({}, Name(), 1);
}

void Lexer::start(std::string_view text, Name file, int line) {
  begin_ = text.data();
  end_ = begin_ + text.size();
  pos_ = highWater_ = begin_;
  line_ = line;
  file_ = file;
  lineStart_ = true;
  afterTemplate_ = false;
}

void Lexer::reset(const LexerMark& m) {
  pos_ = m.position;
  line_ = m.line;
  file_ = m.file;
  lineStart_ = m.lineStart;
  afterTemplate_ = m.afterTemplate;
}

void Lexer::report(const char* code, std::string argument) {
  if (quiet_ || hook_ == nullptr) return;
  hook_(3, code, argument, file_.text(), tokenLine_);
}

void Lexer::classify(Identifier* id, Token& t) {
  t.name = Name(id);
  if (id->keyword != 0) {
    t.code = static_cast<Tok>(id->keyword);
    return;
  }
  t.code = Tok::Identifier;
  if (classifier_ == nullptr) return;
  switch (classifier_->classify(t.name, scope_)) {
    case NameClass::Plain: break;
    case NameClass::Modifier: t.code = Tok::ModifierName; break;
    case NameClass::TemplateName: t.code = Tok::TemplateName; break;
    case NameClass::ClassName: t.code = Tok::ClassName; break;
    case NameClass::TypeName: t.code = Tok::TypeName; break;
  }
}

// Character and string literals, from the opening quote at `s`. A literal
// ends at its closing quote or, unclosed, at the end of its line.
const char* Lexer::quoted(const char* s, bool wide, Token& t) {
  const char quote = *s;
  const char* b = s + 1;
  const char* p = b;
  while (p < end_ && *p != quote && *p != '\n') p += (*p == '\\' && p + 1 < end_ && p[1] != '\n') ? 2 : 1;
  const bool closed = p < end_ && *p == quote;
  t.body = {b, static_cast<std::size_t>(p - b)};
  if (closed) ++p;
  const char* from = wide ? s - 1 : s;
  if (quote == '"') {
    t.code = Tok::StringLiteral;
    t.constant.wide = wide;
  } else {
    t.code = Tok::CharConstant;
    convertCharacter(t.body, wide, closed, {from, static_cast<std::size_t>(p - from)}, t.constant, *this);
  }
  return p;
}

namespace {

// Length of a floating constant at `s`, 0 when there is none: digits with a
// fraction and/or an exponent, then an optional suffix. Script texts need
// digits after the point (`1.` is an integer and a dot there, so that `0..9`
// is a range) and take an exponent only right after digits.
std::size_t floatLength(const char* s, const char* end, bool script) {
  const char* p = s;
  while (p < end && isDigit(*p)) ++p;
  const bool intDigits = p > s;
  bool fraction = false;
  if (p < end && *p == '.') {
    const char* q = p + 1;
    while (q < end && isDigit(*q)) ++q;
    if (q > p + 1 || (intDigits && !script)) {
      fraction = true;
      p = q;
    }
  }
  bool exponent = false;
  if (p < end && (*p == 'e' || *p == 'E') && (intDigits || fraction)) {
    const char* q = p + 1;
    if (q < end && (*q == '+' || *q == '-')) ++q;
    if (q < end && isDigit(*q)) {
      while (q < end && isDigit(*q)) ++q;
      p = q;
      exponent = true;
    }
  }
  if (!fraction && !exponent) return 0;
  if (p < end && (*p == 'f' || *p == 'F' || *p == 'l' || *p == 'L')) ++p;
  return static_cast<std::size_t>(p - s);
}

}  // namespace

// Numbers, from a digit or a point followed by a digit: the longest of the
// rules that apply is taken.
template <bool Script>
const char* Lexer::number(const char* s, Token& t) {
  const char* end = end_;
  const std::size_t floatLen = floatLength(s, end, Script);

  // C integers: hexadecimal, octal (`089` is `0` then `89`), decimal.
  std::size_t intLen = 0;
  int base = 10;
  std::string_view digits;
  if (isDigit(*s)) {
    const char* p = s;
    if (*s == '0' && end - s > 2 && (s[1] == 'x' || s[1] == 'X') && isHexDigit(s[2])) {
      base = 16;
      p = s + 2;
      while (p < end && isHexDigit(*p)) ++p;
      digits = {s + 2, static_cast<std::size_t>(p - s - 2)};
    } else if (*s == '0') {
      base = 8;
      ++p;
      while (p < end && *p >= '0' && *p <= '7') ++p;
      digits = {s, static_cast<std::size_t>(p - s)};
    } else {
      while (p < end && isDigit(*p)) ++p;
      digits = {s, static_cast<std::size_t>(p - s)};
    }
    intLen = static_cast<std::size_t>(p - s);
  }

  // Script notations: binary `101b`, hexadecimal `0FFh`.
  std::size_t binLen = 0, hLen = 0;
  if constexpr (Script) {
    if (isDigit(*s)) {
      const char* p = s;
      while (p < end && (*p == '0' || *p == '1')) ++p;
      if (p > s && p < end && (*p == 'b' || *p == 'B')) binLen = static_cast<std::size_t>(p + 1 - s);
      p = s + 1;
      while (p < end && isHexDigit(*p)) ++p;
      if (p < end && (*p == 'h' || *p == 'H')) hLen = static_cast<std::size_t>(p + 1 - s);
    }
  }

  IntegerSuffix suffix;
  if (intLen > 0) intLen += scanIntegerSuffix({s + intLen, static_cast<std::size_t>(end - s - intLen)}, suffix);

  if (floatLen > intLen && floatLen > binLen && floatLen > hLen) {
    t.code = Tok::FloatConstant;
    const char last = s[floatLen - 1];
    const bool hasSuffix = last == 'f' || last == 'F' || last == 'l' || last == 'L';
    t.floatSuffix = !hasSuffix ? FloatSuffix::None
                               : (last == 'f' || last == 'F' ? FloatSuffix::Float : FloatSuffix::LongDouble);
    t.body = {s, floatLen - (hasSuffix ? 1 : 0)};
    return s + floatLen;
  }
  t.code = Tok::IntegerConstant;
  std::size_t len = intLen;
  if (binLen > len || hLen > len) {
    suffix = IntegerSuffix{};
    if (hLen > binLen) {
      base = 16;
      len = hLen;
    } else {
      base = 2;
      len = binLen;
    }
    digits = {s, len - 1};
  }
  convertInteger(digits, base, suffix, {s, len}, t.constant, *this);
  return s + len;
}

template <bool Script>
void Lexer::scan(Token& t) {
  const char* p = pos_;
  const char* const end = end_;
  for (; p < end; ++p) {
    const char c = *p;
    if (isBlank(c)) continue;
    if (c == '\n') {
      ++line_;
      lineStart_ = true;
      continue;
    }
    if constexpr (!Script) {
      if (c == '#' && lineStart_) {
        p = directiveLine(p) - 1;
        continue;
      }
    }
    break;
  }
  t.line = tokenLine_ = line_;
  t.file = file_;
  if (p >= end) {
    t.code = Tok::End;
    t.text = {p, 0};
    pos_ = p;
    if (p > highWater_) highWater_ = p;
    return;
  }
  lineStart_ = false;
  quiet_ = p < highWater_;
  const char* const s = p;
  const char c = *p++;

  if (afterTemplate_) {
    afterTemplate_ = false;
    if (c == '<') {
      t.code = Tok::TemplateLess;
      goto done;
    }
  }

  if (isIdentStart(c)) {
    std::uint32_t h = (2166136261u ^ static_cast<unsigned char>(c)) * 16777619u;
    while (p < end && isIdentPart(*p)) h = (h ^ static_cast<unsigned char>(*p++)) * 16777619u;
    if (c == 'L' && p == s + 1 && p < end && (*p == '\'' || *p == '"')) {
      p = quoted(p, true, t);
      goto done;
    }
    classify(table_.get({s, static_cast<std::size_t>(p - s)}, h), t);
    if constexpr (!Script) afterTemplate_ = t.code == Tok::TemplateName;
    goto done;
  }
  if (isDigit(c) || (c == '.' && p < end && isDigit(*p))) {
    if (!Script && separators_) {
      // From C++14 `'` may separate the digits of a number (`1'000'000`):
      // the number is read without them.
      const char* q = s;
      bool separated = false;
      while (q < end && (isIdentPart(*q) || *q == '.' || (*q == '\'' && q + 1 < end && isIdentPart(q[1])))) {
        if (*q == '\'') separated = true;
        if ((*q == 'e' || *q == 'E' || *q == 'p' || *q == 'P') && q + 1 < end && (q[1] == '+' || q[1] == '-')) ++q;
        ++q;
      }
      if (separated) {
        std::string& clean = numberScratch_;
        clean.clear();
        for (const char* r = s; r < q; ++r)
          if (*r != '\'') clean += *r;
        const char* const savedEnd = end_;
        end_ = clean.data() + clean.size();
        const char* read = number<Script>(clean.data(), t);
        end_ = savedEnd;
        std::size_t consumed = static_cast<std::size_t>(read - clean.data());
        p = s;
        while (consumed > 0 && p < q) {
          if (*p != '\'') --consumed;
          ++p;
        }
        goto done;
      }
    }
    p = number<Script>(s, t);
    goto done;
  }

  {
    // Operators and punctuators, longest first.
    auto next = [&](char x) { return p < end && *p == x ? (++p, true) : false; };
    switch (c) {
      case '(': t.code = Tok::LParen; break;
      case ')': t.code = Tok::RParen; break;
      case '[': t.code = Tok::LBracket; break;
      case ']': t.code = Tok::RBracket; break;
      case '{': t.code = Tok::LBrace; break;
      case '}': t.code = Tok::RBrace; break;
      case ',': t.code = Tok::Comma; break;
      case ';': t.code = Tok::Semicolon; break;
      case '?': t.code = Tok::Question; break;
      case '~': t.code = Tok::Tilde; break;
      case ':': t.code = next(':') ? Tok::ColonColon : Tok::Colon; break;
      case '.':
        if (p + 1 < end && p[0] == '.' && p[1] == '.') {
          p += 2;
          t.code = Tok::Ellipsis;
        } else if (next('*')) {
          t.code = Tok::DotStar;
        } else if (Script && next('.')) {
          t.code = Tok::DotDot;
        } else {
          t.code = Tok::Dot;
        }
        break;
      case '-':
        if (next('>'))
          t.code = next('*') ? Tok::ArrowStar : Tok::Arrow;
        else if (next('-'))
          t.code = Tok::MinusMinus;
        else
          t.code = next('=') ? Tok::MinusAssign : Tok::Minus;
        break;
      case '+':
        if (next('+'))
          t.code = Tok::PlusPlus;
        else
          t.code = next('=') ? Tok::PlusAssign : Tok::Plus;
        break;
      case '<':
        if (next('<'))
          t.code = next('=') ? Tok::ShiftLeftAssign : Tok::ShiftLeft;
        else if (next('='))
          t.code = spaceship_ && next('>') ? Tok::Spaceship : Tok::LessEqual;
        else
          t.code = Tok::Less;
        break;
      case '>':
        if (next('>'))
          t.code = next('=') ? Tok::ShiftRightAssign : Tok::ShiftRight;
        else
          t.code = next('=') ? Tok::GreaterEqual : Tok::Greater;
        break;
      case '=':
        if (next('='))
          t.code = Tok::Equal;
        else if (Script && next('>'))
          t.code = Tok::Associate;
        else
          t.code = Tok::Assign;
        break;
      case '!': t.code = next('=') ? Tok::NotEqual : Tok::Not; break;
      case '*': t.code = next('=') ? Tok::StarAssign : Tok::Star; break;
      case '/': t.code = next('=') ? Tok::SlashAssign : Tok::Slash; break;
      case '%': t.code = next('=') ? Tok::PercentAssign : Tok::Percent; break;
      case '^': t.code = next('=') ? Tok::CaretAssign : Tok::Caret; break;
      case '&':
        if (next('&'))
          t.code = Tok::AmpAmp;
        else
          t.code = next('=') ? Tok::AmpAssign : Tok::Amp;
        break;
      case '|':
        if (next('|'))
          t.code = Tok::PipePipe;
        else
          t.code = next('=') ? Tok::PipeAssign : Tok::Pipe;
        break;
      case '\'':
      case '"':
        p = quoted(s, false, t);
        break;
      case '@': t.code = Script ? Tok::Unknown : Tok::At; break;
      case '#': t.code = Script ? Tok::Hash : Tok::Unknown; break;
      default: t.code = Tok::Unknown; break;
    }
  }

done:
  t.text = {s, static_cast<std::size_t>(p - s)};
  pos_ = p;
  if (p > highWater_) highWater_ = p;
}

template void Lexer::scan<false>(Token& t);
template void Lexer::scan<true>(Token& t);

}  // namespace zenta::analyser::lex

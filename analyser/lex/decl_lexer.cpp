#include "analyser/lex/decl_lexer.h"

#include <cstring>

#include "analyser/basic/target_widths.h"
#include "analyser/lex/char_classes.h"

namespace zenta::analyser::lex {

namespace {

// A cursor over one `#` line.
struct LineReader {
  const char* p;
  const char* end;

  void blanks() {
    while (p < end && isBlank(*p)) ++p;
  }
  std::string_view word() {
    blanks();
    const char* s = p;
    while (p < end && isIdentPart(*p)) ++p;
    return {s, static_cast<std::size_t>(p - s)};
  }
  bool digits(int& value) {
    blanks();
    if (p >= end || !isDigit(*p)) return false;
    long long v = 0;
    for (; p < end && isDigit(*p); ++p)
      if (v < 1000000000) v = v * 10 + (*p - '0');
    value = static_cast<int>(v < 1000000000 ? v : 1000000000);
    return true;
  }
  bool take(char c) {
    blanks();
    if (p < end && *p == c) {
      ++p;
      return true;
    }
    return false;
  }
};

bool allDigits(std::string_view w) {
  if (w.empty()) return false;
  for (char c : w)
    if (!isDigit(c)) return false;
  return true;
}

}  // namespace

// A line that begins with `#`, from that `#`; returns the end of the line
// (its newline, or the end of the input).
const char* Lexer::directiveLine(const char* p) {
  const char* eol = static_cast<const char*>(std::memchr(p, '\n', static_cast<std::size_t>(end_ - p)));
  if (eol == nullptr) eol = end_;
  LineReader r{p + 1, eol};
  const char* wordStart = r.p;
  std::string_view w = r.word();
  int number = 0;
  if (w == "line") {
    if (!r.digits(number)) return eol;
  } else if (allDigits(w)) {
    r.p = wordStart;
    r.digits(number);
  } else {
    if (w == "pragma" && p >= highWater_) widthPragma({r.p, static_cast<std::size_t>(eol - r.p)});
    return eol;
  }
  // A line marker: the next line is `number`.
  if (r.take('"')) {
    const char* name = r.p;
    while (r.p < eol && *r.p != '"') ++r.p;
    const std::string_view text{name, static_cast<std::size_t>(r.p - name)};
    file_ = text.empty() ? Name() : internName(text);
  }
  line_ = number - 1;
  return eol;
}

// The rest of a `#pragma` line. Only `zenta sizeof` and `zenta signof` (or
// an abbreviation of them, as the preprocessor accepts) act here. NAME may
// be written in several words (`long long`); they are joined.
void Lexer::widthPragma(std::string_view line) {
  LineReader r{line.data(), line.data() + line.size()};
  if (r.word() != "zenta") return;
  const std::string_view keyword = r.word();
  if (keyword.empty()) return;
  const bool isSizeof = std::string_view("sizeof").starts_with(keyword);
  if (!isSizeof && !std::string_view("signof").starts_with(keyword)) return;
  std::string name;
  for (std::string_view part = r.word(); !part.empty(); part = r.word()) name += part;
  if (name.empty() || !r.take('=')) return;
  int bits = 0;
  bool isUnsigned = false;
  if (isSizeof) {
    if (!r.digits(bits) || bits < 1 || bits > 64) return;
  } else {
    const std::string_view value = r.word();
    if (value != "signed" && value != "unsigned") return;
    isUnsigned = value == "unsigned";
  }
  if (pragmaSink_ != nullptr) {
    const Name n = internName(name);
    if (isSizeof ? pragmaSink_->setTypedefWidth(n, bits) : pragmaSink_->setTypedefSignedness(n, isUnsigned))
      return;
  }
  BaseWidth which;
  switch (name[0]) {
    case 'c': which = BaseWidth::Char; break;
    case 's': which = BaseWidth::Short; break;
    case 'i': which = BaseWidth::Int; break;
    case 'l': which = name.size() >= 5 && name[4] == 'l' ? BaseWidth::LongLong : BaseWidth::Long; break;
    default: return;
  }
  if (isSizeof)
    setTargetWidth(which, bits);
  else
    setTargetUnsigned(which, isUnsigned);
}

}  // namespace zenta::analyser::lex

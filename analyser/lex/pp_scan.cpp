// The scanner: copies input to output, removing comments, keeping literals
// intact, recognising directives at the start of lines, expanding macro names
// and keeping the output's lines in step with the input through line markers.
//
// Input comes from a stack of frames (files, texts, macro expansions and
// argument scans). The main loop never recurses for files or expansions; only
// the separate expansion of macro arguments and of directive lines scans a
// text on its own, and those frames count against the same depth limit.
#include <algorithm>
#include <array>
#include <cstring>

#include "analyser/lex/pp_state.h"

namespace zenta::analyser::pp {

namespace {

// Character classes of the scanner's inner loop.
enum : unsigned char { CPlain = 0, CNewline, CSlash, CQuote, CIdent, CDigit, CMark };

struct ScanClasses {
  unsigned char c[256] = {};
  ScanClasses() {
    for (int i = 0; i < 256; ++i) {
      if (kChars.start[i]) c[i] = CIdent;
      else if (i >= '0' && i <= '9') c[i] = CDigit;
    }
    c[static_cast<unsigned char>('\n')] = CNewline;
    c[static_cast<unsigned char>('/')] = CSlash;
    c[static_cast<unsigned char>('"')] = CQuote;
    c[static_cast<unsigned char>('\'')] = CQuote;
    c[static_cast<unsigned char>(kNoExpand)] = CMark;
    c[static_cast<unsigned char>(kSeparator)] = CMark;
  }
};

const ScanClasses& classes() {
  static const ScanClasses k;
  return k;
}

// Characters that may run together into a longer punctuator.
const std::array<bool, 256> kPunctuators = [] {
  std::array<bool, 256> t{};
  for (const char* p = "+-*/%<>=!&|^:#."; *p; ++p) t[static_cast<unsigned char>(*p)] = true;
  return t;
}();
bool punctuator(char c) { return kPunctuators[static_cast<unsigned char>(c)]; }

}  // namespace

bool wouldPaste(const std::string& buf, char b) {
  char a = buf.back();
  if (b == kNoExpand) b = 'a';
  if (isIdentPart(a) && (isIdentPart(b) || b == '\'' || b == '"')) return true;
  if (punctuator(a) && punctuator(b)) return true;
  if (a == '.' && isDigit(b)) return true;
  if (isDigit(a) && b == '.') {
    // Only a number continues with a dot: find the start of the last token.
    std::size_t i = buf.size();
    while (i > 0 && (isIdentPart(buf[i - 1]) || buf[i - 1] == '.')) --i;
    return isDigit(buf[i]) || buf[i] == '.';
  }
  return false;
}

namespace {

// Skips a literal starting at p (a quote); gives the position after it, or the
// position of the newline (or end) when it is not closed on its line.
const char* skipLiteral(const char* p, const char* end, bool& closed) {
  char quote = *p++;
  while (p < end) {
    char c = *p;
    if (c == quote) {
      closed = true;
      return p + 1;
    }
    if (c == '\n') break;
    if (c == '\\' && p + 1 < end && p[1] != '\n') p += 2;
    else ++p;
  }
  closed = false;
  return p;
}

// From the start of a line: skips blanks and block comments (a comment may
// run over several lines; their newlines are added to `newlines`) and gives
// the '#' that follows, or nullptr when anything else comes first. Comments
// are blanks: a '#' after them still begins a directive. The first comment
// passed is remembered in `memo` when given: when no directive follows, the
// scan meets that comment next and need not look for its end again.
const char* directiveHash(const char* p, const char* end, int& newlines, Frame* memo = nullptr) {
  for (;;) {
    while (p < end && isHSpace(*p)) ++p;
    if (p >= end) return nullptr;
    if (*p == '#') return p;
    if (*p != '/' || p + 1 >= end || p[1] != '*') return nullptr;
    const char* close = commentClose(p + 2, end);
    if (!close) return nullptr;
    int lines = countNewlines(p, close);
    if (memo) {
      memo->commentAt = p;
      memo->commentClose = close;
      memo->commentLines = lines;
      memo = nullptr;
    }
    newlines += lines;
    p = close + 2;
  }
}

}  // namespace

// ---------------------------------------------------------------- frames

Frame* Preprocessor::pushFrame(FrameKind kind) {
  if (top_ >= kMaxFrames - 1) {
    limitHit_ = true;
    report(1, "NBRECURSI", std::string());
    return nullptr;
  }
  if (static_cast<std::size_t>(++top_) == frames_.size()) frames_.emplace_back();
  Frame& f = frames_[top_];
  f.text = nullptr;
  f.len = f.pos = 0;
  f.owned.clear();
  f.shared.reset();
  f.file.clear();
  f.named = false;
  f.line = 1;
  f.macro = nullptr;
  f.def.reset();
  f.condDepth = static_cast<int>(conds_.size());
  f.foundIn = -1;
  f.commentAt = nullptr;
  f.kind = kind;
  f.bol = true;
  return &f;
}

void Preprocessor::popFrame(Out* out) {
  if (top_ < 0) return;
  Frame& f = frames_[top_];
  if (f.macro) {
    --f.macro->busy;
    f.macro = nullptr;
    f.def.reset();
  }
  FrameKind kind = f.kind;
  if (f.owned.capacity() > (1u << 20)) std::string().swap(f.owned);
  else f.owned.clear();
  f.shared.reset();
  --top_;
  if (!out) return;
  if (kind == FrameKind::File && !out->intermediate) {
    out->pending = true;
    out->forceMarker = true;
  }
  if (kind == FrameKind::Macro) out->checkPaste = true;
}

// ---------------------------------------------------------------- output

void writeMarker(Out& out, int line, const std::string& file) {
  if (!out.buf.empty() && out.buf.back() != '\n') out.buf += '\n';
  out.buf += "#line ";
  out.buf += std::to_string(line);
  out.buf += " \"";
  out.buf += file;
  out.buf += "\"\n";
  out.line = line;
  out.file = file;
  out.pending = out.forceMarker = false;
}

// Brings the output in line with the input before `next` is written: nothing
// when the lines agree, newlines when the input is 1 to 7 lines ahead, a line
// marker otherwise; then a blank when `next` would paste onto the last byte
// (a separator in a text that is scanned again: it may still be stringised).
void Preprocessor::resolve(Out& o, char next) {
  if (o.pending) {
    Frame* src = innermostSource();
    if (src && !o.intermediate) {
      if (o.forceMarker || src->file != o.file) {
        writeMarker(o, src->line, src->file);
      } else {
        int ahead = src->line - o.line;
        if (ahead >= 1 && ahead <= 7) {
          o.buf.append(static_cast<std::size_t>(ahead), '\n');
          o.line += ahead;
        } else if (ahead != 0) {
          writeMarker(o, src->line, src->file);
        }
      }
    }
    o.pending = o.forceMarker = false;
  }
  if (o.checkPaste) {
    if (!o.buf.empty() && wouldPaste(o.buf, next)) o.buf += o.intermediate ? kSeparator : ' ';
    o.checkPaste = false;
  }
}

void Preprocessor::emitRaw(Out& out, const char* s, std::size_t n) {
  if (!n) return;
  if (out.flags()) resolve(out, s[0]);
  out.buf.append(s, n);
}

// Skips a comment at p ('/' followed by '*' or '/'). A block comment becomes
// one blank, followed by the newlines it held when `output` is set.
const char* Preprocessor::skipComment(Out& o, Frame& f, const char* p, const char* end, bool output) {
  if (p[1] == '/') {
    const void* nl = std::memchr(p, '\n', static_cast<std::size_t>(end - p));
    return nl ? static_cast<const char*>(nl) : end;
  }
  const char* close;
  int newlines;
  if (p == f.commentAt) {
    close = f.commentClose;  // found by the look for a directive
    newlines = f.commentLines;
  } else {
    close = commentClose(p + 2, end);
    newlines = countNewlines(p, close ? close : end);
  }
  if (!close) report(3, "UNTERCOMM", std::string());
  if (f.source()) f.line += static_cast<int>(newlines);
  if (output) {
    if (o.flags()) resolve(o, ' ');
    o.buf += ' ';
    if (newlines) {
      o.buf.append(static_cast<std::size_t>(newlines), '\n');
      o.line += newlines;
      if (!f.source()) o.pending = true;
    }
  }
  return close ? close + 2 : end;
}

// Extracts a directive line starting at '#': its text after the '#' with
// comments turned into blanks, and the number of newlines it spans (the final
// one included). The frame's position moves past it.
void Preprocessor::extractLine(Out& o, Frame& f, const char* p, int& newlines, std::string& line) {
  // Bytes that end a run of the line's text.
  static const auto stops = [] {
    std::array<bool, 256> t{};
    for (unsigned char c : {'\n', '/', '"', '\''}) t[c] = true;
    return t;
  }();
  const char* end = f.text + f.len;
  newlines = 0;
  ++p;  // the '#'
  const char* q = p;
  while (q < end && !stops[static_cast<unsigned char>(*q)]) ++q;
  if (q == end || *q == '\n') {
    // Most directive lines hold no comment and no literal: taken whole.
    line.assign(p, q);
    newlines = q < end ? 1 : 0;
    f.pos = static_cast<std::size_t>((q < end ? q + 1 : q) - f.text);
    return;
  }
  line.assign(p, q);
  p = q;
  while (p < end) {
    const char* run = p;
    while (p < end && !stops[static_cast<unsigned char>(*p)]) ++p;
    line.append(run, p);
    if (p >= end) break;
    char c = *p;
    if (c == '\n') {
      ++newlines;
      ++p;
      break;
    }
    if (c == '/' && p + 1 < end && (p[1] == '*' || p[1] == '/')) {
      int before = f.line;
      const char* r = skipComment(o, f, p, end, false);
      newlines += f.line - before;
      f.line = before;
      line += ' ';
      p = r;
      continue;
    }
    if (c == '"' || c == '\'') {
      bool closed;
      const char* r = skipLiteral(p, end, closed);
      line.append(p, static_cast<std::size_t>(r - p));
      p = r;
      continue;
    }
    line += c;
    ++p;
  }
  f.pos = static_cast<std::size_t>(p - f.text);
}

// At the beginning of a line of a source frame: carries out a directive.
// Returns true when the line was a directive (consumed).
bool Preprocessor::lineStart(Out& o, Frame& f) {
  const char* start = f.text + f.pos;
  const char* end = f.text + f.len;
  int commentLines = 0;
  const char* p = directiveHash(start, end, commentLines, &f);
  if (!p) {
    f.bol = false;
    return false;
  }
  const bool comments = std::find(start, p, '/') != p;
  f.line += commentLines;
  int newlines = 0;
  Lent<std::string> line(lineScratch_);
  extractLine(o, f, p, newlines, line.value);
  int index = static_cast<int>(&f - frames_.data());
  if (!directive(o, f, line.value, newlines)) {
    // Not a directive: the line is ordinary text, from its '#' (or from its
    // start when comments come first).
    f.line -= commentLines;
    f.pos = static_cast<std::size_t>((comments ? start : p) - f.text);
    f.bol = false;
    return false;
  }
  // The directive may have pushed frames above f; f itself is still there.
  Frame& g = frames_[index];
  g.line += newlines;
  g.bol = true;
  if (!o.intermediate) o.pending = true;
  return true;
}

namespace {

// A group that is not taken: only conditional directives count; comments and
// literals are recognised so that a '#' inside them does not.
bool conditionalName(const char* p, const char* end) {
  std::size_t n = 0;
  while (p + n < end && p[n] >= 'a' && p[n] <= 'z') ++n;
  std::string_view w(p, n);
  return w == "if" || w == "ifdef" || w == "ifndef" || w == "else" || w == "elif" || w == "endif";
}

}  // namespace

void Preprocessor::skipGroup(Out& o, Frame& f) {
  static const auto stops = [] {
    std::array<bool, 256> t{};
    for (unsigned char c : {'\n', '/', '"', '\''}) t[c] = true;
    return t;
  }();
  const char* p = f.text + f.pos;
  const char* end = f.text + f.len;
  bool bol = f.bol;
  while (p < end) {
    if (bol) {
      bol = false;
      int commentLines = 0;
      if (const char* hash = directiveHash(p, end, commentLines)) {
        p = hash;
        f.line += commentLines;
        const char* q = p + 1;
        while (q < end && isHSpace(*q)) ++q;
        if (!conditionalName(q, end)) {
          // Any other directive is skipped like text.
          p = q;
          continue;
        }
        int newlines = 0;
        Lent<std::string> line(lineScratch_);
        extractLine(o, f, p, newlines, line.value);
        conditionalInSkip(f, line.value);
        f.line += newlines;
        f.bol = true;
        if (!o.intermediate) o.pending = true;
        if (!skipping()) return;
        p = f.text + f.pos;
        bol = true;
        continue;
      }
      if (p >= end) break;
    }
    while (p < end && !stops[static_cast<unsigned char>(*p)]) ++p;
    if (p >= end) break;
    char c = *p;
    if (c == '\n') {
      ++f.line;
      bol = true;
      ++p;
    } else if (c == '/') {
      if (p + 1 < end && (p[1] == '*' || p[1] == '/')) p = skipComment(o, f, p, end, false);
      else ++p;
    } else {
      bool closed;
      p = skipLiteral(p, end, closed);
    }
  }
  f.pos = f.len;
  f.bol = bol;
}

// Where the text after p (a line start or the middle of a line) holds only
// blanks, newlines and closed comments up to the first '#' that starts a
// line: gives that '#', or `end` when the text ends first, or nullptr when
// anything else comes first. This is what a scan whose output is pending
// passes without writing or reporting anything.
const char* Preprocessor::blanksAndComments(Out& o, Frame& f, const char* p, const char* end, bool bol) {
  while (p < end) {
    if (bol) {
      while (p < end && isHSpace(*p)) ++p;
      if (p >= end) return end;
      if (*p == '#') return p;
      bol = false;
    }
    char c = *p;
    if (isHSpace(c)) {
      ++p;
    } else if (c == '\n') {
      ++p;
      bol = true;
    } else if (c == '/' && p + 1 < end && (p[1] == '*' || p[1] == '/')) {
      int before = quietReports_;
      p = skipComment(o, f, p, end, false);
      if (quietReports_ != before) return nullptr;
    } else {
      return nullptr;
    }
  }
  return end;
}

namespace {

// The first word of a directive line, as the directive handlers take it.
std::string_view directiveWord(const std::string& line) {
  std::size_t i = 0;
  while (i < line.size() && isSpace(line[i])) ++i;
  std::size_t b = i;
  while (i < line.size() && isIdentPart(line[i])) ++i;
  return std::string_view(line).substr(b, i - b);
}

}  // namespace

// The name of the `#ifndef NAME` line that starts the significant text, and
// the position after that line; empty when the text does not start so.
std::string Preprocessor::guardCandidate(const std::string& text, const char*& after) {
  Frame f;
  f.kind = FrameKind::Text;
  f.text = text.data();
  f.len = text.size();
  Out o;
  o.intermediate = true;
  const char* const begin = text.data();
  const char* const end = begin + text.size();

  // Before the group: nothing but blanks and comments.
  const char* p = blanksAndComments(o, f, begin, end, true);
  if (!p || p >= end) return {};

  // `#ifndef NAME` alone on its line.
  const char* q = p + 1;
  while (q < end && isHSpace(*q)) ++q;
  if (static_cast<std::size_t>(end - q) < 7 || std::memcmp(q, "ifndef", 6) != 0 || !isHSpace(q[6]))
    return {};
  q += 6;
  while (q < end && isHSpace(*q)) ++q;
  if (q >= end || !isIdentStart(*q)) return {};
  const char* name = q;
  while (q < end && isIdentPart(*q)) ++q;
  std::string guard(name, q);
  while (q < end && isHSpace(*q)) ++q;
  if (q >= end || *q != '\n') return {};
  after = q + 1;
  return guard;
}

// Whether the text from p (after the guard's line) is the rest of the
// guard's group, passed without any message by a skipping scan, followed by
// blanks and comments only.
bool Preprocessor::guardGroup(const std::string& text, const char* p) {
  Frame f;
  f.kind = FrameKind::Text;
  f.text = text.data();
  f.len = text.size();
  Out o;
  o.intermediate = true;
  const char* const begin = text.data();
  const char* const end = begin + text.size();

  // The group, passed as a skipping scan passes it: `sawElse` per open
  // conditional, the guard's own first. An #else or #elif of the guard's
  // conditional would end the skip; a second #else, an #elif after #else
  // or an unclosed comment would raise a message.
  std::vector<bool> sawElse{false};
  bool bol = true;
  bool closed = false;
  while (p < end && !closed) {
    if (bol) {
      bol = false;
      int commentLines = 0;
      if (const char* hash = directiveHash(p, end, commentLines)) {
        p = hash;
        const char* r = p + 1;
        while (r < end && isHSpace(*r)) ++r;
        if (!conditionalName(r, end)) {
          p = r;
          continue;
        }
        int newlines = 0;
        int before = quietReports_;
        Lent<std::string> line(lineScratch_);
        extractLine(o, f, p, newlines, line.value);
        if (quietReports_ != before) return false;
        std::string_view w = directiveWord(line.value);
        if (w == "if" || w == "ifdef" || w == "ifndef") {
          sawElse.push_back(false);
        } else if (w == "else" || w == "elif") {
          if (sawElse.size() == 1 || sawElse.back()) return false;
          if (w == "else") sawElse.back() = true;
        } else if (w == "endif") {
          sawElse.pop_back();
          closed = sawElse.empty();
        }
        p = begin + f.pos;
        bol = true;
        continue;
      }
      if (p >= end) break;
    }
    while (p < end && *p != '\n' && *p != '/' && *p != '"' && *p != '\'') ++p;
    if (p >= end) break;
    char c = *p;
    if (c == '\n') {
      bol = true;
      ++p;
    } else if (c == '/') {
      if (p + 1 < end && p[1] == '/') {
        const void* nl = std::memchr(p, '\n', static_cast<std::size_t>(end - p));
        p = nl ? static_cast<const char*>(nl) : end;
      } else if (p + 1 < end && p[1] == '*') {
        // Where skipComment would stop; an unclosed comment has a message.
        const char* close = commentClose(p + 2, end);
        if (!close) return false;
        p = close + 2;
      } else {
        ++p;
      }
    } else {
      bool ended;
      p = skipLiteral(p, end, ended);
    }
  }
  if (!closed) return false;

  // After it: blanks and comments only, to the end.
  if (blanksAndComments(o, f, p, end, true) != end) return false;
  return true;
}

std::string Preprocessor::findGuardCandidate(const std::string& text, std::size_t& after) {
  const char* a = nullptr;
  ++quiet_;
  std::string name = guardCandidate(text, a);
  --quiet_;
  after = name.empty() ? 0 : static_cast<std::size_t>(a - text.data());
  return name;
}

bool Preprocessor::checkGuardGroup(const std::string& text, std::size_t after) {
  ++quiet_;
  bool ok = guardGroup(text, text.data() + after);
  --quiet_;
  return ok;
}

std::string Preprocessor::findIncludeGuard(const std::string& text) {
  std::size_t after = 0;
  std::string name = findGuardCandidate(text, after);
  if (name.empty() || !checkGuardGroup(text, after)) return {};
  return name;
}

bool Preprocessor::argumentDirective(Out& o, Frame& f) {
  const char* end = f.text + f.len;
  int commentLines = 0;
  const char* p = directiveHash(f.text + f.pos, end, commentLines);
  if (!p) return false;
  const char* q = p + 1;
  while (q < end && isHSpace(*q)) ++q;
  std::size_t n = 0;
  while (q + n < end && q[n] >= 'a' && q[n] <= 'z') ++n;
  std::string_view name(q, n);
  if (!conditionalName(q, end) && name != "define" && name != "undef") return false;
  const int index = static_cast<int>(&f - frames_.data());
  f.line += commentLines;
  int newlines = 0;
  Lent<std::string> line(lineScratch_);
  extractLine(o, f, p, newlines, line.value);
  directive(o, f, line.value, newlines);
  Frame& g = frames_[index];
  g.line += newlines;
  g.bol = true;
  while (skipping() && g.pos < g.len) skipGroup(o, g);
  o.lag = true;
  return true;
}

// Analysis off: input is discarded line by line until a pragma turns it on.
void Preprocessor::skipWhileOff(Out& o, Frame& f) {
  const char* p = f.text + f.pos;
  const char* end = f.text + f.len;
  bool bol = f.bol;
  while (p < end) {
    int commentLines = 0;
    if (const char* hash = bol ? directiveHash(p, end, commentLines) : nullptr) {
      const void* nl = std::memchr(hash, '\n', static_cast<std::size_t>(end - hash));
      const char* e = nl ? static_cast<const char*>(nl) : end;
      std::string line(hash + 1, e);
      if (startsAnalysis(line)) {
        f.line += commentLines;
        analysisOn_ = true;
        f.pos = static_cast<std::size_t>((e < end ? e + 1 : e) - f.text);
        if (e < end) ++f.line;
        f.bol = true;
        if (!o.intermediate) o.pending = true;
        return;
      }
    }
    const void* nl = std::memchr(p, '\n', static_cast<std::size_t>(end - p));
    if (!nl) {
      p = end;
      bol = false;
      break;
    }
    p = static_cast<const char*>(nl) + 1;
    ++f.line;
    bol = true;
  }
  f.pos = f.len;
  f.bol = bol;
}

bool Preprocessor::startsAnalysis(const std::string& line) {
  std::string_view v = trimView(line);
  if (v.substr(0, 6) != "pragma") return false;
  v = trimView(v.substr(6));
  std::size_t n = 0;
  while (n < v.size() && isIdentPart(v[n])) ++n;
  std::string_view word = v.substr(0, n);
  if (word == "zenta") {
    v = trimView(v.substr(n));
    n = 0;
    while (n < v.size() && isIdentPart(v[n])) ++n;
    int k = pragmaKeyword(v.substr(0, n));
    return n > 0 && (k == 2 || k == 11);
  }
  for (const auto& [name, text] : aliases_) {
    if (name == word || name == trimView(v)) {
      std::string_view t = trimView(text);
      if (!t.empty() && t[0] == '#') t = trimView(t.substr(1));
      return startsAnalysis(std::string(t)) ;
    }
  }
  return false;
}

// Copies text from the top frame until something needs the main loop.
void Preprocessor::scanRun(Out& o, Frame& f) {
  const char* const text = f.text;
  const char* p = text + f.pos;
  const char* const end = text + f.len;
  const bool src = f.source();

  if (o.flags()) {
    char c = *p;
    if (isHSpace(c)) {
      if (!o.pending) {
        o.buf += c;
        o.checkPaste = false;
      }
      f.pos = static_cast<std::size_t>(p + 1 - text);
      return;
    }
    if (c == '\n') {
      if (o.pending) {
        if (src) ++f.line;
        f.bol = true;
        f.pos = static_cast<std::size_t>(p + 1 - text);
        return;
      }
      o.checkPaste = false;
    } else if (c == '/' && p + 1 < end && (p[1] == '*' || p[1] == '/')) {
      if (o.pending) {
        f.pos = static_cast<std::size_t>(skipComment(o, f, p, end, false) - text);
        return;
      }
      o.checkPaste = false;
    } else {
      resolve(o, c);
    }
  }

  const unsigned char* cls = classes().c;
  const char* run = p;
  auto flush = [&](const char* upto) {
    if (upto > run) o.buf.append(run, static_cast<std::size_t>(upto - run));
    run = upto;
  };
  while (p < end) {
    switch (cls[static_cast<unsigned char>(*p)]) {
      case CPlain:
        ++p;
        continue;
      case CNewline: {
        ++p;
        ++o.line;
        if (!src) {
          flush(p);
          o.pending = true;
          f.pos = static_cast<std::size_t>(p - text);
          return;
        }
        ++f.line;
        if (o.lag) {
          flush(p);
          o.lag = false;
          o.pending = true;
          f.bol = true;
          f.pos = static_cast<std::size_t>(p - text);
          return;
        }
        int commentLines = 0;
        if (directiveHash(p, end, commentLines, &f)) {
          flush(p);
          f.bol = true;
          f.pos = static_cast<std::size_t>(p - text);
          return;
        }
        continue;
      }
      case CSlash:
        // Texts from expansions hold no comment: a '/' next to a '*' or a
        // '/' there was made by pasting, and stays text.
        if (src && p + 1 < end && (p[1] == '*' || p[1] == '/')) {
          flush(p);
          p = skipComment(o, f, p, end, true);
          run = p;
          if (o.pending) {
            f.pos = static_cast<std::size_t>(p - text);
            return;
          }
          continue;
        }
        ++p;
        continue;
      case CQuote: {
        bool closed;
        const char* q = skipLiteral(p, end, closed);
        if (!closed) report(3, "UNTERSTRI", std::string());
        // A literal holding a mark byte: escaped when input goes into a text
        // scanned again, unescaped when such a text reaches the output.
        if (src == o.intermediate && std::find_if(p, q, isMarkByte) != q) {
          flush(p);
          if (src) appendEscaped(o.buf, std::string_view(p, static_cast<std::size_t>(q - p)));
          else o.buf += plainText(std::string_view(p, static_cast<std::size_t>(q - p)), true);
          run = q;
        }
        p = q;
        continue;
      }
      case CDigit: {
        ++p;
        while (p < end) {
          char c = *p;
          if (isIdentPart(c) || c == '.') ++p;
          else if ((c == '+' || c == '-') &&
                   (p[-1] == 'e' || p[-1] == 'E' || p[-1] == 'p' || p[-1] == 'P'))
            ++p;
          else if (c == '\'' && digitSeparators() && p + 1 < end && isIdentPart(p[1]))
            p += 2;  // a digit separator (1'000)
          else break;
        }
        continue;
      }
      case CMark: {
        flush(p);
        if (src) {
          // A plain input byte.
          if (o.intermediate) o.buf += kNoExpand;
          o.buf += *p;
          p = run = p + 1;
          continue;
        }
        if (*p == kSeparator) {
          ++p;
          run = p;
          if (o.intermediate) {
            o.buf += kSeparator;
            continue;
          }
          // Two tokens meet: a blank if they would run together.
          o.checkPaste = true;
          f.pos = static_cast<std::size_t>(p - text);
          return;
        }
        if (p + 1 < end && isMarkByte(p[1])) {
          // An input byte escaped.
          if (o.intermediate) o.buf += *p;
          o.buf += p[1];
          p = run = p + 2;
          continue;
        }
        const char* q = p + 1;
        while (q < end && isIdentPart(*q)) ++q;
        if (o.intermediate) o.buf.append(p, static_cast<std::size_t>(q - p));
        else o.buf.append(p + 1, static_cast<std::size_t>(q - p - 1));
        p = run = q;
        continue;
      }
      case CIdent: {
        // The name's hash as the identifier table computes it, on the way.
        const char* q = p;
        std::uint32_t h = IdentifierTable::kHashSeed;
        while (q < end && isIdentPart(*q)) {
          h = IdentifierTable::hashStep(h, static_cast<unsigned char>(*q));
          ++q;
        }
        if (!maybeMacro(h)) {
          p = q;
          continue;
        }
        Macro* m = lookup(std::string_view(p, static_cast<std::size_t>(q - p)), h);
        if (!m || (q < end && (*q == '"' || *q == '\'') && q - p <= 2)) {
          p = q;
          continue;
        }
        if (m->busy) {
          if (o.intermediate) {
            flush(p);
            o.buf += kNoExpand;
          }
          p = q;
          continue;
        }
        flush(p);
        f.pos = static_cast<std::size_t>(q - text);
        expandMacro(o, m);
        return;
      }
    }
  }
  flush(p);
  f.pos = static_cast<std::size_t>(p - text);
}

void Preprocessor::scan(Out& o, int base) {
  int savedBase = scanBase_;
  scanBase_ = base;
  while (top_ >= base) {
    Frame& f = frames_[top_];
    if (f.pos >= f.len) {
      bool last = top_ == base;
      popFrame(&o);
      if (last) break;
      continue;
    }
    if (f.source()) {
      if (!analysisOn_ && !force_) {
        skipWhileOff(o, f);
        continue;
      }
      if (skipping()) {
        skipGroup(o, f);
        continue;
      }
      if (f.bol && lineStart(o, f)) continue;
    }
    scanRun(o, f);
  }
  scanBase_ = savedBase;
}

std::string Preprocessor::expandText(std::string_view text, bool final) {
  if (argumentScans_ >= kMaxArgumentScans) {
    limitHit_ = true;
    report(1, "NBRECURSI", std::string());
    return std::string();  // too deep: the expansion is skipped
  }
  struct Nesting {
    int& depth;
    explicit Nesting(int& d) : depth(d) { ++depth; }
    ~Nesting() { --depth; }
  } nesting(argumentScans_);
  Frame* f = pushFrame(FrameKind::Arg);
  if (!f) return std::string();  // too deep: the expansion is skipped
  f->owned = text;
  f->text = f->owned.data();
  f->len = f->owned.size();
  Out out;
  out.intermediate = true;
  scan(out, top_);
  if (final && std::find_if(out.buf.begin(), out.buf.end(), isMarkByte) != out.buf.end())
    return plainText(out.buf, true);
  return std::move(out.buf);
}

}  // namespace zenta::analyser::pp

// The macro table, #define and #undef, command-line definitions and macro
// expansion (arguments, stringising, pasting, special names).
#include <algorithm>
#include <array>
#include <cstring>
#include <ctime>

#include "analyser/lex/pp_state.h"

namespace zenta::analyser::pp {

// ---------------------------------------------------------------- table

Macro* Preprocessor::newMacro() {
  if (!freeMacros_) {
    // A block of entries at a time, chained as free.
    constexpr std::size_t kBlock = 256;
    macroBlocks_.push_back(std::make_unique<Macro[]>(kBlock));
    Macro* block = macroBlocks_.back().get();
    for (std::size_t i = 0; i < kBlock; ++i) {
      block[i].next = freeMacros_;
      freeMacros_ = &block[i];
    }
  }
  Macro* m = freeMacros_;
  freeMacros_ = m->next;
  m->next = nullptr;
  return m;
}

Macro* Preprocessor::insertNew(std::string_view name) {
  Macro* m = newMacro();
  tableUsed_ = true;
  std::uint32_t h = hashName(name);
  m->id = ids_.get(name, h);
  m->id->macro = m;
  markMaybeMacro(h);
  m->next = macros_;
  if (m->next) m->next->prev = m;
  macros_ = m;
  return m;
}

Macro* Preprocessor::installSpecial(const std::string& name, int kind, const std::string& value) {
  Macro* m = lookup(name);
  if (!m) m = insertNew(name);
  m->def.reset();
  m->kind = kind;
  m->value = value;
  return m;
}

void Preprocessor::removeMacro(Macro* m) {
  if (m->prev) m->prev->next = m->next;
  else macros_ = m->next;
  if (m->next) m->next->prev = m->prev;
  if (m->id->macro == m) m->id->macro = nullptr;
  m->prev = m->next = nullptr;
  // Still named by a frame or a call under way: the entry is left out of the
  // table but not made free (the frames hold the definition itself).
  if (m->busy || m->pins) return;
  m->id = nullptr;
  m->kind = KindMacro;
  m->value.clear();
  m->def.reset();
  m->next = freeMacros_;
  freeMacros_ = m;
}

void Preprocessor::clearMacros() {
  if (!tableUsed_) return;  // already clear: set-up and closing both clear it
  while (macros_) removeMacro(macros_);
  std::fill(std::begin(filter_), std::end(filter_), 0);
  tableUsed_ = false;
}

// ---------------------------------------------------------------- #define

namespace {

struct Cursor {
  std::string_view t;
  std::size_t i = 0;
  bool end() const { return i >= t.size(); }
  char peek(std::size_t k = 0) const { return i + k < t.size() ? t[i + k] : '\0'; }
  void blanks() {
    while (i < t.size() && isSpace(t[i])) ++i;
  }
  std::string_view ident() {
    std::size_t b = i;
    if (i < t.size() && isIdentStart(t[i]))
      while (i < t.size() && isIdentPart(t[i])) ++i;
    return t.substr(b, i - b);
  }
};

// Blanks outside literals reduced to one, none at either end.
std::string normaliseBody(std::string_view body) {
  std::string r;
  r.reserve(body.size());
  bool blank = false;
  for (std::size_t i = 0; i < body.size();) {
    char c = body[i];
    if (isSpace(c)) {
      blank = true;
      ++i;
      continue;
    }
    if (blank && !r.empty()) r += ' ';
    blank = false;
    if (c == '"' || c == '\'') {
      std::size_t j = i + 1;
      while (j < body.size() && body[j] != c) j += (body[j] == '\\') ? 2 : 1;
      j = std::min(j + 1, body.size());
      r.append(body.substr(i, j - i));
      i = j;
      continue;
    }
    std::size_t j = i + 1;
    while (j < body.size() && !isSpace(body[j]) && body[j] != '"' && body[j] != '\'') ++j;
    r.append(body.substr(i, j - i));
    i = j;
  }
  return r;
}

void trimRight(std::string& s) {
  while (!s.empty() && s.back() == ' ') s.pop_back();
}

}  // namespace

// Splits the body into literal pieces and parameter uses.
bool Preprocessor::analyseBody(MacroDef& d, const std::vector<std::string_view>& params) {
  const std::string& b = d.body;
  std::string piece;
  bool pasteNext = false;
  bool lastWasUse = false;  // nothing since the last use
  auto paramIndex = [&](std::string_view name) -> int {
    for (std::size_t k = 0; k < params.size(); ++k)
      if (params[k] == name) return static_cast<int>(k);
    if (d.variadic == VarBare && name == "__VA_ARGS__") return static_cast<int>(params.size());
    return -1;
  };
  bool functionLike = d.paramCount >= 0;
  for (std::size_t i = 0; i < b.size();) {
    char c = b[i];
    if (c == '#' && i + 1 < b.size() && b[i + 1] == '#') {
      trimRight(piece);
      if (lastWasUse && piece.empty() && !d.uses.empty()) d.uses.back().pasteRight = true;
      pasteNext = true;
      i += 2;
      while (i < b.size() && b[i] == ' ') ++i;
      continue;
    }
    if (c == '#' && functionLike) {
      std::size_t j = i + 1;
      while (j < b.size() && b[j] == ' ') ++j;
      std::size_t k = j;
      while (k < b.size() && isIdentPart(b[k])) ++k;
      int index = (j < b.size() && isIdentStart(b[j])) ? paramIndex(b.substr(j, k - j)) : -1;
      if (index >= 0) {
        ParamUse u;
        u.before = std::move(piece);
        piece.clear();
        u.param = index;
        u.stringise = true;
        u.pasteLeft = pasteNext;
        d.uses.push_back(std::move(u));
        pasteNext = false;
        lastWasUse = true;
        i = k;
        continue;
      }
      if (!traditional_) report(3, "OPERMACRO", std::string());
    }
    if (c == '"' || c == '\'') {
      std::size_t j = i + 1;
      while (j < b.size() && b[j] != c) j += (b[j] == '\\') ? 2 : 1;
      j = std::min(j + 1, b.size());
      piece.append(b, i, j - i);
      i = j;
      pasteNext = lastWasUse = false;
      continue;
    }
    if (isIdentStart(c)) {
      std::size_t k = i;
      while (k < b.size() && isIdentPart(b[k])) ++k;
      int index = functionLike ? paramIndex(std::string_view(b).substr(i, k - i)) : -1;
      if (index >= 0) {
        ParamUse u;
        u.before = std::move(piece);
        piece.clear();
        u.param = index;
        u.pasteLeft = pasteNext;
        d.uses.push_back(std::move(u));
        pasteNext = false;
        lastWasUse = true;
      } else {
        piece.append(b, i, k - i);
        pasteNext = lastWasUse = false;
      }
      i = k;
      continue;
    }
    if (isDigit(c)) {
      std::size_t k = i;
      while (k < b.size() && (isIdentPart(b[k]) || b[k] == '.')) ++k;
      piece.append(b, i, k - i);
      i = k;
      pasteNext = lastWasUse = false;
      continue;
    }
    piece += c;
    if (c != ' ') pasteNext = lastWasUse = false;
    ++i;
  }
  d.tail = std::move(piece);
  return true;
}

namespace {

bool sameDefinition(const MacroDef& a, const MacroDef& b) {
  return a.paramCount == b.paramCount && a.variadic == b.variadic && a.square == b.square &&
         a.argNames == b.argNames && a.body == b.body;
}

}  // namespace

void Preprocessor::defineFromText(std::string_view text) {
  Cursor c{text};
  c.blanks();
  std::string_view name = c.ident();
  if (name.empty()) {
    report(3, "INVAMACRO", std::string(trimView(text)));
    return;
  }
  if (name == "defined") {
    report(3, "INVDEFINE", std::string());
    return;
  }
  auto def = std::make_shared<MacroDef>();
  std::vector<std::string_view> params;
  char open = c.peek();
  if (open == '(' || open == '[') {
    char close = open == '(' ? ')' : ']';
    def->square = open == '[';
    def->paramCount = 0;
    // After "...", only the closing bracket may follow; it is consumed.
    auto closesAfterEllipsis = [this, &c, close]() {
      c.blanks();
      if (c.end()) {
        report(3, "UNTPARDEF", std::string());
        return false;
      }
      if (c.peek() != close) {
        report(3, "BADPARDEF", "another parameter follow \"...\"");
        return false;
      }
      ++c.i;
      return true;
    };
    ++c.i;
    c.blanks();
    if (c.peek() == close) {
      ++c.i;
    } else {
      for (;;) {
        c.blanks();
        if (c.end()) {
          report(3, "UNTPARDEF", std::string());
          return;
        }
        if (c.peek() == '.') {
          if (c.t.substr(c.i, 3) != "...") {
            report(3, "BADPARDEF", "\"...\" expected");
            return;
          }
          c.i += 3;
          def->variadic = VarBare;
          if (!closesAfterEllipsis()) return;
          break;
        }
        if (isDigit(c.peek())) {
          report(3, "PARASTART", std::string());
          return;
        }
        std::string_view p = c.ident();
        if (p.empty()) {
          report(3, "BADPARDEF", std::string(1, c.peek()));
          return;
        }
        params.emplace_back(p);
        c.blanks();
        if (c.t.substr(c.i, 3) == "...") {
          c.i += 3;
          def->variadic = VarNamed;
          if (!closesAfterEllipsis()) return;
          break;
        }
        if (c.end()) {
          report(3, "UNTPARDEF", std::string());
          return;
        }
        if (c.peek() == ',') {
          ++c.i;
          continue;
        }
        if (c.peek() == close) {
          ++c.i;
          break;
        }
        report(3, "BADPARDEF", std::string(1, c.peek()));
        return;
      }
    }
    def->paramCount = static_cast<int>(params.size()) + (def->variadic == VarBare ? 1 : 0);
    for (std::size_t k = 0; k < params.size(); ++k) {
      if (k) def->argNames += ',';
      def->argNames += params[k];
    }
    if (def->variadic == VarBare) def->argNames += def->argNames.empty() ? "..." : ",...";
    if (def->variadic == VarNamed) def->argNames += "...";
  }
  def->body = normaliseBody(c.t.substr(c.i));
  if (std::find_if(def->body.begin(), def->body.end(), isMarkByte) != def->body.end())
    def->body = escapeInput(def->body);
  if (def->paramCount < 0 && def->body.find("##") == std::string::npos) {
    def->tailIsBody = true;  // nothing to take apart: the expansion is the body
  } else {
    analyseBody(*def, params);
  }

  Macro* m = lookup(name);
  if (m) {
    if (m->kind != KindMacro) {
      if (name != "__STDC__") report(3, "IDENREDEF", std::string(name));
    } else if (!m->def || !sameDefinition(*m->def, *def)) {
      report(3, "IDENREDEF", std::string(name));
    }
  } else {
    m = insertNew(name);
  }
  m->kind = KindMacro;
  m->def = std::move(def);
}

void Preprocessor::undefName(std::string_view name) {
  Macro* m = lookup(name);
  if (!m) return;
  if (m->kind != KindMacro && name != "__STDC__") report(3, "UNDEFININ", std::string(name));
  removeMacro(m);
}

void Preprocessor::commandLineDefinition(const std::string& entry) {
  pseudoFile_ = "*Initialization*";
  std::string_view v = trimView(entry);
  if (v.empty() || !isIdentStart(v[0])) {
    report(3, "MALFOROPT", entry);
    pseudoFile_.clear();
    return;
  }
  std::string text(v);
  std::size_t eq = text.find('=');
  if (eq == std::string::npos) text += " 1";
  else text[eq] = ' ';
  defineFromText(text);
  pseudoFile_.clear();
}

// ---------------------------------------------------------------- expansion

std::string stringise(std::string_view raw) {
  std::string a = plainText(raw, false);
  std::string_view v = trimView(a);
  std::string r = "\"";
  bool blank = false;
  for (std::size_t i = 0; i < v.size();) {
    char c = v[i];
    if (isSpace(c)) {
      blank = true;
      ++i;
      continue;
    }
    if (blank) r += ' ';
    blank = false;
    if (c == '"' || c == '\'') {
      r += c == '"' ? "\\\"" : "'";
      ++i;
      while (i < v.size() && v[i] != c) {
        unsigned char ch = static_cast<unsigned char>(v[i]);
        if (ch == '\\') {
          r += "\\\\";
          ++i;
          if (i < v.size()) {
            if (v[i] == '"' || v[i] == '\\') r += '\\';
            r += v[i];
            ++i;
          }
          continue;
        }
        if (ch == '"') r += "\\\"";
        else if (ch < 32 || ch >= 127) {
          char oct[5];
          std::snprintf(oct, sizeof oct, "\\%03o", ch);
          r += oct;
        } else {
          r += static_cast<char>(ch);
        }
        ++i;
      }
      if (i < v.size()) {
        r += c == '"' ? "\\\"" : "'";
        ++i;
      }
      continue;
    }
    r += c;
    ++i;
  }
  r += '"';
  return r;
}

namespace {

// Whether an argument is empty but for blanks and marks.
bool blankArgument(std::string_view a) {
  for (std::size_t i = 0; i < a.size(); ++i) {
    char c = a[i];
    if (c == kNoExpand && i + 1 < a.size() && isMarkByte(a[i + 1])) return false;  // an input byte
    if (!isMarkByte(c) && !isSpace(c)) return false;
  }
  return true;
}

// Whether the text ends with a separator (and not with an escaped byte equal
// to it: that one follows an odd number of kNoExpand bytes).
bool endsWithSeparator(const std::string& t) {
  if (t.empty() || t.back() != kSeparator) return false;
  std::size_t n = 0;
  while (n + 1 < t.size() && t[t.size() - 2 - n] == kNoExpand) ++n;
  return n % 2 == 0;
}

}  // namespace

void Preprocessor::emitToken(Out& o, const std::string& text) {
  if (o.intermediate && std::find_if(text.begin(), text.end(), isMarkByte) != text.end()) {
    std::string escaped = escapeInput(text);
    emitRaw(o, escaped.data(), escaped.size());
  } else {
    emitRaw(o, text.data(), text.size());
  }
  o.checkPaste = true;
}

namespace {

std::string quoted(const std::string& s) { return "\"" + s + "\""; }

}  // namespace

void Preprocessor::fixClock() {
  if (!dateText_.empty()) return;
  std::time_t now = std::time(nullptr);
  std::tm tm{};
  localtime_r(&now, &tm);
  static const char* const months[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                       "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
  char buf[64];
  std::snprintf(buf, sizeof buf, "\"%s %2d %4d\"", months[tm.tm_mon], tm.tm_mday, tm.tm_year + 1900);
  dateText_ = buf;
  std::snprintf(buf, sizeof buf, "\"%02d:%02d:%02d\"", tm.tm_hour, tm.tm_min, tm.tm_sec);
  timeText_ = buf;
}

// Finds the next character that is not blank, from the top frame down through
// exhausted expansion frames (never below the scan base nor past the end of a
// source frame, nor onto a directive line). Gives the frame index and the
// position, or -1.
int Preprocessor::peekNext(std::size_t& at, int& newlines) {
  newlines = 0;
  for (int i = top_; i >= scanBase_; --i) {
    Frame& g = frames_[i];
    const char* t = g.text;
    std::size_t q = g.pos;
    bool bol = false;
    int nl = 0;
    while (q < g.len) {
      char c = t[q];
      if (c == '\n') {
        ++nl;
        bol = true;
        ++q;
      } else if (isHSpace(c) || (c == kSeparator && !g.source())) {
        ++q;
      } else if (g.source() && c == '/' && q + 1 < g.len && t[q + 1] == '*') {
        const char* close = commentClose(t + q + 2, t + g.len);
        if (!close) return -1;
        nl += countNewlines(t + q, close);
        q = static_cast<std::size_t>(close - t) + 2;
      } else if (g.source() && c == '/' && q + 1 < g.len && t[q + 1] == '/') {
        while (q < g.len && t[q] != '\n') ++q;
      } else {
        break;
      }
    }
    if (q < g.len) {
      if (bol && t[q] == '#' && g.source()) return -1;
      at = q;
      newlines = nl;
      return i;
    }
    if (g.source() || i == scanBase_) return -1;
  }
  return -1;
}

// Moves the input to frame `index`, position `at`: the exhausted frames above
// are popped and the newlines skipped counted.
void Preprocessor::commit(Out& o, int index, std::size_t at, int newlines) {
  while (top_ > index) popFrame(&o);
  Frame& g = frames_[top_];
  g.pos = at;
  if (newlines && g.source()) {
    g.line += newlines;
    o.lag = true;
  }
}

// `defined NAME` or `defined(NAME)` while a #if line is expanded.
void Preprocessor::expandDefined(Out& o) {
  std::size_t at;
  int newlines;
  int index = peekNext(at, newlines);
  bool value = false;
  bool ok = false;
  if (index >= 0) {
    commit(o, index, at, newlines);
    Frame& g = frames_[top_];
    bool paren = g.text[g.pos] == '(';
    if (paren) {
      ++g.pos;
      index = peekNext(at, newlines);
      if (index >= 0) commit(o, index, at, newlines);
    }
    Frame& h = frames_[top_];
    if (index >= 0 && !h.source() && h.pos + 1 < h.len && h.text[h.pos] == kNoExpand &&
        isIdentStart(h.text[h.pos + 1]))
      ++h.pos;
    std::size_t b = h.pos;
    if (index >= 0 && b < h.len && isIdentStart(h.text[b])) {
      std::size_t e = b;
      while (e < h.len && isIdentPart(h.text[e])) ++e;
      Macro* m = lookup(std::string_view(h.text + b, e - b));
      value = m != nullptr && m->kind != KindDefined;
      h.pos = e;
      ok = true;
      if (paren) {
        index = peekNext(at, newlines);
        if (index >= 0 && frames_[index].text[at] == ')') {
          commit(o, index, at, newlines);
          ++frames_[top_].pos;
        } else {
          ok = false;
        }
      }
    }
  }
  if (!ok) report(3, "ERDEFINED", std::string());
  emitToken(o, value ? " 1 " : " 0 ");
}

namespace {

// Bytes that the collection of arguments looks at; the others are copied in
// runs.
const std::array<bool, 256> kArgumentStops = [] {
  std::array<bool, 256> t{};
  for (unsigned char c : {'(', ')', '[', ']', ',', '"', '\'', '\n', '/'}) t[c] = true;
  t[static_cast<unsigned char>(kNoExpand)] = t[static_cast<unsigned char>(kSeparator)] = true;
  return t;
}();

}  // namespace

// Collects the arguments of a call whose opening bracket was just read: their
// texts one after the other in `text`, with the commas between them, and the
// place of each in `spans`.
namespace {

// Whether the quote at t[q] separates digits of a number (1'000), by the
// token it stands in: one that starts with a digit.
bool digitSeparator(const char* t, std::size_t q, std::size_t len) {
  if (q + 1 >= len || !isIdentPart(t[q + 1])) return false;
  std::size_t b = q;
  while (b > 0 && (isIdentPart(t[b - 1]) || t[b - 1] == '.' || t[b - 1] == '\'')) --b;
  return b < q && isDigit(t[b]);
}

}  // namespace

bool Preprocessor::collectArguments(Out& o, const MacroDef& d, std::string& text, std::vector<Span>& spans) {
  const char open = d.square ? '[' : '(';
  const char close = d.square ? ']' : ')';
  int depth = 0;       // nesting of the macro's own brackets
  int otherDepth = 0;  // parentheses inside a square-bracket call
  std::size_t begin = text.size();
  for (;;) {
    Frame& g = frames_[top_];
    if (g.pos >= g.len) {
      if (g.source() || top_ <= scanBase_) {
        report(3, "ERRINLINE", "unterminated macro call");
        return false;
      }
      popFrame(&o);
      continue;
    }
    const char* t = g.text;
    std::size_t q = g.pos;
    while (q < g.len) {
      std::size_t run = q;
      while (q < g.len && !kArgumentStops[static_cast<unsigned char>(t[q])]) ++q;
      text.append(t + run, q - run);
      if (q >= g.len) break;
      char c = t[q];
      if (c == open) {
        ++depth;
      } else if (c == close && (depth > 0 || otherDepth > 0)) {
        if (depth > 0) --depth;
      } else if (c == close) {
        spans.push_back({begin, text.size()});
        g.pos = q + 1;
        return true;
      } else if (d.square && c == '(') {
        ++otherDepth;
      } else if (d.square && c == ')') {
        if (otherDepth > 0) --otherDepth;
      } else if (c == ',' && depth == 0 && otherDepth == 0) {
        spans.push_back({begin, text.size()});
        text += ',';
        begin = text.size();
        ++q;
        continue;
      } else if (c == '\'' && digitSeparators() && digitSeparator(t, q, g.len)) {
        text += c;
        ++q;
        continue;
      } else if (c == '"' || c == '\'') {
        std::size_t j = q + 1;
        while (j < g.len && t[j] != c && t[j] != '\n') j += (t[j] == '\\' && j + 1 < g.len) ? 2 : 1;
        if (j < g.len && t[j] == c) ++j;
        if (g.source()) appendEscaped(text, std::string_view(t + q, j - q));
        else text.append(t + q, j - q);
        q = j;
        continue;
      } else if (c == '\n') {
        text += ' ';
        ++q;
        if (g.source()) {
          ++g.line;
          o.lag = true;
          // Conditionals between the arguments are carried out.
          g.pos = q;
          while (g.pos < g.len && argumentDirective(o, g)) {
          }
          q = g.pos;
        }
        continue;
      } else if (c == '/' && g.source() && q + 1 < g.len && (t[q + 1] == '*' || t[q + 1] == '/')) {
        int before = g.line;
        // Comments inside arguments are blanks.
        if (t[q + 1] == '/') {
          while (q < g.len && t[q] != '\n') ++q;
        } else {
          const char* closeAt = commentClose(t + q + 2, t + g.len);
          const char* stop = closeAt ? closeAt : t + g.len;
          g.line += countNewlines(t + q, stop);
          if (!closeAt) report(3, "UNTERCOMM", std::string());
          q = closeAt ? static_cast<std::size_t>(closeAt - t) + 2 : g.len;
        }
        if (g.line != before) o.lag = true;
        text += ' ';
        continue;
      } else if (g.source() && isMarkByte(c)) {
        text += kNoExpand;  // an input byte escaped
      }
      text += c;
      ++q;
    }
    g.pos = q;
  }
}

bool Preprocessor::expandMacro(Out& o, Macro* m) {
  switch (m->kind) {
    case KindLine: {
      Frame* f = innermostNamed();
      if (!f) f = innermostSource();
      emitToken(o, std::to_string(f ? f->line : 0));
      return true;
    }
    case KindFile: {
      Frame* f = innermostNamed();
      emitToken(o, quoted(f ? f->file : std::string()));
      return true;
    }
    case KindBaseFile: {
      emitToken(o, top_ >= 0 && frames_[0].named ? quoted(frames_[0].file) : std::string("\"\""));
      return true;
    }
    case KindIncludeLevel: {
      int files = 0;
      for (int i = 0; i <= top_; ++i) files += frames_[i].kind == FrameKind::File;
      emitToken(o, std::to_string(files > 0 ? files - 1 : 0));
      return true;
    }
    case KindDate:
      fixClock();
      emitToken(o, dateText_);
      return true;
    case KindTime:
      fixClock();
      emitToken(o, timeText_);
      return true;
    case KindConstant:
      emitToken(o, m->value);
      return true;
    case KindDefined:
      expandDefined(o);
      return true;
    case KindHasInclude:
    case KindHasIncludeNext:
    case KindHasBuiltin:
    case KindHasAttribute:
    case KindHasCppAttribute:
    case KindPragmaOperator:
      return expandQuery(o, m);
    default:
      break;
  }
  // The definition stays alive for this call even when a directive between
  // its arguments replaces or removes the macro: the call is expanded with
  // the definition it started with.
  std::shared_ptr<const MacroDef> def = m->def;
  const MacroDef& d = *def;
  if (d.paramCount < 0) {
    Frame* f = pushFrame(FrameKind::Macro);
    if (!f) return true;
    const std::string& text = d.expansion();
    f->text = text.data();
    f->len = text.size();
    f->macro = m;
    f->def = std::move(def);
    ++m->busy;
    o.checkPaste = true;
    return true;
  }
  // A function-like macro needs its opening bracket next.
  std::size_t at;
  int newlines;
  int index = peekNext(at, newlines);
  if (index < 0 || frames_[index].text[at] != (d.square ? '[' : '(')) {
    emitToken(o, m->name());
    return false;
  }
  commit(o, index, at + 1, newlines);
  // The arguments: one text, each a span of it (reused from call to call).
  Lent<std::string> argText(argTextScratch_);
  Lent<std::vector<Span>> spans(spanScratch_);
  struct Pin {
    Macro* m;
    explicit Pin(Macro* macro) : m(macro) { ++m->pins; }
    ~Pin() { --m->pins; }
  };
  {
    Pin pin(m);
    if (!collectArguments(o, d, argText.value, spans.value)) {
      // Reported: the name stays as text, the unfinished call is dropped.
      emitToken(o, m->name());
      return true;
    }
  }
  std::vector<Span>& args = spans.value;
  auto argument = [&argText, &args](std::size_t i) {
    return std::string_view(argText.value).substr(args[i].begin, args[i].end - args[i].begin);
  };

  // Argument count.
  const int n = d.paramCount;
  int k = static_cast<int>(args.size());
  if (k == 1 && blankArgument(argument(0))) k = 0;
  if (n == 0) {
    if (k > 0) report(3, "ARGTOMACR", m->name());
    args.clear();
  } else if (d.variadic != VarNone) {
    if (k < n - 1) {
      report(3, k == 0 ? "NOARTOMAC" : "NBARGMACR", m->name());
    }
    // The surplus arguments joined into the variadic one, with the commas
    // that separate them: the span from the first to the last.
    if (static_cast<int>(args.size()) > n) {
      args[static_cast<std::size_t>(n - 1)].end = args.back().end;
      args.resize(static_cast<std::size_t>(n));
    }
    if (static_cast<int>(args.size()) >= n && argument(static_cast<std::size_t>(n - 1)).size() > 9999) {
      report(1, "TOMANYARG", m->name());
      return true;
    }
  } else if (k > n) {
    report(3, "TOMANYARG", m->name());
  } else if (k < n) {
    if (n == 1 && k == 0) {
      // An empty argument is an argument in a dialect of the standard.
      if (!traditional_ && dialect_ == Dialect::Classic) report(3, "NOARTOMAC", m->name());
    } else {
      report(3, k == 0 ? "NOARTOMAC" : "NBARGMACR", m->name());
    }
  }
  if (k == 0) args.assign(args.empty() ? 0 : 1, Span{});
  args.resize(static_cast<std::size_t>(n));

  // Substitution. An argument refused at the depth limit (reported once)
  // skips the whole expansion.
  limitHit_ = false;
  std::vector<std::string> expanded(args.size());
  std::vector<bool> done(args.size(), false);
  Lent<std::string> resultText(resultScratch_);
  std::string& result = resultText.value;
  // An expanded argument and the text around it are separate tokens even
  // where they meet without a blank (`-x` with the argument `-1`).
  bool boundary = false;
  auto append = [&result, &boundary](std::string_view text) {
    if (boundary && !text.empty() && !result.empty() && wouldPaste(result, text.front()))
      result += kSeparator;
    result += text;
  };
  for (const ParamUse& u : d.uses) {
    std::string_view arg = argument(static_cast<std::size_t>(u.param));
    std::string_view before = u.before;
    bool isVariadicParam = d.variadic != VarNone && u.param == n - 1;
    if (u.pasteLeft && isVariadicParam && !before.empty() && before.back() == ',' && blankArgument(arg))
      before.remove_suffix(1);  // `, ## __VA_ARGS__` with no variable argument: the comma goes
    append(before);
    boundary = false;
    if (u.stringise) {
      result += stringise(arg);
    } else if (u.pasteLeft || u.pasteRight) {
      // The tokens of the argument stay apart; only its ends are joined.
      std::string raw = stripMarks(arg, true);
      while (!raw.empty() && (isSpace(raw.back()) || endsWithSeparator(raw))) raw.pop_back();
      std::size_t from = 0;
      while (from < raw.size() && (isSpace(raw[from]) || raw[from] == kSeparator)) ++from;
      std::string_view v = std::string_view(raw).substr(from);
      if (u.pasteLeft) {
        while (!result.empty() && (isSpace(result.back()) || endsWithSeparator(result))) result.pop_back();
      }
      result += v;
    } else {
      std::size_t i = static_cast<std::size_t>(u.param);
      if (!done[i]) {
        // White space at the ends of an argument is not part of it.
        expanded[i] = expandText(trimView(arg), false);
        done[i] = true;
      }
      boundary = true;
      append(expanded[i]);
    }
  }
  append(d.tail);
  if (limitHit_) return true;
  Frame* f = pushFrame(FrameKind::Macro);
  if (!f) return true;
  f->owned.swap(result);  // the frame's former buffer is kept for the next call
  f->text = f->owned.data();
  f->len = f->owned.size();
  f->macro = m;
  f->def = std::move(def);
  ++m->busy;
  o.checkPaste = true;
  return true;
}

}  // namespace zenta::analyser::pp

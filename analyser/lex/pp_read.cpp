// Character classes, message delivery, the reading of input texts (NUL stop,
// final newline, trigraphs, digraphs, line splices) and the file cache.
#include <algorithm>
#include <array>
#include <cstdio>
#include <cstring>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "analyser/lex/pp_state.h"

namespace zenta::analyser::pp {

namespace {

CharTables makeTables() {
  CharTables t{};
  for (int c : {' ', '\t', '\f', '\v', '\r'}) t.hspace[c] = t.space[c] = true;
  t.space[static_cast<unsigned char>('\n')] = true;
  for (int c = 0; c < 256; ++c) {
    bool letter = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_' || c == '$';
    t.start[c] = letter;
    t.part[c] = letter || (c >= '0' && c <= '9');
  }
  return t;
}

}  // namespace

const CharTables kChars = makeTables();

Frame* Preprocessor::innermostNamed() {
  for (int i = top_; i >= 0; --i)
    if (frames_[i].named) return &frames_[i];
  return nullptr;
}

Frame* Preprocessor::innermostSource() {
  for (int i = top_; i >= 0; --i)
    if (frames_[i].source()) return &frames_[i];
  return nullptr;
}

void Preprocessor::reportAt(int severity, const char* code, const std::string& argument,
                            const std::string& file, int line) {
  if (quiet_) {
    ++quietReports_;
    return;
  }
  if (severity == 2) ++errors_;
  if (hook_) hook_(severity, code, argument, file, line);
}

void Preprocessor::report(int severity, const char* code, const std::string& argument) {
  if (!pseudoFile_.empty()) {
    reportAt(severity, code, argument, pseudoFile_, 0);
    return;
  }
  const Frame* f = innermostNamed();
  if (f) reportAt(severity, code, argument, f->file, f->line);
  else reportAt(severity, code, argument, std::string(), 0);
}

std::string_view trimView(std::string_view s) {
  std::size_t b = 0, e = s.size();
  while (b < e && isSpace(s[b])) ++b;
  while (e > b && isSpace(s[e - 1])) --e;
  return s.substr(b, e - b);
}

void appendEscaped(std::string& out, std::string_view raw) {
  for (char c : raw) {
    if (isMarkByte(c)) out += kNoExpand;
    out += c;
  }
}

std::string escapeInput(std::string_view raw) {
  std::string r;
  r.reserve(raw.size());
  appendEscaped(r, raw);
  return r;
}

namespace {
// Walks a text to be scanned again: `plain` takes each byte of the text
// (escaped bytes unescaped when `unescape`), separators become `separator`
// unless it is 0, no-expand marks are dropped.
template <typename Plain>
void walkMarks(std::string_view s, bool unescape, char separator, Plain plain) {
  for (std::size_t i = 0; i < s.size(); ++i) {
    char c = s[i];
    if (!isMarkByte(c)) {
      plain(c);
    } else if (c == kNoExpand && i + 1 < s.size() && isMarkByte(s[i + 1])) {
      if (!unescape) plain(c);
      plain(s[++i]);
    } else if (c == kSeparator && separator) {
      plain(separator);
    }
  }
}
}  // namespace

std::string stripMarks(std::string_view s, bool separators) {
  std::string r;
  r.reserve(s.size());
  walkMarks(s, false, separators ? kSeparator : 0, [&r](char c) { r += c; });
  return r;
}

std::string plainText(std::string_view s, bool blanks) {
  std::string r;
  r.reserve(s.size());
  walkMarks(s, true, blanks ? ' ' : 0, [&r](char c) { r += c; });
  return r;
}

namespace {

// Rewrites `text` replacing sequences found by `match` (which gives the
// replacement character and the length of the sequence, or 0). Every line
// keeps its length: the characters saved are added as blanks at the end of the
// line; a line that ends with a splice passes them on to the line it joins, so
// that no blank comes between the joined parts.
template <typename Match>
void replaceKeepingLines(std::string& text, const char* starts, Match match) {
  // Bytes that may start a sequence, and newlines: the others are copied in
  // runs.
  std::array<bool, 256> stop{};
  for (const char* k = starts; *k; ++k) stop[static_cast<unsigned char>(*k)] = true;
  stop[static_cast<unsigned char>('\n')] = true;
  std::string out;
  out.reserve(text.size());
  std::size_t pad = 0;
  const std::size_t n = text.size();
  for (std::size_t i = 0; i < n; ++i) {
    std::size_t run = i;
    while (i < n && !stop[static_cast<unsigned char>(text[i])]) ++i;
    out.append(text, run, i - run);
    if (i >= n) break;
    char c = text[i];
    if (c == '\n') {
      const std::size_t k = out.size();
      const bool splice =
          (k >= 1 && out[k - 1] == '\\') || (k >= 2 && out[k - 1] == '\r' && out[k - 2] == '\\');
      if (pad && !splice) {
        out.append(pad, ' ');
        pad = 0;
      }
      out += '\n';
      continue;
    }
    char replacement = 0;
    std::size_t length = match(text, i, replacement);
    if (length == 0) {
      out += c;
      continue;
    }
    out += replacement;
    pad += length - 1;
    i += length - 1;
    if (replacement == '\\' && length == 3) {
      // `??/` followed only by blanks up to the end of the line is a splice.
      std::size_t j = i + 1;
      while (j < n && (text[j] == ' ' || text[j] == '\t')) ++j;
      if (j < n && text[j] == '\n') {
        pad += j - (i + 1);
        i = j - 1;
      }
    }
  }
  out.append(pad, ' ');
  text.swap(out);
}

std::size_t trigraphAt(const std::string& t, std::size_t i, char& r) {
  if (t[i] != '?' || i + 2 >= t.size() || t[i + 1] != '?') return 0;
  switch (t[i + 2]) {
    case '=': r = '#'; break;
    case '(': r = '['; break;
    case '/': r = '\\'; break;
    case ')': r = ']'; break;
    case '\'': r = '^'; break;
    case '<': r = '{'; break;
    case '!': r = '|'; break;
    case '>': r = '}'; break;
    case '-': r = '~'; break;
    default: return 0;
  }
  return 3;
}

std::size_t digraphAt(const std::string& t, std::size_t i, char& r) {
  if (i + 1 >= t.size()) return 0;
  char a = t[i], b = t[i + 1];
  if (a == '<' && b == ':') r = '[';
  else if (a == ':' && b == '>') r = ']';
  else if (a == '<' && b == '%') r = '{';
  else if (a == '%' && b == '>') r = '}';
  else if (a == '%' && b == ':') r = '#';
  else return 0;
  return 2;
}

bool hasDigraph(const std::string& t) {
  // Every digraph has a ':' or a '%' in it.
  const char* begin = t.data();
  const char* end = begin + t.size();
  for (char key : {':', '%'}) {
    for (const char* p = begin; p < end;) {
      const void* hit = std::memchr(p, key, static_cast<std::size_t>(end - p));
      if (!hit) break;
      const char* q = static_cast<const char*>(hit);
      char before = q > begin ? q[-1] : '\0';
      char after = q + 1 < end ? q[1] : '\0';
      if (before == '<' || after == '>' || (key == '%' && after == ':')) return true;
      p = q + 1;
    }
  }
  return false;
}

// The digraphs of a text read in a dialect of the standard: tokens, so
// none inside a comment, a string or character literal (raw ones included)
// or a number (`1'000` has digit separators, no character literal); `<::`
// not followed by `:` or `>` is `<` then `::`; `<<` and `::` are single
// tokens, so `<<%` and `::>` hold no digraph. Gives the offset of each.
std::size_t skipQuoted(const std::string& t, std::size_t i) {
  const char quote = t[i];
  const std::size_t n = t.size();
  ++i;
  while (i < n && t[i] != quote && t[i] != '\n') i += (t[i] == '\\') ? 2 : 1;
  return i < n && t[i] == quote ? i + 1 : std::min(i, n);
}

std::size_t skipRaw(const std::string& t, std::size_t i) {
  // R"delim( ... )delim": the delimiter is at most 16 characters.
  const std::size_t open = t.find('(', i + 1);
  if (open == std::string::npos || open - i - 1 > 16) return skipQuoted(t, i);
  const std::string delimiter = t.substr(i + 1, open - i - 1);
  if (delimiter.find_first_of(" \t\n\\)\"") != std::string::npos) return skipQuoted(t, i);
  const std::size_t close = t.find(")" + delimiter + "\"", open + 1);
  return close == std::string::npos ? t.size() : close + delimiter.size() + 2;
}

std::vector<std::size_t> digraphTokens(const std::string& t) {
  std::vector<std::size_t> at;
  const std::size_t n = t.size();
  auto next = [&t, n](std::size_t i) { return i + 1 < n ? t[i + 1] : '\0'; };
  std::size_t i = 0;
  while (i < n) {
    const char c = t[i];
    const char d = next(i);
    if (c == '/' && d == '/') {
      // To the end of the line; a splice carries the comment on.
      for (i += 2; i < n && t[i] != '\n'; ++i)
        if (t[i] == '\\' && (next(i) == '\n' || (next(i) == '\r' && i + 2 < n && t[i + 2] == '\n')))
          i += next(i) == '\r' ? 2 : 1;
    } else if (c == '/' && d == '*') {
      const std::size_t close = t.find("*/", i + 2);
      i = close == std::string::npos ? n : close + 2;
    } else if (isIdentStart(c)) {
      const std::size_t b = i;
      while (i < n && isIdentPart(t[i])) ++i;
      const std::string_view word(t.data() + b, i - b);
      if (i < n && t[i] == '"' && (word == "R" || word == "u8R" || word == "uR" || word == "UR" || word == "LR"))
        i = skipRaw(t, i);
      else if (i < n && (t[i] == '"' || t[i] == '\'') && (word == "u8" || word == "u" || word == "U" || word == "L"))
        i = skipQuoted(t, i);
    } else if (isDigit(c) || (c == '.' && isDigit(d))) {
      // A number: digits, letters, dots, signed exponents, digit separators.
      for (++i; i < n; ++i) {
        const char e = t[i];
        if ((e == '+' || e == '-') && std::strchr("eEpP", t[i - 1])) continue;
        if (isIdentPart(e) || e == '.') continue;
        if (e == '\'' && i + 1 < n && isIdentPart(t[i + 1])) {
          ++i;
          continue;
        }
        break;
      }
    } else if (c == '"' || c == '\'') {
      i = skipQuoted(t, i);
    } else if ((c == '<' && d == '<') || (c == ':' && d == ':')) {
      i += 2;
    } else if (c == '<' && d == ':' && i + 2 < n && t[i + 2] == ':' &&
               !(i + 3 < n && (t[i + 3] == ':' || t[i + 3] == '>'))) {
      ++i;  // `<` then `::`
    } else if ((c == '<' && (d == ':' || d == '%')) || (c == ':' && d == '>') ||
               (c == '%' && (d == '>' || d == ':'))) {
      at.push_back(i);
      i += 2;
    } else {
      ++i;
    }
  }
  return at;
}

// Joins backslash-newline splices; each newline removed is added after the
// end of the joined line, so the lines that follow keep their numbers.
void joinSplices(std::string& text) {
  if (text.find("\\\n") == std::string::npos && text.find("\\\r\n") == std::string::npos) return;
  std::string out;
  out.reserve(text.size());
  std::size_t owed = 0;
  const char* base = text.data();
  const std::size_t n = text.size();
  std::size_t i = 0;
  while (i < n) {
    const void* bs = std::memchr(base + i, '\\', n - i);
    std::size_t b = bs ? static_cast<std::size_t>(static_cast<const char*>(bs) - base) : n;
    if (owed) {
      // The newlines owed go right after the end of the joined line.
      const void* nl = std::memchr(base + i, '\n', b - i);
      if (nl) {
        std::size_t e = static_cast<std::size_t>(static_cast<const char*>(nl) - base) + 1;
        out.append(base + i, e - i);
        out.append(owed, '\n');
        owed = 0;
        i = e;
        continue;
      }
    }
    out.append(base + i, b - i);
    if (b >= n) break;
    if (b + 1 < n && base[b + 1] == '\n') {
      ++owed;
      i = b + 2;
    } else if (b + 2 < n && base[b + 1] == '\r' && base[b + 2] == '\n') {
      ++owed;
      i = b + 3;
    } else {
      out += '\\';
      i = b + 1;
    }
  }
  if (owed) out.append(owed, '\n');
  text.swap(out);
}

}  // namespace

void normaliseText(std::string& text, Dialect dialect) {
  std::size_t nul = text.find('\0');
  if (nul != std::string::npos) text.resize(nul);
  if (text.empty() || text.back() != '\n') text += '\n';
  // Trigraphs: always in the classic language, up to C++14 in a dialect.
  const bool trigraphs = static_cast<int>(dialect) < static_cast<int>(Dialect::Cxx17);
  if (trigraphs && text.find("??") != std::string::npos) replaceKeepingLines(text, "?", trigraphAt);
  if (hasDigraph(text)) {
    if (dialect == Dialect::Classic) {
      replaceKeepingLines(text, "<:%", digraphAt);
    } else {
      // Only the digraphs that are tokens are written in their plain form.
      const std::vector<std::size_t> tokens = digraphTokens(text);
      std::size_t k = 0;
      if (!tokens.empty())
        replaceKeepingLines(text, "<:%", [&tokens, &k](const std::string& t, std::size_t i, char& r) -> std::size_t {
          while (k < tokens.size() && tokens[k] < i) ++k;
          if (k == tokens.size() || tokens[k] != i) return 0;
          return digraphAt(t, i, r);
        });
    }
  }
  joinSplices(text);
}

bool readFile(const std::string& path, std::string& text, Dialect dialect) {
  // Read straight into the text: one copy, no stdio buffer.
  int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return false;
  struct stat info {};
  std::size_t size = 0;
  if (::fstat(fd, &info) == 0 && info.st_size > 0) size = static_cast<std::size_t>(info.st_size);
  // One byte more than the size, so that the end of the file is seen without
  // growing, and room for the final newline.
  text.clear();
  text.reserve(size + 2);
  text.resize(size + 1);
  std::size_t got = 0;
  bool failed = false;
  for (;;) {
    if (got == text.size()) text.resize(text.size() * 2 + 4096);
    ssize_t n = ::read(fd, &text[got], text.size() - got);
    if (n < 0) {
      if (errno == EINTR) continue;
      failed = true;
      break;
    }
    if (n == 0) break;
    got += static_cast<std::size_t>(n);
  }
  ::close(fd);
  text.resize(got);
  if (failed && got == 0) return false;
  normaliseText(text, dialect);
  return true;
}

void Preprocessor::clearFileCache() {
  files_.clear();
  cachedBytes_ = 0;
}

namespace {
constexpr std::size_t kCacheLimit = 256u << 20;  // bytes of file text kept
}  // namespace

std::shared_ptr<const std::string> Preprocessor::loadFile(const std::string& path) {
  auto it = files_.find(path);
  if (it != files_.end()) return it->second.text;
  auto text = std::make_shared<std::string>();
  if (!readFile(path, *text, dialect_)) return nullptr;
  if (filesReadSet_.insert(path).second) filesRead_.push_back(path);
  if (cachedBytes_ + text->size() <= kCacheLimit) {
    cachedBytes_ += text->size();
    files_.emplace(path, CachedFile{text, false, {}, 0, 0});
  }
  return text;
}

bool Preprocessor::skippableInclude(const std::string& path, const std::shared_ptr<const std::string>& text) {
  auto it = files_.find(path);
  if (it == files_.end() || it->second.text != text) {
    // Not kept: examined each time.
    std::size_t after = 0;
    std::string name = findGuardCandidate(*text, after);
    return !name.empty() && lookup(name) && checkGuardGroup(*text, after);
  }
  CachedFile& c = it->second;
  if (!c.candidateKnown) {
    c.candidate = findGuardCandidate(*text, c.after);
    c.candidateKnown = true;
  }
  if (c.candidate.empty() || !lookup(c.candidate)) return false;
  if (c.group == 0) c.group = checkGuardGroup(*text, c.after) ? 1 : -1;
  return c.group > 0;
}

}  // namespace zenta::analyser::pp

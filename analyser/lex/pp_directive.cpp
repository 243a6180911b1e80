// Directives: #define, #undef, conditionals, #include and #include_next,
// #line, #error and #warning, and #pragma with the analyser's own keywords.
#include <algorithm>
#include <cstring>
#include <unordered_map>
#include <sys/stat.h>
#include <unistd.h>

#include "analyser/lex/pp_state.h"
#include "analyser/basic/target_widths.h"

namespace zenta::analyser::pp {

namespace {

constexpr const char* kPragmaKeywords[] = {
    "incl_std",      "stop_analyse", "start_analyse", "sizeof",        "signof",
    "pragma",        "type_modifier", "crc_justify",  "crc_justify_all", "crc_justify_everywhere",
    "stop_analyze",  "start_analyze", "insert",       "prefix_call",   "type_boolean",
    "ex_call",       "exit_instr",   "accept",        "reduce",        "fctreduce",
    "nothingbefore", "nointerpret",  "directive",     "stop_instr",    "start_instr",
    "zno_stub",      "testing_tool_call_place",
};

struct Words {
  std::string_view t;
  std::size_t i = 0;
  void blanks() {
    while (i < t.size() && isSpace(t[i])) ++i;
  }
  std::string_view word() {
    blanks();
    std::size_t b = i;
    while (i < t.size() && isIdentPart(t[i])) ++i;
    return t.substr(b, i - b);
  }
  std::string_view rest() {
    blanks();
    return trimView(t.substr(i));
  }
};

}  // namespace

const std::string& Preprocessor::currentFileName() {
  static const std::string none;
  Frame* f = innermostNamed();
  return f ? f->file : none;
}

int Preprocessor::currentLine() {
  Frame* f = innermostNamed();
  return f ? f->line : 0;
}

// ---------------------------------------------------------------- conditionals

bool Preprocessor::evaluateIf(std::string_view text, const char* name) {
  // Most lines are expanded as they are; a copy only for a rewrite or an
  // escape.
  std::string line;
  if (text.find('#') != std::string_view::npos || std::find_if(text.begin(), text.end(), isMarkByte) != text.end()) {
    line.assign(text);
    for (std::size_t i = line.find("#machine("); i != std::string::npos; i = line.find("#machine(", i))
      line.replace(i, 9, " defined(");
    for (std::size_t i = line.find("#lint(on)"); i != std::string::npos; i = line.find("#lint(on)", i))
      line.replace(i, 9, "  (0)    ");
    line = escapeInput(line);
    text = line;
  }
  // `defined` is an entry for the duration of the line: its Identifier
  // points to a standing entry, made once.
  const bool attach = definedId_->macro == nullptr;
  if (attach) {
    definedId_->macro = &defined_;
    markMaybeMacro(definedId_->hash);
  }
  std::string expanded = expandText(text, true);
  if (attach && definedId_->macro == &defined_) definedId_->macro = nullptr;
  return evaluateCondition(expanded, name);
}

void Preprocessor::pushConditional(const char* directive, bool value, bool outerSkipping) {
  Conditional c;
  c.file = currentFileName();
  c.line = currentLine();
  c.directive = directive;
  c.outerSkipping = outerSkipping;
  c.taken = value && !outerSkipping;
  c.skipping = outerSkipping || !value;
  conds_.push_back(std::move(c));
}

bool Preprocessor::ifdefValue(std::string_view text, const char* directive) {
  std::string label = std::string("#") + directive;
  std::string_view v = trimView(text);
  if (v.empty()) {
    report(3, "NOARGUMEN", label);
    return false;
  }
  std::size_t n = 0;
  if (isDigit(v[0])) {
    if (pedantic_) report(3, "STARTDIGI", label);
    while (n < v.size() && isIdentPart(v[n])) ++n;
  } else if (!isIdentStart(v[0])) {
    report(3, "ARGPUNCTU", label);
    return false;
  } else {
    while (n < v.size() && isIdentPart(v[n])) ++n;
  }
  if (!trimView(v.substr(n)).empty()) report(3, "INVALIEND", label);
  Macro* m = lookup(v.substr(0, n));
  return m != nullptr;
}

void Preprocessor::reportAfterElse(const Conditional& c, const std::string& argument) {
  report(3, "ELIFAELSE", argument);
  char buf[64];
  std::snprintf(buf, sizeof buf, " %d file ", c.elseLine);
  report(4, "MATCHLINE", buf + c.elseFile);
}

namespace {

std::string elseOrElif() { return translateText("Error Parameter", "else or elif"); }

}  // namespace

void Preprocessor::doElse(bool inSkippedGroup) {
  if (conds_.empty()) {
    report(3, "NOCONDITI", "#else");
    return;
  }
  Conditional& c = conds_.back();
  if (c.sawElse) reportAfterElse(c, inSkippedGroup ? elseOrElif() : "#else");
  c.sawElse = true;
  c.elseLine = currentLine();
  c.elseFile = currentFileName();
  c.directive = "else";
  if (c.outerSkipping) return;
  c.skipping = c.taken;
  c.taken = true;
}

void Preprocessor::doElif(std::string_view rest, bool inSkippedGroup) {
  if (conds_.empty()) {
    report(3, "NOCONDITI", "#elif");
    return;
  }
  if (conds_.back().sawElse) reportAfterElse(conds_.back(), inSkippedGroup ? elseOrElif() : "#elif");
  conds_.back().directive = "elif";
  if (conds_.back().outerSkipping) return;
  if (conds_.back().taken) {
    conds_.back().skipping = true;
    return;
  }
  bool value = evaluateIf(rest, "#elif");
  Conditional& c = conds_.back();
  c.taken = value;
  c.skipping = !value;
}

void Preprocessor::doEndif() {
  if (conds_.empty()) {
    report(3, "UNBAENDIF", std::string());
    return;
  }
  conds_.pop_back();
}

// ---------------------------------------------------------------- #include

// Whether a path is a file that can be read, remembered for the run: the
// same header names are looked for in the same directories again and again.
// A directory of the same name (a folder named like an extension-less C++
// header such as <memory>) is passed over: the search goes on.
// Directories are remembered the same way: most names are looked for in
// directories that have no such subdirectory (bits/, sys/ ...), and a path
// whose directory does not exist cannot be read.
void Preprocessor::clearPathCache() {
  readable_.clear();
  identities_.clear();
  directories_.clear();
  searches_.clear();
}

bool Preprocessor::isDirectory(const std::string& dir) {
  auto it = directories_.find(dir);
  if (it != directories_.end()) return it->second;
  struct stat info {};
  bool ok = ::stat(dir.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
  directories_.emplace(dir, ok);
  return ok;
}

Preprocessor::FileIdentity Preprocessor::fileIdentity(const std::string& path) {
  auto it = identities_.find(path);
  if (it != identities_.end()) return it->second;
  struct stat info {};
  FileIdentity id{0, 0};
  if (::stat(path.c_str(), &info) == 0) id = {static_cast<std::uint64_t>(info.st_dev), static_cast<std::uint64_t>(info.st_ino)};
  identities_.emplace(path, id);
  return id;
}

bool Preprocessor::canRead(const std::string& path) {
  auto it = readable_.find(path);
  if (it != readable_.end()) return it->second;
  std::size_t slash = path.rfind('/');
  bool ok;
  struct stat info {};
  if (slash != std::string::npos && slash > 0 && !isDirectory(path.substr(0, slash))) ok = false;
  else
    ok = ::stat(path.c_str(), &info) == 0 && !S_ISDIR(info.st_mode) && ::access(path.c_str(), R_OK) == 0;
  readable_.emplace(path, ok);
  return ok;
}

namespace {

std::string directoryOf(const std::string& file) {
  std::size_t slash = file.rfind('/');
  if (slash == std::string::npos) return std::string();
  return file.substr(0, slash == 0 ? 1 : slash);
}

std::string joinPath(const std::string& dir, const std::string& name) {
  if (dir.empty()) return name;
  if (dir.back() == '/') return dir + name;
  return dir + "/" + name;
}

}  // namespace

// The file that `#include` (or `#include_next`) of `name` opens from the
// current position: the search order of the directive, its result kept.
const Preprocessor::Search& Preprocessor::searchInclude(const std::string& name, bool next) {
  Frame* current = nullptr;
  for (int i = top_; i >= 0; --i)
    if (frames_[i].kind == FrameKind::File) {
      current = &frames_[i];
      break;
    }
  // The same name is looked for from the same place again and again: each
  // search is made once, its result kept with the name, the form, where it
  // starts and the length of the chain (which only grows).
  const int chainSize = static_cast<int>(chain_.size());
  int start = 0;
  std::string includerDir;
  if (next) {
    start = current ? std::max(current->foundIn + 1, 0) : 0;
  } else {
    Frame* includer = innermostNamed();
    if (includer) includerDir = directoryOf(includer->file);
  }
  std::string key = name;
  key += '\0';
  key += next ? std::to_string(start) : includerDir;
  key += '\0';
  key += std::to_string(chainSize);
  auto known = searches_.find(key);
  if (known == searches_.end()) {
    std::string found;
    int foundIn = -1;
    if (!name.empty() && name[0] == '/') {
      if (canRead(name)) found = name;
    } else if (next) {
      for (int i = start; i < chainSize && found.empty(); ++i) {
        std::string path = joinPath(chain_[static_cast<std::size_t>(i)], name);
        if (canRead(path)) {
          found = path;
          foundIn = i;
        }
      }
    } else {
      if (canRead(name)) found = name;
      for (int i = 0; i < chainSize && found.empty(); ++i) {
        std::string path = joinPath(chain_[static_cast<std::size_t>(i)], name);
        if (canRead(path)) {
          found = path;
          foundIn = i;
        }
      }
      if (found.empty() && !includerDir.empty()) {
        std::string path = joinPath(includerDir, name);
        if (canRead(path)) {
          found = path;
          foundIn = chainSize;
        }
      }
    }
    known = searches_.emplace(std::move(key), Search{std::move(found), foundIn}).first;
  }
  return known->second;
}

bool headerName(std::string_view v, std::string& name) {
  v = trimView(v);
  if (v.size() < 2) return false;
  char closer = v[0] == '"' ? '"' : v[0] == '<' ? '>' : '\0';
  if (!closer || v.back() != closer) return false;
  std::string_view inner = v.substr(1, v.size() - 2);
  if (inner.find(closer) != std::string_view::npos || inner.empty()) return false;
  name.assign(inner);
  return true;
}

void Preprocessor::doInclude(Out& o, std::string_view text, bool next) {
  auto form = headerName;
  std::string name;
  if (!form(text, name)) {
    std::string expanded = expandText(escapeInput(text), true);
    if (!form(expanded, name)) {
      report(3, "ERINCLUDE", std::string(trimView(text)));
      return;
    }
  }
  const Search& search = searchInclude(name, next);
  const std::string& found = search.path;
  const int foundIn = search.foundIn;
  std::shared_ptr<const std::string> content = found.empty() ? nullptr : loadFile(found);
  if (!content) {
    report(1, "IMPOUVFIC", name);
    return;
  }
  Frame* f = pushFrame(FrameKind::File);
  if (!f) return;
  f->shared = std::move(content);
  f->text = f->shared->data();
  f->len = f->shared->size();
  f->file = found;
  f->named = true;
  f->line = 1;
  f->foundIn = foundIn;
  if (!onceFiles_.empty() && onceFiles_.count(fileIdentity(found))) {
    // A file marked `#pragma once` is not read again: entered and left at
    // once, as a guarded header is.
    if (!o.intermediate) o.pending = o.forceMarker = true;
    popFrame(&o);
    return;
  }
  if (!o.intermediate) {
    o.pending = true;
    o.forceMarker = true;
    // A guarded header included again while its guard is defined: scanning
    // it would write nothing, report nothing and leave every table as it is,
    // so its frame is left at once (which asks for the same line marker).
    if (guardSkip_ && (analysisOn_ || force_) && skippableInclude(found, f->shared)) {
      popFrame(&o);
    } else if (o.buf.capacity() - o.buf.size() < f->len) {
      // Room for about as much output as the file has text, so that a large
      // file does not make the output grow and move several times.
      o.buf.reserve(o.buf.size() + f->len);
    }
  }
}

// ---------------------------------------------------------------- #line

void Preprocessor::doLine(Frame& f, std::string_view text, int physicalLines) {
  std::string v(trimView(text));
  if (v.empty() || !isDigit(v[0])) v = expandText(escapeInput(v), true);
  std::string_view t = trimView(v);
  std::size_t n = 0;
  long value = 0;
  while (n < t.size() && isDigit(t[n]) && value < 100000000) value = value * 10 + (t[n++] - '0');
  if (n == 0 || (n < t.size() && !isSpace(t[n]))) {
    report(3, "DIESELINE", std::string(trimView(text)));
    return;
  }
  std::string file(trimView(t.substr(n)));
  f.line = static_cast<int>(value) - physicalLines;
  if (!file.empty()) {
    std::string name;
    for (char c : file)
      if (c != '"') name += c;
    f.file = name;
    f.named = true;
  }
}

// ---------------------------------------------------------------- #pragma

void Preprocessor::copyLine(Out& o, const std::string& text) {
  emitRaw(o, text.data(), text.size());
  o.buf += '\n';
  ++o.line;
}

void Preprocessor::runAlias(const std::string& text) {
  if (aliasDepth_ >= 64) {
    report(1, "NBRECURSI", std::string());
    return;
  }
  Frame* f = pushFrame(FrameKind::Text);
  if (!f) return;
  f->owned = text;
  normaliseText(f->owned, dialect_);
  f->text = f->owned.data();
  f->len = f->owned.size();
  ++aliasDepth_;
  Out discard;
  discard.intermediate = true;
  scan(discard, top_);
  --aliasDepth_;
}

namespace {

// `#pragma zenta sizeof NAME = BITS` and `signof NAME = signed|unsigned` are
// passed on to the lexer, which applies them to the target widths; for the
// names of the base types they are applied here too, so that `sizeof` in the
// `#if` lines that follow sees them at once. Other names may be typedef names
// that only the lexer can resolve; applying the same value twice is harmless.
void applyWidthPragma(bool size, std::string_view rest) {
  std::size_t eq = rest.find('=');
  if (eq == std::string_view::npos) return;
  std::string name;
  for (char c : rest.substr(0, eq))
    if (!isSpace(c)) name += c;
  BaseWidth which;
  if (name == "char") which = BaseWidth::Char;
  else if (name == "short") which = BaseWidth::Short;
  else if (name == "int") which = BaseWidth::Int;
  else if (name == "long") which = BaseWidth::Long;
  else if (name == "longlong") which = BaseWidth::LongLong;
  else return;
  std::string_view value = trimView(rest.substr(eq + 1));
  if (size) {
    int bits = 0;
    for (char c : value) {
      if (!isDigit(c) || bits > 64) return;
      bits = bits * 10 + (c - '0');
    }
    if (bits >= 1 && bits <= 64) setTargetWidth(which, bits);
  } else if (value == "signed" || value == "unsigned") {
    setTargetUnsigned(which, value == "unsigned");
  }
}

}  // namespace

void Preprocessor::doPragma(Out& o, std::string_view text) {
  Words w{text};
  std::string_view first = w.word();
  if (first == "zenta") {
    w.blanks();
    std::string_view word = w.word();
    if (word.empty()) {
      report(3, "PRAGMAINC", w.i < text.size() ? std::string(1, text[w.i]) : std::string());
      return;
    }
    int k = pragmaKeyword(word);
    if (k < 0) {
      report(3, "PRAGMAINC", std::string(word));
      return;
    }
    switch (k) {
      case 0: {
        std::string_view list = w.rest();
        bool any = false;
        std::size_t i = 0;
        while (i < list.size()) {
          while (i < list.size() && (list[i] == ',' || isSpace(list[i]))) ++i;
          std::size_t b = i;
          while (i < list.size() && list[i] != ',' && !isSpace(list[i])) ++i;
          if (i > b) {
            chain_.emplace_back(list.substr(b, i - b));
            longestDir_ = std::max(longestDir_, i - b);
            any = true;
          }
        }
        if (!any) report(3, "SYNTAXERR", "empty pragma zenta incl_std");
        break;
      }
      case 1:
      case 10:
        analysisOn_ = false;
        break;
      case 2:
      case 11:
        analysisOn_ = true;
        break;
      case 3:
      case 4:
        copyLine(o, "#pragma " + std::string(trimView(text)));
        applyWidthPragma(k == 3, w.rest());
        break;
      case 5: {
        std::string name(w.word());
        std::string value(w.rest());
        if (name.empty()) {
          report(3, "SYNTAXERR", std::string(trimView(text)));
          break;
        }
        bool replaced = false;
        for (auto& [n, t] : aliases_)
          if (n == name) {
            t = value;
            replaced = true;
          }
        if (!replaced) aliases_.emplace_back(name, value);
        break;
      }
      case 6: {
        w.blanks();
        bool eq = w.i < text.size() && text[w.i] == '=';
        if (eq) ++w.i;
        std::string_view name = w.word();
        if (!eq || name.empty() || name.size() > 1999) {
          report(3, "TYPMODINC", std::string(w.rest()));
          break;
        }
        bool present = false;
        for (const auto& t : typeModifiers_) present = present || t == name;
        if (!present) typeModifiers_.emplace_back(name);
        break;
      }
      default:
        break;
    }
    return;
  }
  std::string_view whole = trimView(text);
  if (whole == "once" && dialect_ != Dialect::Classic) {
    // In a dialect, as the compilers do: the file that holds the pragma is
    // read once (a main text is no file and is not marked).
    for (int i = top_; i >= 0; --i)
      if (frames_[i].kind == FrameKind::File) {
        onceFiles_.insert(fileIdentity(frames_[i].file));
        break;
      }
    return;
  }
  for (const auto& [name, replacement] : aliases_) {
    if (name == whole || name == first) {
      std::string copy = replacement;
      runAlias(copy);
      return;
    }
  }
}

int pragmaKeyword(std::string_view word) {
  if (word.empty()) return -1;
  int i = 0;
  for (const char* k : kPragmaKeywords) {
    if (std::strlen(k) >= word.size() && std::strncmp(k, word.data(), word.size()) == 0) return i;
    ++i;
  }
  return -1;
}

bool Preprocessor::directive(Out& o, Frame& f, const std::string& line, int physicalLines) {
  Words w{line};
  std::string_view name = w.word();
  if (name.empty()) {
    // '#' alone, or followed by something that is not a name.
    return trimView(line).empty();
  }
  std::string_view rest = trimView(std::string_view(line).substr(w.i));
  switch (name.size()) {
    case 2:
      if (name == "if") {
        pushConditional("if", evaluateIf(rest, "#if"), false);
        return true;
      }
      break;
    case 4:
      if (name == "else") {
        doElse(false);
        return true;
      }
      if (name == "elif") {
        doElif(rest, false);
        return true;
      }
      if (name == "line") {
        doLine(f, rest, physicalLines);
        return true;
      }
      break;
    case 5:
      if (name == "ifdef") {
        pushConditional("ifdef", ifdefValue(rest, "ifdef"), false);
        return true;
      }
      if (name == "endif") {
        doEndif();
        return true;
      }
      if (name == "undef") {
        Words u{rest};
        std::string_view id = u.word();
        if (id.empty()) report(3, "INVAMACRO", std::string(rest));
        else undefName(id);
        return true;
      }
      if (name == "error") {
        std::string text = "#error " + std::string(rest);
        copyLine(o, text);
        report(3, "WARNERR", text.substr(0, 511));
        return true;
      }
      break;
    case 6:
      if (name == "define") {
        defineFromText(rest);
        return true;
      }
      if (name == "ifndef") {
        pushConditional("ifndef", !ifdefValue(rest, "ifndef"), false);
        return true;
      }
      if (name == "pragma") {
        doPragma(o, rest);
        return true;
      }
      break;
    case 7:
      if (name == "include") {
        doInclude(o, rest, false);
        return true;
      }
      if (name == "warning") {
        std::string text = "#warning " + std::string(rest);
        copyLine(o, text);
        report(3, "WARNERR", text.substr(0, 511));
        return true;
      }
      break;
    case 12:
      if (name == "include_next") {
        doInclude(o, rest, true);
        return true;
      }
      break;
    default:
      break;
  }
  return false;
}

bool Preprocessor::conditionalInSkip(Frame& f, const std::string& line) {
  (void)f;
  Words w{line};
  std::string_view name = w.word();
  std::string_view rest = trimView(std::string_view(line).substr(w.i));
  if (name == "if" || name == "ifdef" || name == "ifndef") {
    pushConditional(name == "if" ? "if" : name == "ifdef" ? "ifdef" : "ifndef", false, true);
    return true;
  }
  if (name == "else") {
    doElse(skipping());
    return true;
  }
  if (name == "elif") {
    doElif(rest, skipping());
    return true;
  }
  if (name == "endif") {
    doEndif();
    return true;
  }
  return false;
}

}  // namespace zenta::analyser::pp

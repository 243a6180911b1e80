// The preprocessor object and the types its modules share (reading,
// scanning, directives, macros, conditional expressions). Not for use
// outside the preprocessor: the public interface is analyser/preprocessor.h.
#pragma once

#include <cstdint>
#include <cstring>
#include <memory>
#include <string>
#include <string_view>
#include <map>
#include <set>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "analyser/basic/dialect.h"
#include "analyser/basic/identifiers.h"
#include "analyser/lex/preprocessor.h"

namespace zenta::analyser::pp {

// ---------------------------------------------------------------- characters

// Texts that are scanned again (macro bodies, arguments, expansions) carry
// marks of their own: kNoExpand before an identifier that must not be
// expanded again (its macro was being expanded when it was met), and
// kSeparator where two tokens meet without white space but must stay apart
// (a blank in the output when they would run together; nothing in a string
// made by `#`). An input byte equal to a mark byte is written there as
// kNoExpand followed by the byte. Input texts themselves (files, buffers)
// hold plain bytes.
constexpr char kNoExpand = '\x01';
constexpr char kSeparator = '\x02';
inline bool isMarkByte(char c) { return c == kNoExpand || c == kSeparator; }

struct CharTables {
  bool hspace[256];  // blank, tab, form feed, vertical tab, carriage return
  bool start[256];   // identifier start: letters, '_', '$'
  bool part[256];    // identifier part: identifier start and digits
  bool space[256];   // horizontal space and newline
};
extern const CharTables kChars;

inline bool isHSpace(char c) { return kChars.hspace[static_cast<unsigned char>(c)]; }
inline bool isIdentStart(char c) { return kChars.start[static_cast<unsigned char>(c)]; }
inline bool isIdentPart(char c) { return kChars.part[static_cast<unsigned char>(c)]; }
inline bool isSpace(char c) { return kChars.space[static_cast<unsigned char>(c)]; }
inline bool isDigit(char c) { return c >= '0' && c <= '9'; }

// ---------------------------------------------------------------- comments

// The "*/" that closes a block comment whose text starts at p; nullptr when
// the text ends first.
inline const char* commentClose(const char* p, const char* end) {
  while (end - p >= 2) {
    const void* star = std::memchr(p, '*', static_cast<std::size_t>(end - p - 1));
    if (!star) return nullptr;
    const char* q = static_cast<const char*>(star);
    if (q[1] == '/') return q;
    p = q + 1;
  }
  return nullptr;
}

// The number of newlines in [b, e), eight bytes at a time: comments are long
// and their lines must be counted.
inline int countNewlines(const char* b, const char* e) {
  constexpr std::uint64_t ones = 0x0101010101010101ull;
  constexpr std::uint64_t high = ones * 0x80;
  constexpr std::uint64_t low = ones * 0x7f;
  std::uint64_t n = 0;
  while (e - b >= 8) {
    std::uint64_t w;
    std::memcpy(&w, b, 8);
    std::uint64_t x = w ^ (ones * '\n');  // zero bytes where the newlines are
    std::uint64_t nonzero = (((x & low) + low) | x) & high;
    n += ((~nonzero & high) >> 7) * ones >> 56;
    b += 8;
  }
  while (b < e) n += *b++ == '\n';
  return static_cast<int>(n);
}

// ---------------------------------------------------------------- macros

enum MacroKind : int {
  KindMacro = 0,
  KindLine = 10,
  KindDate = 11,
  KindFile = 12,
  KindBaseFile = 13,
  KindIncludeLevel = 14,
  KindTime = 16,
  KindConstant = 17,
  KindDefined = 20,
  // In a dialect of the standard: the feature queries and the pragma
  // operator, answered wherever they are met (analyser/lex/pp_queries.cpp).
  KindHasInclude = 30,
  KindHasIncludeNext = 31,
  KindHasBuiltin = 32,
  KindHasAttribute = 33,
  KindHasCppAttribute = 34,
  KindPragmaOperator = 35,
};

enum Variadic : int { VarNone = 0, VarNamed = 1, VarBare = 2 };

// One place in an expansion where a parameter is used.
struct ParamUse {
  std::string before;  // literal text before the use
  int param = 0;       // parameter index
  bool stringise = false;
  bool pasteLeft = false;   // `## param`
  bool pasteRight = false;  // `param ##`
};

struct MacroDef {
  int paramCount = -1;   // negative for an object-like macro
  std::string body;      // the expansion text, blanks normalised, `##` removed
  int variadic = VarNone;
  bool square = false;   // parameter list written in square brackets
  std::string argNames;  // the parameter names, comma separated
  std::vector<ParamUse> uses;
  std::string tail;      // literal text after the last use
  bool tailIsBody = false;  // an object-like macro whose expansion is its body
  // The expansion of an object-like macro.
  const std::string& expansion() const { return tailIsBody ? body : tail; }
};

// A macro, or a special entry, in the identifier table: the Identifier of
// its name points to it.
struct Macro {
  Identifier* id = nullptr;  // its name
  const std::string& name() const { return id->text; }
  int kind = KindMacro;
  std::string value;  // the text of a constant entry
  // Shared with the expansions that read it, so that a #define or #undef met
  // while one of them is under way cannot free the text it reads.
  std::shared_ptr<const MacroDef> def;
  Macro* prev = nullptr;  // the list of entries in the table
  Macro* next = nullptr;
  int busy = 0;  // number of frames on the input stack expanding it
  int pins = 0;  // calls whose arguments are being collected (entry kept if removed)
};

// The hash of a name is the identifier table's. A bit filter indexed by it
// tells at once that most names are no macro, before the table is probed.
inline std::uint32_t hashName(std::string_view name) { return IdentifierTable::hashOf(name); }
constexpr unsigned kFilterLog = 18;  // 32 KB: small enough to cost little to clear
constexpr unsigned kFilterBits = 1u << kFilterLog;
inline unsigned filterBit(std::uint32_t h) { return (h * 2654435761u) >> (32 - kFilterLog); }

// ---------------------------------------------------------------- frames

enum class FrameKind : std::uint8_t { File, Text, Macro, Arg };

constexpr int kMaxFrames = 2000;
// Arguments are macro-expanded by a nested scan before substitution; each
// nesting level costs native stack, so the nesting of argument scans has a
// bound of its own, well below the frame limit, reported like it.
constexpr int kMaxArgumentScans = 200;

struct Frame {
  const char* text = nullptr;
  std::size_t len = 0;
  std::size_t pos = 0;
  std::string owned;                          // text owned by the frame
  std::shared_ptr<const std::string> shared;  // or shared file text
  std::string file;                           // file name (named frames)
  bool named = false;
  int line = 1;
  Macro* macro = nullptr;  // macro expanded by this frame
  std::shared_ptr<const MacroDef> def;  // its definition, kept while the frame reads it
  int condDepth = 0;       // conditional stack depth at entry
  int foundIn = -1;        // include chain entry the file came from (-1: none)
  // A block comment that starts a line, its end and its newlines, as found
  // when the line was looked at for a directive (the text never changes
  // while the frame lives).
  const char* commentAt = nullptr;
  const char* commentClose = nullptr;
  int commentLines = 0;
  FrameKind kind = FrameKind::Text;
  bool bol = true;         // at the beginning of a line

  bool source() const { return kind == FrameKind::File || kind == FrameKind::Text; }
};

// ---------------------------------------------------------------- output

struct Out {
  std::string buf;
  int line = 1;           // line number of the line being written
  std::string file;       // file of the last line marker
  bool intermediate = false;  // text to be rescanned (keeps no-expand marks)
  bool pending = false;   // the output must be brought in line with the input
  bool forceMarker = false;   // ... and by a marker, not by newlines
  bool checkPaste = false;    // a blank may be needed to keep tokens apart
  bool lag = false;           // input lines were consumed without output (macro call)
  bool flags() const { return pending || checkPaste; }
};

// ---------------------------------------------------------------- conditionals

struct Conditional {
  std::string file;
  int line = 0;
  const char* directive = "";  // "if", "ifdef", "ifndef", "else", "elif"
  bool taken = false;     // a true branch was taken already
  bool skipping = false;  // the current group is skipped
  bool outerSkipping = false;  // the whole conditional sits in a skipped group
  bool sawElse = false;
  int elseLine = 0;
  std::string elseFile;
};

// ---------------------------------------------------------------- free helpers

// Reading: NUL stop, final newline, trigraphs, digraphs and line splices
// (their newlines moved after the joined line), by the rules of the
// dialect: in the classic language both replacements are textual and made
// everywhere; in a dialect only digraphs that are tokens are replaced, and
// trigraphs stop at C++17. readFile returns false when the file cannot be
// opened.
bool readFile(const std::string& path, std::string& text, Dialect dialect);
void normaliseText(std::string& text, Dialect dialect);

// Line markers.
void writeMarker(Out& out, int line, const std::string& file);

std::string stringise(std::string_view arg);

// The name of a `"name"` or `<name>` header-name text (blanks around it
// allowed); false for any other text.
bool headerName(std::string_view text, std::string& name);

// Keyword of `#pragma zenta WORD` by prefix; -1 when none.
int pragmaKeyword(std::string_view word);

// Text helpers.
std::string_view trimView(std::string_view s);
// Input text into a text to be scanned again: mark bytes escaped.
void appendEscaped(std::string& out, std::string_view raw);
std::string escapeInput(std::string_view raw);
// A text to be scanned again without its no-expand marks, escaped bytes
// kept escaped; separators kept when `separators` (else dropped).
std::string stripMarks(std::string_view s, bool separators = false);
// A text to be scanned again as plain text: marks dropped, bytes unescaped,
// separators made blanks when `blanks` (else dropped).
std::string plainText(std::string_view s, bool blanks);
// Whether writing `next` right after `buf` could form a token that neither was.
bool wouldPaste(const std::string& buf, char next);

// A buffer kept for reuse, lent for the time of one use: a use nested in
// another (a directive run while another is carried out, a call expanded
// inside the arguments of another) finds it lent and starts with a fresh
// one; the larger of the two is kept.
template <class Buffer>
struct Lent {
  Buffer& home;
  Buffer value;
  explicit Lent(Buffer& h) : home(h), value(std::move(h)) { value.clear(); }
  ~Lent() {
    if (value.capacity() > home.capacity()) home = std::move(value);
  }
  Lent(const Lent&) = delete;
  Lent& operator=(const Lent&) = delete;
};

// The place of a macro argument in the text of a call's arguments.
struct Span {
  std::size_t begin = 0;
  std::size_t end = 0;
};

// ---------------------------------------------------------------- the preprocessor

// One preprocessor and all its state: options, macro table, include chain,
// conditional stack, pragma aliases, type modifiers, input stack, file and
// path caches. Its modules (reading, scanning, directives, macros,
// conditional expressions) are its member functions, each in its own file.
// The public functions of preprocessor.h drive the run's instance.
class Preprocessor {
 public:
  // Macros are attached to the names of `ids`: one preprocessor at a time
  // may use a table.
  explicit Preprocessor(IdentifierTable& ids);
  ~Preprocessor();
  Preprocessor(const Preprocessor&) = delete;
  Preprocessor& operator=(const Preprocessor&) = delete;

  // ------------------------------------------------ operations (preprocessor.h)
  void init(bool pedantic, bool traditional, int language, const std::vector<std::string>& defines,
            const std::vector<std::string>& includeDirs, const std::string& file, bool useIncludeDirs);
  int preprocessText(const std::string& text, bool force, const std::string& fileName, int line,
                     std::string& output, MessageHook report);
  void close();
  void reset();
  void setHook(MessageHook hook) { hook_ = hook; }
  void setGuardSkip(bool enabled) { guardSkip_ = enabled; }
  bool analysisOn() const { return analysisOn_; }
  Dialect analysedDialect() const { return dialect_; }
  // Digit separators (1'000) in numbers: from C++14.
  bool digitSeparators() const { return static_cast<int>(dialect_) >= static_cast<int>(Dialect::Cxx14); }
  const std::vector<std::string>& typeModifiers() const { return typeModifiers_; }
  const std::vector<std::string>& includeChain() const { return chain_; }

  // ------------------------------------------------ messages
  // Reports through the hook with the position of the innermost named frame.
  void report(int severity, const char* code, const std::string& argument);
  // The same at an explicit position.
  void reportAt(int severity, const char* code, const std::string& argument, const std::string& file,
                int line);
  // Messages held back (counted, not delivered) while above 0.
  int quietDepth() const { return quiet_; }

  // ------------------------------------------------ macro table
  // The macro of a name: one lookup in the identifier table. `hash` is
  // hashName(name).
  Macro* lookup(std::string_view name, std::uint32_t hash) {
    if (!maybeMacro(hash)) return nullptr;
    Identifier* id = ids_.find(name, hash);
    return id ? id->macro : nullptr;
  }
  Macro* lookup(std::string_view name) { return lookup(name, hashName(name)); }
  Macro* installSpecial(const std::string& name, int kind, const std::string& value = {});
  void removeMacro(Macro* m);
  void clearMacros();
  void defineFromText(std::string_view text);  // "NAME BODY" as after #define
  void undefName(std::string_view name);
  void commandLineDefinition(const std::string& entry);

  // ------------------------------------------------ files
  std::shared_ptr<const std::string> loadFile(const std::string& path);
  void clearFileCache();
  // Every file read since the last reset, in the order first read, each once
  // (the dependencies of the run for build tools).
  const std::vector<std::string>& filesRead() const { return filesRead_; }
  void clearPathCache();
  // Include guards. A file is guarded by NAME when everything significant in
  // it is one `#ifndef NAME` ... `#endif` group that a skipping scan passes
  // without any message: including it while NAME is defined then has no
  // effect but the entry and exit of its frame. findGuardCandidate gives the
  // name of a leading `#ifndef NAME` line (and the offset after it),
  // checkGuardGroup whether the rest is as described, findIncludeGuard both
  // (empty: none). skippableInclude tells whether the loaded file `text` of
  // `path` is guarded by a name that is defined now (the results are kept
  // with the file).
  bool skippableInclude(const std::string& path, const std::shared_ptr<const std::string>& text);
  std::string findGuardCandidate(const std::string& text, std::size_t& after);
  bool checkGuardGroup(const std::string& text, std::size_t after);
  std::string findIncludeGuard(const std::string& text);

 private:
  // ------------------------------------------------ frames
  // pushFrame reports "NBRECURSI" and returns nullptr at the limit.
  Frame* pushFrame(FrameKind kind);
  void popFrame(Out* out);
  Frame* innermostNamed();
  Frame* innermostSource();

  // ------------------------------------------------ scanning
  // Processes the input stack until the frame at index `base` is exhausted
  // and popped, writing to `out`.
  void scan(Out& out, int base);
  // Macro-expands a text on its own (arguments, #if lines, #include lines),
  // giving back the expanded text (no-expand marks removed when `final`).
  std::string expandText(std::string_view text, bool final);
  void emitRaw(Out& out, const char* s, std::size_t n);
  void resolve(Out& o, char next);
  const char* skipComment(Out& o, Frame& f, const char* p, const char* end, bool output);
  void extractLine(Out& o, Frame& f, const char* p, int& newlines, std::string& line);
  bool lineStart(Out& o, Frame& f);
  void skipGroup(Out& o, Frame& f);
  const char* blanksAndComments(Out& o, Frame& f, const char* p, const char* end, bool bol);
  std::string guardCandidate(const std::string& text, const char*& after);
  bool guardGroup(const std::string& text, const char* p);
  void skipWhileOff(Out& o, Frame& f);
  bool startsAnalysis(const std::string& line);
  void scanRun(Out& o, Frame& f);
  // Inside the arguments of a macro call: carries out a conditional, #define
  // or #undef line starting at the frame's position (a line start). Returns
  // false, consuming nothing, for anything else.
  bool argumentDirective(Out& out, Frame& f);

  // ------------------------------------------------ directives
  // `line` is the directive's text after '#', comments removed. Returns
  // false when the line is not a directive (copied as text).
  bool directive(Out& out, Frame& f, const std::string& line, int physicalLines);
  bool conditionalInSkip(Frame& f, const std::string& line);
  const std::string& currentFileName();
  int currentLine();
  bool evaluateIf(std::string_view text, const char* name);
  void pushConditional(const char* directive, bool value, bool outerSkipping);
  bool ifdefValue(std::string_view text, const char* directive);
  void reportAfterElse(const Conditional& c, const std::string& argument);
  void doElse(bool inSkippedGroup);
  void doElif(std::string_view rest, bool inSkippedGroup);
  void doEndif();
  bool isDirectory(const std::string& dir);
  // A file as the system knows it (device and inode), whatever path names it.
  using FileIdentity = std::pair<std::uint64_t, std::uint64_t>;
  FileIdentity fileIdentity(const std::string& path);
  bool canRead(const std::string& path);
  void doInclude(Out& o, std::string_view text, bool next);
  struct Search;
  const Search& searchInclude(const std::string& name, bool next);
  void doLine(Frame& f, std::string_view text, int physicalLines);
  void copyLine(Out& o, const std::string& text);
  void runAlias(const std::string& text);
  void doPragma(Out& o, std::string_view text);
  // Conditional expressions: the expanded text of a #if/#elif line.
  bool evaluateCondition(const std::string& expanded, const char* directiveName);

  // ------------------------------------------------ macros
  Macro* newMacro();
  Macro* insertNew(std::string_view name);
  void markMaybeMacro(std::uint32_t h) {
    unsigned b = filterBit(h);
    filter_[b >> 6] |= std::uint64_t{1} << (b & 63);
  }
  bool analyseBody(MacroDef& d, const std::vector<std::string_view>& params);
  // Macro expansion: `m` named at the top frame, whose position is just
  // after the name. Returns true when something was pushed or written.
  bool expandMacro(Out& out, Macro* m);
  void emitToken(Out& o, const std::string& text);
  void fixClock();
  int peekNext(std::size_t& at, int& newlines);
  void commit(Out& o, int index, std::size_t at, int newlines);
  void expandDefined(Out& o);
  // The feature queries and `_Pragma` (pp_queries.cpp): installed at set-up
  // in a dialect; expandQuery carries out one of them met in the text.
  void installDialectEntries();
  bool expandQuery(Out& o, Macro* m);
  bool queryArgument(Out& o, std::string& argument);
  bool hasInclude(const std::string& argument, bool next);
  void pragmaOperator(Out& o, const std::string& argument);
  bool collectArguments(Out& o, const MacroDef& d, std::string& text, std::vector<Span>& spans);

  bool maybeMacro(std::uint32_t h) const {
    unsigned b = filterBit(h);
    return (filter_[b >> 6] >> (b & 63)) & 1u;
  }
  bool skipping() const { return !conds_.empty() && conds_.back().skipping; }

  // ------------------------------------------------ state
  bool pedantic_ = false;
  bool traditional_ = false;
  Dialect dialect_ = Dialect::Classic;  // the dialect of the analysis, fixed at set-up
  int language_ = 0;
  MessageHook hook_ = nullptr;
  int errors_ = 0;  // severity-2 reports of the current call
  bool force_ = false;
  bool analysisOn_ = true;

  IdentifierTable& ids_;
  Macro* macros_ = nullptr;  // every entry of the table, newest first
  std::uint64_t filter_[kFilterBits / 64] = {};  // names that may be macros (cleared with the table)
  bool tableUsed_ = false;  // an entry was made since the table was last cleared
  // `defined`, an entry only while a #if or #elif line is expanded.
  Identifier* definedId_;
  Macro defined_;
  // The entries, made in blocks; a removed entry is chained as free unless a
  // frame or a call still names it.
  std::vector<std::unique_ptr<Macro[]>> macroBlocks_;
  Macro* freeMacros_ = nullptr;

  std::vector<std::string> chain_;  // include chain
  std::size_t longestDir_ = 19;
  std::vector<Conditional> conds_;
  std::vector<std::pair<std::string, std::string>> aliases_;
  int aliasDepth_ = 0;  // alias texts being scanned, one inside another
  // Feature-query arguments being expanded, one inside another. A query met
  // while another's argument expands is refused: an argument that runs past
  // the end of a macro's body can otherwise bring the same query back at
  // every level, with work that doubles at each.
  int queryDepth_ = 0;
  std::vector<std::string> typeModifiers_;

  // The input stack. Its room for every frame is reserved at once, so that
  // pushing never moves a frame, but frames are made only when first needed.
  std::vector<Frame> frames_;
  int top_ = -1;
  int scanBase_ = 0;  // the frame below which the current scan never reads
  bool limitHit_ = false;  // a frame was refused at the depth limit
  int argumentScans_ = 0;  // nested argument scans now running

  // Buffers reused from one use to the next (see Lent).
  std::string lineScratch_;     // the text of directive lines
  std::string argTextScratch_;  // the arguments of a call
  std::vector<Span> spanScratch_;
  std::string resultScratch_;   // the expansion of a call
  std::string pseudoFile_;  // "*Initialization*" / "*undef*" while set up runs
  std::string dateText_, timeText_;

  // While a header is examined for its include guard, messages are counted
  // here instead of being delivered: a header that would raise one is not
  // eligible for skipping.
  int quiet_ = 0;
  int quietReports_ = 0;
  bool guardSkip_ = true;  // re-inclusions of guarded headers are skipped

  // Headers are scanned at every #include that their guard does not pass
  // over, but their normalised text is kept for the run, up to a total size,
  // so that the disk is read once per file; with it, what is known of its
  // include guard.
  struct CachedFile {
    std::shared_ptr<const std::string> text;
    bool candidateKnown = false;
    std::string candidate;  // name of the leading #ifndef, if any
    std::size_t after = 0;  // offset after that line
    signed char group = 0;  // the group checked: 1 guarded, -1 not, 0 unknown
  };
  std::unordered_map<std::string, CachedFile> files_;
  std::size_t cachedBytes_ = 0;
  std::vector<std::string> filesRead_;
  std::unordered_set<std::string> filesReadSet_;
  // Whether a path is a file that can be read, and whether a directory
  // exists, remembered for the run.
  std::unordered_map<std::string, bool> readable_;
  std::unordered_map<std::string, bool> directories_;
  std::map<std::string, FileIdentity> identities_;
  // The files marked `#pragma once` in this analysis (a dialect only).
  std::set<FileIdentity> onceFiles_;
  // The result of an include search: the path found (empty: none) and the
  // chain entry it was found in.
  struct Search {
    std::string path;
    int foundIn = -1;
  };
  std::unordered_map<std::string, Search> searches_;
};

}  // namespace zenta::analyser::pp

// What the two lexers share: the scanner over a text held by the caller, the
// position for messages, identifier classification, and marks for tentative
// parsing.
//
// A lexer reads a std::string_view that the caller keeps alive; token texts
// are views into it, identifiers are interned once in the analyser's
// identifier table (one hash per identifier, computed while scanning), and
// no token allocates.
//
// Identifiers are classified from the parser's current scope through an
// IdentifierClassifier that the parser provides (the symbol tables live
// above the lexers); without one every identifier is plain.
#pragma once

#include <string>
#include <string_view>

#include "analyser/basic/identifiers.h"
#include "analyser/basic/message_hook.h"
#include "analyser/basic/names.h"
#include "analyser/lex/constants.h"
#include "analyser/lex/token.h"

namespace zenta::analyser::lex {

// How an identifier reads from a scope: a word of the type modifier list, a
// template name, a class or structure name, another type name, or plain.
class IdentifierClassifier {
 public:
  virtual NameClass classify(Name name, int scope) = 0;

 protected:
  ~IdentifierClassifier() = default;
};

// Where the width pragmas of the headers reach the type tables for a NAME
// that is a typedef name: the parser wires it to its tables. Each call sets
// the width (in bits) or the signedness of the integer base record the
// typedef leads to, and tells whether NAME was such a typedef; when it was
// not, the lexer applies the pragma to the base type NAME's first letter
// chooses.
class PragmaSink {
 public:
  virtual bool setTypedefWidth(Name name, int bits) = 0;
  virtual bool setTypedefSignedness(Name name, bool isUnsigned) = 0;

 protected:
  ~PragmaSink() = default;
};

// Where a lexer is, for going back to it. Restoring a mark re-reads the same
// tokens; messages about them are not raised a second time and pragma lines
// are not applied again.
struct LexerMark {
  const char* position = nullptr;
  int line = 0;
  Name file;
  bool lineStart = true;
  bool afterTemplate = false;
};

class Lexer : private ConstantReporter {
 public:
  Lexer(const Lexer&) = delete;
  Lexer& operator=(const Lexer&) = delete;

  void setClassifier(IdentifierClassifier* classifier) { classifier_ = classifier; }
  // The scope from which identifiers are classified (the parser's current
  // one); 0 at start.
  void setScope(int scope) { scope_ = scope; }
  int scope() const { return scope_; }
  // Diagnostics go to this hook (severity 3), with the file and line of the
  // token they are about. Without a hook they are dropped.
  void setMessageHook(MessageHook hook) { hook_ = hook; }

  // The line and file at the current position (after the last token read).
  int line() const { return line_; }
  Name file() const { return file_; }
  std::string_view input() const { return {begin_, static_cast<std::size_t>(end_ - begin_)}; }
  // The current position in the input (just after the last token read).
  const char* position() const { return pos_; }
  std::size_t offset() const { return static_cast<std::size_t>(pos_ - begin_); }
  bool atEnd() const { return pos_ >= end_; }

  LexerMark mark() const { return {pos_, line_, file_, lineStart_, afterTemplate_}; }
  void reset(const LexerMark& m);

 protected:
  Lexer();
  ~Lexer() = default;
  void start(std::string_view text, Name file, int line);
  // Reads one token; `Script` selects the rules of script texts, otherwise
  // those of preprocessed headers.
  template <bool Script>
  void scan(Token& t);

  PragmaSink* pragmaSink_ = nullptr;

 private:
  void report(const char* code, std::string argument) override;
  template <bool Script>
  const char* number(const char* s, Token& t);
  const char* quoted(const char* s, bool wide, Token& t);
  void classify(Identifier* id, Token& t);
  // Preprocessed headers only: a `#` line (line markers, width pragmas).
  const char* directiveLine(const char* p);
  void widthPragma(std::string_view line);

  const char* begin_ = nullptr;
  const char* end_ = nullptr;
  const char* pos_ = nullptr;
  // The furthest point read so far: tokens before it are being read again
  // after a reset.
  const char* highWater_ = nullptr;
  int line_ = 1;
  Name file_;
  bool lineStart_ = true;
  bool afterTemplate_ = false;
  bool quiet_ = false;  // the current token was read before: no messages
  bool spaceship_ = false;  // `<=>` is a token (C++20 on)
  bool separators_ = false;  // `'` between digits (C++14 on)
  std::string numberScratch_;  // a number read without its separators
  int tokenLine_ = 0;
  int scope_ = 0;
  IdentifierClassifier* classifier_ = nullptr;
  MessageHook hook_ = nullptr;
  IdentifierTable& table_;
};

}  // namespace zenta::analyser::lex

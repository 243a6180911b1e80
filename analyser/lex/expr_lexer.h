// The expression lexer: tokens of the short texts a test script gives as
// variable names, field paths and values, for the expression parser.
//
// Besides the shared token set it reads binary constants (`101b`, `0b`),
// hexadecimal constants with an `h` suffix (`0FFh`), floating constants with
// digits after the point or an exponent after digits (`1.` is the integer 1
// and a `.`, so that `0..9` reads as a range), and the tokens `#`, `..`
// (ranges and slices) and `=>` (index associations in value lists).
#pragma once

#include <string_view>

#include "analyser/lex/lexer.h"

namespace zenta::analyser::lex {

class ExpressionLexer : public Lexer {
 public:
  ExpressionLexer() = default;
  explicit ExpressionLexer(std::string_view text, Name file = Name(), int line = 1) {
    setInput(text, file, line);
  }

  // Starts reading a text (kept alive by the caller); messages name `file`
  // and `line` (the script's position), the line advancing at line breaks.
  void setInput(std::string_view text, Name file = Name(), int line = 1) { start(text, file, line); }

  // The next token; Tok::End at the end of the text (and after it).
  Token next() {
    Token t;
    scan<true>(t);
    return t;
  }
};

}  // namespace zenta::analyser::lex

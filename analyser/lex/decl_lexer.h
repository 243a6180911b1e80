// The declaration lexer: tokens of the preprocessed headers for the
// declaration parser.
//
// Besides the shared token set it reads floating constants (`1.`, `.5`,
// `1.e5`, `1.5e+3f`), returns `@` as a token, and carries out the `#` lines
// of the preprocessor's output: `#line N "file"` markers (also `# line` and
// `# N "file"`) set the line and file of what follows, and
// `#pragma zenta sizeof NAME = N` / `#pragma zenta signof NAME = signed|unsigned`
// change the target widths and signedness; other `#` lines are skipped.
//
// After a template name a `<` is returned as Tok::TemplateLess (blanks and
// line breaks between them do not matter); any other token ends that state.
#pragma once

#include <string_view>

#include "analyser/lex/lexer.h"

namespace zenta::analyser::lex {

class DeclarationLexer : public Lexer {
 public:
  DeclarationLexer() = default;
  explicit DeclarationLexer(std::string_view buffer) { setInput(buffer); }

  // Starts reading a buffer (kept alive by the caller) at line 1, without a
  // file name until the first marker.
  void setInput(std::string_view buffer) { start(buffer, Name(), 1); }
  // Typedef names in the width pragmas; without a sink NAME always names a
  // base type by its first letter.
  void setPragmaSink(PragmaSink* sink) { pragmaSink_ = sink; }

  // The next token; Tok::End at the end of the buffer (and after it).
  Token next() {
    Token t;
    scan<false>(t);
    return t;
  }
};

}  // namespace zenta::analyser::lex

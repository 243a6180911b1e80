// The token vocabulary shared by the declaration lexer (preprocessed headers)
// and the expression lexer (script texts), and the records a token carries.
//
// Keywords are found without a table of their own: when a keyword set is
// installed, the identifier-table entry of each keyword gets its token code
// in `Identifier::keyword`, so the lexers learn that a word is a keyword from
// the one lookup that interns it.
#pragma once

#include <cstdint>
#include <string_view>

#include "analyser/basic/names.h"
#include "support/scriptnum.h"

namespace zenta::analyser::lex {

enum class Tok : std::uint16_t {
  End = 0,  // end of the input

  // Operators and punctuators.
  LParen, RParen, LBracket, RBracket, LBrace, RBrace, Comma, Semicolon,
  Colon, ColonColon, Dot, DotStar, Arrow, ArrowStar, Ellipsis, Question,
  Assign, Equal, NotEqual, Less, Greater, LessEqual, GreaterEqual,
  ShiftLeft, ShiftRight, ShiftLeftAssign, ShiftRightAssign,
  Plus, Minus, Star, Slash, Percent, PlusPlus, MinusMinus,
  PlusAssign, MinusAssign, StarAssign, SlashAssign, PercentAssign,
  Amp, AmpAmp, AmpAssign, Pipe, PipePipe, PipeAssign, Caret, CaretAssign,
  Tilde, Not,
  // `<` right after a template name: the opening of its argument list
  // (declaration lexer only).
  TemplateLess,
  At,         // `@` (declaration lexer)
  Hash,       // `#` (expression lexer)
  DotDot,     // `..` ranges and slices (expression lexer)
  Associate,  // `=>` index associations in value lists (expression lexer)
  Spaceship,  // `<=>` (from C++20)

  // Constants and literals.
  IntegerConstant, CharConstant, FloatConstant, StringLiteral,

  // Identifiers, by their classification from the parser's scope.
  Identifier, ModifierName, TemplateName, ClassName, TypeName,

  // Keywords, in alphabetical order. A later keyword set adds its words
  // after KwWhile (and before KeywordLast) with the set that introduces them.
  KwAsm, KwAuto, KwBool, KwBreak, KwCase, KwCatch, KwChar, KwClass, KwConst,
  KwConstCast, KwContinue, KwDefault, KwDelete, KwDo, KwDouble, KwDynamicCast,
  KwElse, KwEnum, KwExplicit, KwExport, KwExtern, KwFalse, KwFloat, KwFor,
  KwFriend, KwGoto, KwIf, KwInline, KwInt, KwLong, KwMutable, KwNamespace,
  KwNew, KwOperator, KwOverload, KwPrivate, KwProtected, KwPublic, KwRegister,
  KwReinterpretCast, KwReturn, KwShort, KwSigned, KwSizeof, KwStatic,
  KwStaticCast, KwStruct, KwSwitch, KwTemplate, KwThis, KwThrow, KwTrue, KwTry,
  KwTypedef, KwTypeid, KwTypename, KwUnion, KwUnsigned, KwUsing, KwVirtual,
  KwVoid, KwVolatile, KwWcharT, KwWhile,
  // C++11 on.
  KwAlignas, KwAlignof, KwChar16T, KwChar32T, KwConstexpr, KwDecltype,
  KwNoexcept, KwNullptr, KwStaticAssert, KwThreadLocal,
  // C++20 on.
  KwChar8T, KwCoAwait, KwCoReturn, KwCoYield, KwConcept, KwConsteval,
  KwConstinit, KwRequires,
  KeywordLast = KwRequires,

  // A character that starts no token (a stray `\`, a control character, a
  // byte above 126, `@` in a script text, `#` inside a header line...).
  Unknown,
};

constexpr Tok kFirstKeyword = Tok::KwAsm;
inline bool isKeyword(Tok t) { return t >= kFirstKeyword && t <= Tok::KeywordLast; }
inline bool isIdentifierToken(Tok t) { return t >= Tok::Identifier && t <= Tok::TypeName; }

// The words that are keywords. Each set contains the ones before it.
enum class KeywordSet : std::uint8_t {
  Classic,  // the 64 words of C++ as first standardised, with `overload`
  Cxx11,    // and alignas ... thread_local (C++11 to C++17)
  Cxx20,    // and char8_t, concept, consteval, constinit, co_*, requires
};

// The keyword set of the current dialect of the analysed code.
KeywordSet keywordSetOfDialect();

// Installs a keyword set in the identifier table (and removes the words of
// any other set); done by the lexers when they are constructed, unless the
// set of the current dialect is installed already.
void useKeywordSet(KeywordSet set);
KeywordSet currentKeywordSet();
bool keywordSetInstalled();
// The number of keywords of a set.
int keywordCount(KeywordSet set);

// The source spelling of a punctuator or keyword, or a short description of
// the other tokens ("identifier", "integer constant", ...).
std::string_view tokenSpelling(Tok t);

// Classification of an identifier from the parser's current scope.
enum class NameClass : std::uint8_t { Plain, Modifier, TemplateName, ClassName, TypeName };

enum class FloatSuffix : std::uint8_t { None, Float, LongDouble };  // double, f/F, l/L

// The value of an integer or character constant.
struct Constant {
  support::ScriptInt value;
  // Width in bits of the constant's type; negative for a signed type.
  int width = 0;
  bool isChar = false;  // a character constant
  bool wide = false;    // L'...' (and, on string tokens, L"...")
};

struct Token {
  Tok code = Tok::End;
  // The token as written, in the lexer's input.
  std::string_view text;
  // Floating constants: the digits without the suffix. Character constants
  // and string literals: the characters between the quotes, escapes as
  // written.
  std::string_view body;
  int line = 0;  // line of its first character
  Name file;     // file named by the last line marker before it (none before the first)
  // Identifiers (every class) and keywords: the interned word.
  Name name;
  // Integer and character constants; `wide` also for string literals.
  Constant constant;
  FloatSuffix floatSuffix = FloatSuffix::None;  // floating constants
};

}  // namespace zenta::analyser::lex

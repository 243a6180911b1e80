#include "analyser/lex/token.h"

#include <array>

#include "analyser/basic/dialect.h"
#include "analyser/basic/identifiers.h"

namespace zenta::analyser::lex {

namespace {

struct KeywordEntry {
  std::string_view text;
  Tok code;
  KeywordSet since;
};

constexpr KeywordSet kClassic = KeywordSet::Classic;
constexpr KeywordSet kCxx11 = KeywordSet::Cxx11;
constexpr KeywordSet kCxx20 = KeywordSet::Cxx20;

constexpr KeywordEntry kKeywords[] = {
    {"asm", Tok::KwAsm, kClassic},
    {"auto", Tok::KwAuto, kClassic},
    {"bool", Tok::KwBool, kClassic},
    {"break", Tok::KwBreak, kClassic},
    {"case", Tok::KwCase, kClassic},
    {"catch", Tok::KwCatch, kClassic},
    {"char", Tok::KwChar, kClassic},
    {"class", Tok::KwClass, kClassic},
    {"const", Tok::KwConst, kClassic},
    {"const_cast", Tok::KwConstCast, kClassic},
    {"continue", Tok::KwContinue, kClassic},
    {"default", Tok::KwDefault, kClassic},
    {"delete", Tok::KwDelete, kClassic},
    {"do", Tok::KwDo, kClassic},
    {"double", Tok::KwDouble, kClassic},
    {"dynamic_cast", Tok::KwDynamicCast, kClassic},
    {"else", Tok::KwElse, kClassic},
    {"enum", Tok::KwEnum, kClassic},
    {"explicit", Tok::KwExplicit, kClassic},
    {"export", Tok::KwExport, kClassic},
    {"extern", Tok::KwExtern, kClassic},
    {"false", Tok::KwFalse, kClassic},
    {"float", Tok::KwFloat, kClassic},
    {"for", Tok::KwFor, kClassic},
    {"friend", Tok::KwFriend, kClassic},
    {"goto", Tok::KwGoto, kClassic},
    {"if", Tok::KwIf, kClassic},
    {"inline", Tok::KwInline, kClassic},
    {"int", Tok::KwInt, kClassic},
    {"long", Tok::KwLong, kClassic},
    {"mutable", Tok::KwMutable, kClassic},
    {"namespace", Tok::KwNamespace, kClassic},
    {"new", Tok::KwNew, kClassic},
    {"operator", Tok::KwOperator, kClassic},
    {"overload", Tok::KwOverload, kClassic},
    {"private", Tok::KwPrivate, kClassic},
    {"protected", Tok::KwProtected, kClassic},
    {"public", Tok::KwPublic, kClassic},
    {"register", Tok::KwRegister, kClassic},
    {"reinterpret_cast", Tok::KwReinterpretCast, kClassic},
    {"return", Tok::KwReturn, kClassic},
    {"short", Tok::KwShort, kClassic},
    {"signed", Tok::KwSigned, kClassic},
    {"sizeof", Tok::KwSizeof, kClassic},
    {"static", Tok::KwStatic, kClassic},
    {"static_cast", Tok::KwStaticCast, kClassic},
    {"struct", Tok::KwStruct, kClassic},
    {"switch", Tok::KwSwitch, kClassic},
    {"template", Tok::KwTemplate, kClassic},
    {"this", Tok::KwThis, kClassic},
    {"throw", Tok::KwThrow, kClassic},
    {"true", Tok::KwTrue, kClassic},
    {"try", Tok::KwTry, kClassic},
    {"typedef", Tok::KwTypedef, kClassic},
    {"typeid", Tok::KwTypeid, kClassic},
    {"typename", Tok::KwTypename, kClassic},
    {"union", Tok::KwUnion, kClassic},
    {"unsigned", Tok::KwUnsigned, kClassic},
    {"using", Tok::KwUsing, kClassic},
    {"virtual", Tok::KwVirtual, kClassic},
    {"void", Tok::KwVoid, kClassic},
    {"volatile", Tok::KwVolatile, kClassic},
    {"wchar_t", Tok::KwWcharT, kClassic},
    {"while", Tok::KwWhile, kClassic},
    {"alignas", Tok::KwAlignas, kCxx11},
    {"alignof", Tok::KwAlignof, kCxx11},
    {"char16_t", Tok::KwChar16T, kCxx11},
    {"char32_t", Tok::KwChar32T, kCxx11},
    {"constexpr", Tok::KwConstexpr, kCxx11},
    {"decltype", Tok::KwDecltype, kCxx11},
    {"noexcept", Tok::KwNoexcept, kCxx11},
    {"nullptr", Tok::KwNullptr, kCxx11},
    {"static_assert", Tok::KwStaticAssert, kCxx11},
    {"thread_local", Tok::KwThreadLocal, kCxx11},
    {"char8_t", Tok::KwChar8T, kCxx20},
    {"co_await", Tok::KwCoAwait, kCxx20},
    {"co_return", Tok::KwCoReturn, kCxx20},
    {"co_yield", Tok::KwCoYield, kCxx20},
    {"concept", Tok::KwConcept, kCxx20},
    {"consteval", Tok::KwConsteval, kCxx20},
    {"constinit", Tok::KwConstinit, kCxx20},
    {"requires", Tok::KwRequires, kCxx20},
};

// tokenSpelling indexes the table by token code.
constexpr bool keywordsInCodeOrder() {
  for (std::size_t i = 0; i < std::size(kKeywords); ++i)
    if (static_cast<std::size_t>(kKeywords[i].code) != static_cast<std::size_t>(kFirstKeyword) + i) return false;
  return static_cast<std::size_t>(Tok::KeywordLast) + 1 == static_cast<std::size_t>(kFirstKeyword) + std::size(kKeywords);
}
static_assert(keywordsInCodeOrder());

bool g_installed = false;
KeywordSet g_set = kClassic;

// Spellings of the tokens that are neither keywords nor identifiers, in the
// order of the enumeration from Tok::End.
constexpr std::string_view kSpellings[] = {
    "end of input",
    "(", ")", "[", "]", "{", "}", ",", ";",
    ":", "::", ".", ".*", "->", "->*", "...", "?",
    "=", "==", "!=", "<", ">", "<=", ">=",
    "<<", ">>", "<<=", ">>=",
    "+", "-", "*", "/", "%", "++", "--",
    "+=", "-=", "*=", "/=", "%=",
    "&", "&&", "&=", "|", "||", "|=", "^", "^=",
    "~", "!",
    "<", "@", "#", "..", "=>", "<=>",
    "integer constant", "character constant", "floating constant", "string literal",
    "identifier", "modifier name", "template name", "class name", "type name",
};
static_assert(std::size(kSpellings) == static_cast<std::size_t>(Tok::TypeName) + 1);

}  // namespace

void useKeywordSet(KeywordSet set) {
  IdentifierTable& table = identifiers();
  for (const KeywordEntry& k : kKeywords) {
    Identifier* id = table.get(k.text);
    id->keyword = k.since <= set ? static_cast<std::uint16_t>(k.code) : 0;
  }
  g_set = set;
  g_installed = true;
}

KeywordSet currentKeywordSet() { return g_set; }

KeywordSet keywordSetOfDialect() {
  if (dialectAtLeast(Dialect::Cxx20)) return KeywordSet::Cxx20;
  if (dialectAtLeast(Dialect::Cxx11)) return KeywordSet::Cxx11;
  return KeywordSet::Classic;
}

bool keywordSetInstalled() { return g_installed; }

int keywordCount(KeywordSet set) {
  int n = 0;
  for (const KeywordEntry& k : kKeywords) n += k.since <= set ? 1 : 0;
  return n;
}

std::string_view tokenSpelling(Tok t) {
  const auto i = static_cast<std::size_t>(t);
  if (i < std::size(kSpellings)) return kSpellings[i];
  if (isKeyword(t)) return kKeywords[i - static_cast<std::size_t>(kFirstKeyword)].text;
  return "unknown character";
}

}  // namespace zenta::analyser::lex

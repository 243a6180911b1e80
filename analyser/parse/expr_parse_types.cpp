// Type names inside expressions: casts `(T)e`, `sizeof(T)`, named casts and
// functional casts `T(x)`.
#include <vector>

#include "analyser/parse/expr_parser_state.h"

namespace zenta::analyser::exprparse {

using lex::Tok;
using lex::Token;

bool Parser::startsTypeId(const Token& t) {
  switch (t.code) {
    case Tok::KwBool: case Tok::KwChar: case Tok::KwShort: case Tok::KwInt: case Tok::KwLong:
    case Tok::KwSigned: case Tok::KwUnsigned: case Tok::KwFloat: case Tok::KwDouble: case Tok::KwWcharT:
    case Tok::KwVoid: case Tok::KwConst: case Tok::KwVolatile: case Tok::KwStruct: case Tok::KwUnion:
    case Tok::KwClass: case Tok::KwEnum: case Tok::KwTypename: case Tok::TypeName: case Tok::ClassName:
    case Tok::TemplateName: case Tok::ModifierName:
      return true;
    default:
      return false;
  }
}

// At a `(`: whether a type name comes next (a cast, or sizeof of a type).
bool Parser::typeIdFollows() {
  const lex::LexerMark m = lexer_.mark();
  Token t = lexer_.next();
  bool result = false;
  if (startsTypeId(t)) {
    result = true;
    // `(C::x)` names a member of C, `(C::T)` a nested type.
    if (t.code == Tok::TypeName || t.code == Tok::ClassName || t.code == Tok::TemplateName) {
      std::string path(t.name.view());
      Token n = lexer_.next();
      bool qualified = false;
      while (n.code == Tok::ColonColon) {
        const Token x = lexer_.next();
        if (!isNameToken(x.code)) break;
        path += "::";
        path += x.name.view();
        qualified = true;
        n = lexer_.next();
      }
      if (qualified) result = qualifiedType(path) != nullptr;
    }
  } else if (t.code == Tok::Identifier || t.code == Tok::ColonColon) {
    std::string path;
    if (t.code == Tok::ColonColon) {
      path = "::";
      t = lexer_.next();
    }
    if (isNameToken(t.code)) {
      path += t.name.view();
      bool qualified = path.front() == ':';
      for (Token n = lexer_.next(); n.code == Tok::ColonColon; n = lexer_.next()) {
        const Token x = lexer_.next();
        if (!isNameToken(x.code)) break;
        path += "::";
        path += x.name.view();
        qualified = true;
      }
      result = qualified && qualifiedType(path) != nullptr;
    }
  }
  lexer_.reset(m);
  return result;
}

Type* Parser::qualifiedType(const std::string& path) {
  const std::size_t cut = path.rfind("::");
  if (cut == std::string::npos) return nullptr;
  const std::string scopeText = path.substr(0, cut);
  const Name last = findName(std::string_view(path).substr(cut + 2));
  if (!last) return nullptr;
  const int s = scopeText.empty() ? kGlobalScope : table_.lookupScopePath(scopeText, request_.scope);
  if (s < 0) return nullptr;
  if (const Symbol* sym = table_.lookupQualified(path, request_.scope); isTypedefSymbol(sym)) return sym->type;
  if (const Symbol* tag = table_.findTag(last, -1, s); tag != nullptr) return tag->type;
  return nullptr;
}

// The type a type-name token names (a typedef or a tag).
Type* Parser::namedType(const Token& t) {
  if (const Symbol* s = table_.lookupSymbol(t.name, request_.scope); isTypedefSymbol(s) && s->type != nullptr)
    return s->type;
  if (const Symbol* tag = table_.lookupTag(t.name, -1, request_.scope); tag != nullptr && tag->type != nullptr)
    return tag->type;
  report(3, "IDENTIINC", t.name.text());
  return nullptr;
}

// specifiers {* [cv] | &} {[N]}
Type* Parser::typeId() {
  Type* base = nullptr;
  std::vector<Name> qualifiers;  // const, volatile, modifier words
  for (bool more = true; more && !failed_;) {
    switch (cur_.code) {
      case Tok::KwBool: case Tok::KwChar: case Tok::KwShort: case Tok::KwInt: case Tok::KwLong:
      case Tok::KwSigned: case Tok::KwUnsigned: case Tok::KwFloat: case Tok::KwDouble: case Tok::KwWcharT:
      case Tok::KwVoid: {
        Type* word = ctx_.baseTypeForKeyword(cur_.name.view());
        base = ctx_.composeType(base, word, &table_);
        if (base == nullptr) {  // reported by the tables
          failed_ = true;
          return nullptr;
        }
        advance();
        break;
      }
      case Tok::KwConst:
      case Tok::KwVolatile:
      case Tok::ModifierName:
        qualifiers.push_back(cur_.name);
        advance();
        break;
      case Tok::KwTypename:
        advance();
        break;
      case Tok::KwStruct:
      case Tok::KwClass:
      case Tok::KwUnion:
      case Tok::KwEnum: {
        if (base != nullptr) {
          syntaxError(Expect::Token, Tok::RParen);
          return nullptr;
        }
        const int kind = at(Tok::KwEnum) ? 5 : at(Tok::KwUnion) ? 6 : 10;
        advance();
        if (!isNameToken(cur_.code)) {
          syntaxError(Expect::Identifier);
          return nullptr;
        }
        const Symbol* tag = table_.lookupTag(cur_.name, kind, request_.scope);
        if (tag == nullptr || tag->type == nullptr) {
          report(3, "IDENTIINC", cur_.name.text());
          return nullptr;
        }
        base = tag->type;
        advance();
        break;
      }
      case Tok::TypeName:
      case Tok::ClassName:
      case Tok::TemplateName:
      case Tok::Identifier:
      case Tok::ColonColon: {
        if (base != nullptr) {
          more = false;
          break;
        }
        if (at(Tok::Identifier) || at(Tok::ColonColon) || peek().code == Tok::ColonColon) {
          std::string path;
          if (accept(Tok::ColonColon)) path = "::";
          while (isNameToken(cur_.code)) {
            path += cur_.name.view();
            advance();
            if (!at(Tok::ColonColon)) break;
            advance();
            path += "::";
          }
          base = qualifiedType(path);
          if (base == nullptr) {
            report(3, "IDENTIINC", path);
            return nullptr;
          }
          break;
        }
        base = namedType(cur_);
        if (base == nullptr) return nullptr;
        advance();
        break;
      }
      default:
        more = false;
        break;
    }
  }
  if (failed_) return nullptr;
  if (base == nullptr) {
    syntaxError(Expect::Identifier);
    return nullptr;
  }
  for (Name q : qualifiers)
    base = (q == "const" || q == "volatile") ? ctx_.qualifiedType(base, q) : ctx_.modifiedType(q, base);

  // Abstract declarator: pointer and reference levels, then dimensions.
  for (;;) {
    if (accept(Tok::Star)) {
      base = ctx_.pointerTo(base);
      while (at(Tok::KwConst) || at(Tok::KwVolatile)) {
        base = ctx_.qualifiedType(base, cur_.name);
        advance();
      }
    } else if (accept(Tok::Amp) || accept(Tok::AmpAmp)) {
      base = ctx_.referenceTo(base);
    } else {
      break;
    }
  }
  struct Dimension {
    std::string_view text;
    std::int64_t value = 0;
    bool given = false;
  };
  std::vector<Dimension> dims;
  while (accept(Tok::LBracket)) {
    Dimension d;
    if (at(Tok::IntegerConstant)) {
      d.text = cur_.text;
      d.value = cur_.constant.value.toInt64().value_or(0);
      d.given = true;
      advance();
    }
    if (!expect(Tok::RBracket)) return nullptr;
    dims.push_back(d);
  }
  for (auto it = dims.rbegin(); it != dims.rend(); ++it)
    base = it->given ? ctx_.arrayOf(base, it->text, it->value) : ctx_.arrayOf(base);
  return base;
}

}  // namespace zenta::analyser::exprparse

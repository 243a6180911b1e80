// The declaration parser: declarators, parameters, function bodies and the
// recording of each declarator.
#include <cctype>
#include <string>

#include "analyser/ast/images.h"
#include "analyser/parse/decl_parser_state.h"

namespace zenta::analyser::declparse {

namespace {

bool isOperatorToken(Tok t) {
  switch (t) {
    case Tok::Comma: case Tok::Arrow: case Tok::ArrowStar: case Tok::Assign: case Tok::Equal:
    case Tok::NotEqual: case Tok::Less: case Tok::Greater: case Tok::LessEqual: case Tok::GreaterEqual:
    case Tok::ShiftLeft: case Tok::ShiftRight: case Tok::ShiftLeftAssign: case Tok::ShiftRightAssign:
    case Tok::Plus: case Tok::Minus: case Tok::Star: case Tok::Slash: case Tok::Percent: case Tok::PlusPlus:
    case Tok::MinusMinus: case Tok::PlusAssign: case Tok::MinusAssign: case Tok::StarAssign:
    case Tok::SlashAssign: case Tok::PercentAssign: case Tok::Amp: case Tok::AmpAmp: case Tok::AmpAssign:
    case Tok::Pipe: case Tok::PipePipe: case Tok::PipeAssign: case Tok::Caret: case Tok::CaretAssign:
    case Tok::Tilde: case Tok::Not:
      return true;
    default:
      return false;
  }
}

bool startsSpecifier(Tok t) {
  switch (t) {
    case Tok::KwChar: case Tok::KwShort: case Tok::KwInt: case Tok::KwLong: case Tok::KwSigned:
    case Tok::KwUnsigned: case Tok::KwFloat: case Tok::KwDouble: case Tok::KwVoid: case Tok::KwBool:
    case Tok::KwWcharT: case Tok::KwConst: case Tok::KwVolatile: case Tok::KwClass: case Tok::KwStruct:
    case Tok::KwUnion: case Tok::KwEnum: case Tok::KwTypename: case Tok::KwRegister: case Tok::KwAuto:
    case Tok::KwExtern: case Tok::KwStatic: case Tok::KwInline:
    // C++11 on (keywords only there).
    case Tok::KwDecltype: case Tok::KwChar16T: case Tok::KwChar32T: case Tok::KwChar8T: case Tok::KwConstexpr:
    case Tok::KwAlignas:
      return true;
    default:
      return false;
  }
}

}  // namespace

// Whether the `(` at the current token opens a parameter list (rather than
// a parenthesised declarator or an initialiser).
bool Parser::parametersFollow() {
  const Token& nx = peek();
  if (nx.code == Tok::RParen || nx.code == Tok::Ellipsis || startsSpecifier(nx.code)) return true;
  if (modern_ && nx.code == Tok::LBracket) {
    // `([[attribute]] int x)`; `([]{...})` is an initialiser.
    const Mark m = mark();
    advance();
    const bool attribute = peek().code == Tok::LBracket;
    reset(m);
    return attribute;
  }
  if (nx.code == Tok::Identifier) {
    const GnuWord g = gnuWord(nx.name);
    if (g == GnuWord::BuiltinType || g == GnuWord::Const || g == GnuWord::Signed || g == GnuWord::TypeOf ||
        g == GnuWord::Ignore || g == GnuWord::Volatile)
      return true;
    if (classify(nx) != lex::NameClass::Plain) return true;
  }
  if (nx.code == Tok::Identifier || nx.code == Tok::ColonColon) {
    // A qualified type name.
    const Mark m = mark();
    advance();
    Specifiers s;
    const bool type = typeName(s) != nullptr || typeConstraint(true);
    reset(m);
    return type;
  }
  return false;
}

// Whether the `(` at the current token opens `(C::*`, a pointer to member.
bool Parser::memberPointerFollows() {
  const Token& nx = peek();
  if (nx.code != Tok::Identifier && nx.code != Tok::ColonColon) return false;
  const Mark m = mark();
  advance();
  bool any = false, dependent = false;
  nestedNameSpecifier(any, dependent, true);
  const bool found = any && at(Tok::Star);
  reset(m);
  return found;
}

void Parser::declarator(Declarator& d, bool abstractAllowed, bool nameRequired) {
  DepthGuard guard(*this);
  const bool enter = enterQualified_;
  enterQualified_ = false;
  std::vector<DeclOp> prefix;
  for (;;) {
    if (skipGnuNoise(nullptr)) continue;
    if (at(Tok::Star) || at(Tok::Amp)) {
      DeclOp op;
      op.kind = at(Tok::Star) ? DeclOp::Pointer : DeclOp::Reference;
      advance();
      for (;;) {
        if (accept(Tok::KwConst)) op.isConst = true;
        else if (accept(Tok::KwVolatile)) op.isVolatile = true;
        else if (at(Tok::Identifier) && gnuWord(tok_.name) == GnuWord::Const) {
          advance();
          op.isConst = true;
        } else if (!skipGnuNoise(nullptr)) break;
      }
      prefix.push_back(op);
      continue;
    }
    if (modern_ && at(Tok::AmpAmp)) {
      DeclOp op;
      op.kind = DeclOp::RvalueReference;
      advance();
      prefix.push_back(op);
      continue;
    }
    if (modern_ && at(Tok::Ellipsis)) {  // `Ts... name`, `Ts&&... name`
      advance();
      d.pack = true;
      continue;
    }
    if (at(Tok::Identifier) || at(Tok::ColonColon)) {
      // `C::*`: a pointer to member.
      const Token& nx = peek();
      if (nx.code != Tok::ColonColon && !(at(Tok::ColonColon) && nx.code == Tok::Identifier) && nx.code != Tok::Less)
        break;
      const Mark m = mark();
      const char* start = tok_.text.data();
      bool any = false, dependent = false;
      const int q = nestedNameSpecifier(any, dependent, true);
      if (any && at(Tok::Star)) {
        advance();
        DeclOp op;
      op.kind = DeclOp::MemberPointer;
        const std::string_view text = textFrom(start);
        op.memberOf = q > 0 && table_.scope(q).classType ? table_.scope(q).classType
                                                          : placeholder(text.substr(0, text.size() - 3));
        while (true) {
          if (accept(Tok::KwConst)) op.isConst = true;
          else if (accept(Tok::KwVolatile)) op.isVolatile = true;
          else break;
        }
        prefix.push_back(op);
        continue;
      }
      reset(m);
    }
    break;
  }
  std::vector<DeclOp> inner;
  bool nested = false;
  if (at(Tok::LParen)) {
    const Token& nx = peek();
    bool nestedDeclarator;
    if (nx.code == Tok::Star || nx.code == Tok::Amp || nx.code == Tok::LParen || nx.code == Tok::Tilde ||
        nx.code == Tok::KwOperator || (modern_ && (nx.code == Tok::AmpAmp || nx.code == Tok::Ellipsis)))
      nestedDeclarator = true;
    else if (nx.code == Tok::Identifier && (gnuWord(nx.name) == GnuWord::WithParens ||
                                            gnuWord(nx.name) == GnuWord::Ignore))
      nestedDeclarator = true;
    else if (memberPointerFollows())
      nestedDeclarator = true;
    else
      nestedDeclarator = !parametersFollow() && (nx.code == Tok::Identifier || nx.code == Tok::ColonColon);
    if (nestedDeclarator) {
      advance();
      Declarator in;
      declarator(in, abstractAllowed, nameRequired);
      expect(Tok::RParen);
      d.name = in.name;
      d.written = in.written;
      d.qualifier = in.qualifier;
      d.qualified = in.qualified;
      d.qualifierUnknown = in.qualifierUnknown;
      d.isDestructor = in.isDestructor;
      d.isConversion = in.isConversion;
      d.templateArgs = in.templateArgs;
      d.pack = d.pack || in.pack;
      d.file = in.file;
      d.line = in.line;
      inner = std::move(in.ops);
      nested = true;
    }
  }
  if (!nested) {
    if (at(Tok::Identifier) || at(Tok::ColonColon) || at(Tok::Tilde) || at(Tok::KwOperator)) {
      enterQualified_ = enter;
      declaratorName(d);
      enterQualified_ = false;
    } else if (!abstractAllowed && nameRequired && !at(Tok::Colon)) {
      // A declarator without a name is allowed only where it ends there.
      if (!at(Tok::Semicolon) && !at(Tok::Comma)) fail();
    }
  }
  std::vector<DeclOp> suffixes;
  declaratorSuffixes(d, suffixes);
  d.ops = std::move(prefix);
  for (auto it = suffixes.rbegin(); it != suffixes.rend(); ++it) d.ops.push_back(*it);
  for (const DeclOp& op : inner) d.ops.push_back(op);
}

void Parser::declaratorName(Declarator& d) {
  const char* start = tok_.text.data();
  d.file = tok_.file;
  d.line = tok_.line;
  int q = -1;
  if (at(Tok::ColonColon)) {
    advance();
    q = kGlobalScope;
    d.qualified = true;
  }
  for (;;) {
    if (d.qualified && at(Tok::KwTemplate)) advance();
    if (at(Tok::Identifier)) {
      const Token& nx = peek();
      if (nx.code == Tok::ColonColon || nx.code == Tok::Less) {
        const Mark m = mark();
        const Name n = tok_.name;
        advance();
        Type* instance = nullptr;
        if (at(Tok::Less)) {
          if (!isTemplateName(n, q >= 0 ? q : scope())) {
            if (modern_) {
              // A specialisation of a variable template, whose name is
              // not recorded: `v<T*> = ...`; or a template the tables do
              // not know, as a qualifier.
              templateArguments(nullptr);
              if (at(Tok::ColonColon)) {
                advance();
                d.qualified = true;
                d.qualifierUnknown = true;
                q = -1;
                continue;
              }
              d.name = n;
              d.templateArgs = true;
              d.written = textFrom(start);
              d.qualifier = q;
              return;
            }
            reset(m);
            break;
          }
          Type* templ = nullptr;
          if (Symbol* s = table_.lookupTag(n, static_cast<int>(TypeKind::Template), q >= 0 ? q : scope()))
            templ = s->type;
          instance = templateId(n, templ ? templ->scope : scope(), templ);
          if (!at(Tok::ColonColon)) {
            // `f<int>`: a specialisation of a function template.
            d.name = n;
            d.templateArgs = true;
            d.written = textFrom(start);
            d.qualifier = q;
            return;
          }
        }
        advance();  // ::
        d.qualified = true;
        bool dependent = false;
        if (!d.qualifierUnknown) q = qualifierScope(n, instance, q, dependent);
        if (q < 0) d.qualifierUnknown = true;
        continue;
      }
    }
    break;
  }
  d.qualifier = q;
  // The rest of a member declared outside its class (parameters, array
  // dimensions) is read in the scope of the class.
  if (d.qualified && q > 0 && enterQualified_ && q != scope()) table_.enterScope(q);
  if (at(Tok::Tilde)) {
    advance();
    if (!at(Tok::Identifier)) fail();
    d.name = internName("~" + tok_.name.text());
    d.isDestructor = true;
    advance();
  } else if (at(Tok::KwOperator)) {
    operatorName(d, start);
  } else if (at(Tok::Identifier)) {
    d.name = tok_.name;
    advance();
  } else {
    fail();
  }
  d.written = textFrom(start);
}

void Parser::operatorName(Declarator& d, const char* start) {
  (void)start;
  advance();  // operator
  std::string name = "operator";
  if (at(Tok::KwNew) || at(Tok::KwDelete)) {
    name += ' ';
    name += tok_.text;
    advance();
    if (at(Tok::LBracket) && peek().code == Tok::RBracket) {
      advance();
      advance();
      name += "[]";
    }
  } else if (at(Tok::LParen) && peek().code == Tok::RParen) {
    advance();
    advance();
    name += "()";
  } else if (at(Tok::LBracket) && peek().code == Tok::RBracket) {
    advance();
    advance();
    name += "[]";
  } else if (isOperatorToken(tok_.code) || tok_.code == Tok::Spaceship) {
    name += tok_.text;
    advance();
  } else if (modern_ && at(Tok::StringLiteral) && tok_.body.empty()) {
    // A user-defined literal: `operator"" _x`, `operator""_x`.
    advance();
    if (!at(Tok::Identifier)) fail();
    name += "\"\"";
    name += tok_.text;
    advance();
  } else if (at(Tok::KwCoAwait)) {
    name += " co_await";
    advance();
  } else {
    // A conversion operator: `operator int *`.
    Specifiers s;
    specifiers(s, true);
    if (!s.hasType && s.modifierCount == 0) fail();
    finishSpecifiers(s);
    Type* t = s.type;
    for (;;) {
      if (accept(Tok::Star)) t = ctx_.pointerTo(t);
      else if (accept(Tok::Amp)) t = ctx_.referenceTo(t);
      else if (modern_ && accept(Tok::AmpAmp)) t = ctx_.referenceTo(ctx_.referenceTo(t));
      else if (accept(Tok::KwConst)) t = ctx_.qualifiedType(t, constWord_);
      else if (accept(Tok::KwVolatile)) t = ctx_.qualifiedType(t, volatileWord_);
      else break;
    }
    ImageOptions o;
    o.table = &table_;
    o.requestingScope = scope();
    name += ' ';
    name += typeImage(t, {}, o);
    d.isConversion = true;
  }
  d.name = internName(name);
}

void Parser::declaratorSuffixes(Declarator& d, std::vector<DeclOp>& suffixes) {
  (void)d;
  for (;;) {
    if (modern_ && skipGnuNoise(nullptr)) continue;
    if (at(Tok::LBracket)) {
      DeclOp op;
      op.kind = DeclOp::Array;
      arrayDimension(op);
      suffixes.push_back(op);
      continue;
    }
    if (at(Tok::LParen) && parametersFollow()) {
      DeclOp op;
      op.kind = DeclOp::Function;
      op.function = parameterList();
      op.trailing = functionQualifiers(op.function);
      suffixes.push_back(op);
      continue;
    }
    return;
  }
}

void Parser::arrayDimension(DeclOp& op) {
  advance();  // [
  if (accept(Tok::RBracket)) return;
  const char* start = tok_.text.data();
  int depth = 0;
  while (!(at(Tok::RBracket) && depth == 0)) {
    switch (tok_.code) {
      case Tok::End: case Tok::Semicolon: case Tok::LBrace: case Tok::RBrace: fail();
      case Tok::LBracket: case Tok::LParen: ++depth; break;
      case Tok::RBracket: case Tok::RParen:
        if (--depth < 0) fail();
        break;
      default: break;
    }
    advance();
  }
  op.dimension = textFrom(start);
  op.hasDimension = true;
  std::int64_t v = 0;
  if (evaluate(op.dimension, v)) {
    op.dimensionConstant = true;
    op.dimensionValue = v;
    // A constant written with names (enumerators, member constants) is
    // kept as its value, which reads the same wherever the type is written.
    bool named = false;
    char before = ' ';
    for (char c : op.dimension) {
      const bool wordChar = std::isalnum(static_cast<unsigned char>(c)) || c == '_';
      if (wordChar && !(std::isalnum(static_cast<unsigned char>(before)) || before == '_') &&
          !std::isdigit(static_cast<unsigned char>(c)))
        named = true;  // a word that is no number
      before = c;
    }
    if (named) op.dimension = ctx_.copyText(std::to_string(v));
  }
  advance();  // ]
}

FunctionType* Parser::parameterList() {
  DepthGuard guard(*this);
  advance();  // (
  FunctionType* f = ctx_.functionType(nullptr);
  if (accept(Tok::RParen)) return f;
  if (at(Tok::KwVoid) && peek().code == Tok::RParen) {
    advance();
    advance();
    return f;
  }
  for (;;) {
    if (accept(Tok::Ellipsis)) {
      ctx_.addParameter(f, ctx_.makeParameter(Name(), ctx_.ellipsisType()));
      break;
    }
    Specifiers s;
    specifiers(s, true);
    if (!s.hasType && s.modifierCount == 0 && !s.isConst && !s.isVolatile) fail();
    finishSpecifiers(s);
    Declarator pd;
    declarator(pd, true, false);
    while (skipGnuNoise(nullptr)) {
    }
    Symbol* p = ctx_.makeParameter(pd.name, applyDeclarator(s.type, pd));
    p->storage = s.storage;
    if (accept(Tok::Assign)) {
      const char* start = tok_.text.data();
      skipExpression(false);
      ctx_.setDefaultArgument(p, textFrom(start));
    }
    ctx_.addParameter(f, p);
    if (accept(Tok::Comma)) continue;
    if (accept(Tok::Ellipsis)) ctx_.addParameter(f, ctx_.makeParameter(Name(), ctx_.ellipsisType()));
    break;
  }
  expect(Tok::RParen);
  return f;
}

Type* Parser::functionQualifiers(FunctionType* f) {
  Type* trailing = nullptr;
  for (;;) {
    if (accept(Tok::KwConst)) {
      f->constMethod = true;
      continue;
    }
    if (accept(Tok::KwVolatile)) continue;
    if (at(Tok::KwThrow)) {
      advance();
      expect(Tok::LParen);
      f->hasExceptionList = true;
      while (!at(Tok::RParen)) {
        if (accept(Tok::Ellipsis)) continue;
        Type* t = typeId();
        ctx_.addException(f, t);
        if (!accept(Tok::Comma)) break;
      }
      expect(Tok::RParen);
      continue;
    }
    if (at(Tok::Identifier) && gnuWord(tok_.name) == GnuWord::Const) {
      advance();
      f->constMethod = true;
      continue;
    }
    if (modern_) {
      // Ref-qualifiers, `noexcept` with or without its condition,
      // `override`, `final`, `-> type`, `requires constraint`.
      if (at(Tok::Amp) || at(Tok::AmpAmp)) {
        f->refQualifier = at(Tok::Amp) ? 1 : 2;
        advance();
        continue;
      }
      if (accept(Tok::KwNoexcept)) {
        if (at(Tok::LParen)) skipBalanced();
        continue;
      }
      if (at(Tok::Identifier) && (tok_.name == overrideWord_ || tok_.name == finalWord_)) {
        advance();
        continue;
      }
      if (at(Tok::Arrow) && !trailing) {
        advance();
        trailing = trailingReturnType();
        continue;
      }
      if (at(Tok::KwRequires)) {
        advance();
        skipConstraint();
        f->constrained = true;
        continue;
      }
    }
    if (skipGnuNoise(nullptr)) continue;
    return trailing;
  }
}

// The type after `->`: specifiers and pointer, reference and cv levels
// (no declarator name can follow, and `override` may).
Type* Parser::trailingReturnType() {
  Specifiers s;
  specifiers(s, true);
  if (!s.hasType && s.modifierCount == 0) fail();
  finishSpecifiers(s);
  Type* t = s.type;
  for (;;) {
    if (accept(Tok::Star)) t = ctx_.pointerTo(t);
    else if (accept(Tok::Amp)) t = ctx_.referenceTo(t);
    else if (accept(Tok::AmpAmp)) t = ctx_.referenceTo(ctx_.referenceTo(t));
    else if (accept(Tok::KwConst)) t = ctx_.qualifiedType(t, constWord_);
    else if (accept(Tok::KwVolatile)) t = ctx_.qualifiedType(t, volatileWord_);
    else if (at(Tok::LParen) &&
             (peek().code == Tok::Star || peek().code == Tok::Amp || peek().code == Tok::AmpAmp)) {
      // `-> R (*)(params)`, `-> const T (&)[N]`.
      Declarator d;
      declarator(d, true, false);
      t = applyDeclarator(t, d);
    } else if (!skipGnuNoise(nullptr)) break;
  }
  return t;
}

Type* Parser::typeId() {
  Specifiers s;
  specifiers(s, true);
  if (!s.hasType && s.modifierCount == 0) fail();
  finishSpecifiers(s);
  Declarator d;
  declarator(d, true, false);
  return applyDeclarator(s.type, d);
}

Type* Parser::applyDeclarator(Type* base, const Declarator& d) {
  Type* t = base;
  for (const DeclOp& op : d.ops) {
    switch (op.kind) {
      case DeclOp::Pointer: t = ctx_.pointerTo(t ? t : ctx_.integerType("int")); break;
      case DeclOp::Reference: t = ctx_.referenceTo(t ? t : ctx_.integerType("int")); break;
      case DeclOp::RvalueReference: t = ctx_.referenceTo(ctx_.referenceTo(t ? t : ctx_.integerType("int"))); break;
      case DeclOp::MemberPointer: t = ctx_.memberPointerTo(op.memberOf, t ? t : ctx_.integerType("int")); break;
      case DeclOp::Array:
        t = !op.hasDimension        ? ctx_.arrayOf(t)
            : op.dimensionConstant ? ctx_.arrayOf(t, op.dimension, op.dimensionValue)
                                   : ctx_.arrayOf(t, op.dimension);
        break;
      case DeclOp::Function:
        op.function->target = op.trailing ? op.trailing : t;
        t = op.function;
        break;
    }
    if (op.isVolatile) t = ctx_.qualifiedType(t, volatileWord_);
    if (op.isConst) t = ctx_.qualifiedType(t, constWord_);
  }
  return t;
}

// ---------------------------------------------------------------------------
// Simple declarations.

void Parser::initDeclaratorList(Specifiers& specs) {
  finishSpecifiers(specs);
  if (at(Tok::Semicolon)) {  // `struct S {...};`, `class X;`
    StructuredType* anonymous = dyn<StructuredType>(specs.definedTag);
    if (anonymous && anonymous->name.empty() && currentClass_ && scope() == currentClass_->memberScope) {
      // The members of an anonymous structure or union are members of the
      // enclosing class.
      for (Symbol* m : anonymous->members) {
        if (m->name.empty()) continue;
        ctx_.addMember(currentClass_, m);
        Symbol* visible = ctx_.makeMember(m->name, m->type, m->storage, scope(), access_);
        visible->file = m->file;
        visible->line = m->line;
        table_.insertSymbol(visible);
      }
    }
    advance();
    return;
  }
  const int depth = table_.scopeDepth();
  if (modern_ && isPlaceholderType(specs.type)) {
    // A structured binding `auto& [a, b] = e;`: its names are not recorded.
    const Mark m = mark();
    while (at(Tok::Amp) || at(Tok::AmpAmp) || at(Tok::KwConst) || at(Tok::KwVolatile)) advance();
    if (at(Tok::LBracket) && peek().code != Tok::LBracket) {
      skipBalanced();
      if (accept(Tok::Assign) || !at(Tok::LBrace)) skipExpression(false);
      else skipBalanced();
      expect(Tok::Semicolon);
      return;
    }
    reset(m);
  }
  for (;;) {
    Declarator d;
    enterQualified_ = true;
    declarator(d, false, true);
    enterQualified_ = false;
    while (skipGnuNoise(nullptr)) {
    }
    const bool function = !d.ops.empty() && d.ops.back().kind == DeclOp::Function;
    if (function && (at(Tok::LBrace) || at(Tok::Colon) || at(Tok::KwTry))) {
      record(specs, d, true);
      functionBody();
      while (table_.scopeDepth() > depth) table_.closeScope();
      return;
    }
    const char* initialiser = nullptr;
    if (accept(Tok::Assign)) {
      initialiser = tok_.text.data();
      if (at(Tok::LBrace)) skipBalanced();
      else skipExpression(false);
    } else if (at(Tok::LParen)) {
      initialiser = tok_.text.data();
      skipBalanced();  // `T x(args)`
    } else if (modern_ && at(Tok::LBrace)) {
      initialiser = tok_.text.data();
      skipBalanced();  // `T x{args}`
    } else if (accept(Tok::Colon)) {
      skipExpression(false);  // a bit-field width
      if (modern_ && (accept(Tok::Assign) || at(Tok::LBrace))) {  // and its default member initialiser
        if (at(Tok::LBrace)) skipBalanced();
        else skipExpression(false);
      }
    }
    if (initialiser) d.initialiser = textFrom(initialiser);
    while (skipGnuNoise(nullptr)) {
    }
    record(specs, d, false);
    while (table_.scopeDepth() > depth) table_.closeScope();
    if (accept(Tok::Comma)) continue;
    expect(Tok::Semicolon);
    return;
  }
}

void Parser::functionBody() {
  bool tryBlock = accept(Tok::KwTry);
  if (at(Tok::Colon)) {
    // A constructor initialiser list, up to the body: each initialiser is
    // a name (`m`, `Base<T>`) then `(...)` or `{...}`, and may be a pack
    // expansion.
    advance();
    for (;;) {
      while (!at(Tok::LParen) && !at(Tok::LBrace)) {
        if (at(Tok::End) || at(Tok::Semicolon) || at(Tok::RBrace)) fail();
        if (at(Tok::Less)) skipAngles();
        else advance();
      }
      skipBalanced();
      accept(Tok::Ellipsis);
      if (!accept(Tok::Comma)) break;
    }
  }
  if (!at(Tok::LBrace)) fail();
  skipBalanced();
  if (tryBlock) {
    while (accept(Tok::KwCatch)) {
      if (!at(Tok::LParen)) fail();
      skipBalanced();
      if (!at(Tok::LBrace)) fail();
      skipBalanced();
    }
  }
}

void Parser::record(Specifiers& specs, Declarator& d, bool body) {
  syncPosition();
  const Name file = d.line ? d.file : tok_.file;
  const int line = d.line ? d.line : tok_.line;
  if (!d.name) return;
  if (d.templateArgs || explicitInstantiation_) return;  // specialisations, instantiations
  Type* type = applyDeclarator(specs.type, d);
  const bool function = type && type->kind == TypeKind::Function;
  unsigned storage = specs.storage;
  // A constexpr or constinit object is const (a function is not).
  if (specs.constexprWord && !function && type && type->kind != TypeKind::Reference)
    type = ctx_.qualifiedType(type, constWord_);
  if (d.qualified) {
    const int q = d.qualifier;
    if (currentClass_ && !function && !specs.hasType && !body && q >= 0 && !d.qualifierUnknown) {
      // An access declaration `B::m;`: m must be inherited.
      Symbol* found = nullptr;
      bool incomplete = false;
      for (const BaseClass& b : currentClass_->bases) {
        const StructuredType* base = dyn<StructuredType>(stripTypedefsAndModifiers(b.type));
        if (!base || !base->complete) incomplete = true;
        if ((found = findMember(b.type, d.name)) != nullptr) break;
      }
      if (!found && !incomplete) recorder_.report(3, "MODACCINC", compactText(d.written));
      return;
    }
    if (storage & StFriend) return;
    if (d.qualifierUnknown || q < 0) {
      if (function && body) recorder_.report(3, "FUNCT_DEF", compactText(d.written));
      return;
    }
    SymbolFilter f;
    f.scope = q;
    Symbol* match = nullptr;
    bool anyOfName = false;
    for (Symbol* s = table_.findSymbol(d.name, f); s; s = s->nextOfName) {
      if (s->scope != q) continue;
      anyOfName = true;
      const FunctionType* old = dyn<FunctionType>(s->type);
      const FunctionType* now = dyn<FunctionType>(type);
      if (!function || !old || !now) {
        match = s;
        break;
      }
      if (old->parameters.size() == now->parameters.size()) {
        match = s;
        bool same = true;
        for (std::size_t i = 0; i < old->parameters.size() && same; ++i)
          same = sameType(old->parameters[i]->type, now->parameters[i]->type);
        if (same) break;
      }
    }
    if (!match && anyOfName && templateLevels_ > 0) match = table_.findSymbol(d.name, f);
    if (!match && anyOfName && function) {
      // Overloads whose parameters the tables cannot compare (a parameter
      // of a template's class) are taken as the declaration.
      match = table_.findSymbol(d.name, f);
      for (Symbol* s = match; s; s = s->nextOfName)
        if (s->scope == q && s->type && s->type->kind == TypeKind::Template) break;
      bool dependentClass = false;
      if (const Scope& sc = table_.scope(q); sc.kind == ScopeKind::Class)
        if (Symbol* t = table_.lookupTag(sc.name, static_cast<int>(TypeKind::Template), table_.parentOf(q)))
          dependentClass = t != nullptr;
      if (!dependentClass) match = nullptr;
    }
    if (!match) {
      if (function && body) recorder_.report(3, "FUNCT_DEF", compactText(d.written));
      return;
    }
    if (function && body) {
      match->defined = true;
      match->file = file;
      match->line = line;
    }
    return;
  }
  if (storage & StFriend) {
    if (currentClass_) ctx_.addFriend(currentClass_, d.name);
    return;
  }
  const int home = scope();
  if (templateLevels_ > 0 && !explicitSpecialisation_) {
    if (!function) {
      if (modern_) {  // a variable template: its instances are not known
        variableTemplates_.insert(d.name);
        return;
      }
      recorder_.report(3, "TEMPLADEC", d.name.text());
      return;
    }
    TemplateType* tt = ctx_.templateType(d.name, home);
    tt->target = type;
    if (!templateLists_.empty())
      for (const TemplateParameter& p : templateLists_.back()) ctx_.addTemplateParameter(tt, p);
    type = tt;
  }
  NewDeclaration nd;
  nd.name = d.name;
  nd.storage = storage;
  nd.scope = home;
  nd.definition = body;
  nd.file = file;
  nd.line = line;
  nd.access = access_;
  if (currentClass_ && home == currentClass_->memberScope) nd.memberOf = currentClass_;
  if (storage & StTypedef) {
    if (function && body) fail();
    nd.type = ctx_.typedefType(d.name, type, home);
  } else {
    nd.type = type;
  }
  Symbol* s = recorder_.declare(nd);
  if (TemplateType* tt = dyn<TemplateType>(nd.type); tt && s) tt->templated = s;
  // An object whose type is deduced (`auto`, `decltype(auto)`) keeps its
  // initialiser as written, which tells the type.
  if (s && !function && !d.initialiser.empty() && isPlaceholderType(specs.type)) ctx_.setDefaultArgument(s, d.initialiser);
}

}  // namespace zenta::analyser::declparse

// The declaration parser: tokens, messages, recovery, and the declarations
// that are not simple declarations (namespaces, using, linkage, asm).
#include "analyser/parse/decl_parser.h"

#include <cctype>

#include "analyser/basic/dialect.h"
#include "analyser/parse/decl_parser_state.h"

namespace zenta::analyser {

bool analyseDeclarations(AstContext& ctx, SymbolTable& table, const DeclarationRequest& request) {
  declparse::Parser parser(ctx, table, request);
  return parser.run();
}

}  // namespace zenta::analyser

namespace zenta::analyser::declparse {

Parser::DepthGuard::DepthGuard(Parser& p) : parser(p) {
  if (++parser.depth_ > kMaxDeclarationNesting) parser.tooDeep();
}

Parser::Parser(AstContext& ctx, SymbolTable& table, const DeclarationRequest& request)
    : ctx_(ctx), table_(table), request_(request), recorder_(ctx, table, request.log) {
  recorder_.setHook(request.hook);
  lexer_.setMessageHook(request.hook);
  lexer_.setInput(request.buffer);
  lexer_.setPragmaSink(this);
  constWord_ = internName("const");
  volatileWord_ = internName("volatile");
  overrideWord_ = internName("override");
  finalWord_ = internName("final");
  modern_ = dialectAtLeast(Dialect::Cxx11);
  cxx20_ = dialectAtLeast(Dialect::Cxx20);
  const std::pair<const char*, GnuWord> words[] = {
      {"__extension__", GnuWord::Ignore},    {"__inline", GnuWord::Ignore},
      {"__inline__", GnuWord::Ignore},       {"__restrict", GnuWord::Ignore},
      {"__restrict__", GnuWord::Ignore},     {"__thread", GnuWord::Ignore},
      {"_Noreturn", GnuWord::Ignore},        {"__forceinline", GnuWord::Ignore},
      {"__cdecl", GnuWord::Ignore},          {"__stdcall", GnuWord::Ignore},
      {"__attribute__", GnuWord::WithParens}, {"__attribute", GnuWord::WithParens},
      {"__asm__", GnuWord::WithParens},      {"__asm", GnuWord::WithParens},
      {"__declspec", GnuWord::WithParens},   {"__typeof__", GnuWord::TypeOf},
      {"_Pragma", GnuWord::WithParens},
      {"__typeof", GnuWord::TypeOf},         {"typeof", GnuWord::TypeOf},
      {"__const", GnuWord::Const},           {"__const__", GnuWord::Const},
      {"__volatile", GnuWord::Volatile},     {"__volatile__", GnuWord::Volatile},
      {"__signed", GnuWord::Signed},         {"__signed__", GnuWord::Signed},
      {"__builtin_va_list", GnuWord::BuiltinType}, {"_Float16", GnuWord::BuiltinType},
      {"_Float32", GnuWord::BuiltinType},    {"_Float64", GnuWord::BuiltinType},
      {"_Float128", GnuWord::BuiltinType},   {"_Float32x", GnuWord::BuiltinType},
      {"_Float64x", GnuWord::BuiltinType},   {"_Float128x", GnuWord::BuiltinType},
      {"__float128", GnuWord::BuiltinType},  {"__int128", GnuWord::BuiltinType},
      {"__int128_t", GnuWord::BuiltinType},  {"__uint128_t", GnuWord::BuiltinType},
      {"_Bool", GnuWord::BuiltinType},       {"_Complex", GnuWord::Ignore},
      {"__complex__", GnuWord::Ignore},      {"_Imaginary", GnuWord::Ignore},
      {"__float80", GnuWord::BuiltinType},   {"__bf16", GnuWord::BuiltinType},
      {"__decltype", GnuWord::TypeOf},       {"__underlying_type", GnuWord::TypeOf},
      {"__remove_cv", GnuWord::TypeOf},      {"__remove_reference", GnuWord::TypeOf},
      {"__remove_cvref", GnuWord::TypeOf},   {"__remove_pointer", GnuWord::TypeOf},
      {"__add_pointer", GnuWord::TypeOf},    {"__add_lvalue_reference", GnuWord::TypeOf},
      {"__add_rvalue_reference", GnuWord::TypeOf}, {"__decay", GnuWord::TypeOf},
  };
  for (const auto& [w, g] : words) gnuWords_[internName(w)] = g;
}

namespace {
bool isIntegerTypedef(const SymbolTable& table, Name name) {
  SymbolFilter f;
  f.storageAll = StTypedef;
  const Symbol* s = table.findSymbol(name, f);
  return s && integerBase(s->type) != nullptr;
}
}  // namespace

bool Parser::setTypedefWidth(Name name, int bits) {
  return isIntegerTypedef(table_, name) && ctx_.applySizeofPragma(name.view(), bits, &table_);
}

bool Parser::setTypedefSignedness(Name name, bool isUnsigned) {
  return isIntegerTypedef(table_, name) && ctx_.applySignofPragma(name.view(), isUnsigned, &table_);
}

bool Parser::run() {
  const int saved = table_.scopeDepth();
  if (request_.scope != table_.currentScope()) table_.enterScope(request_.scope);
  bool complete = true;
  try {
    advance();
    declarationSeq(false);
  } catch (const AnalysisEnd&) {
    complete = false;
  }
  while (table_.scopeDepth() > saved) table_.closeScope();
  return complete;
}

// ---------------------------------------------------------------------------
// Tokens.

void Parser::advance() {
  if (tok_.code == Tok::LBrace) ++braceDepth_;
  else if (tok_.code == Tok::RBrace) --braceDepth_;
  previousBefore_ = previousCode_;
  previousCode_ = tok_.code;
  previousName_ = tok_.name;
  if (tok_.code != Tok::End) {
    previousEnd_ = tok_.text.data() + tok_.text.size();
    if (!tok_.text.empty()) lastText_ = tok_.text;
  }
  if (hasNext_) {
    tok_ = next_;
    hasNext_ = false;
  } else {
    tok_ = lexer_.next();
  }
}

const Token& Parser::peek() {
  if (!hasNext_) {
    next_ = lexer_.next();
    hasNext_ = true;
  }
  return next_;
}

bool Parser::accept(Tok t) {
  if (tok_.code != t) return false;
  advance();
  return true;
}

void Parser::expect(Tok t) {
  if (tok_.code != t) fail();
  advance();
}

Parser::Mark Parser::mark() const {
  return {lexer_.mark(), tok_, next_, hasNext_, braceDepth_, previousEnd_, previousCode_, previousBefore_, previousName_};
}

void Parser::reset(const Mark& m) {
  lexer_.reset(m.lexer);
  tok_ = m.tok;
  next_ = m.next;
  hasNext_ = m.hasNext;
  braceDepth_ = m.braceDepth;
  previousEnd_ = m.previousEnd;
  previousCode_ = m.previousCode;
  previousBefore_ = m.previousBefore;
  previousName_ = m.previousName;
}

void Parser::syncPosition() {
  recorder_.setPosition(tok_.file, tok_.line);
}

void Parser::report(int severity, const char* code, const std::string& argument) {
  if (request_.hook && quiet_ == 0) request_.hook(severity, code, argument, tok_.file.text(), tok_.line);
}

void Parser::fail() {
  if (tok_.code == Tok::End) {
    if (!eofReported_ && quiet_ == 0) {
      report(2, "UNEXP_EOF", std::string(lastText_));
      eofReported_ = true;
    }
  } else {
    std::string_view text = tok_.text;
    if (text.size() > 60) text = text.substr(text.size() - 59);
    report(3, "SYNTAXERR", std::string(text));
  }
  throw SyntaxFault{};
}

void Parser::tooDeep() {
  std::string_view text = tok_.text;
  if (text.size() > 60) text = text.substr(text.size() - 59);
  quiet_ = 0;
  report(3, "SYNTAXERR", std::string(text));
  throw AnalysisEnd{};
}

std::string_view Parser::textFrom(const char* from) const {
  if (from == nullptr || previousEnd_ == nullptr || previousEnd_ < from) return {};
  return {from, static_cast<std::size_t>(previousEnd_ - from)};
}

std::string compactText(std::string_view text) {
  std::string out;
  bool blank = false;
  auto isWord = [](char c) { return std::isalnum(static_cast<unsigned char>(c)) || c == '_' || c == '$'; };
  for (char c : text) {
    if (c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f' || c == '\v') {
      blank = !out.empty();
      continue;
    }
    if (blank && isWord(c) && isWord(out.back())) out += ' ';
    blank = false;
    out += c;
    if (c == ',') out += ' ';
  }
  return out;
}

void Parser::skipBalanced() {
  const int start = braceDepth_;
  int parens = 0;
  const Tok open = tok_.code;
  const bool brace = open == Tok::LBrace;
  do {
    switch (tok_.code) {
      case Tok::End: fail();
      case Tok::LParen: case Tok::LBracket: ++parens; break;
      case Tok::RParen: case Tok::RBracket: --parens; break;
      default: break;
    }
    advance();
  } while (brace ? braceDepth_ > start : parens > 0);
}

void Parser::skipExpression(bool stopAtGreater) {
  int parens = 0;
  int angles = 0;
  const int start = braceDepth_;
  Tok previous = Tok::Assign;
  // From C++11 `<` after a name is taken as opening template arguments
  // (`is_same<T, U>::value`), in initialisers too, so that their commas
  // do not end the expression; a `>` without one open is a comparison.
  const bool templateLike = modern_;
  for (;; previous = tok_.code, advance()) {
    const bool top = parens == 0 && braceDepth_ == start;
    switch (tok_.code) {
      case Tok::End: return;
      case Tok::LParen: case Tok::LBracket: ++parens; break;
      case Tok::RParen: case Tok::RBracket:
        if (top) return;
        --parens;
        break;
      case Tok::RBrace:
        if (top) return;
        break;
      case Tok::Semicolon:
        if (braceDepth_ == start) return;
        break;
      case Tok::Comma:
        if (top && angles == 0) return;
        break;
      case Tok::Less:
        if (top && (stopAtGreater || templateLike) && (!modern_ || opensArguments(previous))) ++angles;
        break;
      case Tok::Greater:
        if (top) {
          if (angles > 0) --angles;
          else if (stopAtGreater) return;
        }
        break;
      case Tok::ShiftRight:
        if (top) {
          if (angles >= 2) {
            angles -= 2;
          } else if (stopAtGreater && angles == 0) {
            return;
          } else if (stopAtGreater && modern_) {
            // The first `>` closes the last `<`, the second the list
            // being read.
            splitGreater();
            return;
          } else {
            angles = 0;
          }
        }
        break;
      default: break;
    }
  }
}

// A token that begins with `>` (`>>`, `>=`, `>>=`) of which only the first
// `>` closes a template argument list: that `>` is read, the rest stays the
// current token.
// Whether a `<` after the token `previous` (the token before it is
// previousBefore_) opens template arguments when the parser cannot tell from
// a declaration: after a name or a named cast, except a name after `::` that
// is no known template (`R::num < S::num` compares members of a dependent
// type).
bool Parser::opensArguments(Tok previous) const {
  switch (previous) {
    case Tok::KwTemplate: case Tok::KwStaticCast: case Tok::KwDynamicCast: case Tok::KwReinterpretCast:
    case Tok::KwConstCast:
      return true;
    case Tok::Identifier: break;
    default: return false;
  }
  if (previousBefore_ != Tok::ColonColon) return true;
  if (variableTemplates_.count(previousName_)) return true;
  if (table_.findTag(previousName_, static_cast<int>(TypeKind::Template), kAnyScope)) return true;
  SymbolFilter f;
  f.kind = static_cast<int>(TypeKind::Template);
  return table_.findSymbol(previousName_, f) != nullptr;
}

void Parser::splitGreater() {
  const char* first = tok_.text.data();
  previousEnd_ = first + 1;
  lastText_ = {first, 1};
  switch (tok_.code) {
    case Tok::ShiftRight: tok_.code = Tok::Greater; break;
    case Tok::GreaterEqual: tok_.code = Tok::Assign; break;
    case Tok::ShiftRightAssign: tok_.code = Tok::GreaterEqual; break;
    default: break;
  }
  tok_.text = tok_.text.substr(1);
}

void Parser::skipToSemicolon() {
  const int start = braceDepth_;
  int parens = 0;
  for (;;) {
    switch (tok_.code) {
      case Tok::End: fail();
      case Tok::LParen: case Tok::LBracket: ++parens; break;
      case Tok::RParen: case Tok::RBracket: --parens; break;
      case Tok::RBrace:
        if (braceDepth_ == start) fail();
        break;
      case Tok::Semicolon:
        if (braceDepth_ == start && parens <= 0) {
          advance();
          return;
        }
        break;
      default: break;
    }
    advance();
  }
}

void Parser::skipAngles() {
  advance();  // <
  int angles = 1;
  int parens = 0;
  Tok previous = Tok::Less;
  for (;; previous = tok_.code, advance()) {
    switch (tok_.code) {
      case Tok::End: case Tok::Semicolon: fail();
      case Tok::LParen: case Tok::LBracket: case Tok::LBrace: ++parens; break;
      case Tok::RParen: case Tok::RBracket: case Tok::RBrace:
        if (--parens < 0) fail();
        break;
      case Tok::Less:
        if (parens == 0 && opensArguments(previous)) ++angles;
        break;
      case Tok::Greater:
        if (parens == 0 && --angles == 0) {
          advance();
          return;
        }
        break;
      case Tok::ShiftRight:
        if (parens == 0) {
          if (angles == 1) {
            splitGreater();
            return;
          }
          angles -= 2;
          if (angles == 0) {
            advance();
            return;
          }
        }
        break;
      default: break;
    }
  }
}

void Parser::skipConstraint() {
  DepthGuard guard(*this);
  for (;;) {
    while (accept(Tok::Not)) {
    }
    if (at(Tok::LParen)) {
      skipBalanced();
    } else if (at(Tok::KwRequires)) {
      advance();
      if (at(Tok::LParen)) skipBalanced();
      if (!at(Tok::LBrace)) fail();
      skipBalanced();
    } else if (at(Tok::KwTrue) || at(Tok::KwFalse) || at(Tok::IntegerConstant)) {
      advance();
    } else {
      // A concept or a constant, possibly qualified, with its arguments.
      for (;;) {
        accept(Tok::ColonColon);
        accept(Tok::KwTemplate);
        if (!isIdentifierToken(tok_.code)) fail();
        advance();
        if (at(Tok::Less)) skipAngles();
        if (!at(Tok::ColonColon)) break;
      }
      if (at(Tok::LParen)) skipBalanced();  // a call of a constexpr function
    }
    if (at(Tok::AmpAmp) || at(Tok::PipePipe)) {
      advance();
      continue;
    }
    return;
  }
}

bool Parser::typeConstraint(bool beforePlaceholder) {
  if (!cxx20_) return false;
  const Mark m = mark();
  try {
    ++quiet_;
    for (;;) {
      accept(Tok::ColonColon);
      if (!at(Tok::Identifier)) break;
      advance();
      if (at(Tok::Less)) skipAngles();
      if (!at(Tok::ColonColon)) break;
    }
    --quiet_;
  } catch (const SyntaxFault&) {
    --quiet_;
    reset(m);
    return false;
  }
  const bool found = beforePlaceholder
                         ? at(Tok::KwAuto) || at(Tok::KwDecltype)
                         : at(Tok::Identifier) || at(Tok::Ellipsis) || at(Tok::Comma) || at(Tok::Greater) ||
                               at(Tok::Assign) || at(Tok::ShiftRight);
  if (!found) reset(m);
  return found;
}

bool Parser::namesType() {
  const Mark m = mark();
  Specifiers s;
  bool type = false;
  ++quiet_;
  try {
    type = typeName(s) != nullptr;
  } catch (const SyntaxFault&) {
  }
  --quiet_;
  reset(m);
  return type;
}

bool Parser::angledQualifier() {
  const Mark m = mark();
  ++quiet_;
  bool found = false;
  try {
    advance();  // the name
    skipAngles();
    found = at(Tok::ColonColon);
  } catch (const SyntaxFault&) {
  }
  --quiet_;
  if (!found) {
    reset(m);
    return false;
  }
  advance();  // ::
  return true;
}

bool Parser::deductionGuide() {
  if (currentClass_) return false;
  const Mark m = mark();
  if (accept(Tok::KwExplicit) && at(Tok::LParen)) skipBalanced();
  if (!at(Tok::Identifier) || peek().code != Tok::LParen) {
    reset(m);
    return false;
  }
  const lex::NameClass c = classify(tok_);
  if (c != lex::NameClass::TemplateName && c != lex::NameClass::ClassName) {
    reset(m);
    return false;
  }
  advance();
  skipBalanced();
  if (!at(Tok::Arrow)) {
    reset(m);
    return false;
  }
  skipToSemicolon();
  return true;
}

GnuWord Parser::gnuWord(Name name) const {
  if (!name) return GnuWord::None;
  auto it = gnuWords_.find(name);
  return it == gnuWords_.end() ? GnuWord::None : it->second;
}

bool Parser::skipGnuNoise(Specifiers* specs) {
  if (modern_) {
    // `[[attribute, ...]]` and `alignas (...)` apply to what they stand by
    // and change nothing that is recorded.
    if (tok_.code == Tok::LBracket && peek().code == Tok::LBracket) {
      skipBalanced();
      return true;
    }
    if (tok_.code == Tok::KwAlignas) {
      advance();
      if (at(Tok::LParen)) skipBalanced();
      return true;
    }
  }
  if (tok_.code != Tok::Identifier && tok_.code != Tok::KwAsm) return false;
  const GnuWord w = tok_.code == Tok::KwAsm ? GnuWord::WithParens : gnuWord(tok_.name);
  switch (w) {
    case GnuWord::Ignore:
      advance();
      return true;
    case GnuWord::WithParens:
      advance();
      if (at(Tok::KwVolatile) || (at(Tok::Identifier) && gnuWord(tok_.name) == GnuWord::Volatile)) advance();
      if (at(Tok::LParen)) skipBalanced();
      return true;
    case GnuWord::Const:
      if (!specs) return false;
      advance();
      specs->isConst = true;
      return true;
    case GnuWord::Volatile:
      if (!specs) return false;
      advance();
      specs->isVolatile = true;
      return true;
    default:
      return false;
  }
}

lex::NameClass Parser::classifyKind(const Token& t) {
  if (t.code != Tok::Identifier) return lex::NameClass::Plain;
  for (auto it = templateNames_.rbegin(); it != templateNames_.rend(); ++it)
    if (it->name == t.name) return it->isTemplate ? lex::NameClass::TemplateName : lex::NameClass::TypeName;
  if (gnuWord(t.name) == GnuWord::BuiltinType) return lex::NameClass::TypeName;
  // Inside a class (or a member defined outside it) the constructors do not
  // hide the name of the class.
  int from = scope();
  for (int s = from; s > 0; s = table_.parentOf(s)) {
    if (isClassScopeOf(s, t.name)) {
      from = table_.parentOf(s);
      if (from < 0) return lex::NameClass::ClassName;
      break;
    }
  }
  switch (table_.classify(t.name, from)) {
    case IdentifierClass::Modifier: return lex::NameClass::Modifier;
    case IdentifierClass::TemplateName: return lex::NameClass::TemplateName;
    case IdentifierClass::ClassName: return lex::NameClass::ClassName;
    case IdentifierClass::TypeName: return lex::NameClass::TypeName;
    case IdentifierClass::Plain: break;
  }
  if (from != scope()) return lex::NameClass::ClassName;
  // A constructor of a base class hides nothing either.
  if (const Symbol* s = table_.lookupSymbol(t.name, from); s && s->scope > 0 && isClassScopeOf(s->scope, t.name)) {
    const int outer = table_.parentOf(s->scope);
    if (outer >= 0 && table_.classify(t.name, outer) == IdentifierClass::TemplateName)
      return lex::NameClass::TemplateName;
    return lex::NameClass::ClassName;
  }
  return lex::NameClass::Plain;
}

lex::NameClass Parser::classify(const Token& t) { return classifyKind(t); }

// Whether scope `s` is the scope of a class named `name` (or of one of its
// specialisations, `name<...>`).
bool Parser::isTemplateName(Name name, int from) {
  Token t;
  t.code = Tok::Identifier;
  t.name = name;
  if (from == scope() && classify(t) == lex::NameClass::TemplateName) return true;
  if (table_.classify(name, from) == IdentifierClass::TemplateName) return true;
  const Symbol* s = table_.lookupSymbol(name, from);
  return s && s->type && s->type->kind == TypeKind::Template;
}

bool Parser::isClassScopeOf(int s, Name name) const {
  const Scope& sc = table_.scope(s);
  if (sc.kind != ScopeKind::Class) return false;
  if (sc.name == name) return true;
  const std::string_view own = sc.name.view();
  return own.size() > name.size() && own[name.size()] == '<' && own.starts_with(name.view());
}

Parser::ScopeState Parser::saveScopes() const {
  return {table_.scopeDepth(), templateNames_.size(), templateLevels_};
}

void Parser::restoreScopes(const ScopeState& s) {
  while (table_.scopeDepth() > s.scopeDepth) table_.closeScope();
  templateNames_.resize(s.templateNames);
  templateLevels_ = s.templateLevels;
}

// ---------------------------------------------------------------------------
// Declaration lists and recovery.

void Parser::declarationSeq(bool inBraces) {
  DepthGuard guard(*this);
  const int seqDepth = braceDepth_;
  StructuredType* const outerClass = currentClass_;
  const Access outerAccess = access_;
  const int outerTemplateLevels = templateLevels_;
  const bool outerSpecialisation = explicitSpecialisation_;
  const bool outerInstantiation = explicitInstantiation_;
  const std::size_t outerLists = templateLists_.size();
  const ScopeState state = saveScopes();
  for (;;) {
    if (at(Tok::End)) {
      if (inBraces) fail();
      return;
    }
    if (at(Tok::RBrace) && inBraces) return;
    try {
      if (currentClass_ && accessLabel()) continue;
      templateLevels_ = 0;
      explicitSpecialisation_ = explicitInstantiation_ = false;
      templateLists_.resize(outerLists);
      declaration();
    } catch (const SyntaxFault&) {
      restoreScopes(state);
      enterQualified_ = false;
      currentClass_ = outerClass;
      if (currentClass_ == outerClass && outerClass == nullptr) access_ = outerAccess;
      templateLists_.resize(outerLists);
      recover(seqDepth, inBraces);
    }
  }
  templateLevels_ = outerTemplateLevels;
  explicitSpecialisation_ = outerSpecialisation;
  explicitInstantiation_ = outerInstantiation;
}

// After a syntax error: on to the next `;` or `}` at the depth of the list.
void Parser::recover(int seqDepth, bool inBraces) {
  for (;;) {
    switch (tok_.code) {
      case Tok::End: return;
      case Tok::Semicolon:
        if (braceDepth_ <= seqDepth) {
          advance();
          return;
        }
        break;
      case Tok::RBrace:
        if (braceDepth_ <= seqDepth) {
          if (inBraces) return;  // the end of the list
          advance();             // a stray `}` at file level
          return;
        }
        if (braceDepth_ == seqDepth + 1) {
          advance();
          accept(Tok::Semicolon);
          return;
        }
        break;
      default: break;
    }
    advance();
  }
}

bool Parser::accessLabel() {
  Access a;
  switch (tok_.code) {
    case Tok::KwPublic: a = Access::Public; break;
    case Tok::KwProtected: a = Access::Protected; break;
    case Tok::KwPrivate: a = Access::Private; break;
    default: return false;
  }
  if (peek().code != Tok::Colon) return false;
  advance();
  advance();
  access_ = a;
  return true;
}

void Parser::declaration() {
  DepthGuard guard(*this);
  bool noise = false;
  while (skipGnuNoise(nullptr)) noise = true;
  // Attributes or a `_Pragma` left alone before the end of a list.
  if (noise && (at(Tok::RBrace) || at(Tok::End))) return;
  switch (tok_.code) {
    case Tok::Semicolon:
      advance();
      return;
    case Tok::KwNamespace:
      namespaceDefinition();
      return;
    case Tok::KwUsing:
      usingDeclaration();
      return;
    case Tok::KwTemplate:
      templateDeclaration();
      return;
    case Tok::KwExport:
      if (peek().code == Tok::KwTemplate) {
        advance();
        templateDeclaration();
        return;
      }
      break;
    case Tok::KwExtern:
      if (peek().code == Tok::StringLiteral) {
        linkageSpecification();
        return;
      }
      if (peek().code == Tok::KwTemplate) {  // `extern template class V<int>;`
        advance();
        templateDeclaration();
        return;
      }
      break;
    case Tok::KwStaticAssert:
    case Tok::KwConcept:
      skipToSemicolon();
      return;
    case Tok::Identifier:
    case Tok::KwExplicit:
      if (modern_ && deductionGuide()) return;
      break;
    case Tok::KwAsm:
      asmDeclaration();
      return;
    case Tok::KwInline:
      if (peek().code == Tok::KwNamespace) {
        // An inline namespace: its members are members of the enclosing one.
        advance();
        const int parent = scope();
        namespaceDefinition(parent);
        return;
      }
      break;
    case Tok::LBrace: case Tok::RBrace: case Tok::RParen: case Tok::RBracket:
      fail();
    default:
      break;
  }
  Specifiers specs;
  specifiers(specs, false);
  initDeclaratorList(specs);
}

void Parser::namespaceDefinition(int inlineParent) {
  advance();  // namespace
  while (skipGnuNoise(nullptr)) {
  }
  Name name;
  if (at(Tok::Identifier) || isIdentifierToken(tok_.code)) {
    name = tok_.name;
    advance();
  }
  // `namespace a::b::c {` (C++17), `namespace a::inline b {` (C++20): the
  // names after the first, each with whether it is inline.
  std::vector<std::pair<Name, bool>> nested;
  while (modern_ && name && at(Tok::ColonColon)) {
    advance();
    const bool isInline = accept(Tok::KwInline);
    if (!isIdentifierToken(tok_.code)) fail();
    nested.push_back({tok_.name, isInline});
    advance();
  }
  while (skipGnuNoise(nullptr)) {
  }
  if (at(Tok::Assign) && nested.empty()) {  // an alias: `namespace A = B::C;`
    advance();
    const char* start = tok_.text.data();
    while (!at(Tok::Semicolon) && !at(Tok::End)) advance();
    const std::string_view path = textFrom(start);
    int target = table_.lookupScopePath(path, scope());
    if (target <= 0) {
      // The target may itself be reached through an alias.
      const std::size_t colons = path.find("::");
      auto it = namespaceAliases_.find(internName(path.substr(0, colons)));
      if (it != namespaceAliases_.end())
        target = colons == std::string_view::npos ? it->second
                                                  : table_.lookupScopePath(path.substr(colons + 2), it->second);
    }
    expect(Tok::Semicolon);
    if (name && target > 0) {
      table_.addUsingNamespace(scope(), target);
      namespaceAliases_[name] = target;
    }
    return;
  }
  if (!at(Tok::LBrace)) fail();
  const int parent = scope();
  int opened;
  if (name) {
    opened = table_.openScope(name, ScopeKind::Namespace);
    recorder_.namespaceOpened(name, parent, opened);
  } else {
    opened = table_.openUnnamedNamespace();
    recorder_.namespaceOpened(table_.scope(opened).name, parent, opened);
  }
  if (inlineParent >= 0) table_.addUsingNamespace(inlineParent, opened);
  for (const auto& [inner, isInline] : nested) {
    const int outer = scope();
    const int s = table_.openScope(inner, ScopeKind::Namespace);
    recorder_.namespaceOpened(inner, outer, s);
    if (isInline) table_.addUsingNamespace(outer, s);
  }
  StructuredType* const outerClass = currentClass_;
  currentClass_ = nullptr;
  advance();  // {
  declarationSeq(true);
  expect(Tok::RBrace);
  currentClass_ = outerClass;
  for (std::size_t i = 0; i <= nested.size(); ++i) table_.closeScope();
}

void Parser::usingDeclaration() {
  advance();  // using
  if (accept(Tok::KwNamespace)) {
    const char* pathStart = tok_.text.data();
    while (at(Tok::ColonColon) || isIdentifierToken(tok_.code)) advance();
    const std::string_view path = textFrom(pathStart);
    if (!at(Tok::Semicolon)) {
      report(3, "SYNTAXERR", "'using' without ';'");
      throw SyntaxFault{};
    }
    advance();
    const int target = path.empty() ? -1 : table_.lookupScopePath(path, scope());
    if (target > 0) table_.addUsingNamespace(scope(), target);
    return;
  }
  if (modern_ && at(Tok::Identifier) && (peek().code == Tok::Assign || peek().code == Tok::LBracket ||
                                         gnuWord(peek().name) == GnuWord::WithParens)) {
    aliasDeclaration();
    return;
  }
  if (modern_ && at(Tok::KwEnum)) {  // `using enum E;`
    skipToSemicolon();
    return;
  }
  const bool typenameWord = accept(Tok::KwTypename);
  const char* nameStart = tok_.text.data();
  bool any = false, dependent = false;
  const int qualifier = nestedNameSpecifier(any, dependent, true);
  Name name;
  if (at(Tok::KwOperator)) {
    Declarator d;
    operatorName(d, tok_.text.data());
    name = d.name;
  } else if (at(Tok::Tilde) || isIdentifierToken(tok_.code)) {
    accept(Tok::Tilde);
    name = tok_.name;
    advance();
  }
  const std::string_view written = textFrom(nameStart);
  if (modern_) {
    accept(Tok::Ellipsis);  // `using Bases::f...;`
    if (at(Tok::Comma)) {   // `using A::f, B::g;`: the first is checked
      skipToSemicolon();
      return;
    }
  }
  if (!at(Tok::Semicolon)) {
    report(3, "SYNTAXERR", "'using' without ';'");
    throw SyntaxFault{};
  }
  advance();
  if (typenameWord && name && (qualifier < 0 || dependent)) {
    // `using typename Base<T>::type;`: a type of a base that depends on a
    // template parameter, named by its text.
    NewDeclaration nd;
    nd.name = name;
    nd.storage = StTypedef;
    nd.scope = scope();
    nd.type = ctx_.typedefType(name, placeholder(compactText(written)), scope());
    nd.file = tok_.file;
    nd.line = tok_.line;
    nd.access = access_;
    if (currentClass_ && scope() == currentClass_->memberScope) nd.memberOf = currentClass_;
    syncPosition();
    recorder_.declare(nd);
    return;
  }
  if (!name || qualifier < 0 || dependent) return;
  if (currentClass_) {
    // The member must be inherited from a base class; the bases of a
    // template's instances are not known well enough to tell.
    Symbol* found = nullptr;
    for (const BaseClass& b : currentClass_->bases)
      if ((found = findMember(b.type, name)) != nullptr) break;
    if (!found) {
      bool templateBase = false;
      for (const BaseClass& b : currentClass_->bases)
        if (!dyn<StructuredType>(stripTypedefsAndModifiers(b.type)) ||
            !as<StructuredType>(stripTypedefsAndModifiers(b.type))->complete)
          templateBase = true;
      if (!templateBase) report(3, "MODACCINC", compactText(written));
    }
    return;
  }
  // At namespace level the name becomes visible here too.
  if (qualifier == scope()) return;
  SymbolFilter f;
  f.scope = qualifier;
  for (Symbol* s = table_.findSymbol(name, f); s; s = s->nextOfName)
    if (s->scope == qualifier) {
      Symbol* alias = table_.declareSymbol(name, s->type, s->storage, scope());
      alias->file = s->file;
      alias->line = s->line;
      alias->isEnumerator = s->isEnumerator;
      alias->value = s->value;
    }
  if (Symbol* t = table_.findTag(name, -1, qualifier)) table_.declareTag(name, t->type, scope());
}

void Parser::aliasDeclaration() {
  const Token name = tok_;
  advance();
  while (skipGnuNoise(nullptr)) {
  }
  expect(Tok::Assign);
  Type* t = typeId();
  while (skipGnuNoise(nullptr)) {
  }
  expect(Tok::Semicolon);
  syncPosition();
  if (explicitInstantiation_) return;
  if (templateLevels_ > 0 && !explicitSpecialisation_) {
    // An alias template: a template whose target is the typedef, so that
    // its uses `X<int>` read as template-ids.
    bool fresh = false;
    TemplateType* tt = recorder_.templateTag(name.name, scope(), name.file, name.line, fresh);
    mergeTemplateParameters(tt, fresh, name.name);
    if (!tt->target) tt->target = ctx_.typedefType(name.name, t, scope());
    return;
  }
  Specifiers specs;
  specs.storage = StTypedef;
  specs.type = t;
  specs.hasType = true;
  Declarator d;
  d.name = name.name;
  d.written = name.text;
  d.file = name.file;
  d.line = name.line;
  record(specs, d, false);
}

void Parser::linkageSpecification() {
  advance();  // extern
  advance();  // "C"
  if (at(Tok::LBrace)) {
    advance();
    declarationSeq(true);
    expect(Tok::RBrace);
    return;
  }
  declaration();
}

void Parser::asmDeclaration() {
  advance();
  if (at(Tok::KwVolatile)) advance();
  if (!at(Tok::LParen)) fail();
  skipBalanced();
  expect(Tok::Semicolon);
}

}  // namespace zenta::analyser::declparse

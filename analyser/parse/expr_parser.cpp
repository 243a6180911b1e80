#include "analyser/parse/expr_parser.h"

#include <algorithm>

#include "analyser/basic/message_hook.h"
#include "analyser/parse/expr_parser_state.h"

namespace zenta::analyser {

namespace exprparse {

using lex::Tok;
using lex::Token;

namespace {

struct BinaryOperator {
  ExprKind kind;
  ExprOp op;
  int precedence;  // 0: not a binary operator
};

constexpr int kMultiplicative = 10;

BinaryOperator binaryOperator(Tok t) {
  switch (t) {
    case Tok::DotStar: return {ExprKind::PtrMemDot, ExprOp::None, 11};
    case Tok::ArrowStar: return {ExprKind::PtrMemArrow, ExprOp::None, 11};
    case Tok::Star: return {ExprKind::Binary, ExprOp::Mul, kMultiplicative};
    case Tok::Slash: return {ExprKind::Binary, ExprOp::Div, kMultiplicative};
    case Tok::Percent: return {ExprKind::Binary, ExprOp::Mod, kMultiplicative};
    case Tok::Plus: return {ExprKind::Binary, ExprOp::Add, 9};
    case Tok::Minus: return {ExprKind::Binary, ExprOp::Sub, 9};
    case Tok::ShiftLeft: return {ExprKind::Binary, ExprOp::Shl, 8};
    case Tok::ShiftRight: return {ExprKind::Binary, ExprOp::Shr, 8};
    case Tok::Less: return {ExprKind::Binary, ExprOp::Lt, 7};
    case Tok::Greater: return {ExprKind::Binary, ExprOp::Gt, 7};
    case Tok::LessEqual: return {ExprKind::Binary, ExprOp::Le, 7};
    case Tok::GreaterEqual: return {ExprKind::Binary, ExprOp::Ge, 7};
    case Tok::Equal: return {ExprKind::Binary, ExprOp::Eq, 6};
    case Tok::NotEqual: return {ExprKind::Binary, ExprOp::Ne, 6};
    case Tok::Amp: return {ExprKind::Binary, ExprOp::BitAnd, 5};
    case Tok::Caret: return {ExprKind::Binary, ExprOp::BitXor, 4};
    case Tok::Pipe: return {ExprKind::Binary, ExprOp::BitOr, 3};
    case Tok::AmpAmp: return {ExprKind::Binary, ExprOp::LogAnd, 2};
    case Tok::PipePipe: return {ExprKind::Binary, ExprOp::LogOr, 1};
    default: return {ExprKind::Empty, ExprOp::None, 0};
  }
}

const char* expectation(Expect e) {
  switch (e) {
    case Expect::Opening: return "'(' ou '[' ou '@' ou <CONSTANTE> ou <IDENTIFICATEUR>";
    case Expect::Term: return "<TERME>";
    case Expect::Factor: return "<FACTEUR>";
    case Expect::Identifier: return "<IDENTIFICATEUR>";
    case Expect::End:
    case Expect::Token: break;
  }
  return "<fin d'expression>";
}

// Whether a string literal's text ends with its closing quote (one that no
// backslash escapes).
bool literalClosed(std::string_view text) {
  const std::size_t open = text.find('"');
  if (open == std::string_view::npos || text.size() < open + 2 || text.back() != '"') return false;
  std::size_t backslashes = 0;
  for (std::size_t i = text.size() - 1; i > open + 1 && text[i - 1] == '\\'; --i) ++backslashes;
  return backslashes % 2 == 0;
}

bool isBaseTypeKeyword(Tok t) {
  switch (t) {
    case Tok::KwBool: case Tok::KwChar: case Tok::KwShort: case Tok::KwInt: case Tok::KwLong:
    case Tok::KwSigned: case Tok::KwUnsigned: case Tok::KwFloat: case Tok::KwDouble: case Tok::KwWcharT:
    case Tok::KwVoid:
      return true;
    default:
      return false;
  }
}

}  // namespace

namespace {

// In the script's syntax integers are script numbers, wider than any C
// type: the lexer's range message is dropped. The program is
// single-threaded; the hook of the parse under way is kept here.
MessageHook g_scriptTarget = nullptr;
void scriptLexerHook(int severity, const char* code, const std::string& argument, const std::string& file,
                     int line) {
  if (g_scriptTarget != nullptr && std::string_view(code) != "ENTOUTRAN")
    g_scriptTarget(severity, code, argument, file, line);
}

}  // namespace

Parser::Parser(AstContext& ctx, const SymbolTable& table, const ParseRequest& request, Arena& arena)
    : ctx_(ctx), table_(table), request_(request), arena_(arena) {
  lexer_.setClassifier(this);
  lexer_.setScope(request.scope);
  if (request.scriptSyntax && request.hook != nullptr) {
    g_scriptTarget = request.hook;
    lexer_.setMessageHook(&scriptLexerHook);
  } else {
    lexer_.setMessageHook(request.hook);
  }
  lexer_.setInput(request.text, request.file, request.line > 0 ? request.line : 1);
}

lex::NameClass Parser::classify(Name name, int scope) {
  switch (table_.classify(name, scope)) {
    case IdentifierClass::Plain: return lex::NameClass::Plain;
    case IdentifierClass::Modifier: return lex::NameClass::Modifier;
    case IdentifierClass::TypeName: {
      const Symbol* id = table_.lookupSymbol(name, scope);
      if (isTypedefSymbol(id)) return lex::NameClass::TypeName;
      break;
    }
    case IdentifierClass::ClassName:
    case IdentifierClass::TemplateName:
      break;
  }
  // A tag: hidden by an ordinary identifier of the same or an inner scope.
  const Symbol* tag = table_.lookupTag(name, -1, scope);
  const Symbol* id = table_.lookupSymbol(name, scope);
  lex::NameClass tagClass = lex::NameClass::TypeName;
  if (tag != nullptr && tag->type != nullptr) {
    if (tag->type->kind == TypeKind::Structure) tagClass = lex::NameClass::ClassName;
    if (tag->type->kind == TypeKind::Template) tagClass = lex::NameClass::TemplateName;
  }
  if (id == nullptr || isTypedefSymbol(id)) return tagClass;
  if (tag == nullptr) return lex::NameClass::Plain;
  const std::vector<int> order = table_.searchOrder(scope);
  auto rank = [&](int s) { return std::find(order.begin(), order.end(), s) - order.begin(); };
  return rank(id->scope) <= rank(tag->scope) ? lex::NameClass::Plain : tagClass;
}

// ---------------------------------------------------------------------------
// Tokens.

void Parser::advance() { cur_ = lexer_.next(); }

bool Parser::accept(Tok t) {
  if (!at(t)) return false;
  advance();
  return true;
}

bool Parser::expect(Tok t) {
  if (accept(t)) return true;
  syntaxError(Expect::Token, t);
  return false;
}

Token Parser::peek() {
  const lex::LexerMark m = lexer_.mark();
  Token t = lexer_.next();
  lexer_.reset(m);
  return t;
}

bool Parser::atAssignment() const {
  switch (cur_.code) {
    case Tok::Assign: case Tok::StarAssign: case Tok::SlashAssign: case Tok::PercentAssign:
    case Tok::PlusAssign: case Tok::MinusAssign: case Tok::ShiftLeftAssign: case Tok::ShiftRightAssign:
    case Tok::AmpAssign: case Tok::CaretAssign: case Tok::PipeAssign:
      return true;
    default:
      return false;
  }
}

bool Parser::isNameToken(Tok t) { return lex::isIdentifierToken(t); }

// ---------------------------------------------------------------------------
// Faults.

void Parser::report(int severity, const char* code, const std::string& argument) {
  if (failed_) return;
  failed_ = true;
  if (request_.hook != nullptr) request_.hook(severity, code, argument, request_.file.text(), request_.line);
}

Expr* Parser::syntaxError(Expect expected, Tok token) {
  if (failed_) return nullptr;
  if (at(Tok::DotDot)) return badRange();
  if (request_.scriptSyntax) {
    std::string what = expectation(expected);
    if (expected == Expect::Token) what = "'" + std::string(lex::tokenSpelling(token)) + "'";
    report(2, "SYNTAXERO", what);
    return nullptr;
  }
  if (at(Tok::Comma)) return refuse("SOUSEXPRE");
  if (atAssignment()) return refuse("AFFECTATI");
  if (at(Tok::End))
    report(2, "UNEXP_EOF", std::string(request_.text));
  else
    report(3, "EXPERRONE", std::string(request_.text));
  return nullptr;
}

Expr* Parser::refuse(const char* code) {
  // The script's own syntax has no such forms: the text goes on where an
  // expression is complete.
  if (request_.scriptSyntax) {
    report(2, "SYNTAXERO", expectation(Expect::End));
    return nullptr;
  }
  report(3, code, std::string(request_.text));
  return nullptr;
}

Expr* Parser::badRange() {
  report(3, "SYNTAXERR", translateText("Warning Parameter", "[min..max]"));
  return nullptr;
}

Expr* Parser::tooDeep() {
  report(3, "EXPERRONE", std::string(request_.text));
  return nullptr;
}

// ---------------------------------------------------------------------------
// Nodes.

Expr* Parser::node(ExprKind kind, Expr* a, Expr* b, Expr* c) {
  Expr* e = arena_.make<Expr>(kind);
  e->lhs = a;
  e->rhs = b;
  e->third = c;
  e->line = cur_.line;
  int h = 0;
  for (const Expr* x : {a, b, c})
    if (x != nullptr) h = std::max<int>(h, x->height);
  if (h + 1 > kMaxExpressionHeight) {
    tooDeep();
    return nullptr;
  }
  e->height = static_cast<std::uint16_t>(h + 1);
  return e;
}

Expr* Parser::constant(const Token& t) {
  Expr* e = node(t.code == Tok::CharConstant ? ExprKind::Character : ExprKind::Integer);
  e->text = arena_.copyText(t.text);
  e->value = t.constant.value;
  e->constType = constantType(ctx_, t);
  if (t.code == Tok::IntegerConstant && !t.text.empty()) {
    const char last = t.text.back();
    const bool hexPrefix = t.text.size() > 1 && (t.text[1] == 'x' || t.text[1] == 'X');
    e->scriptNotation = last == 'h' || last == 'H' || ((last == 'b' || last == 'B') && !hexPrefix);
  }
  return e;
}

// ---------------------------------------------------------------------------
// Grammar.

ParseStatus Parser::run(Expr*& root) {
  root = nullptr;
  advance();
  if (at(Tok::End)) return ParseStatus::Empty;
  root = topLevel();
  if (failed_ || root == nullptr) {
    root = nullptr;
    return ParseStatus::Fault;
  }
  return ParseStatus::Ok;
}

Expr* Parser::topLevel() {
  Expr* e = at(Tok::LBrace) ? aggregate() : rangeOrAssignment(Expect::Opening);
  if (e == nullptr) return nullptr;
  if (!at(Tok::End)) return syntaxError(Expect::End);
  return e;
}

Expr* Parser::aggregate() {
  DepthGuard guard(*this);
  if (depth_ > kMaxExpressionDepth) return tooDeep();
  advance();  // {
  Expr* list = node(ExprKind::Aggregate);
  if (list == nullptr) return nullptr;
  if (accept(Tok::RBrace)) return list;
  for (;;) {
    Expr* item = (at(Tok::Comma) || at(Tok::RBrace)) ? node(ExprKind::Empty) : listItem();
    if (item == nullptr) return nullptr;
    list->items.push_back(arena_, item);
    list->height = std::max<std::uint16_t>(list->height, static_cast<std::uint16_t>(item->height + 1));
    if (list->height > kMaxExpressionHeight) return tooDeep();
    if (accept(Tok::Comma)) continue;
    if (!expect(Tok::RBrace)) return nullptr;
    return list;
  }
}

Expr* Parser::listItem() {
  if (at(Tok::LBrace)) return aggregate();
  Expr* index = rangeOrAssignment(Expect::Opening);
  if (index == nullptr || !accept(Tok::Associate)) return index;
  Expr* value = at(Tok::LBrace) ? aggregate() : assignment(Expect::Opening);
  return value != nullptr ? node(ExprKind::Association, index, value) : nullptr;
}

Expr* Parser::rangeOrAssignment(Expect first) {
  if (at(Tok::DotDot)) return badRange();
  Expr* low = assignment(first);
  if (low == nullptr || !at(Tok::DotDot)) return low;
  advance();
  switch (cur_.code) {
    case Tok::End: case Tok::RBracket: case Tok::RBrace: case Tok::RParen: case Tok::Comma:
    case Tok::DotDot: case Tok::Associate:
      return badRange();
    default:
      break;
  }
  Expr* high = assignment(Expect::Opening);
  if (high == nullptr) return nullptr;
  if (at(Tok::DotDot)) return badRange();
  return node(ExprKind::Range, low, high);
}

Expr* Parser::assignment(Expect first) {
  Expr* e = conditional(first);
  if (e != nullptr && atAssignment()) return refuse("AFFECTATI");
  return e;
}

Expr* Parser::conditional(Expect first) {
  Expr* c = binary(1, first);
  if (c == nullptr || !accept(Tok::Question)) return c;
  Expr* a = assignment(Expect::Term);
  if (a == nullptr || !expect(Tok::Colon)) return nullptr;
  Expr* b = assignment(Expect::Term);
  if (b == nullptr) return nullptr;
  return folded(node(ExprKind::Conditional, c, a, b));
}

Expr* Parser::binary(int minPrecedence, Expect first) {
  Expr* lhs = castExpression(first);
  while (lhs != nullptr) {
    const BinaryOperator op = binaryOperator(cur_.code);
    if (op.precedence == 0 || op.precedence < minPrecedence) break;
    advance();
    Expr* rhs = binary(op.precedence + 1, op.precedence >= kMultiplicative ? Expect::Factor : Expect::Term);
    if (rhs == nullptr) return nullptr;
    Expr* e = node(op.kind, lhs, rhs);
    if (e == nullptr) return nullptr;
    e->op = op.op;
    lhs = folded(e);
  }
  return lhs;
}

Expr* Parser::castExpression(Expect first) {
  DepthGuard guard(*this);
  if (depth_ > kMaxExpressionDepth) return tooDeep();
  ExprOp op = ExprOp::None;
  ExprKind kind = ExprKind::Unary;
  switch (cur_.code) {
    case Tok::Minus: op = ExprOp::Negate; break;
    case Tok::Plus: op = ExprOp::Plus; break;
    case Tok::Tilde: op = ExprOp::BitNot; break;
    case Tok::Not: op = ExprOp::LogNot; break;
    case Tok::Star: kind = ExprKind::Indirection; break;
    case Tok::Amp: kind = ExprKind::AddressOf; break;
    case Tok::PlusPlus: return refuse("POSTINCRE");
    case Tok::MinusMinus: return refuse("POSTDECRE");
    case Tok::KwSizeof: return sizeofExpression();
    case Tok::LParen:
      if (typeIdFollows()) {
        advance();
        Type* t = typeId();
        if (t == nullptr || !expect(Tok::RParen)) return nullptr;
        Expr* operand = castExpression(Expect::Factor);
        if (operand == nullptr) return nullptr;
        Expr* e = node(ExprKind::Cast, operand);
        if (e != nullptr) e->typeOperand = t;
        return e;
      }
      return postfix(primary(first));
    default:
      return postfix(primary(first));
  }
  advance();
  Expr* operand = castExpression(Expect::Factor);
  if (operand == nullptr) return nullptr;
  Expr* e = node(kind, operand);
  if (e == nullptr) return nullptr;
  e->op = op;
  return folded(e);
}

Expr* Parser::sizeofExpression() {
  advance();  // sizeof
  if (at(Tok::LParen) && typeIdFollows()) {
    advance();
    Type* t = typeId();
    if (t == nullptr || !expect(Tok::RParen)) return nullptr;
    Expr* e = node(ExprKind::SizeofType);
    if (e != nullptr) e->typeOperand = t;
    return e;
  }
  Expr* operand = castExpression(Expect::Factor);
  if (operand == nullptr) return nullptr;
  // `sizeof(x)` and `sizeof x` are both written `sizeof(x)`.
  return node(ExprKind::SizeofExpr, operand->kind == ExprKind::Paren ? operand->lhs : operand);
}

Expr* Parser::postfix(Expr* e) {
  while (e != nullptr) {
    switch (cur_.code) {
      case Tok::LBracket: {
        advance();
        Expr* index = rangeOrAssignment(Expect::Opening);
        if (index == nullptr || !expect(Tok::RBracket)) return nullptr;
        e = index->kind == ExprKind::Range ? node(ExprKind::Slice, e, index->lhs, index->rhs)
                                           : node(ExprKind::Subscript, e, index);
        break;
      }
      case Tok::LParen: {
        advance();
        Expr* call = node(ExprKind::Call, e);
        if (call == nullptr || !arguments(call->items)) return nullptr;
        for (const Expr* a : call->items) call->height = std::max<std::uint16_t>(call->height, a->height + 1);
        if (call->height > kMaxExpressionHeight) return tooDeep();
        e = call;
        break;
      }
      case Tok::Dot:
      case Tok::Arrow: {
        const ExprKind kind = at(Tok::Dot) ? ExprKind::Member : ExprKind::Arrow;
        advance();
        if (!isNameToken(cur_.code)) return syntaxError(Expect::Identifier);
        e = node(kind, e);
        if (e == nullptr) return nullptr;
        e->name = cur_.name;
        advance();
        break;
      }
      case Tok::PlusPlus: return refuse("POSTINCRE");
      case Tok::MinusMinus: return refuse("POSTDECRE");
      default: return e;
    }
  }
  return e;
}

bool Parser::arguments(ArenaVector<Expr*>& out) {
  if (accept(Tok::RParen)) return true;
  for (;;) {
    Expr* a = assignment(Expect::Opening);
    if (a == nullptr) return false;
    out.push_back(arena_, a);
    if (accept(Tok::Comma)) continue;
    return expect(Tok::RParen);
  }
}

Expr* Parser::primary(Expect first) {
  if (failed_) return nullptr;
  switch (cur_.code) {
    case Tok::IntegerConstant:
    case Tok::CharConstant: {
      Expr* e = constant(cur_);
      advance();
      return e;
    }
    case Tok::FloatConstant: {
      Expr* e = node(ExprKind::Floating);
      if (e != nullptr) e->text = arena_.copyText(cur_.text);
      advance();
      return e;
    }
    case Tok::StringLiteral: {
      std::string text;
      while (at(Tok::StringLiteral)) {
        // A literal left open runs to the end of its line.
        if (!literalClosed(cur_.text)) {
          advance();
          return syntaxError(Expect::Token, Tok::StringLiteral);
        }
        text += cur_.text;
        advance();
      }
      Expr* e = node(ExprKind::String);
      if (e != nullptr) e->text = arena_.copyText(text);
      return e;
    }
    case Tok::KwTrue:
    case Tok::KwFalse: {
      Expr* e = node(ExprKind::Integer);
      if (e == nullptr) return nullptr;
      e->text = at(Tok::KwTrue) ? "true" : "false";
      e->value = at(Tok::KwTrue) ? 1 : 0;
      e->constType = ctx_.integerType("bool");
      advance();
      return e;
    }
    case Tok::KwThis:
      advance();
      return node(ExprKind::This);
    case Tok::ColonColon:
      return qualifiedName();
    case Tok::Identifier:
    case Tok::ModifierName:
      if (peek().code == Tok::ColonColon) return qualifiedName();
      {
        Expr* e = node(ExprKind::Identifier);
        if (e != nullptr) e->name = cur_.name;
        advance();
        return e;
      }
    case Tok::TypeName:
    case Tok::ClassName:
    case Tok::TemplateName: {
      const Tok next = peek().code;
      if (next == Tok::ColonColon) return qualifiedName();
      if (next != Tok::LParen) return syntaxError(first);
      Type* t = namedType(cur_);
      if (t == nullptr) return nullptr;
      advance();
      return construct(t);
    }
    case Tok::KwStaticCast:
    case Tok::KwDynamicCast:
    case Tok::KwConstCast:
    case Tok::KwReinterpretCast:
      return namedCast();
    case Tok::LParen: {
      advance();
      Expr* inner = assignment(Expect::Opening);
      if (inner == nullptr || !expect(Tok::RParen)) return nullptr;
      return node(ExprKind::Paren, inner);
    }
    default:
      if (isBaseTypeKeyword(cur_.code) && peek().code == Tok::LParen) {
        Type* t = ctx_.baseTypeForKeyword(cur_.name.view());
        advance();
        return construct(t);
      }
      return syntaxError(first);
  }
}

// T(args): a functional cast or a constructor call; at the `(`.
Expr* Parser::construct(Type* type) {
  advance();  // (
  Expr* e = node(ExprKind::Construct);
  if (e == nullptr || !arguments(e->items)) return nullptr;
  e->typeOperand = type;
  for (const Expr* a : e->items) e->height = std::max<std::uint16_t>(e->height, a->height + 1);
  if (e->height > kMaxExpressionHeight) return tooDeep();
  return e;
}

// [::] name {:: name}: a qualified name, or a type's constructor call.
Expr* Parser::qualifiedName() {
  std::string path;
  if (accept(Tok::ColonColon)) path = "::";
  if (!isNameToken(cur_.code)) return syntaxError(Expect::Identifier);
  path += cur_.name.view();
  advance();
  while (at(Tok::ColonColon)) {
    advance();
    if (!isNameToken(cur_.code)) return syntaxError(Expect::Identifier);
    path += "::";
    path += cur_.name.view();
    advance();
  }
  if (at(Tok::LParen))
    if (Type* t = qualifiedType(path)) return construct(t);
  Expr* e = node(ExprKind::Qualified);
  if (e != nullptr) e->text = arena_.copyText(path);
  return e;
}

Expr* Parser::namedCast() {
  const std::string_view keyword = cur_.name.view();
  advance();
  if (!expect(Tok::Less)) return nullptr;
  Type* t = typeId();
  if (t == nullptr || !expect(Tok::Greater) || !expect(Tok::LParen)) return nullptr;
  Expr* operand = assignment(Expect::Opening);
  if (operand == nullptr || !expect(Tok::RParen)) return nullptr;
  Expr* e = node(ExprKind::NamedCast, operand);
  if (e == nullptr) return nullptr;
  e->text = arena_.copyText(keyword);
  e->typeOperand = t;
  return e;
}

}  // namespace exprparse

ParseStatus parseExpression(AstContext& ctx, const SymbolTable& table, const ParseRequest& request,
                            ExpressionTree& tree) {
  exprparse::Parser parser(ctx, table, request, tree.arena());
  Expr* root = nullptr;
  const ParseStatus status = parser.run(root);
  tree.setRoot(root);
  return status;
}

}  // namespace zenta::analyser

// Constant folding while parsing, and the C types of constants.
//
// An operator whose operands are integer (or character) constants is
// evaluated at once: the operands are converted to the type of the operation
// as C converts them, the result is computed exactly in multi-precision and
// reduced to the width of its C type. What C leaves undefined at translation
// time (a division or remainder by zero, a shift by a negative count or by
// the width or more) is not folded: the compiler of the harness sees it as
// written.
#include <cstdlib>

#include "analyser/basic/target_widths.h"
#include "analyser/parse/expr_parser_state.h"
#include "analyser/sema/typing_arith.h"

namespace zenta::analyser::exprparse {

using support::ScriptInt;

Type* constantType(AstContext& ctx, const lex::Token& t) {
  const int width = t.constant.width;
  // A character constant of one character is a plain char, whatever the
  // sign its value took; wider ones are ints.
  if (t.code == lex::Tok::CharConstant) {
    if (!t.constant.wide && std::abs(width) == targetWidth(BaseWidth::Char)) return ctx.integerType("char");
    return ctx.integerTypeFor(width, false);
  }
  // The suffix letters choose the type's name; the value may have made it
  // unsigned.
  int longs = 0;
  for (auto it = t.text.rbegin(); it != t.text.rend(); ++it) {
    if (*it == 'l' || *it == 'L')
      ++longs;
    else if (*it != 'u' && *it != 'U')
      break;
  }
  const bool hexPrefix = t.text.size() > 1 && (t.text[1] == 'x' || t.text[1] == 'X');
  if (!hexPrefix && !t.text.empty() && (t.text.back() == 'h' || t.text.back() == 'H')) longs = 0;
  std::string words = longs == 0 ? "int" : longs == 1 ? "long" : "long long";
  if (width >= 0) words = longs == 0 ? "unsigned" : "unsigned " + words;
  IntegerType* named = ctx.integerType(words);
  if (named != nullptr && named->signedWidth == width) return named;
  return ctx.integerTypeFor(width, false);
}

namespace {

Expr* constantNode(Arena& arena, const Expr* from, const ScriptInt& value, Type* type) {
  Expr* e = arena.make<Expr>(ExprKind::Integer);
  e->folded = true;
  e->value = wrapToType(value, type);
  e->constType = type;
  e->line = from->line;
  return e;
}

bool truth(const ScriptInt& v) { return !v.isZero(); }

int widthOf(const Type* t) {
  const IntegerType* it = dyn<IntegerType>(stripAll(t));
  return it ? std::abs(it->signedWidth) : 0;
}

Expr* foldUnary(AstContext& ctx, Arena& arena, Expr* e, const Expr* a) {
  if (e->op == ExprOp::LogNot) return constantNode(arena, e, truth(a->value) ? 0 : 1, ctx.integerType("int"));
  Type* type = promoteType(ctx, a->constType);
  const ScriptInt v = wrapToType(a->value, type);
  switch (e->op) {
    case ExprOp::Negate: return constantNode(arena, e, ScriptInt::neg(v).value, type);
    case ExprOp::Plus: return constantNode(arena, e, v, type);
    case ExprOp::BitNot: return constantNode(arena, e, ~v, type);
    default: return e;
  }
}

Expr* foldBinary(AstContext& ctx, Arena& arena, Expr* e, const Expr* a, const Expr* b) {
  IntegerType* intType = ctx.integerType("int");
  if (e->op == ExprOp::LogAnd) return constantNode(arena, e, truth(a->value) && truth(b->value), intType);
  if (e->op == ExprOp::LogOr) return constantNode(arena, e, truth(a->value) || truth(b->value), intType);
  if (e->op == ExprOp::Shl || e->op == ExprOp::Shr) {
    Type* type = promoteType(ctx, a->constType);
    const ScriptInt v = wrapToType(a->value, type);
    const ScriptInt count = wrapToType(b->value, promoteType(ctx, b->constType));
    const auto n = count.toInt64();
    if (!n || *n < 0 || *n >= widthOf(type)) return e;
    const int shift = static_cast<int>(*n);
    if (e->op == ExprOp::Shr) return constantNode(arena, e, ScriptInt::shiftRight(v, shift), type);
    const auto shifted = ScriptInt::shiftLeft(v, shift);
    return shifted.ok() ? constantNode(arena, e, shifted.value, type) : e;
  }
  Type* type = usualArithmeticType(ctx, a->constType, b->constType);
  const ScriptInt x = wrapToType(a->value, type);
  const ScriptInt y = wrapToType(b->value, type);
  support::Checked<ScriptInt> r{ScriptInt()};
  switch (e->op) {
    case ExprOp::Mul: r = ScriptInt::mul(x, y); break;
    case ExprOp::Div:
      if (y.isZero()) return e;
      r = ScriptInt::divTruncated(x, y);
      break;
    case ExprOp::Mod:
      if (y.isZero()) return e;
      r = ScriptInt::remTruncated(x, y);
      break;
    case ExprOp::Add: r = ScriptInt::add(x, y); break;
    case ExprOp::Sub: r = ScriptInt::sub(x, y); break;
    case ExprOp::BitAnd: r.value = x & y; break;
    case ExprOp::BitXor: r.value = x ^ y; break;
    case ExprOp::BitOr: r.value = x | y; break;
    case ExprOp::Lt: return constantNode(arena, e, x < y, intType);
    case ExprOp::Gt: return constantNode(arena, e, x > y, intType);
    case ExprOp::Le: return constantNode(arena, e, x <= y, intType);
    case ExprOp::Ge: return constantNode(arena, e, x >= y, intType);
    case ExprOp::Eq: return constantNode(arena, e, x == y, intType);
    case ExprOp::Ne: return constantNode(arena, e, x != y, intType);
    default: return e;
  }
  return r.ok() ? constantNode(arena, e, r.value, type) : e;
}

}  // namespace

Expr* fold(AstContext& ctx, Arena& arena, Expr* e) {
  switch (e->kind) {
    case ExprKind::Unary:
      if (const Expr* a = integerConstant(e->lhs)) return foldUnary(ctx, arena, e, a);
      return e;
    case ExprKind::Binary: {
      const Expr* a = integerConstant(e->lhs);
      const Expr* b = integerConstant(e->rhs);
      return a != nullptr && b != nullptr ? foldBinary(ctx, arena, e, a, b) : e;
    }
    case ExprKind::Conditional: {
      const Expr* c = integerConstant(e->lhs);
      const Expr* a = integerConstant(e->rhs);
      const Expr* b = integerConstant(e->third);
      if (c == nullptr || a == nullptr || b == nullptr) return e;
      Type* type = sameType(a->constType, b->constType) ? a->constType
                                                        : usualArithmeticType(ctx, a->constType, b->constType);
      return constantNode(arena, e, truth(c->value) ? a->value : b->value, type);
    }
    default:
      return e;
  }
}

}  // namespace zenta::analyser::exprparse

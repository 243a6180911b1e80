#include "analyser/parse/expr_script.h"

#include <algorithm>

#include "support/scriptnum_report.h"

namespace zenta::analyser {

using support::ScriptInt;
using support::ScriptReal;

namespace {

// A value of the script numbers, or none for what is not constant.
struct Number {
  enum Kind { None, Int, Real } kind = None;
  ScriptInt i;
  ScriptReal r;

  static Number integer(const ScriptInt& v) { return {Int, v, {}}; }
  static Number real(const ScriptReal& v) { return {Real, {}, v}; }
  static Number boolean(bool b) { return integer(b ? 1 : 0); }
  ScriptReal asReal() const { return kind == Real ? r : ScriptReal(i); }
  bool truth() const { return kind == Real ? !r.isZero() : !i.isZero(); }
  bool faulty() const { return kind == Real ? r.faulty() : i.faulty(); }
};

Number realOf(std::string_view text) {
  while (!text.empty() && (text.back() == 'f' || text.back() == 'F' || text.back() == 'l' || text.back() == 'L'))
    text.remove_suffix(1);
  const auto r = ScriptReal::tryParse(text);
  return r ? Number::real(*r) : Number{};
}

Number unary(ExprOp op, const Number& a) {
  if (a.kind == Number::None) return {};
  switch (op) {
    case ExprOp::Negate: return a.kind == Number::Int ? Number::integer(-a.i) : Number::real(-a.r);
    case ExprOp::Plus: return a;
    case ExprOp::BitNot: return a.kind == Number::Int ? Number::integer(~a.i) : Number{};
    case ExprOp::LogNot: return Number::boolean(!a.truth());
    default: return {};
  }
}

template <class T>
Number compare(ExprOp op, const T& x, const T& y) {
  switch (op) {
    case ExprOp::Lt: return Number::boolean(x < y);
    case ExprOp::Gt: return Number::boolean(x > y);
    case ExprOp::Le: return Number::boolean(x <= y);
    case ExprOp::Ge: return Number::boolean(x >= y);
    case ExprOp::Eq: return Number::boolean(x == y);
    default: return Number::boolean(x != y);
  }
}

Number binary(ExprOp op, const Number& a, const Number& b) {
  if (a.kind == Number::None || b.kind == Number::None) return {};
  if (op == ExprOp::LogAnd) return Number::boolean(a.truth() && b.truth());
  if (op == ExprOp::LogOr) return Number::boolean(a.truth() || b.truth());
  if (a.kind == Number::Real || b.kind == Number::Real) {
    const ScriptReal x = a.asReal(), y = b.asReal();
    switch (op) {
      case ExprOp::Mul: return Number::real(x * y);
      case ExprOp::Div: return Number::real(x / y);
      case ExprOp::Add: return Number::real(x + y);
      case ExprOp::Sub: return Number::real(x - y);
      default: return isComparison(op) ? compare(op, x, y) : Number{};
    }
  }
  const ScriptInt &x = a.i, &y = b.i;
  const bool faulty = x.faulty() || y.faulty();
  auto describe = [&](const char* sign) {
    return [&, sign] { return x.toString() + " " + sign + " " + y.toString(); };
  };
  switch (op) {
    case ExprOp::Mul: return Number::integer(x * y);
    case ExprOp::Div:
      return Number::integer(support::scriptnum::settle(ScriptInt::divTruncated(x, y), faulty, describe("/")));
    case ExprOp::Mod:
      return Number::integer(support::scriptnum::settle(ScriptInt::remTruncated(x, y), faulty, describe("%")));
    case ExprOp::Add: return Number::integer(x + y);
    case ExprOp::Sub: return Number::integer(x - y);
    case ExprOp::BitAnd: return Number::integer(x & y);
    case ExprOp::BitXor: return Number::integer(x ^ y);
    case ExprOp::BitOr: return Number::integer(x | y);
    case ExprOp::Shl:
    case ExprOp::Shr: {
      // Counts beyond the width give the bound: every bit is shifted out.
      const std::int64_t bound = ScriptInt::kBits + 1;
      const std::int64_t n = y.isNegative() ? std::max<std::int64_t>(y.toInt64().value_or(-bound), -bound)
                                            : std::min<std::int64_t>(y.toInt64().value_or(bound), bound);
      const int count = static_cast<int>(op == ExprOp::Shl ? n : -n);
      return Number::integer(
          support::scriptnum::settle(ScriptInt::shiftLeft(x, count), faulty, describe(op == ExprOp::Shl ? "<<" : ">>")));
    }
    default: return isComparison(op) ? compare(op, x, y) : Number{};
  }
}

// An integer constant read again from its text in the script numbers'
// width (the C lexer keeps the width of the constant's C type).
Number integerOf(const Expr* e) {
  std::string_view text = e->text;
  if (text == "true" || text == "false") return Number::integer(e->value);
  while (!text.empty() && (text.back() == 'u' || text.back() == 'U' || text.back() == 'l' || text.back() == 'L'))
    text.remove_suffix(1);
  int base = 10;
  if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
    base = 16;
    text.remove_prefix(2);
  } else if (!text.empty() && (text.back() == 'h' || text.back() == 'H')) {
    base = 16;
    text.remove_suffix(1);
  } else if (!text.empty() && (text.back() == 'b' || text.back() == 'B')) {
    base = 2;
    text.remove_suffix(1);
  } else if (text.size() > 1 && text[0] == '0') {
    base = 8;
  }
  const support::Checked<ScriptInt> v = ScriptInt::scan(text, base);
  if (v.status == support::NumStatus::Malformed) return Number::integer(e->value);
  if (!v.ok()) support::scriptnum::reportOverflow(std::string(e->text));
  ScriptInt value = v.value;
  if (!v.ok()) value.setFaulty();
  return Number::integer(value);
}

Number evaluate(const Expr* e) {
  if (e == nullptr) return {};
  switch (e->kind) {
    case ExprKind::Integer: return integerOf(e);
    case ExprKind::Character: return Number::integer(e->value);
    case ExprKind::Floating: return realOf(e->text);
    case ExprKind::Paren: return evaluate(e->lhs);
    case ExprKind::Unary: return unary(e->op, evaluate(e->lhs));
    case ExprKind::Binary: return binary(e->op, evaluate(e->lhs), evaluate(e->rhs));
    case ExprKind::Conditional: {
      const Number c = evaluate(e->lhs);
      const Number a = evaluate(e->rhs);
      const Number b = evaluate(e->third);
      if (c.kind == Number::None || a.kind == Number::None || b.kind == Number::None) return {};
      const Number& chosen = c.truth() ? a : b;
      if (a.kind == Number::Real || b.kind == Number::Real) return Number::real(chosen.asReal());
      return chosen;
    }
    default: return {};
  }
}

std::string numberImage(const Number& n) { return n.kind == Number::Real ? n.r.toString() : n.i.toString(); }

bool isLoneConstant(const Expr* e) {
  while (e->kind == ExprKind::Paren) e = e->lhs;
  return e->kind == ExprKind::Integer || e->kind == ExprKind::Character || e->kind == ExprKind::Floating;
}

// The image of a bound or value: its value when it is a constant.
std::string valueImage(const Expr* e, const Number& n, const SymbolTable& table, int scope) {
  if (n.kind != Number::None && !n.faulty() && !isLoneConstant(e)) return numberImage(n);
  return expressionImage(e, &table, scope);
}

}  // namespace

ScriptValue analyseScriptValue(AstContext& ctx, const SymbolTable& table, ParseRequest request) {
  request.scriptSyntax = true;
  request.fold = false;
  ScriptValue out;
  ExpressionTree tree;
  if (parseExpression(ctx, table, request, tree) != ParseStatus::Ok) return out;
  const Expr* root = tree.root();
  out.wellFormed = true;
  const Expr* bare = root;
  while (bare->kind == ExprKind::Paren) bare = bare->lhs;
  const Number n = evaluate(root);
  switch (bare->kind) {
    case ExprKind::Aggregate: out.kind = ScriptValueKind::List; break;
    case ExprKind::String: out.kind = ScriptValueKind::String; break;
    case ExprKind::Identifier:
    case ExprKind::Qualified: out.kind = ScriptValueKind::Name; break;
    case ExprKind::Character: out.kind = ScriptValueKind::Character; break;
    case ExprKind::Range: {
      out.kind = ScriptValueKind::Range;
      const Number low = evaluate(bare->lhs), high = evaluate(bare->rhs);
      if (low.kind != Number::None) out.low = low.asReal();
      if (high.kind != Number::None) out.high = high.asReal();
      out.image = valueImage(bare->lhs, low, table, request.scope) + ".." +
                  valueImage(bare->rhs, high, table, request.scope);
      break;
    }
    default:
      out.kind = n.kind == Number::Int    ? ScriptValueKind::Integer
                 : n.kind == Number::Real ? ScriptValueKind::Real
                                          : ScriptValueKind::Expression;
      break;
  }
  if (n.kind == Number::Int) out.integer = n.i;
  if (n.kind == Number::Real) out.real = n.r;
  if (out.kind != ScriptValueKind::Range) out.image = valueImage(root, n, table, request.scope);
  if (out.image.size() > kMaxScriptImage) out.image.resize(kMaxScriptImage);
  return out;
}

}  // namespace zenta::analyser

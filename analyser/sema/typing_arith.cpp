#include "analyser/sema/typing_arith.h"

#include <algorithm>
#include <cstdlib>
#include <string>

namespace zenta::analyser {

using support::ScriptInt;

bool isIntegralType(const Type* t) {
  t = stripAll(t);
  return t != nullptr && (t->kind == TypeKind::Integer || t->kind == TypeKind::Enumeration);
}

bool isArithmeticType(const Type* t) {
  t = stripAll(t);
  return t != nullptr && (isIntegralType(t) || t->kind == TypeKind::Floating);
}

bool isPointerLike(const Type* t) {
  t = stripAll(t);
  return t != nullptr &&
         (t->kind == TypeKind::Pointer || t->kind == TypeKind::Array || t->kind == TypeKind::Function);
}

bool isScalarType(const Type* t) { return isArithmeticType(t) || isPointerLike(t); }

int integerRank(const Type* integer) {
  const std::string words = canonicalIntegerName(stripAll(integer));
  if (words == "bool") return 0;
  if (words.find("char") != std::string::npos || words == "wchar_t") return 1;
  if (words.find("short") != std::string::npos) return 2;
  if (words.find("long long") != std::string::npos) return 5;
  if (words.find("long") != std::string::npos) return 4;
  if (words.find("int") != std::string::npos) return 3;
  const IntegerType* it = dyn<IntegerType>(stripAll(integer));
  const int w = it ? std::abs(it->signedWidth) : 0;
  return w <= 8 ? 1 : w <= 16 ? 2 : w <= 32 ? 3 : 5;
}

namespace {

int widthOf(const Type* t) {
  const IntegerType* it = dyn<IntegerType>(t);
  return it ? std::abs(it->signedWidth) : 0;
}
bool signedOf(const Type* t) {
  const IntegerType* it = dyn<IntegerType>(t);
  return it != nullptr && it->signedWidth < 0;
}

int floatingRank(const Type* t) {
  if (t->name == "long double") return 3;
  if (t->name == "double") return 2;
  return 1;
}

}  // namespace

Type* promoteType(AstContext& ctx, Type* t) {
  t = stripAll(t);
  if (t == nullptr) return nullptr;
  IntegerType* intType = ctx.integerType("int");
  if (t->kind == TypeKind::Enumeration) return intType;
  if (t->kind != TypeKind::Integer) return t;
  if (integerRank(t) >= 3) return t;
  const int w = widthOf(t);
  const int intWidth = widthOf(intType);
  if (w < intWidth || (w == intWidth && signedOf(t))) return intType;
  return ctx.integerType("unsigned");
}

Type* usualArithmeticType(AstContext& ctx, Type* a, Type* b) {
  a = stripAll(a);
  b = stripAll(b);
  if (a == nullptr || b == nullptr) return nullptr;
  const bool fa = a->kind == TypeKind::Floating;
  const bool fb = b->kind == TypeKind::Floating;
  if (fa || fb) {
    if (fa && fb) return floatingRank(a) >= floatingRank(b) ? a : b;
    return fa ? a : b;
  }
  a = promoteType(ctx, a);
  b = promoteType(ctx, b);
  if (a == b) return a;
  const bool sa = signedOf(a);
  const bool sb = signedOf(b);
  if (sa == sb) {
    const int ra = integerRank(a), rb = integerRank(b);
    if (ra != rb) return ra > rb ? a : b;
    return widthOf(a) >= widthOf(b) ? a : b;
  }
  Type* u = sa ? b : a;
  Type* s = sa ? a : b;
  if (integerRank(u) >= integerRank(s)) return u;
  if (widthOf(s) > widthOf(u)) return s;
  IntegerType* unsignedS = ctx.integerType("unsigned " + canonicalIntegerName(s));
  return unsignedS != nullptr ? unsignedS : u;
}

Type* decayType(AstContext& ctx, Type* t) {
  Type* s = stripAll(t);
  if (s == nullptr) return nullptr;
  if (s->kind == TypeKind::Array) return ctx.pointerTo(targetOf(s));
  if (s->kind == TypeKind::Function) return ctx.pointerTo(s);
  return s;
}

ScriptInt wrapToType(const ScriptInt& value, const Type* integer) {
  const IntegerType* it = dyn<IntegerType>(stripAll(integer));
  if (it == nullptr) return value;
  const int w = std::clamp(std::abs(it->signedWidth), 1, 128);
  const ScriptInt modulus = ScriptInt::shiftLeft(ScriptInt(1), w).value;
  ScriptInt m = value & (modulus - ScriptInt(1));
  if (it->signedWidth < 0 && m >= ScriptInt::shiftLeft(ScriptInt(1), w - 1).value) m = m - modulus;
  return m;
}

}  // namespace zenta::analyser

#include "analyser/sema/expr_typer.h"

#include "analyser/basic/dialect.h"
#include "analyser/sema/typing_arith.h"

namespace zenta::analyser {

namespace {

Symbol* findFieldIn(const StructuredType* s, Name name, int depth) {
  if (s == nullptr || depth > 100) return nullptr;
  if (Symbol* m = findMember(s, name)) return m;
  for (Symbol* m : s->members) {
    if (m == nullptr || !m->name.empty()) continue;
    if (Symbol* inner = findFieldIn(dyn<StructuredType>(stripAll(m->type)), name, depth + 1)) return inner;
  }
  return nullptr;
}

// The type of a comparison or a logical operation: an int in the classic
// language, a bool in C++11 and later (a bool is tested as a boolean there).
Type* truthType(AstContext& ctx) { return ctx.integerType(dialectAtLeast(Dialect::Cxx11) ? "bool" : "int"); }

// Without the references at the top.
Type* withoutReferences(Type* t) {
  for (int guard = 0; t != nullptr && t->kind == TypeKind::Reference && guard < 1000; ++guard) t = targetOf(t);
  return t;
}

}  // namespace

Symbol* findField(const Type* structure, Name name) {
  return findFieldIn(dyn<StructuredType>(stripAll(structure)), name, 0);
}

ExpressionTyper::ExpressionTyper(AstContext& ctx, const SymbolTable& table, MessageHook hook, std::string file,
                                 int line)
    : ctx_(ctx), table_(table), hook_(hook), file_(std::move(file)), line_(line) {}

Type* ExpressionTyper::type(const Expr* e, const TypingScope& where) {
  where_ = where;
  return visit(e);
}

std::string ExpressionTyper::image(const Expr* e) const { return expressionImage(e, &table_, where_.scope); }

Type* ExpressionTyper::fault(const char* code, const Expr* about) {
  if (hook_ != nullptr) hook_(3, code, image(about), file_, line_);
  return nullptr;
}

Type* ExpressionTyper::visit(const Expr* e) {
  if (e == nullptr) return nullptr;
  Type* t = nullptr;
  switch (e->kind) {
    case ExprKind::Empty:
    case ExprKind::Aggregate:
      break;
    case ExprKind::Integer:
    case ExprKind::Character:
      t = e->constType;
      break;
    case ExprKind::Floating: {
      const char last = e->text.empty() ? '0' : e->text.back();
      t = ctx_.floatingType(last == 'f' || last == 'F'   ? "float"
                            : last == 'l' || last == 'L' ? "long double"
                                                         : "double");
      break;
    }
    case ExprKind::String:
      t = ctx_.pointerTo(ctx_.integerType("char"));
      break;
    case ExprKind::Identifier: t = identifier(e); break;
    case ExprKind::Qualified: t = qualified(e); break;
    case ExprKind::This:
      t = where_.thisClass != nullptr ? ctx_.pointerTo(where_.thisClass) : fault("IDENTIINC", e);
      break;
    case ExprKind::Paren: t = visit(e->lhs); break;
    case ExprKind::Subscript:
    case ExprKind::Slice: {
      Type* a = visit(e->lhs);
      Type* i = visit(e->rhs);
      Type* j = e->kind == ExprKind::Slice ? visit(e->third) : i;
      if (a == nullptr || i == nullptr || j == nullptr) break;
      Type* s = stripAll(a);
      if (s->kind == TypeKind::Array || s->kind == TypeKind::Pointer)
        t = targetOf(s);
      else if (isIntegralType(s) && e->kind == ExprKind::Subscript &&
               (stripAll(i)->kind == TypeKind::Array || stripAll(i)->kind == TypeKind::Pointer))
        t = targetOf(stripAll(i));  // i[a]
      else
        t = fault("NONTABLEA", e->lhs);
      break;
    }
    case ExprKind::Call: t = call(e); break;
    case ExprKind::Member:
    case ExprKind::Arrow: t = member(e); break;
    case ExprKind::PtrMemDot:
    case ExprKind::PtrMemArrow: t = pointerToMember(e); break;
    case ExprKind::Unary: t = unary(e); break;
    case ExprKind::SizeofExpr:
      if (visit(e->lhs) != nullptr) t = ctx_.integerType("unsigned long");
      break;
    case ExprKind::SizeofType: t = ctx_.integerType("unsigned long"); break;
    case ExprKind::Binary: t = binary(e); break;
    case ExprKind::Conditional: t = conditional(e); break;
    case ExprKind::AddressOf: t = addressOf(e); break;
    case ExprKind::Indirection: {
      Type* a = visit(e->lhs);
      if (a == nullptr) break;
      Type* s = stripAll(a);
      if (s->kind == TypeKind::Pointer || s->kind == TypeKind::Array)
        t = targetOf(s) != nullptr ? targetOf(s) : ctx_.voidType();
      else if (s->kind == TypeKind::Function)
        t = s;
      else
        t = fault("NONPOINTE", e->lhs);
      break;
    }
    case ExprKind::Cast:
    case ExprKind::NamedCast:
      if (visit(e->lhs) != nullptr) t = e->typeOperand;
      break;
    case ExprKind::Construct: t = construct(e); break;
    case ExprKind::Range: {
      Type* a = visit(e->lhs);
      Type* b = visit(e->rhs);
      if (a != nullptr && b != nullptr)
        t = isArithmeticType(a) && isArithmeticType(b) ? usualArithmeticType(ctx_, a, b) : a;
      break;
    }
    case ExprKind::Association:
      // The index may be a field name or `others`: only the value is typed.
      if (e->lhs != nullptr && e->lhs->kind != ExprKind::Identifier) visit(e->lhs);
      t = visit(e->rhs);
      break;
  }
  e->type = t;
  return t;
}

Type* ExpressionTyper::declaredType(const Symbol& s) {
  if (deducer_ && !placeholderText(s.type, true).empty())
    if (Type* deduced = deducer_(s)) return deduced;
  return s.type;
}

Type* ExpressionTyper::identifier(const Expr* e) {
  if (where_.function != nullptr)
    for (const Symbol* p : where_.function->parameters)
      if (p != nullptr && p->name == e->name) return p->type;
  const Symbol* s = table_.lookupSymbol(e->name, where_.scope);
  if (s == nullptr || isTypedefSymbol(s) || s->type == nullptr) return fault("IDENTIINC", e);
  return declaredType(*s);
}

Type* ExpressionTyper::qualified(const Expr* e) {
  const Symbol* s = table_.lookupQualified(e->text, where_.scope);
  if (s == nullptr || isTypedefSymbol(s) || s->type == nullptr) return fault("IDENTIINC", e);
  return declaredType(*s);
}

Type* ExpressionTyper::member(const Expr* e) {
  Type* a = visit(e->lhs);
  if (a == nullptr) return nullptr;
  Type* s = stripAll(a);
  const Type* structure = nullptr;
  if (e->kind == ExprKind::Member) {
    if (s->isStructured())
      structure = s;
    else if (s->kind == TypeKind::Pointer && stripAll(targetOf(s)) != nullptr &&
             stripAll(targetOf(s))->isStructured())
      return fault("POINSTRUC", e);
    else
      return fault("INVCHASTR", e);
  } else {
    const Type* pointed = (s->kind == TypeKind::Pointer || s->kind == TypeKind::Array) ? stripAll(targetOf(s)) : nullptr;
    if (pointed == nullptr || !pointed->isStructured()) return fault("NOPOSTRUC", e);
    structure = pointed;
  }
  const Symbol* m = findField(structure, e->name);
  if (m == nullptr || m->type == nullptr) return fault("CHAMPINCO", e);
  return declaredType(*m);
}

Type* ExpressionTyper::pointerToMember(const Expr* e) {
  Type* a = visit(e->lhs);
  Type* m = visit(e->rhs);
  if (a == nullptr || m == nullptr) return nullptr;
  const Type* object = stripAll(a);
  if (e->kind == ExprKind::PtrMemArrow)
    object = object->kind == TypeKind::Pointer ? stripAll(targetOf(object)) : nullptr;
  const PointerType* pm = dyn<PointerType>(stripAll(m));
  if (object == nullptr || !object->isStructured() || pm == nullptr || pm->memberOf == nullptr)
    return fault("INCPOIMEM", e);
  return pm->target;
}

Type* ExpressionTyper::call(const Expr* e) {
  Type* f = visit(e->lhs);
  bool argsTyped = true;
  for (const Expr* arg : e->items) argsTyped = visit(arg) != nullptr && argsTyped;
  if (f == nullptr || !argsTyped) return nullptr;
  const Type* s = stripAll(f);
  if (s->kind == TypeKind::Pointer) s = stripAll(targetOf(s));
  if (s == nullptr || s->kind != TypeKind::Function) return fault("NONFONCTI", e->lhs);
  Type* result = targetOf(s);
  return result != nullptr ? result : ctx_.voidType();
}

namespace {

// Whether a function accepts `n` arguments (defaults and `...` counted).
bool acceptsCount(const FunctionType* f, std::size_t n) {
  std::size_t required = 0, most = 0;
  for (const Symbol* p : f->parameters) {
    if (p != nullptr && p->type != nullptr && p->type->kind == TypeKind::Ellipsis) return n >= required;
    ++most;
    if (p == nullptr || !p->hasDefault) required = most;
  }
  // `T(void)` declares no parameter.
  if (most == 1 && f->parameters[0] != nullptr && f->parameters[0]->name.empty() &&
      stripAll(f->parameters[0]->type) != nullptr && stripAll(f->parameters[0]->type)->kind == TypeKind::Void)
    return n == 0;
  return n >= required && n <= most;
}

}  // namespace

Type* ExpressionTyper::construct(const Expr* e) {
  bool argsTyped = true;
  for (const Expr* arg : e->items) argsTyped = visit(arg) != nullptr && argsTyped;
  if (!argsTyped) return nullptr;
  const std::size_t n = e->items.size();
  const StructuredType* s = dyn<StructuredType>(stripAll(e->typeOperand));
  if (s == nullptr || s->kind != TypeKind::Structure) {
    // A functional cast of a scalar type takes one value at most.
    return n <= 1 ? e->typeOperand : fault("CONSTRINC", e);
  }
  bool declared = false;
  for (const Symbol* m : s->members) {
    if (m == nullptr || m->name != s->name) continue;
    const FunctionType* f = dyn<FunctionType>(m->type);
    if (f == nullptr) continue;
    declared = true;
    if (acceptsCount(f, n)) return e->typeOperand;
  }
  // Without declared constructors the class has a default and a copy one.
  if (!declared && n <= 1) return e->typeOperand;
  return fault("CONSTRINC", e);
}

Type* ExpressionTyper::unary(const Expr* e) {
  Type* a = visit(e->lhs);
  if (a == nullptr) return nullptr;
  switch (e->op) {
    case ExprOp::Negate:
    case ExprOp::Plus:
      return isArithmeticType(a) ? promoteType(ctx_, a) : fault("OPERARITH", e);
    case ExprOp::BitNot:
      return isIntegralType(a) ? promoteType(ctx_, a) : fault("OPERENTIE", e);
    default:
      return isScalarType(a) ? truthType(ctx_) : fault("OPERSCALA", e);
  }
}

Type* ExpressionTyper::binary(const Expr* e) {
  Type* a = visit(e->lhs);
  Type* b = visit(e->rhs);
  if (a == nullptr || b == nullptr) return nullptr;
  const bool arith = isArithmeticType(a) && isArithmeticType(b);
  const bool integral = isIntegralType(a) && isIntegralType(b);
  switch (e->op) {
    case ExprOp::Mul:
    case ExprOp::Div:
      return arith ? usualArithmeticType(ctx_, a, b) : fault("OPERARITH", e);
    case ExprOp::Mod:
    case ExprOp::BitAnd:
    case ExprOp::BitXor:
    case ExprOp::BitOr:
      return integral ? usualArithmeticType(ctx_, a, b) : fault("OPERENTIE", e);
    case ExprOp::Shl:
    case ExprOp::Shr:
      return integral ? promoteType(ctx_, a) : fault("OPERENTIE", e);
    case ExprOp::Add:
      if (arith) return usualArithmeticType(ctx_, a, b);
      if (isPointerLike(a) && isIntegralType(b)) return decayType(ctx_, a);
      if (isIntegralType(a) && isPointerLike(b)) return decayType(ctx_, b);
      return fault("OPERARITH", e);
    case ExprOp::Sub:
      if (arith) return usualArithmeticType(ctx_, a, b);
      if (isPointerLike(a) && isIntegralType(b)) return decayType(ctx_, a);
      if (isPointerLike(a) && isPointerLike(b)) return ctx_.integerType("long");
      return fault("OPERARITH", e);
    case ExprOp::LogAnd:
    case ExprOp::LogOr:
      return isScalarType(a) && isScalarType(b) ? truthType(ctx_) : fault("OPERSCALA", e);
    default:  // comparisons
      if (arith || (isPointerLike(a) && (isPointerLike(b) || isIntegralType(b))) ||
          (isIntegralType(a) && isPointerLike(b)))
        return truthType(ctx_);
      return fault("OPERSCALA", e);
  }
}

Type* ExpressionTyper::conditional(const Expr* e) {
  Type* c = visit(e->lhs);
  Type* a = visit(e->rhs);
  Type* b = visit(e->third);
  if (c == nullptr || a == nullptr || b == nullptr) return nullptr;
  if (!isScalarType(c)) return fault("OPERSCALA", e);
  // Branches of one type keep it (C++: `c ? 'a' : 'b'` is a char).
  if (sameType(stripAll(a), stripAll(b))) return a;
  if (isArithmeticType(a) && isArithmeticType(b)) return usualArithmeticType(ctx_, a, b);
  if (isPointerLike(a) && isPointerLike(b) && sameType(decayType(ctx_, a), decayType(ctx_, b)))
    return decayType(ctx_, a);
  // A null pointer constant on either side.
  const Expr* ca = integerConstant(e->rhs);
  const Expr* cb = integerConstant(e->third);
  if (isPointerLike(a) && cb != nullptr && cb->value.isZero()) return decayType(ctx_, a);
  if (isPointerLike(b) && ca != nullptr && ca->value.isZero()) return decayType(ctx_, b);
  return fault("TYPESDIFF", e);
}

Type* ExpressionTyper::addressOf(const Expr* e) {
  // `&C::m` of a non-static data member is a pointer to member of C.
  if (e->lhs != nullptr && e->lhs->kind == ExprKind::Qualified) {
    const Symbol* s = table_.lookupQualified(e->lhs->text, where_.scope);
    if (s != nullptr && s->type != nullptr && !(s->storage & StStatic) && s->scope > 0 &&
        s->scope < table_.scopeCount() && table_.scope(s->scope).kind == ScopeKind::Class &&
        table_.scope(s->scope).classType != nullptr) {
      e->lhs->type = s->type;
      return ctx_.memberPointerTo(table_.scope(s->scope).classType, s->type);
    }
  }
  Type* a = visit(e->lhs);
  return a != nullptr ? ctx_.pointerTo(withoutReferences(a)) : nullptr;
}

}  // namespace zenta::analyser

// Quiet questions about script expressions: the variable statements ask them
// before the analysis proper, which reports.
#include <set>

#include "analyser/ast/context.h"
#include "analyser/ast/standard_types.h"
#include "analyser/ast/symbols.h"
#include "analyser/interface.h"
#include "analyser/interface_expr.h"

namespace zenta::analyser {

namespace {

bool hasConstModifier(const Type* t) {
  for (Name m : t->modifiers)
    if (m.text() == "const") return true;
  return false;
}

// Const at the top of a type: a `const` record, a const pointer level, or an
// array of constant elements; typedefs and references are looked through.
bool isConstant(const Type* t) {
  for (int guard = 0; t != nullptr && guard < 1000; ++guard) {
    if (hasConstModifier(t)) return true;
    switch (t->kind) {
      case TypeKind::Modified:
        if (t->name.text() == "const") return true;
        t = as<DerivedType>(t)->target;
        break;
      case TypeKind::Typedef: case TypeKind::Reference: case TypeKind::Array:
        t = as<DerivedType>(t)->target;
        break;
      default:
        return false;
    }
  }
  return false;
}

bool isLvalue(const Expr* e, const ResolvedContext& where) {
  switch (e->kind) {
    case ExprKind::Identifier: {
      const Symbol* s = analyserSymbols().lookupSymbol(e->name, where.where.scope);
      return s == nullptr || !s->isEnumerator;
    }
    case ExprKind::Qualified: case ExprKind::Subscript: case ExprKind::Slice: case ExprKind::Member:
    case ExprKind::Arrow: case ExprKind::Indirection: case ExprKind::PtrMemDot: case ExprKind::PtrMemArrow:
    case ExprKind::This:
      return true;
    case ExprKind::Paren:
      return e->lhs != nullptr && isLvalue(e->lhs, where);
    case ExprKind::Call: {
      // A call is assignable when it gives back a reference.
      const Type* t = typeTree(e, where, true);
      for (int guard = 0; t != nullptr && t->kind == TypeKind::Typedef && guard < 1000; ++guard)
        t = as<DerivedType>(t)->target;
      return t != nullptr && t->kind == TypeKind::Reference;
    }
    default:
      return false;
  }
}

bool holdsItself(const Type* t, std::set<const Type*>& open, int depth) {
  if (depth > 999) return false;
  t = stripAll(t);
  if (t == nullptr) return false;
  if (const ArrayType* a = dyn<ArrayType>(t)) return holdsItself(a->target, open, depth + 1);
  const StructuredType* s = dyn<StructuredType>(t);
  if (s == nullptr) return false;
  if (!open.insert(s).second) return true;
  bool found = false;
  for (const Symbol* m : s->members)
    if (m != nullptr && m->type != nullptr && dyn<FunctionType>(stripAll(m->type)) == nullptr &&
        holdsItself(m->type, open, depth + 1)) {
      found = true;
      break;
    }
  open.erase(s);
  return found;
}

}  // namespace

VariablePeek peekVariable(const std::string& name, const AnalysisContext& context) {
  VariablePeek out;
  const std::string text = !name.empty() && name.front() == '*' ? "(" + name + ")" : name;
  const ResolvedContext where = resolveContext(context);
  ExpressionTree tree;
  if (parseExpression(analyserContext(), analyserSymbols(), scriptRequest(text, where, true), tree) !=
      ParseStatus::Ok)
    return out;
  const Type* type = typeTree(tree.root(), where, true);
  if (type == nullptr) return out;
  out.typed = true;
  out.typeClass = typeClass(type);
  out.constant = isConstant(type);
  const Type* s = stripAll(type);
  out.assignable = !out.constant && (s == nullptr || s->kind != TypeKind::Function) && isLvalue(tree.root(), where);
  out.structured = s != nullptr && s->isStructured() && standardString(s, analyserSymbols()) == StandardString::None;
  out.array = s != nullptr && s->kind == TypeKind::Array;
  std::set<const Type*> open;
  out.recursive = holdsItself(type, open, 0);
  return out;
}

bool isOneExpression(const std::string& text, const AnalysisContext& context) {
  ExpressionTree tree;
  return parseExpression(analyserContext(), analyserSymbols(), scriptRequest(text, resolveContext(context), true),
                         tree) == ParseStatus::Ok;
}

}  // namespace zenta::analyser

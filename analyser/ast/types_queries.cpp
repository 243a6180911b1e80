// Queries over type records: comparison, members and testable components.
#include <unordered_map>

#include "analyser/ast/standard_types.h"
#include "analyser/ast/symbols.h"
#include "analyser/ast/types.h"

namespace zenta::analyser {
namespace {

// ---------------------------------------------------------------------------
// Testable components.

struct CountState {
  std::unordered_map<const Type*, int> done;
  std::vector<const Type*> active;
  const SymbolTable* table = nullptr;
};

void collectFields(const StructuredType* s, std::vector<Symbol*>& out, std::vector<const Type*>& active) {
  for (const Type* a : active)
    if (a == s) return;
  active.push_back(s);
  for (const BaseClass& b : s->bases) {
    if (b.access != Access::Public && !s->openAccess) continue;
    const StructuredType* base = dyn<StructuredType>(stripTypedefsAndModifiers(b.type));
    if (base != nullptr) collectFields(base, out, active);
  }
  for (Symbol* m : s->members) {
    if (m == nullptr || m->isEnumerator) continue;
    if (m->storage & (StTypedef | StStatic | StFriend)) continue;
    const Type* mt = stripTypedefsAndModifiers(m->type);
    if (mt != nullptr && mt->kind == TypeKind::Function) continue;
    if (!memberReachable(s, m)) continue;
    out.push_back(m);
  }
  active.pop_back();
}

int count(const Type* t, int depth, CountState& st) {
  if (t == nullptr || depth > 999) return 0;
  switch (t->kind) {
    case TypeKind::Array:
    case TypeKind::Reference:
    case TypeKind::Typedef:
    case TypeKind::Modified:
      return count(targetOf(t), depth + 1, st);
    case TypeKind::Union: {
      const StructuredType* u = as<StructuredType>(t);
      if (u->selectedMember > 0 && u->selectedMember <= static_cast<int>(u->members.size())) {
        const Symbol* m = u->members[static_cast<std::size_t>(u->selectedMember - 1)];
        return m ? count(m->type, depth + 1, st) : 0;
      }
      return 1;
    }
    case TypeKind::Structure: {
      if (st.table != nullptr && standardString(t, *st.table) != StandardString::None) return 1;
      auto it = st.done.find(t);
      if (it != st.done.end()) return it->second;
      for (const Type* a : st.active)
        if (a == t) return 0;  // contains itself: nothing more to reach
      st.active.push_back(t);
      long total = 0;
      for (const Symbol* m : reachableFields(t)) {
        total += count(m->type, depth + 1, st);
        if (total > 1000000000L) total = 1000000000L;
      }
      st.active.pop_back();
      st.done[t] = static_cast<int>(total);
      return static_cast<int>(total);
    }
    case TypeKind::Template:
      return 0;
    default:
      return 1;
  }
}

}  // namespace

// ---------------------------------------------------------------------------
// Comparing types.

namespace {
const Type* skipTypedefs(const Type* t) {
  for (int guard = 0; t && t->kind == TypeKind::Typedef && guard < 100000; ++guard) t = targetOf(t);
  return t;
}

bool compareTypes(const Type* a, const Type* b, bool lenient, int depth) {
  a = skipTypedefs(a);
  b = skipTypedefs(b);
  if (a == b) return true;
  if (!a || !b || depth > 10000 || a->kind != b->kind) return false;
  if (a->modifiers != b->modifiers) return false;
  switch (a->kind) {
    case TypeKind::Integer: {
      const IntegerType* ia = as<IntegerType>(a);
      const IntegerType* ib = as<IntegerType>(b);
      if (ia->widthPinned || ib->widthPinned || ia->signPinned || ib->signPinned)
        return ia->signedWidth == ib->signedWidth && ia->charFlag == ib->charFlag &&
               canonicalIntegerName(a) == canonicalIntegerName(b);
      return canonicalIntegerName(a) == canonicalIntegerName(b);
    }
    case TypeKind::Floating:
      return a->name == b->name;
    case TypeKind::Void:
    case TypeKind::Ellipsis:
      return true;
    case TypeKind::Pointer: {
      const PointerType* pa = as<PointerType>(a);
      const PointerType* pb = as<PointerType>(b);
      if ((pa->memberOf == nullptr) != (pb->memberOf == nullptr)) return false;
      if (pa->memberOf && !compareTypes(pa->memberOf, pb->memberOf, false, depth + 1)) return false;
      return compareTypes(pa->target, pb->target, false, depth + 1);
    }
    case TypeKind::Reference:
      return compareTypes(targetOf(a), targetOf(b), false, depth + 1);
    case TypeKind::Modified:
      return a->name == b->name && compareTypes(targetOf(a), targetOf(b), lenient, depth + 1);
    case TypeKind::Array: {
      const ArrayType* xa = as<ArrayType>(a);
      const ArrayType* xb = as<ArrayType>(b);
      if (!compareTypes(xa->target, xb->target, false, depth + 1)) return false;
      if (!xa->hasDimension || !xb->hasDimension) return lenient || xa->hasDimension == xb->hasDimension;
      if (xa->dimensionIsConstant && xb->dimensionIsConstant) return xa->dimensionValue == xb->dimensionValue;
      return xa->dimensionText == xb->dimensionText;
    }
    case TypeKind::Function: {
      const FunctionType* fa = as<FunctionType>(a);
      const FunctionType* fb = as<FunctionType>(b);
      if (!compareTypes(fa->target, fb->target, false, depth + 1)) return false;
      if (fa->constMethod != fb->constMethod) return false;
      if (fa->parameters.size() != fb->parameters.size())
        return lenient && (fa->parameters.empty() || fb->parameters.empty());
      for (std::size_t i = 0; i < fa->parameters.size(); ++i) {
        const Symbol* pa = fa->parameters[i];
        const Symbol* pb = fb->parameters[i];
        if (!pa || !pb || !compareTypes(pa->type, pb->type, false, depth + 1)) return false;
      }
      return true;
    }
    case TypeKind::Structure:
    case TypeKind::Union:
    case TypeKind::Enumeration:
      return !a->name.empty() && a->name == b->name && a->scope == b->scope;
    default:
      return false;
  }
}
}  // namespace

bool sameType(const Type* a, const Type* b) { return compareTypes(a, b, false, 0); }
bool compatibleTypes(const Type* a, const Type* b) { return compareTypes(a, b, true, 0); }

// ---------------------------------------------------------------------------
// Testable components.

namespace {
Symbol* findMemberIn(const StructuredType* s, Name name, int depth) {
  if (!s || depth > 200) return nullptr;
  for (Symbol* m : s->members)
    if (m && m->name == name) return m;
  for (const BaseClass& b : s->bases) {
    if (const StructuredType* base = dyn<StructuredType>(stripTypedefsAndModifiers(b.type)))
      if (Symbol* m = findMemberIn(base, name, depth + 1)) return m;
  }
  return nullptr;
}
}  // namespace

Symbol* findMember(const Type* structure, Name name) {
  const StructuredType* s = dyn<StructuredType>(stripTypedefsAndModifiers(structure));
  if (!s || !name) return nullptr;
  return findMemberIn(s, name, 0);
}

bool memberReachable(const Type* structure, const Symbol* member) {
  if (!member) return false;
  const StructuredType* s = dyn<StructuredType>(structure);
  if (s && s->openAccess) return true;
  return member->access == Access::Public;
}

std::vector<Symbol*> reachableFields(const Type* structure) {
  std::vector<Symbol*> out;
  const StructuredType* s = dyn<StructuredType>(stripTypedefsAndModifiers(structure));
  if (!s) return out;
  std::vector<const Type*> active;
  collectFields(s, out, active);
  return out;
}

std::string_view placeholderText(const Type* type, bool throughLevels) {
  for (int guard = 0; type != nullptr && guard < 1000; ++guard) {
    switch (type->kind) {
      case TypeKind::Modified:
        type = targetOf(type);
        continue;
      case TypeKind::Pointer:
      case TypeKind::Reference:
        if (!throughLevels) return {};
        type = targetOf(type);
        continue;
      case TypeKind::Typedef: {
        const std::string_view name = type->name.view();
        if (name != "auto" && name.substr(0, 8) != "decltype") return {};
        const StructuredType* s = dyn<StructuredType>(targetOf(type));
        if (s == nullptr || s->complete || s->name != type->name) return {};
        return name;
      }
      default:
        return {};
    }
  }
  return {};
}

int countTestable(const Type* type, const SymbolTable* table) {
  CountState st;
  st.table = table;
  return count(type, 0, st);
}

}  // namespace zenta::analyser

// The variable of a VAR, ARRAY or STR statement: typing, expansion into
// elementary components, and the values that reach each component.
//
// Values follow the expansion: an aggregate given to a structure gives its
// items to the fields (by position, by `field => v`, the rest by
// `others => v`); any other value of a structure type gives `v.field`, and a
// scalar is given to every field. A list given to an array stays a list on
// the element (one more list level, made into a chain of the index variable
// at generation); an array value gives `v[I1]`. For an array of structures
// each list item is given to the fields in turn, so that every field gets a
// list of the same shape.
#include <algorithm>
#include <array>
#include <functional>

#include "analyser/ast/context.h"
#include "analyser/ast/standard_types.h"
#include "analyser/ast/symbols.h"
#include "analyser/interface.h"
#include "analyser/interface_expr.h"

namespace zenta::analyser {

namespace {

constexpr int kNestingLimit = 999;
constexpr int kIndexVariables = 32;

using Values = std::array<std::string*, 4>;
Values slotsOf(VariableValues& v) { return {&v.init, &v.ev, &v.min, &v.max}; }

class Expander {
 public:
  Expander(TestedVariable& out, const ResolvedContext& where, const AnalysisContext& context)
      : out_(out), where_(where), context_(context), typing_(where) {
    // Values are typed with the index variables of the enclosing arrays
    // (I1, I2 ...) known as ints.
    AstContext& ctx = analyserContext();
    FunctionType* scope = ctx.functionType(nullptr);
    if (where.where.function != nullptr)
      for (Symbol* p : where.where.function->parameters) ctx.addParameter(scope, p);
    for (int level = 1; level <= kIndexVariables; ++level)
      ctx.addParameter(scope, ctx.makeParameter(internName("I" + std::to_string(level)), ctx.integerType("int")));
    typing_.where.function = scope;
  }

  void expand(const std::string& access, Type* type, int depth, int arrayLevel, VariableValues values,
              int listLevels);

 private:
  ExpressionTree parse(const std::string& text) {
    ExpressionTree tree;
    parseExpression(analyserContext(), analyserSymbols(), scriptRequest(text, where_, true), tree);
    return tree;
  }
  std::string image(const Expr* e) { return expressionImage(e, &analyserSymbols(), where_.where.scope); }
  std::string fieldValue(const Expr* value, std::size_t position, Name field);
  std::string mapItems(const Expr* e, int levels, const std::function<std::string(const Expr*)>& f);
  std::string upperBound(const ArrayType* a);

  TestedVariable& out_;
  const ResolvedContext& where_;
  const AnalysisContext& context_;
  ResolvedContext typing_;
};

bool isPostfix(const Expr* e) {
  switch (e->kind) {
    case ExprKind::Identifier: case ExprKind::Qualified: case ExprKind::This: case ExprKind::Paren:
    case ExprKind::Subscript: case ExprKind::Slice: case ExprKind::Call: case ExprKind::Member:
    case ExprKind::Arrow:
      return true;
    default:
      return false;
  }
}

int aggregateDepth(const Expr* e) {
  if (e == nullptr) return 0;
  if (e->kind == ExprKind::Association) return aggregateDepth(e->rhs);
  if (e->kind != ExprKind::Aggregate) return 0;
  int inner = 0;
  for (const Expr* item : e->items) inner = std::max(inner, aggregateDepth(item));
  return inner + 1;
}

// The text of the `position`-th field of a structure value.
std::string Expander::fieldValue(const Expr* value, std::size_t position, Name field) {
  if (value == nullptr || value->kind == ExprKind::Empty) return {};
  if (value->kind == ExprKind::Aggregate) {
    const Expr* others = nullptr;
    std::size_t k = 0;
    for (const Expr* item : value->items) {
      if (item->kind == ExprKind::Association) {
        if (item->lhs->kind == ExprKind::Identifier && item->lhs->name == field) return image(item->rhs);
        if (item->lhs->kind == ExprKind::Identifier) {
          const std::string word = item->lhs->name.text();
          if (word == "others" || word == "OTHERS" || word == "autres" || word == "AUTRES") others = item->rhs;
        }
        continue;
      }
      if (k++ == position) return image(item);
    }
    return others != nullptr ? image(others) : std::string();
  }
  Type* t = stripAll(typeTree(value, typing_, true));
  if (t == nullptr || !t->isStructured()) return image(value);  // a scalar for every field
  const std::string base = image(value);
  return (isPostfix(value) ? base : "(" + base + ")") + "." + field.text();
}

std::string Expander::mapItems(const Expr* e, int levels, const std::function<std::string(const Expr*)>& f) {
  if (levels == 0 || e == nullptr || e->kind != ExprKind::Aggregate) return f(e);
  std::string out = "{";
  bool first = true;
  for (const Expr* item : e->items) {
    if (!first) out += ",";
    first = false;
    if (item->kind == ExprKind::Empty) continue;
    if (item->kind == ExprKind::Association)
      out += image(item->lhs) + "=>" + mapItems(item->rhs, levels - 1, f);
    else
      out += mapItems(item, levels - 1, f);
  }
  return out + "}";
}

std::string Expander::upperBound(const ArrayType* a) {
  const std::string dimension = a->dimensionIsConstant ? std::to_string(a->dimensionValue)
                                : a->dimensionText.empty() ? "1"
                                                           : std::string(a->dimensionText);
  const std::string text = "(" + dimension + ")-1";
  ExpressionTree t = parse(text);
  return t ? image(t.root()) : text;
}

void Expander::expand(const std::string& access, Type* type, int depth, int arrayLevel, VariableValues values,
                      int listLevels) {
  if (depth > kNestingLimit || countTestable(type, &analyserSymbols()) == 0) return;
  Type* s = stripAll(type);
  TestedComponent c;
  c.access = access;
  c.type = type;
  c.depth = depth;
  c.typeClass = typeClass(type);

  auto givenTo = [&](std::size_t position, Name field) {
    VariableValues v;
    Values from = slotsOf(values), to = slotsOf(v);
    for (std::size_t i = 0; i < from.size(); ++i) {
      if (from[i]->empty()) continue;
      ExpressionTree tree = parse(*from[i]);
      if (!tree) continue;
      *to[i] = mapItems(tree.root(), listLevels, [&](const Expr* item) { return fieldValue(item, position, field); });
    }
    return v;
  };

  // A standard string is one value, whatever its members.
  if (s->kind == TypeKind::Structure && standardString(s, analyserSymbols()) == StandardString::None) {
    c.kind = ComponentKind::OpenStructure;
    out_.components.push_back(c);
    std::size_t position = 0;
    for (const Symbol* f : reachableFields(s)) {
      const std::size_t k = position++;
      if (countTestable(f->type, &analyserSymbols()) == 0) continue;
      expand(access + "." + f->name.text(), f->type, depth + 1, arrayLevel, givenTo(k, f->name), listLevels);
    }
    c.kind = ComponentKind::CloseStructure;
    out_.components.push_back(c);
    return;
  }
  if (const StructuredType* u = dyn<StructuredType>(s);
      u != nullptr && u->kind == TypeKind::Union && u->selectedMember > 0 &&
      u->selectedMember <= static_cast<int>(u->members.size()) && u->members[u->selectedMember - 1] != nullptr) {
    const Symbol* m = u->members[u->selectedMember - 1];
    expand(access + "." + m->name.text(), m->type, depth, arrayLevel, givenTo(0, m->name), listLevels);
    return;
  }
  if (const ArrayType* a = dyn<ArrayType>(s); a != nullptr && !isCharLike(a->target)) {
    c.kind = ComponentKind::OpenArray;
    c.indexVariable = "I" + std::to_string(arrayLevel);
    c.lower = "0";
    c.sizeKnown = a->hasDimension;
    c.upper = a->hasDimension ? upperBound(a) : "0";
    out_.components.push_back(c);
    // A list one level deeper than those already open is this array's; any
    // other array value is indexed.
    VariableValues element = values;
    int elementLevels = listLevels;
    for (std::string* v : slotsOf(element)) {
      if (v->empty()) continue;
      ExpressionTree tree = parse(*v);
      if (!tree) continue;
      if (aggregateDepth(tree.root()) > listLevels) {
        elementLevels = listLevels + 1;
      } else if (listLevels == 0) {
        const Type* vt = stripAll(typeTree(tree.root(), typing_, true));
        if (vt != nullptr && (vt->kind == TypeKind::Array || vt->kind == TypeKind::Pointer))
          *v = (isPostfix(tree.root()) ? *v : "(" + *v + ")") + "[" + c.indexVariable + "]";
      }
    }
    expand(access + "[" + c.indexVariable + "]", a->target, depth + 1, arrayLevel + 1, element, elementLevels);
    c.kind = ComponentKind::CloseArray;
    out_.components.push_back(c);
    return;
  }
  c.kind = ComponentKind::Element;
  c.values = values;
  c.listLevels = listLevels;
  checkComponentValues(c, out_.name, context_);
  out_.components.push_back(c);
}

}  // namespace

TestedVariable analyseTestedVariable(const std::string& name, const VariableValues& values,
                                     const AnalysisContext& context) {
  TestedVariable out;
  out.name = !name.empty() && name.front() == '*' ? "(" + name + ")" : name;
  const ResolvedContext where = resolveContext(context);
  ExpressionTree tree;
  if (parseExpression(analyserContext(), analyserSymbols(), scriptRequest(out.name, where, false), tree) !=
      ParseStatus::Ok)
    return out;
  out.parsed = true;
  out.type = typeTree(tree.root(), where, false);
  if (out.type == nullptr) return out;
  out.typeClass = typeClass(out.type);
  const Type* s = stripAll(out.type);
  if (s->kind == TypeKind::Function || countTestable(out.type, &analyserSymbols()) == 0) {
    scriptWarning("VARNOTEST", name);
    return out;
  }
  out.tested = true;
  // Fields and elements are written after the name: it is parenthesised
  // unless it is a postfix expression already.
  const std::string base = isPostfix(tree.root()) ? out.name : "(" + out.name + ")";
  // Each slice of the name is a loop of the generator: it takes the first
  // index variables and the outer levels of the value lists.
  int slices = 0;
  for (const Expr* e = tree.root(); e != nullptr; e = e->lhs) {
    if (e->kind == ExprKind::Slice) ++slices;
    if (e->kind == ExprKind::Call || e->kind == ExprKind::Binary || e->kind == ExprKind::Conditional) break;
  }
  int listLevels = 0;
  for (const std::string* v : {&values.init, &values.ev, &values.min, &values.max}) {
    if (v->empty()) continue;
    ExpressionTree value;
    parseExpression(analyserContext(), analyserSymbols(), scriptRequest(*v, where, true), value);
    if (value) listLevels = std::max(listLevels, std::min(slices, aggregateDepth(value.root())));
  }
  Expander expander(out, where, context);
  const std::size_t before = out.components.size();
  expander.expand(base, out.type, 0, 1 + slices, values, listLevels);
  // A single element keeps the name as written.
  if (out.components.size() == before + 1 && out.components.back().kind == ComponentKind::Element &&
      out.components.back().access == base)
    out.components.back().access = out.name;
  return out;
}

bool checkComponentValues(TestedComponent& component, const std::string& variableName,
                          const AnalysisContext& context) {
  const ResolvedContext where = resolveContext(context);
  auto parse = [&](const std::string& text) {
    ExpressionTree tree;
    parseExpression(analyserContext(), analyserSymbols(), scriptRequest(text, where, true), tree);
    return tree;
  };
  auto image = [&](const Expr* e) { return expressionImage(e, &analyserSymbols(), where.where.scope); };
  bool ok = true;
  const StructuredType* u = dyn<StructuredType>(stripAll(component.type));
  if (u != nullptr && u->kind == TypeKind::Union && u->selectedMember == 0 && !u->members.empty() &&
      u->members[0] != nullptr) {
    scriptWarning("CHAMUNION", variableName);
    const Symbol* first = u->members[0];
    const std::string suffix = "." + first->name.text();
    component.access += suffix;
    for (std::string* v : slotsOf(component.values)) {
      if (v->empty()) continue;
      ExpressionTree tree = parse(*v);
      if (tree && tree.root()->kind == ExprKind::Aggregate) {
        const Expr* item = tree.root()->items.empty() ? nullptr : tree.root()->items[0];
        if (item != nullptr && item->kind == ExprKind::Association) item = item->rhs;
        *v = item != nullptr ? image(item) : std::string();
      } else if (const Type* t = tree ? stripAll(typeTree(tree.root(), where, true)) : nullptr;
                 t == nullptr || t->isStructured()) {
        *v = (tree && isPostfix(tree.root()) ? *v : "(" + *v + ")") + suffix;
      }  // a scalar value is the member's as it stands
    }
    component.type = first->type;
    component.typeClass = typeClass(first->type);
  }
  for (std::string* v : slotsOf(component.values)) {
    if (v->empty()) continue;
    ExpressionTree tree = parse(*v);
    const bool malformedList = !tree && v->find('{') != std::string::npos;
    if (malformedList || (tree && aggregateDepth(tree.root()) > component.listLevels)) {
      scriptWarning("LISTEINVA", *v);
      ok = false;
    }
  }
  return ok;
}

}  // namespace zenta::analyser

// The compiler's requests about script expressions: parsing and typing in
// the script's context, type classes, array bounds, FORMAT paths, the
// removal of `exception`, array value chains and the script's value
// analysis.
#include "analyser/interface_expr.h"

#include "analyser/ast/context.h"
#include "analyser/ast/symbols.h"
#include "analyser/interface.h"
#include "analyser/sema/expr_typer.h"
#include "diag/report.h"

namespace zenta::analyser {

ResolvedContext resolveContext(const AnalysisContext& context) {
  SymbolTable& table = analyserSymbols();
  ResolvedContext r;
  if (context.scope > 0 && context.scope < table.scopeCount()) r.where.scope = context.scope;
  if (context.contextName.empty()) return r;
  auto classOf = [&](int scope) -> Type* {
    const Scope& s = table.scope(scope);
    return s.kind == ScopeKind::Class ? s.classType : nullptr;
  };
  const Symbol* s = table.lookupQualified(context.contextName, r.where.scope);
  if (const FunctionType* f = s != nullptr ? dyn<FunctionType>(stripAll(s->type)) : nullptr) {
    r.where.function = f;
    if (s->scope >= 0 && s->scope < table.scopeCount()) {
      r.where.scope = s->scope;
      r.where.thisClass = classOf(s->scope);
    }
    return r;
  }
  const int scope = table.lookupScopePath(context.contextName, r.where.scope);
  if (scope >= 0) {
    r.where.scope = scope;
    r.where.thisClass = classOf(scope);
  }
  return r;
}

ParseRequest scriptRequest(const std::string& text, const ResolvedContext& context, bool quiet) {
  ParseRequest request;
  request.text = text;
  request.scope = context.where.scope;
  request.file = internName(diag::currentFile());
  request.line = diag::currentLine();
  request.hook = quiet ? nullptr : &analyserMessageHook;
  return request;
}

void scriptWarning(const char* code, const std::string& argument) { diag::report(diag::Warning, code, argument); }

namespace {

// Deductions inside deductions (`auto b = a;` of an `auto a`) stop at this
// depth.
constexpr int kDeductionDepth = 8;
int g_deductionDepth = 0;

std::string_view trimmedView(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t' || text.front() == '\n')) text.remove_prefix(1);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t' || text.back() == '\n')) text.remove_suffix(1);
  return text;
}

// The type of an object declared with a placeholder, told by its initialiser
// (`auto`, `decltype(auto)`) or by the expression of `decltype (e)`, typed in
// the scope of the declaration; null when that does not parse or type. A
// braced initialiser is not used: `auto x{1}` and `auto x = {1}` are not
// told apart in the text kept.
Type* deducedType(const Symbol& s) {
  if (g_deductionDepth >= kDeductionDepth) return nullptr;
  const std::string_view placeholder = placeholderText(s.type, true);
  const bool plainAuto = placeholder == "auto";
  std::string_view text;
  if (plainAuto || placeholder == "decltype(auto)") {
    text = trimmedView(s.defaultText());
    if (text.empty() || text.front() == '{') return nullptr;
  } else if (placeholder.size() > 10 && placeholder.substr(0, 9) == "decltype(" && placeholder.back() == ')') {
    text = placeholder.substr(9, placeholder.size() - 10);
  } else {
    return nullptr;
  }
  AstContext& ctx = analyserContext();
  const SymbolTable& table = analyserSymbols();
  const int scope = s.scope >= 0 && s.scope < table.scopeCount() ? s.scope : kGlobalScope;
  ++g_deductionDepth;
  ParseRequest request;
  request.text = text;
  request.scope = scope;
  ExpressionTree tree;
  Type* t = nullptr;
  if (parseExpression(ctx, table, request, tree) == ParseStatus::Ok) {
    ExpressionTyper typer(ctx, table, nullptr);
    typer.setDeducer(&deducedType);
    TypingScope where;
    where.scope = scope;
    t = typer.type(tree.root(), where);
  }
  --g_deductionDepth;
  if (t == nullptr) return nullptr;
  // What the declaration writes around the placeholder: const, and a
  // reference (`const auto &r = x`); pointer levels come with the value.
  bool isConst = false, reference = false;
  for (const Type* d = s.type; d != nullptr && (d->kind == TypeKind::Modified || d->kind == TypeKind::Pointer ||
                                                 d->kind == TypeKind::Reference);
       d = targetOf(d)) {
    if (d->kind == TypeKind::Modified && d->name.view() == "const") isConst = true;
    if (d->kind == TypeKind::Reference && d == s.type) reference = true;
  }
  if (plainAuto) {
    // By value: no reference, no const of its own, arrays and functions
    // decayed to pointers.
    for (int guard = 0; guard < 64 && (t->kind == TypeKind::Reference ||
                                      (t->kind == TypeKind::Modified &&
                                       (t->name.view() == "const" || t->name.view() == "volatile")));
         ++guard)
      t = targetOf(t);
    if (t == nullptr) return nullptr;
    if (const Type* bare = stripTypedefsAndModifiers(t); bare != nullptr && bare->kind == TypeKind::Array)
      t = ctx.pointerTo(targetOf(bare));
    else if (bare != nullptr && bare->kind == TypeKind::Function)
      t = ctx.pointerTo(t);
  }
  if (isConst) t = ctx.qualifiedType(t, internName("const"));
  if (reference && t->kind != TypeKind::Reference) t = ctx.referenceTo(t);
  return t;
}

}  // namespace

Type* typeTree(const Expr* root, const ResolvedContext& context, bool quiet) {
  ExpressionTyper typer(analyserContext(), analyserSymbols(), quiet ? nullptr : &analyserMessageHook,
                        diag::currentFile(), diag::currentLine());
  typer.setDeducer(&deducedType);
  return typer.type(root, context.where);
}

ExpressionTree parseExpression(const std::string& text, const AnalysisContext& context) {
  ExpressionTree tree;
  parseExpression(analyserContext(), analyserSymbols(), scriptRequest(text, resolveContext(context), false), tree);
  return tree;
}

Type* typeExpression(const ExpressionTree& tree, const AnalysisContext& context) {
  if (!tree) return nullptr;
  return typeTree(tree.root(), resolveContext(context), false);
}

std::string expressionImage(const ExpressionTree& tree, const AnalysisContext& context) {
  return expressionImage(tree.root(), &analyserSymbols(), resolveContext(context).where.scope);
}

TypeClass typeClass(const Type* type, bool withCType) {
  return typeClassOf(type, withCType, &analyserSymbols(), kGlobalScope);
}

std::string completeArrayBounds(const std::string& name, const AnalysisContext& context) {
  const ResolvedContext where = resolveContext(context);
  ExpressionTree tree;
  if (parseExpression(analyserContext(), analyserSymbols(), scriptRequest(name, where, false), tree) !=
      ParseStatus::Ok)
    return name;
  const Type* t = stripAll(typeTree(tree.root(), where, false));
  std::string out = name;
  for (int guard = 0; guard < 1000; ++guard) {
    const ArrayType* a = dyn<ArrayType>(t);
    if (a == nullptr || isCharLike(a->target)) break;
    if (!a->hasDimension) {
      scriptWarning("ERTAILTAB", name);
      out += "[0..0]";
    } else {
      std::string dimension = a->dimensionIsConstant ? std::to_string(a->dimensionValue)
                              : a->dimensionText.empty() ? "1"
                                                         : std::string(a->dimensionText);
      const std::string upperText = "(" + dimension + ")-1";
      ExpressionTree upper;
      parseExpression(analyserContext(), analyserSymbols(), scriptRequest(upperText, where, true), upper);
      out += "[0.." + (upper ? expressionImage(upper.root(), &analyserSymbols(), where.where.scope) : upperText) +
             "]";
    }
    t = stripAll(a->target);
  }
  return out;
}

FormatTarget resolveFormatPath(const std::string& path, const std::string& typeName, const FormatLookup& lookup,
                               const AnalysisContext& context) {
  FormatTarget out;
  const ResolvedContext where = resolveContext(context);
  std::vector<std::string> parts;
  for (std::size_t start = 0;;) {
    const std::size_t dot = path.find('.', start);
    std::string part = path.substr(start, dot == std::string::npos ? std::string::npos : dot - start);
    const std::size_t b = part.find_first_not_of(" \t");
    const std::size_t e = part.find_last_not_of(" \t");
    parts.push_back(b == std::string::npos ? std::string() : part.substr(b, e - b + 1));
    if (dot == std::string::npos) break;
    start = dot + 1;
  }
  out.variable = parts.front();
  if (!lookup.isTestedVariable || !lookup.isTestedVariable(out.variable)) {
    scriptWarning("NOMVARINC", out.variable);
    return out;
  }
  SymbolTable& table = analyserSymbols();
  const Name rootName = findName(out.variable);
  const Symbol* root = rootName ? table.lookupSymbol(rootName, where.where.scope) : nullptr;
  if (root == nullptr || root->type == nullptr || isTypedefSymbol(root)) {
    scriptWarning("IDENTINCO", out.variable);
    return out;
  }
  Type* t = root->type;
  for (std::size_t i = 1; i < parts.size(); ++i) {
    const Type* s = stripAll(t);
    if (s != nullptr && s->kind == TypeKind::Pointer) s = stripAll(targetOf(s));
    const Name field = findName(parts[i]);
    const Symbol* m = (s != nullptr && s->isStructured() && field) ? findField(s, field) : nullptr;
    if (m == nullptr || m->type == nullptr) {
      scriptWarning("CHAMPINCO", parts[i]);
      return out;
    }
    t = m->type;
  }
  out.type = t;
  // The type name is read as the type of a cast.
  const std::string castText = "(" + typeName + ")0";
  ExpressionTree cast;
  parseExpression(analyserContext(), table, scriptRequest(castText, where, true), cast);
  if (!cast || cast.root()->kind != ExprKind::Cast) {
    scriptWarning("TYPEINCON", typeName);
    return out;
  }
  out.formatType = cast.root()->typeOperand;
  if (lookup.hasFormat && lookup.hasFormat(path)) {
    scriptWarning("FORMREDEF", path);
    return out;
  }
  out.ok = true;
  return out;
}

bool removeDeclaredException(const AnalysisContext& context) {
  SymbolTable& table = analyserSymbols();
  const Name name = findName("exception");
  if (!name) return false;
  const Symbol* s = table.lookupSymbol(name, resolveContext(context).where.scope);
  if (s == nullptr) return false;
  SymbolFilter filter;
  filter.scope = s->scope;
  return table.undeclareSymbol(name, filter) != nullptr;
}

std::optional<std::string> arrayValueExpression(const std::string& list, const std::vector<ArrayBound>& bounds,
                                                int level, bool frenchWords, const AnalysisContext& context) {
  return arrayValueExpression(analyserContext(), analyserSymbols(),
                              scriptRequest(list, resolveContext(context), false), bounds, level, frenchWords);
}

ScriptValue analyseScriptExpression(const std::string& text, int /*harnessLanguage*/,
                                    const AnalysisContext& context) {
  // Every harness language reads values with the same grammar here; the
  // C/C++ one is the only one whose values reach the analyser.
  return analyseScriptValue(analyserContext(), analyserSymbols(), scriptRequest(text, resolveContext(context), false));
}

}  // namespace zenta::analyser

#include "analyser/parse/expr_deduction.h"

#include <string_view>
#include <unordered_map>

#include "analyser/parse/expr_parser.h"
#include "analyser/sema/expr_typer.h"

namespace zenta::analyser {
namespace {

// Deductions inside deductions stop at this depth (a chain of `auto`
// declarations, each naming the one before).
constexpr int kDepthLimit = 64;

struct DeductionState {
  int depth = 0;
  // The declarations deduced during the outermost request (null while one
  // is under way or when it gave nothing).
  std::unordered_map<const Symbol*, Type*> known;
};
DeductionState g_state;

std::string_view trimmed(std::string_view text) {
  auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; };
  while (!text.empty() && blank(text.front())) text.remove_prefix(1);
  while (!text.empty() && blank(text.back())) text.remove_suffix(1);
  return text;
}

Type* deduce(AstContext& ctx, const SymbolTable& table, const Symbol& s) {
  const std::string_view placeholder = placeholderText(s.type, true);
  const bool byValue = placeholder == "auto";
  std::string_view text;
  if (byValue || placeholder == "decltype(auto)") {
    text = trimmed(s.defaultText());
    if (text.empty() || text.front() == '{') return nullptr;
  } else if (placeholder.size() > 10 && placeholder.substr(0, 9) == "decltype(" && placeholder.back() == ')') {
    text = placeholder.substr(9, placeholder.size() - 10);
  } else {
    return nullptr;
  }
  const int scope = s.scope >= 0 && s.scope < table.scopeCount() ? s.scope : kGlobalScope;
  ParseRequest request;
  request.text = text;
  request.scope = scope;
  ExpressionTree tree;
  if (parseExpression(ctx, table, request, tree) != ParseStatus::Ok) return nullptr;
  ExpressionTyper typer(ctx, table, nullptr);
  typer.setDeducer([&ctx, &table](const Symbol& inner) { return deducePlaceholder(ctx, table, inner); });
  TypingScope where;
  where.scope = scope;
  Type* t = typer.type(tree.root(), where);
  if (t == nullptr) return nullptr;
  if (byValue) {
    for (int guard = 0; t != nullptr && guard < 64; ++guard) {
      const bool cv = t->kind == TypeKind::Modified && (t->name.view() == "const" || t->name.view() == "volatile");
      if (t->kind != TypeKind::Reference && !cv) break;
      t = targetOf(t);
    }
    const Type* bare = stripTypedefsAndModifiers(t);
    if (bare == nullptr) return nullptr;
    if (bare->kind == TypeKind::Array)
      t = ctx.pointerTo(targetOf(bare));
    else if (bare->kind == TypeKind::Function)
      t = ctx.pointerTo(t);
  }
  // What the declaration writes around the placeholder; pointer levels
  // come with the value.
  bool isConst = false;
  for (const Type* d = s.type; d != nullptr && (d->kind == TypeKind::Modified || d->kind == TypeKind::Pointer ||
                                                 d->kind == TypeKind::Reference);
       d = targetOf(d))
    if (d->kind == TypeKind::Modified && d->name.view() == "const") isConst = true;
  if (isConst) t = ctx.qualifiedType(t, internName("const"));
  if (s.type->kind == TypeKind::Reference && t->kind != TypeKind::Reference) t = ctx.referenceTo(t);
  return t;
}

}  // namespace

Type* deducePlaceholder(AstContext& ctx, const SymbolTable& table, const Symbol& s) {
  if (auto it = g_state.known.find(&s); it != g_state.known.end()) return it->second;
  if (g_state.depth >= kDepthLimit) return nullptr;
  g_state.known.emplace(&s, nullptr);  // under way: met again, it gives nothing
  struct Level {
    Level() { ++g_state.depth; }
    ~Level() {
      if (--g_state.depth == 0) g_state.known.clear();
    }
  } level;
  Type* t = deduce(ctx, table, s);
  if (g_state.depth > 1) g_state.known[&s] = t;
  return t;
}

}  // namespace zenta::analyser

#include "analyser/ast/standard_types.h"

#include <algorithm>
#include <string_view>

#include "analyser/ast/symbols.h"
#include "analyser/basic/dialect.h"

namespace zenta::analyser {
namespace {

// The first template argument of an instance name "basic_string<char, ...>",
// blanks removed; empty when the name does not begin with `prefix<`.
std::string firstArgument(std::string_view name, std::string_view prefix) {
  if (name.size() <= prefix.size() + 1 || name.substr(0, prefix.size()) != prefix || name[prefix.size()] != '<')
    return {};
  std::string out;
  int depth = 0;
  for (std::size_t i = prefix.size() + 1; i < name.size(); ++i) {
    const char c = name[i];
    if (c == '<' || c == '(') ++depth;
    if ((c == '>' || c == ')') && depth-- == 0) break;
    if (c == ',' && depth == 0) break;
    if (c != ' ') out += c;
  }
  return out;
}

}  // namespace

bool isStandardNamespace(int scope, const SymbolTable& table) {
  for (int guard = 0; scope > 0 && scope < table.scopeCount() && guard < 64; ++guard) {
    const Scope& s = table.scope(scope);
    if (s.kind != ScopeKind::Namespace) return false;
    if (s.parent == kGlobalScope && s.name.text() == "std") return true;
    if (s.parent <= kGlobalScope) return false;
    // An inline namespace is used by its parent.
    const std::vector<int>& used = table.scope(s.parent).usedNamespaces;
    if (std::find(used.begin(), used.end(), scope) == used.end()) return false;
    scope = s.parent;
  }
  return false;
}

StandardString standardString(const Type* type, const SymbolTable& table) {
  if (!dialectAtLeast(Dialect::Cxx11)) return StandardString::None;
  const Type* s = stripAll(type);
  if (s == nullptr || s->kind != TypeKind::Structure || !s->name) return StandardString::None;
  const std::string_view name = s->name.view();
  StandardString kind = StandardString::None;
  if (firstArgument(name, "basic_string") == "char")
    kind = StandardString::String;
  else if (firstArgument(name, "basic_string_view") == "char")
    kind = StandardString::View;
  if (kind == StandardString::None || !isStandardNamespace(s->scope, table)) return StandardString::None;
  return kind;
}

}  // namespace zenta::analyser

#include "analyser/ast/symbols.h"

#include <cstdio>

#include "analyser/ast/context.h"

namespace zenta::analyser {
namespace {

bool isTagKind(int kind) {
  return kind == static_cast<int>(TypeKind::Enumeration) || kind == static_cast<int>(TypeKind::Union) ||
         kind == static_cast<int>(TypeKind::Structure) || kind == static_cast<int>(TypeKind::Template);
}

// Splits "A::B::c" into its components; a leading "::" gives an empty first
// component.
std::vector<std::string_view> splitQualified(std::string_view text) {
  std::vector<std::string_view> parts;
  std::size_t start = 0;
  while (true) {
    std::size_t pos = text.find("::", start);
    std::string_view part = text.substr(start, pos == std::string_view::npos ? std::string_view::npos : pos - start);
    while (!part.empty() && part.front() == ' ') part.remove_prefix(1);
    while (!part.empty() && part.back() == ' ') part.remove_suffix(1);
    parts.push_back(part);
    if (pos == std::string_view::npos) break;
    start = pos + 2;
  }
  return parts;
}

}  // namespace

bool SymbolFilter::matches(const Symbol& s) const {
  if (scope != kAnyScope && s.scope != scope) return false;
  if (kind >= 0 && (s.type == nullptr || static_cast<int>(s.type->kind) != kind)) return false;
  if ((s.storage & storageAll) != storageAll) return false;
  if (s.storage & storageNone) return false;
  if (accept && !accept(s)) return false;
  return true;
}

int bucketOf(std::string_view name) {
  unsigned sum = 0;
  for (unsigned char c : name) sum += c;
  return static_cast<int>(10 * (sum % 10) + name.size() % 10);
}

// ---------------------------------------------------------------------------

SymbolTable::SymbolTable(AstContext& context) : context_(context) { clear(); }

void SymbolTable::unlinkNames() {
  for (NameEntries* e : named_) {
    NameEntries** link = &e->identifier->entries;
    while (*link != nullptr && *link != e) link = &(*link)->nextTable;
    if (*link == e) *link = e->nextTable;
  }
  named_.clear();
  unnamed_ = NameEntries{};
  unnamed_.table = this;
}

NameEntries* SymbolTable::entriesOf(Name name) const {
  Identifier* id = name.identifier();
  if (id == nullptr) return const_cast<NameEntries*>(&unnamed_);
  for (NameEntries* e = id->entries; e != nullptr; e = e->nextTable)
    if (e->table == this) return e;
  return nullptr;
}

NameEntries& SymbolTable::entriesFor(Name name) {
  if (NameEntries* e = entriesOf(name)) return *e;
  Identifier* id = name.identifier();
  NameEntries* e = context_.arena().make<NameEntries>();
  e->table = this;
  e->identifier = id;
  e->nextTable = id->entries;
  id->entries = e;
  named_.push_back(e);
  return *e;
}

void SymbolTable::clear() {
  unlinkNames();
  identifiers_ = {};
  tags_ = {};
  scopes_.clear();
  scopeIndex_.clear();
  stack_.clear();
  unnamedCounter_ = 0;
  Scope global;
  global.number = kGlobalScope;
  global.kind = ScopeKind::Global;
  global.parent = -1;
  scopes_.push_back(global);
  stack_.push_back(kGlobalScope);
}

SymbolTable::~SymbolTable() { unlinkNames(); }

const Scope& SymbolTable::scope(int number) const {
  if (number < 0 || number >= scopeCount()) return scopes_[0];
  return scopes_[static_cast<std::size_t>(number)];
}

Scope& SymbolTable::scope(int number) {
  if (number < 0 || number >= scopeCount()) return scopes_[0];
  return scopes_[static_cast<std::size_t>(number)];
}

int SymbolTable::parentOf(int s) const {
  if (s <= 0 || s >= scopeCount()) return -1;
  return scopes_[static_cast<std::size_t>(s)].parent;
}

bool SymbolTable::encloses(int outer, int inner) const {
  for (int s = inner, guard = 0; s >= 0 && guard <= scopeCount(); s = parentOf(s), ++guard)
    if (s == outer) return true;
  return false;
}

int SymbolTable::createScope(Name name, ScopeKind kind, int parent, Type* classType) {
  if (parent < 0 || parent >= scopeCount()) parent = kGlobalScope;
  if (kind == ScopeKind::Namespace && name) {
    const int existing = childScope(parent, name);
    if (existing > 0 && scopes_[static_cast<std::size_t>(existing)].kind == ScopeKind::Namespace) return existing;
  }
  Scope s;
  s.number = scopeCount();
  s.name = name;
  s.kind = kind;
  s.parent = parent;
  s.classType = classType;
  scopes_.push_back(s);
  if (name) scopeIndex_[name].push_back(s.number);
  StructuredType* cls = dyn<StructuredType>(classType);
  if (cls && cls->memberScope == 0) cls->memberScope = s.number;
  return s.number;
}

int SymbolTable::openScope(Name name, ScopeKind kind, Type* classType) {
  int s = createScope(name, kind, currentScope(), classType);
  stack_.push_back(s);
  return s;
}

Name SymbolTable::nextUnnamedNamespaceName() {
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "%s_%d", "zenta_unnamed_namespace", ++unnamedCounter_);
  return internName(buffer);
}

int SymbolTable::openUnnamedNamespace() {
  const int parent = currentScope();
  const int s = openScope(nextUnnamedNamespaceName(), ScopeKind::Namespace);
  scopes_[static_cast<std::size_t>(s)].unnamedNamespace = true;
  addUsingNamespace(parent, s);
  return s;
}

void SymbolTable::enterScope(int s) {
  if (s < 0 || s >= scopeCount()) s = kGlobalScope;
  stack_.push_back(s);
}

void SymbolTable::closeScope() {
  if (stack_.size() > 1) stack_.pop_back();
}

void SymbolTable::addUsingNamespace(int s, int used) {
  if (s < 0 || s >= scopeCount() || used < 0 || used >= scopeCount() || s == used) return;
  auto& list = scopes_[static_cast<std::size_t>(s)].usedNamespaces;
  for (int u : list)
    if (u == used) return;
  list.push_back(used);
}

int SymbolTable::childScope(int parent, Name name) const {
  auto it = scopeIndex_.find(name);
  if (it == scopeIndex_.end()) return -1;
  for (int number : it->second)
    if (scopes_[static_cast<std::size_t>(number)].parent == parent) return number;
  return -1;
}

int SymbolTable::lookupScope(Name name) const {
  auto it = scopeIndex_.find(name);
  if (!name || it == scopeIndex_.end()) return 0;
  for (int number : it->second) {
    const Scope& s = scopes_[static_cast<std::size_t>(number)];
    if (s.kind == ScopeKind::Namespace || s.kind == ScopeKind::Class) return number;
  }
  return 0;
}

int SymbolTable::lookupScope(Name name, int fromScope) const {
  auto it = scopeIndex_.find(name);
  if (!name || it == scopeIndex_.end()) return 0;
  searchOrderInto(fromScope, order_);
  for (int from : order_) {
    for (int number : it->second) {
      const Scope& s = scopes_[static_cast<std::size_t>(number)];
      if (s.parent == from && (s.kind == ScopeKind::Namespace || s.kind == ScopeKind::Class)) return number;
    }
  }
  return lookupScope(name);
}

int SymbolTable::lookupScopePath(std::string_view path, int fromScope) const {
  auto parts = splitQualified(path);
  int current = fromScope;
  bool first = true;
  for (std::string_view part : parts) {
    if (first && part.empty()) {
      current = kGlobalScope;
      first = false;
      continue;
    }
    Name n = findName(part);
    if (!n) return -1;
    int found = -1;
    if (first) {
      found = lookupScope(n, current);
      if (found == 0) found = -1;
    } else {
      for (int o : memberScopes(current)) {
        found = childScope(o, n);
        if (found >= 0) break;
      }
    }
    if (found < 0) return -1;
    current = found;
    first = false;
  }
  return current;
}

std::string SymbolTable::scopePath(int s, bool skipUnnamed) const {
  std::vector<const Scope*> chain;
  for (int c = s, guard = 0; c > 0 && guard <= scopeCount(); c = parentOf(c), ++guard)
    chain.push_back(&scopes_[static_cast<std::size_t>(c)]);
  std::string out;
  for (auto it = chain.rbegin(); it != chain.rend(); ++it) {
    if (skipUnnamed && (*it)->unnamedNamespace) continue;
    if ((*it)->name.empty()) continue;
    if (!out.empty()) out += "::";
    out += (*it)->name.text();
  }
  return out;
}

// ---------------------------------------------------------------------------

void SymbolTable::append(Bucket& b, Symbol* s) {
  s->next = nullptr;
  if (b.tail) b.tail->next = s;
  else b.head = s;
  b.tail = s;
}

Symbol* SymbolTable::declareSymbol(Name name, Type* type, unsigned storage, int s) {
  return insertSymbol(context_.makeSymbol(name, type, storage, s));
}

Symbol* SymbolTable::insertSymbol(Symbol* entry) {
  if (!entry) return nullptr;
  append(identifiers_[static_cast<std::size_t>(bucketOf(entry->name.view()))], entry);
  NameEntries& e = entriesFor(entry->name);
  entry->nextOfName = nullptr;
  if (e.lastSymbol) e.lastSymbol->nextOfName = entry;
  else e.firstSymbol = entry;
  e.lastSymbol = entry;
  return entry;
}

Symbol* SymbolTable::undeclareSymbol(Name name, const SymbolFilter& filter) {
  NameEntries* e = entriesOf(name);
  if (!e) return nullptr;
  Symbol* previous = nullptr;
  Symbol* s = e->firstSymbol;
  while (s && !filter.matches(*s)) {
    previous = s;
    s = s->nextOfName;
  }
  if (!s) return nullptr;
  if (previous) previous->nextOfName = s->nextOfName;
  else e->firstSymbol = s->nextOfName;
  if (e->lastSymbol == s) e->lastSymbol = previous;
  s->nextOfName = nullptr;
  Bucket& b = identifiers_[static_cast<std::size_t>(bucketOf(name.view()))];
  Symbol* before = nullptr;
  for (Symbol* t = b.head; t && t != s; t = t->next) before = t;
  if (before) before->next = s->next;
  else b.head = s->next;
  if (b.tail == s) b.tail = before;
  s->next = nullptr;
  return s;
}

Symbol* SymbolTable::findSymbol(Name name, const SymbolFilter& filter) const {
  const NameEntries* e = entriesOf(name);
  for (Symbol* s = e ? e->firstSymbol : nullptr; s; s = s->nextOfName)
    if (filter.matches(*s)) return s;
  return nullptr;
}

std::vector<Symbol*> SymbolTable::findAllSymbols(Name name, const SymbolFilter& filter) const {
  std::vector<Symbol*> out;
  const NameEntries* e = entriesOf(name);
  for (Symbol* s = e ? e->firstSymbol : nullptr; s; s = s->nextOfName)
    if (filter.matches(*s)) out.push_back(s);
  return out;
}

void SymbolTable::addClassScopes(const Type* type, std::vector<int>& order, int depth) const {
  const StructuredType* cls = dyn<StructuredType>(type);
  if (!cls || depth > 200) return;
  for (const BaseClass& b : cls->bases) {
    const StructuredType* base = dyn<StructuredType>(stripTypedefsAndModifiers(b.type));
    if (!base) continue;
    const int s = base->memberScope;
    if (s <= 0 || s >= scopeCount()) continue;
    bool seen = false;
    for (int o : order) seen = seen || o == s;
    if (seen) continue;
    order.push_back(s);
    addClassScopes(base, order, depth + 1);
  }
}

std::vector<int> SymbolTable::memberScopes(int s) const {
  std::vector<int> order{s};
  const Scope& sc = scope(s);
  if (sc.kind == ScopeKind::Class) addClassScopes(sc.classType, order, 0);
  for (int u : sc.usedNamespaces) {
    bool seen = false;
    for (int o : order) seen = seen || o == u;
    if (!seen) order.push_back(u);
  }
  return order;
}

std::vector<int> SymbolTable::searchOrder(int fromScope) const {
  std::vector<int> order;
  searchOrderInto(fromScope, order);
  return order;
}

void SymbolTable::searchOrderInto(int fromScope, std::vector<int>& order) const {
  order.clear();
  auto add = [&order](int s) {
    for (int o : order)
      if (o == s) return false;
    order.push_back(s);
    return true;
  };
  if (fromScope < 0 || fromScope >= scopeCount()) fromScope = kGlobalScope;
  for (int s = fromScope, guard = 0; s >= 0 && guard <= scopeCount(); s = parentOf(s), ++guard) {
    add(s);
    const Scope& sc = scopes_[static_cast<std::size_t>(s)];
    if (sc.kind == ScopeKind::Class) addClassScopes(sc.classType, order, 0);
    // Namespaces used here, and those they use in turn.
    std::vector<int> pending(sc.usedNamespaces.rbegin(), sc.usedNamespaces.rend());
    while (!pending.empty() && order.size() < 100000) {
      int u = pending.back();
      pending.pop_back();
      if (u < 0 || u >= scopeCount() || !add(u)) continue;
      const auto& more = scopes_[static_cast<std::size_t>(u)].usedNamespaces;
      pending.insert(pending.end(), more.rbegin(), more.rend());
    }
    if (s == kGlobalScope) break;
  }
}

namespace {
// Of the entries of a chain that `accept` takes, the one whose scope comes
// first in `order` (the first such in the chain on a tie), or null; `rank`
// receives its position (order.size() when none).
template <class Accept>
Symbol* innermostOf(Symbol* chain, const std::vector<int>& order, Accept accept, std::size_t& rank) {
  Symbol* best = nullptr;
  rank = order.size();
  for (Symbol* s = chain; s; s = s->nextOfName) {
    if (!accept(*s)) continue;
    for (std::size_t r = 0; r < rank; ++r)
      if (order[r] == s->scope) {
        best = s;
        rank = r;
        break;
      }
  }
  return best;
}

bool hasTagKind(const Symbol& s) { return s.type && isTagKind(static_cast<int>(s.type->kind)); }
}  // namespace

Symbol* SymbolTable::lookupSymbol(Name name, int fromScope, const SymbolFilter& filter) const {
  if (!name) return nullptr;
  const NameEntries* e = entriesOf(name);
  if (!e || !e->firstSymbol) return nullptr;
  SymbolFilter anyScope = filter;
  anyScope.scope = kAnyScope;
  searchOrderInto(fromScope, order_);
  std::size_t rank;
  return innermostOf(e->firstSymbol, order_, [&anyScope](const Symbol& s) { return anyScope.matches(s); }, rank);
}

Symbol* SymbolTable::lookupQualified(std::string_view qualifiedName, int fromScope) const {
  auto parts = splitQualified(qualifiedName);
  if (parts.size() == 1) {
    Name n = findName(parts[0]);
    return n ? lookupSymbol(n, fromScope) : nullptr;
  }
  const std::size_t last = qualifiedName.rfind("::");
  std::string_view scopeText = qualifiedName.substr(0, last);
  Name n = findName(parts.back());
  if (!n) return nullptr;
  int s = scopeText.empty() ? kGlobalScope : lookupScopePath(scopeText, fromScope);
  if (s < 0) return nullptr;
  const NameEntries* e = entriesOf(n);
  if (!e || !e->firstSymbol) return nullptr;
  // Within the named scope: its own names, its bases and the namespaces it
  // uses, but not the enclosing scopes.
  std::size_t rank;
  return innermostOf(e->firstSymbol, memberScopes(s), [](const Symbol&) { return true; }, rank);
}

std::size_t SymbolTable::identifierCount() const {
  std::size_t n = 0;
  for (const Bucket& b : identifiers_)
    for (const Symbol* s = b.head; s; s = s->next) ++n;
  return n;
}

// ---------------------------------------------------------------------------

Symbol* SymbolTable::declareTag(Name name, Type* type, int s) {
  Symbol* entry = context_.makeSymbol(name, type, 0, s);
  append(tags_[static_cast<std::size_t>(bucketOf(name.view()))], entry);
  NameEntries& e = entriesFor(name);
  if (e.lastTag) e.lastTag->nextOfName = entry;
  else e.firstTag = entry;
  e.lastTag = entry;
  return entry;
}

Symbol* SymbolTable::findTag(Name name, int kind, int s) const {
  SymbolFilter f;
  f.scope = s;
  f.kind = kind;
  const NameEntries* e = entriesOf(name);
  Symbol* found = e ? e->firstTag : nullptr;
  while (found && !f.matches(*found)) found = found->nextOfName;
  if (found && kind < 0 && !hasTagKind(*found)) return nullptr;
  return found;
}

Symbol* SymbolTable::lookupTag(Name name, int kind, int fromScope) const {
  if (!name) return nullptr;
  const NameEntries* e = entriesOf(name);
  if (!e || !e->firstTag) return nullptr;
  auto accept = [kind](const Symbol& s) {
    return kind < 0 ? hasTagKind(s) : s.type != nullptr && static_cast<int>(s.type->kind) == kind;
  };
  searchOrderInto(fromScope, order_);
  std::size_t rank;
  if (Symbol* visible = innermostOf(e->firstTag, order_, accept, rank)) return visible;
  // Not visible from the scope: the only tag of that name and kind, if any.
  Symbol* only = nullptr;
  for (Symbol* s = e->firstTag; s; s = s->nextOfName) {
    if (!accept(*s)) continue;
    if (only) return nullptr;
    only = s;
  }
  return only;
}

IdentifierClass SymbolTable::classify(Name name, int fromScope) const {
  if (!name) return IdentifierClass::Plain;
  if (context_.isTypeModifier(name)) return IdentifierClass::Modifier;
  const NameEntries* e = entriesOf(name);
  if (!e || (!e->firstTag && !e->firstSymbol)) return IdentifierClass::Plain;
  // The innermost declaration decides: an ordinary identifier declared in a
  // scope hides a tag of an outer one; in one scope the tag comes first.
  searchOrderInto(fromScope, order_);
  std::size_t tagRank, idRank;
  const Symbol* tag = innermostOf(e->firstTag, order_, [](const Symbol& s) { return s.type != nullptr; }, tagRank);
  const Symbol* id = innermostOf(e->firstSymbol, order_, [](const Symbol&) { return true; }, idRank);
  if (tag && tagRank <= idRank) {
    switch (tag->type->kind) {
      case TypeKind::Template: return IdentifierClass::TemplateName;
      case TypeKind::Structure: return IdentifierClass::ClassName;
      default: return IdentifierClass::TypeName;
    }
  }
  if (id) return isTypedefSymbol(id) ? IdentifierClass::TypeName : IdentifierClass::Plain;
  return IdentifierClass::Plain;
}

}  // namespace zenta::analyser

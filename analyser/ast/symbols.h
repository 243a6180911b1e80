// The symbol table: scopes, ordinary identifiers and tags.
//
// Every namespace and class gets a scope number (0 is the global scope). The
// ordinary identifiers (variables, functions, typedef names, enumerators,
// members) and the tags (structures, classes, unions, enumerations,
// templates) are kept in two grids of 100 buckets; the bucket of a name is
// 10 x (sum of its character codes mod 10) + (its length mod 10), and each
// bucket is a list in declaration order. The grids order and list the
// entries; lookups by name do not walk them: every entry is also on a chain
// of the entries of its name (NameEntries), reached from the name's
// Identifier, so a lookup costs the declarations of that name alone.
//
// A table is made on a context (context.h), whose arena holds its entries:
//   AstContext ctx;
//   SymbolTable table(ctx);
//   table.declareSymbol(internName("count"), ctx.integerType("int"), 0, kGlobalScope);
//   Symbol* s = table.lookupSymbol(internName("count"), fromScope);
//
// Lookups from a scope search that scope, then (for a class) its base
// classes, then the namespaces it uses, then its enclosing scope, and so on
// out to the global scope: the innermost declaration wins.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <unordered_map>
#include <string_view>
#include <vector>

#include "analyser/basic/names.h"
#include "analyser/ast/types.h"

namespace zenta::analyser {

constexpr int kGlobalScope = 0;
constexpr int kAnyScope = -1;
constexpr int kBucketCount = 100;

// Fields that few symbols have, kept apart from the common part.
struct SymbolDetail {
  std::string_view defaultText;  // parameters: the default argument as written
  Name stubBlock;                // functions declared in a DEFINE STUB block: its name
};

// An entry of the tables: an ordinary identifier, a tag, a member or a
// parameter. Entries come from an arena and live for the whole run.
struct Symbol {
  Name name;
  Type* type = nullptr;
  Symbol* next = nullptr;    // bucket chain
  Symbol* nextOfName = nullptr;  // next entry of the same name in the same grid
  Name file;                 // file of the declaration
  std::int64_t value = 0;    // enumerators
  SymbolDetail* detail = nullptr;  // rare fields, null when none is set
  unsigned storage = 0;      // StorageBits
  int scope = kGlobalScope;
  int line = 0;
  Access access = Access::Public;  // members
  bool defined = false;      // functions: a body was seen
  bool hasDefault = false;   // parameters: a default argument was given
  bool isEnumerator = false;

  std::string_view defaultText() const { return detail ? detail->defaultText : std::string_view(); }
  Name stubBlock() const { return detail ? detail->stubBlock : Name(); }
};

class SymbolTable;

// The entries of one table under one name, each grid's in declaration order.
// Hung from the name's Identifier (one record per table holding the name).
struct NameEntries {
  const SymbolTable* table = nullptr;
  Identifier* identifier = nullptr;
  NameEntries* nextTable = nullptr;  // records of the same name in other tables
  Symbol* firstSymbol = nullptr;
  Symbol* lastSymbol = nullptr;
  Symbol* firstTag = nullptr;
  Symbol* lastTag = nullptr;
};

enum class ScopeKind : int { Global = 0, Namespace = 1, Class = 2, Function = 3, Block = 4 };

struct Scope {
  int number = 0;
  Name name;           // empty for the global scope and blocks
  ScopeKind kind = ScopeKind::Global;
  int parent = -1;     // -1 for the global scope
  Type* classType = nullptr;     // class scopes
  bool unnamedNamespace = false;
  std::vector<int> usedNamespaces;  // `using namespace` directives
};

// Restricts the entries a grid search accepts.
struct SymbolFilter {
  int scope = kAnyScope;       // only entries owned by this scope
  int kind = -1;               // only entries whose type has this kind
  unsigned storageAll = 0;     // only entries with all these bits
  unsigned storageNone = 0;    // only entries with none of these bits
  bool (*accept)(const Symbol&) = nullptr;
  bool matches(const Symbol& s) const;
};

// What the lexers return for an identifier.
enum class IdentifierClass : int { Modifier, TemplateName, ClassName, TypeName, Plain };

int bucketOf(std::string_view name);

class AstContext;

class SymbolTable {
 public:
  explicit SymbolTable(AstContext& context);
  SymbolTable(const SymbolTable&) = delete;
  SymbolTable& operator=(const SymbolTable&) = delete;
  ~SymbolTable();
  // Back to the state of a new table: the global scope alone, empty grids,
  // the unnamed-namespace counter at 0. The entries themselves stay allocated
  // (records may still point at them).
  void clear();
  // A table must be destroyed before its context.
  AstContext& context() const { return context_; }

  // --- scopes -------------------------------------------------------------
  int scopeCount() const { return static_cast<int>(scopes_.size()); }
  const Scope& scope(int number) const;
  Scope& scope(int number);
  int parentOf(int scope) const;
  // Whether `inner` is `outer` or lies inside it.
  bool encloses(int outer, int inner) const;
  // A new scope inside `parent`; a namespace of a name already opened in the
  // same parent is reopened (same number). Does not change the current scope.
  int createScope(Name name, ScopeKind kind, int parent, Type* classType = nullptr);
  // Scopes to search from a scope, innermost first, without repeats: the
  // scope, its base classes, the namespaces it uses, then its parent.
  std::vector<int> searchOrder(int fromScope) const;

  // The scope stack of the parser: open creates (or reopens) a scope inside
  // the current one and makes it current; enter makes an existing scope
  // current (qualified definitions); close returns to the previous one.
  int openScope(Name name, ScopeKind kind, Type* classType = nullptr);
  int openUnnamedNamespace();
  void enterScope(int scope);
  void closeScope();
  int currentScope() const { return stack_.back(); }
  int scopeDepth() const { return static_cast<int>(stack_.size()); }
  // "zenta_unnamed_namespace_N", N counting from 1.
  Name nextUnnamedNamespaceName();
  void resetUnnamedNamespaceCounter() { unnamedCounter_ = 0; }
  void addUsingNamespace(int scope, int usedNamespace);

  // The scope of a namespace or class name, 0 when none. From a scope, the
  // innermost visible one; without, the first one of that name.
  int lookupScope(Name name) const;
  int lookupScope(Name name, int fromScope) const;
  // The scope named by a qualified path "A::B" (leading "::" for global),
  // -1 when a component is unknown.
  int lookupScopePath(std::string_view path, int fromScope) const;
  // "A::B" for a scope, empty for global; unnamed namespaces are left out
  // when asked (their members are reachable without them).
  std::string scopePath(int scope, bool skipUnnamed = false) const;

  // --- identifiers --------------------------------------------------------
  Symbol* declareSymbol(Name name, Type* type, unsigned storage, int scope);
  // Appends an entry made by the caller (members, parameters); the table
  // takes no ownership beyond linking it.
  Symbol* insertSymbol(Symbol* entry);
  // Finds the first entry of a name that passes the filter and unlinks it
  // (from its bucket too, which is walked: removals are rare).
  Symbol* undeclareSymbol(Name name, const SymbolFilter& filter = {});
  // First entry of the name in the grid that passes the filter.
  Symbol* findSymbol(Name name, const SymbolFilter& filter = {}) const;
  std::vector<Symbol*> findAllSymbols(Name name, const SymbolFilter& filter = {}) const;
  // The declaration visible from a scope, innermost first (the filter's
  // scope field is not used: the search order chooses the scope).
  Symbol* lookupSymbol(Name name, int fromScope, const SymbolFilter& filter = {}) const;
  // A qualified name "A::B::x" (or "::x"), or a plain one, from a scope.
  Symbol* lookupQualified(std::string_view qualifiedName, int fromScope) const;

  // --- tags ---------------------------------------------------------------
  Symbol* declareTag(Name name, Type* type, int scope);
  Symbol* findTag(Name name, int kind, int scope) const;  // kind -1: any tag kind
  // The tag of a kind visible from a scope; when it is not visible and tags
  // of that name and kind exist, the only one is given, or null when several
  // exist and the scope cannot choose.
  Symbol* lookupTag(Name name, int kind, int fromScope) const;

  // How a lexer classifies an identifier seen in a scope.
  IdentifierClass classify(Name name, int fromScope) const;

  // Grid inspection.
  const Symbol* identifierBucket(int bucket) const { return identifiers_[bucket].head; }
  const Symbol* tagBucket(int bucket) const { return tags_[bucket].head; }
  std::size_t identifierCount() const;

 private:
  struct Bucket {
    Symbol* head = nullptr;
    Symbol* tail = nullptr;
  };
  static void append(Bucket& b, Symbol* s);
  // The entries of a name in this table, null when none (made on demand by
  // the second form).
  NameEntries* entriesOf(Name name) const;
  NameEntries& entriesFor(Name name);
  // Drops the name records of this table from the identifiers.
  void unlinkNames();
  void searchOrderInto(int fromScope, std::vector<int>& order) const;
  void addClassScopes(const Type* cls, std::vector<int>& order, int depth) const;
  // A scope with its base classes and used namespaces (qualified lookup).
  std::vector<int> memberScopes(int scope) const;
  // The scope named `name` directly inside `parent`, -1 when none.
  int childScope(int parent, Name name) const;

  std::array<Bucket, kBucketCount> identifiers_{};
  std::array<Bucket, kBucketCount> tags_{};
  std::vector<Scope> scopes_;
  std::unordered_map<Name, std::vector<int>> scopeIndex_;  // name -> scopes
  std::vector<int> stack_;
  int unnamedCounter_ = 0;
  AstContext& context_;
  std::vector<NameEntries*> named_;  // the records hung from identifiers
  NameEntries unnamed_;              // entries without a name
  mutable std::vector<int> order_;   // search order of the lookup under way
};

// Whether a symbol is a typedef name.
inline bool isTypedefSymbol(const Symbol* s) { return s != nullptr && (s->storage & StTypedef) != 0; }

}  // namespace zenta::analyser

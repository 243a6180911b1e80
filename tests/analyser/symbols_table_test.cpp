// Scopes, lookups with shadowing, tags and classification.
#include "types_fixture.h"

namespace zenta::analyser::testing {
namespace {

using Symbols = TablesTest;

TEST_F(Symbols, NamesAreInternedByIdentity) {
  Name a = internName("counter");
  EXPECT_EQ(a.c_str(), internName(std::string("coun") + "ter").c_str());
  EXPECT_FALSE(sameName(a, internName("Counter")));
  EXPECT_FALSE(sameName(internName(""), Name()));
  EXPECT_FALSE(findName("never_interned_name_xyz"));
  EXPECT_EQ(findName("counter"), a);
}

TEST_F(Symbols, ScopesNestAndNamespacesReopen) {
  const int a = table.openScope(n("A"), ScopeKind::Namespace);
  const int b = table.openScope(n("B"), ScopeKind::Namespace);
  EXPECT_EQ(table.parentOf(b), a);
  table.closeScope();
  table.closeScope();
  table.closeScope();  // never below the global scope
  EXPECT_EQ(table.currentScope(), kGlobalScope);
  EXPECT_EQ(table.openScope(n("A"), ScopeKind::Namespace), a);  // reopened
  table.closeScope();
  const int other = table.openScope(n("B"), ScopeKind::Namespace);  // another B, in global
  table.closeScope();
  EXPECT_NE(other, b);
  EXPECT_EQ(table.scopePath(b), "A::B");
  EXPECT_TRUE(table.encloses(a, b));
  EXPECT_FALSE(table.encloses(b, a));
  EXPECT_EQ(table.lookupScope(n("nowhere")), 0);
  EXPECT_EQ(table.lookupScope(n("B"), a), b);  // from inside A, A::B
  EXPECT_EQ(table.lookupScope(n("B"), kGlobalScope), other);
  EXPECT_EQ(table.lookupScopePath("A::B", kGlobalScope), b);
  EXPECT_EQ(table.lookupScopePath("::B", b), other);
  EXPECT_EQ(table.lookupScopePath("A::C", kGlobalScope), -1);
  table.enterScope(12345);  // unknown: the global scope
  EXPECT_EQ(table.currentScope(), kGlobalScope);
  table.closeScope();
}

TEST_F(Symbols, InnermostDeclarationShadowsOuterOnes) {
  Symbol* global = table.declareSymbol(n("x"), I("int"), 0, kGlobalScope);
  const int ns = table.openScope(n("N"), ScopeKind::Namespace);
  Symbol* inNs = table.declareSymbol(n("x"), ctx.floatingType("double"), 0, ns);
  const int inner = table.openScope(n("M"), ScopeKind::Namespace);
  table.closeScope();
  table.closeScope();
  EXPECT_EQ(table.lookupSymbol(n("x"), kGlobalScope), global);
  EXPECT_EQ(table.lookupSymbol(n("x"), inner), inNs);
  EXPECT_EQ(table.lookupQualified("::x", inner), global);
  EXPECT_EQ(table.lookupQualified("N::x", kGlobalScope), inNs);
  EXPECT_EQ(table.lookupQualified("N::M::x", kGlobalScope), nullptr);  // not from enclosing scopes
  EXPECT_EQ(table.lookupQualified("x", inner), inNs);
  EXPECT_EQ(table.lookupSymbol(n("y"), inner), nullptr);
  // Removing the inner one uncovers the outer.
  SymbolFilter onlyNs;
  onlyNs.scope = ns;
  EXPECT_EQ(table.undeclareSymbol(n("x"), onlyNs), inNs);
  EXPECT_EQ(table.lookupSymbol(n("x"), inner), global);
  EXPECT_EQ(table.undeclareSymbol(n("x"), onlyNs), nullptr);
  // Names of an unnamed namespace are visible from the enclosing scope.
  const int unnamed = table.openUnnamedNamespace();
  Symbol* v = table.declareSymbol(n("v"), I("int"), 0, unnamed);
  table.closeScope();
  EXPECT_EQ(table.lookupSymbol(n("v"), kGlobalScope), v);
}

TEST_F(Symbols, ClassScopesSearchBasesAndUsingNamespaces) {
  auto* base = ctx.structureType(n("Base"), true, 0);
  const int bs = table.openScope(n("Base"), ScopeKind::Class, base);
  Symbol* g = table.declareSymbol(n("g"), ctx.functionType(I("int")), 0, bs);
  table.closeScope();
  auto* derived = ctx.structureType(n("Derived"), true, 0);
  ctx.addBaseClass(derived, ctx.typedefType(n("BaseT"), base, 0), Access::Public, false);
  const int ds = table.openScope(n("Derived"), ScopeKind::Class, derived);
  table.closeScope();
  EXPECT_EQ(derived->memberScope, ds);
  EXPECT_EQ(table.lookupSymbol(n("g"), ds), g);
  EXPECT_EQ(table.lookupSymbol(n("g"), kGlobalScope), nullptr);
  EXPECT_EQ(table.lookupQualified("Derived::g", kGlobalScope), g);

  const int lib = table.openScope(n("lib"), ScopeKind::Namespace);
  Symbol* f = table.declareSymbol(n("f"), ctx.functionType(ctx.voidType()), 0, lib);
  table.closeScope();
  const int app = table.openScope(n("app"), ScopeKind::Namespace);
  table.closeScope();
  EXPECT_EQ(table.lookupSymbol(n("f"), app), nullptr);
  table.addUsingNamespace(app, lib);
  table.addUsingNamespace(app, lib);  // once is enough
  EXPECT_EQ(table.scope(app).usedNamespaces.size(), 1u);
  EXPECT_EQ(table.lookupSymbol(n("f"), app), f);
  EXPECT_EQ(table.lookupSymbol(n("f"), kGlobalScope), nullptr);
}

TEST_F(Symbols, FiltersChooseAmongEntriesOfOneName) {
  Symbol* var = table.declareSymbol(n("item"), I("int"), StExtern, 0);
  Symbol* type = table.declareSymbol(n("item"), ctx.typedefType(n("item"), I("int"), 0), StTypedef, 0);
  SymbolFilter typedefs;
  typedefs.storageAll = StTypedef;
  EXPECT_EQ(table.findSymbol(n("item")), var);
  EXPECT_EQ(table.findSymbol(n("item"), typedefs), type);
  SymbolFilter noTypedef;
  noTypedef.storageNone = StTypedef;
  EXPECT_EQ(table.findSymbol(n("item"), noTypedef), var);
  SymbolFilter byKind;
  byKind.kind = static_cast<int>(TypeKind::Typedef);
  EXPECT_EQ(table.findSymbol(n("item"), byKind), type);
  EXPECT_EQ(table.findAllSymbols(n("item")).size(), 2u);
  EXPECT_EQ(table.undeclareSymbol(n("item"), typedefs), type);
  // Appending after a removal still works.
  Symbol* again = table.declareSymbol(n("item"), I("long"), 0, 0);
  EXPECT_EQ(table.findAllSymbols(n("item")), (std::vector<Symbol*>{var, again}));
}

TEST_F(Symbols, TagsAreFoundByKindAndScope) {
  const int structKind = static_cast<int>(TypeKind::Structure), unionKind = static_cast<int>(TypeKind::Union);
  Symbol* globalTag = table.declareTag(n("Node"), ctx.structureType(n("Node"), false, 0), kGlobalScope);
  const int ns = table.openScope(n("tree"), ScopeKind::Namespace);
  Symbol* nsTag = table.declareTag(n("Node"), ctx.structureType(n("Node"), false, ns), ns);
  Symbol* colour = table.declareTag(n("Colour"), ctx.enumerationType(n("Colour"), ns), ns);
  table.closeScope();
  const int x = table.openScope(n("X"), ScopeKind::Namespace);
  table.closeScope();
  const int y = table.openScope(n("Y"), ScopeKind::Namespace);
  table.closeScope();
  EXPECT_EQ(table.lookupTag(n("Node"), structKind, kGlobalScope), globalTag);
  EXPECT_EQ(table.lookupTag(n("Node"), structKind, ns), nsTag);
  EXPECT_EQ(table.lookupTag(n("Node"), unionKind, ns), nullptr);
  EXPECT_EQ(table.findTag(n("Node"), -1, ns), nsTag);
  // Not visible from a scope: only a unique tag is given.
  EXPECT_EQ(table.lookupTag(n("Colour"), static_cast<int>(TypeKind::Enumeration), x), colour);
  table.declareTag(n("Twin"), ctx.unionType(n("Twin"), x), x);
  Symbol* twinY = table.declareTag(n("Twin"), ctx.unionType(n("Twin"), y), y);
  EXPECT_EQ(table.lookupTag(n("Twin"), unionKind, ns), nullptr);
  EXPECT_EQ(table.lookupTag(n("Twin"), unionKind, y), twinY);
}

TEST_F(Symbols, IdentifiersAreClassifiedForTheLexers) {
  table.declareTag(n("Point"), ctx.structureType(n("Point"), false, 0), 0);
  table.declareTag(n("Vec"), ctx.templateType(n("Vec"), 0), 0);
  table.declareTag(n("Mode"), ctx.enumerationType(n("Mode"), 0), 0);
  table.declareSymbol(n("size_t"), ctx.typedefType(n("size_t"), I("unsigned long"), 0), StTypedef, 0);
  table.declareSymbol(n("count"), I("int"), 0, 0);
  ctx.registerTypeModifier("__near");
  const std::pair<const char*, IdentifierClass> cases[] = {
      {"Point", IdentifierClass::ClassName}, {"Vec", IdentifierClass::TemplateName},
      {"Mode", IdentifierClass::TypeName},   {"size_t", IdentifierClass::TypeName},
      {"count", IdentifierClass::Plain},     {"unknown", IdentifierClass::Plain},
      {"_inout", IdentifierClass::Modifier}, {"__near", IdentifierClass::Modifier},
  };
  for (const auto& [word, expected] : cases) EXPECT_EQ(table.classify(n(word), 0), expected) << word;
  // A variable of an inner scope hides the outer type name.
  const int ns = table.openScope(n("N"), ScopeKind::Namespace);
  table.declareSymbol(n("Point"), I("int"), 0, ns);
  table.closeScope();
  EXPECT_EQ(table.classify(n("Point"), ns), IdentifierClass::Plain);
  // `struct stat` and `int stat(...)` in one scope: the tag is the type name.
  table.declareSymbol(n("Point"), ctx.functionType(I("int")), 0, 0);
  EXPECT_EQ(table.classify(n("Point"), 0), IdentifierClass::ClassName);
}

TEST_F(Symbols, TablesOfOneContextKeepTheirOwnEntries) {
  Symbol* mine = table.declareSymbol(n("shared"), I("int"), 0, 0);
  {
    SymbolTable other(ctx);
    Symbol* theirs = other.declareSymbol(n("shared"), I("long"), 0, 0);
    other.declareTag(n("shared"), ctx.structureType(n("shared"), false, 0), 0);
    EXPECT_EQ(table.lookupSymbol(n("shared"), 0), mine);
    EXPECT_EQ(other.lookupSymbol(n("shared"), 0), theirs);
    EXPECT_EQ(table.classify(n("shared"), 0), IdentifierClass::Plain);
    EXPECT_EQ(other.classify(n("shared"), 0), IdentifierClass::ClassName);
  }
  // The other table is gone: nothing of it is left on the name.
  EXPECT_EQ(table.findAllSymbols(n("shared")).size(), 1u);
  EXPECT_EQ(table.lookupTag(n("shared"), -1, 0), nullptr);
  // Clearing gives a fresh table.
  table.openUnnamedNamespace();
  table.declareTag(n("T"), ctx.structureType(n("T"), false, 0), 0);
  table.clear();
  EXPECT_EQ(table.currentScope(), kGlobalScope);
  EXPECT_EQ(table.lookupSymbol(n("shared"), 0), nullptr);
  EXPECT_EQ(table.lookupTag(n("T"), -1, 0), nullptr);
  EXPECT_EQ(table.nextUnnamedNamespaceName().text(), "zenta_unnamed_namespace_1");
}

}  // namespace
}  // namespace zenta::analyser::testing

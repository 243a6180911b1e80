// Scopes, the two grids, lookups with shadowing, tags and classification.
#include "types_fixture.h"

namespace zenta::analyser::testing {
namespace {

class Symbols : public TablesTest {};

TEST_F(Symbols, NamesAreInternedByIdentity) {
  Name a = internName("counter");
  std::string built = std::string("coun") + "ter";
  Name b = internName(built);
  EXPECT_TRUE(sameName(a, b));
  EXPECT_EQ(a.c_str(), b.c_str());
  EXPECT_FALSE(sameName(a, internName("Counter")));
  EXPECT_FALSE(sameName(internName(""), Name()));
  EXPECT_TRUE(Name().empty());
  EXPECT_FALSE(findName("never_interned_name_xyz"));
  EXPECT_EQ(findName("counter"), a);
}

TEST_F(Symbols, BucketsUseCharacterSumAndLength) {
  // "ab": 97 + 98 = 195 -> 5; length 2 -> bucket 52.
  EXPECT_EQ(bucketOf("ab"), 52);
  EXPECT_EQ(bucketOf(""), 0);
  // 10 characters of 'a' (970): 0 and length 0.
  EXPECT_EQ(bucketOf("aaaaaaaaaa"), 0);
  EXPECT_EQ(bucketOf("x"), 10 * (120 % 10) + 1);
  // "ab" and "ba" share a bucket and stay in declaration order.
  Symbol* first = table.declareSymbol(n("ab"), I("int"), 0, 0);
  Symbol* second = table.declareSymbol(n("ba"), I("int"), 0, 0);
  EXPECT_EQ(table.identifierBucket(52), first);
  EXPECT_EQ(first->next, second);
  EXPECT_EQ(table.tagBucket(52), nullptr);  // tags live in their own grid
}

TEST_F(Symbols, ScopesNestAndNamespacesReopen) {
  const int a = table.openScope(n("A"), ScopeKind::Namespace);
  const int b = table.openScope(n("B"), ScopeKind::Namespace);
  EXPECT_EQ(table.currentScope(), b);
  EXPECT_EQ(table.parentOf(b), a);
  table.closeScope();
  table.closeScope();
  EXPECT_EQ(table.currentScope(), kGlobalScope);
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
  EXPECT_EQ(table.lookupScope(n("A")), a);
  EXPECT_EQ(table.lookupScope(n("nowhere")), 0);
  EXPECT_EQ(table.lookupScope(n("B"), a), b);             // from inside A, A::B
  EXPECT_EQ(table.lookupScope(n("B"), kGlobalScope), other);
  EXPECT_EQ(table.lookupScopePath("A::B", kGlobalScope), b);
  EXPECT_EQ(table.lookupScopePath("::B", b), other);
  EXPECT_EQ(table.lookupScopePath("A::C", kGlobalScope), -1);
}

TEST_F(Symbols, UnnamedNamespacesGetNumberedNames) {
  const int first = table.openUnnamedNamespace();
  table.declareSymbol(n("v"), I("int"), 0, first);
  table.closeScope();
  const int second = table.openUnnamedNamespace();
  table.closeScope();
  EXPECT_EQ(table.scope(first).name.text(), "zenta_unnamed_namespace_1");
  EXPECT_EQ(table.scope(second).name.text(), "zenta_unnamed_namespace_2");
  EXPECT_TRUE(table.scope(first).unnamedNamespace);
  EXPECT_EQ(table.lookupScope(n("zenta_unnamed_namespace_1")), first);
  // Its names are visible from the enclosing scope.
  Symbol* v = table.lookupSymbol(n("v"), kGlobalScope);
  ASSERT_NE(v, nullptr);
  EXPECT_EQ(v->scope, first);
  table.resetUnnamedNamespaceCounter();
  EXPECT_EQ(table.nextUnnamedNamespaceName().text(), "zenta_unnamed_namespace_1");
}

TEST_F(Symbols, InnermostDeclarationShadowsOuterOnes) {
  Symbol* global = table.declareSymbol(n("x"), I("int"), 0, kGlobalScope);
  const int ns = table.openScope(n("N"), ScopeKind::Namespace);
  Symbol* inNs = table.declareSymbol(n("x"), ctx.floatingType("double"), 0, ns);
  const int inner = table.openScope(n("M"), ScopeKind::Namespace);
  table.closeScope();
  table.closeScope();
  EXPECT_EQ(table.lookupSymbol(n("x"), kGlobalScope), global);
  EXPECT_EQ(table.lookupSymbol(n("x"), ns), inNs);
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
}

TEST_F(Symbols, ClassScopesSearchBaseClasses) {
  auto* base = ctx.structureType(n("Base"), true, 0);
  const int bs = table.openScope(n("Base"), ScopeKind::Class, base);
  Symbol* g = table.declareSymbol(n("g"), ctx.functionType(I("int")), 0, bs);
  table.closeScope();
  auto* derived = ctx.structureType(n("Derived"), true, 0);
  ctx.addBaseClass(derived, ctx.typedefType(n("BaseT"), base, 0), Access::Public, false);
  const int ds = table.openScope(n("Derived"), ScopeKind::Class, derived);
  Symbol* h = table.declareSymbol(n("h"), I("int"), 0, ds);
  table.closeScope();
  EXPECT_EQ(base->memberScope, bs);
  EXPECT_EQ(derived->memberScope, ds);
  EXPECT_EQ(table.lookupSymbol(n("g"), ds), g);
  EXPECT_EQ(table.lookupSymbol(n("h"), ds), h);
  EXPECT_EQ(table.lookupSymbol(n("g"), kGlobalScope), nullptr);
  EXPECT_EQ(table.lookupQualified("Derived::g", kGlobalScope), g);
}

TEST_F(Symbols, UsingNamespaceMakesNamesVisible) {
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
  EXPECT_EQ(table.identifierCount(), 2u);
  EXPECT_EQ(table.undeclareSymbol(n("item"), typedefs), type);
  EXPECT_EQ(table.identifierCount(), 1u);
  // The tail is kept right after a removal: appending still works.
  Symbol* again = table.declareSymbol(n("item"), I("long"), 0, 0);
  EXPECT_EQ(var->next, again);
}

TEST_F(Symbols, TagsAreFoundByKindAndScope) {
  auto* s = ctx.structureType(n("Node"), false, 0);
  Symbol* globalTag = table.declareTag(n("Node"), s, kGlobalScope);
  const int ns = table.openScope(n("tree"), ScopeKind::Namespace);
  auto* s2 = ctx.structureType(n("Node"), false, ns);
  Symbol* nsTag = table.declareTag(n("Node"), s2, ns);
  table.closeScope();
  const int other = table.openScope(n("other"), ScopeKind::Namespace);
  table.closeScope();
  const int structKind = static_cast<int>(TypeKind::Structure);
  EXPECT_EQ(table.lookupTag(n("Node"), structKind, kGlobalScope), globalTag);
  EXPECT_EQ(table.lookupTag(n("Node"), structKind, ns), nsTag);
  EXPECT_EQ(table.lookupTag(n("Node"), static_cast<int>(TypeKind::Union), ns), nullptr);
  EXPECT_EQ(table.findTag(n("Node"), -1, ns), nsTag);

  // Not visible from a scope: only a unique tag is given.
  auto* e = ctx.enumerationType(n("Colour"), ns);
  Symbol* colour = table.declareTag(n("Colour"), e, ns);
  EXPECT_EQ(table.lookupTag(n("Colour"), static_cast<int>(TypeKind::Enumeration), other), colour);
  SymbolTable two(ctx);
  const int x = two.openScope(n("X"), ScopeKind::Namespace);
  two.closeScope();
  const int y = two.openScope(n("Y"), ScopeKind::Namespace);
  two.closeScope();
  const int z = two.openScope(n("Z"), ScopeKind::Namespace);
  two.closeScope();
  two.declareTag(n("Twin"), ctx.unionType(n("Twin"), x), x);
  Symbol* ty = two.declareTag(n("Twin"), ctx.unionType(n("Twin"), y), y);
  EXPECT_EQ(two.lookupTag(n("Twin"), static_cast<int>(TypeKind::Union), z), nullptr);
  EXPECT_EQ(two.lookupTag(n("Twin"), static_cast<int>(TypeKind::Union), y), ty);
}

TEST_F(Symbols, IdentifiersAreClassifiedForTheLexers) {
  auto* s = ctx.structureType(n("Point"), false, 0);
  table.declareTag(n("Point"), s, 0);
  table.declareTag(n("Vec"), ctx.templateType(n("Vec"), 0), 0);
  table.declareTag(n("Mode"), ctx.enumerationType(n("Mode"), 0), 0);
  table.declareSymbol(n("size_t"), ctx.typedefType(n("size_t"), I("unsigned long"), 0), StTypedef, 0);
  table.declareSymbol(n("count"), I("int"), 0, 0);
  ctx.registerTypeModifier("__near");
  EXPECT_EQ(table.classify(n("Point"), 0), IdentifierClass::ClassName);
  EXPECT_EQ(table.classify(n("Vec"), 0), IdentifierClass::TemplateName);
  EXPECT_EQ(table.classify(n("Mode"), 0), IdentifierClass::TypeName);
  EXPECT_EQ(table.classify(n("size_t"), 0), IdentifierClass::TypeName);
  EXPECT_EQ(table.classify(n("count"), 0), IdentifierClass::Plain);
  EXPECT_EQ(table.classify(n("unknown"), 0), IdentifierClass::Plain);
  EXPECT_EQ(table.classify(n("_inout"), 0), IdentifierClass::Modifier);
  EXPECT_EQ(table.classify(n("__near"), 0), IdentifierClass::Modifier);
  // A variable of an inner scope hides the outer type name.
  const int ns = table.openScope(n("N"), ScopeKind::Namespace);
  table.declareSymbol(n("Point"), I("int"), 0, ns);
  table.closeScope();
  EXPECT_EQ(table.classify(n("Point"), ns), IdentifierClass::Plain);
  EXPECT_EQ(table.classify(n("Point"), 0), IdentifierClass::ClassName);
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
    EXPECT_EQ(other.undeclareSymbol(n("shared")), theirs);
    EXPECT_EQ(table.findSymbol(n("shared")), mine);
  }
  // The other table is gone: nothing of it is left on the name.
  EXPECT_EQ(table.findAllSymbols(n("shared")).size(), 1u);
  EXPECT_EQ(table.lookupTag(n("shared"), -1, 0), nullptr);
}

TEST_F(Symbols, EnteringAnExistingScopeForQualifiedDefinitions) {
  auto* a = ctx.structureType(n("A"), true, 0);
  const int as = table.openScope(n("A"), ScopeKind::Class, a);
  table.closeScope();
  table.enterScope(as);
  EXPECT_EQ(table.currentScope(), as);
  EXPECT_EQ(table.scopeDepth(), 2);
  table.closeScope();
  table.enterScope(12345);  // unknown: the global scope
  EXPECT_EQ(table.currentScope(), kGlobalScope);
  table.closeScope();
}

}  // namespace
}  // namespace zenta::analyser::testing

namespace zenta::analyser::testing {
namespace {

class SymbolsClear : public TablesTest {};

TEST_F(SymbolsClear, ClearGivesAFreshTable) {
  const int ns = table.openUnnamedNamespace();
  table.declareSymbol(n("kept"), I("int"), 0, ns);
  table.declareTag(n("T"), ctx.structureType(n("T"), false, 0), 0);
  table.clear();
  EXPECT_EQ(table.scopeCount(), 1);
  EXPECT_EQ(table.currentScope(), kGlobalScope);
  EXPECT_EQ(table.identifierCount(), 0u);
  EXPECT_EQ(table.lookupTag(n("T"), -1, 0), nullptr);
  EXPECT_EQ(table.lookupScope(n("zenta_unnamed_namespace_1")), 0);
  EXPECT_EQ(table.nextUnnamedNamespaceName().text(), "zenta_unnamed_namespace_1");
}

TEST_F(SymbolsClear, RemovingTheIdentifierExceptionFromOneScope) {
  const int std_ = table.openScope(n("std"), ScopeKind::Namespace);
  Symbol* inStd = table.declareSymbol(n("exception"), I("int"), 0, std_);
  table.closeScope();
  Symbol* global = table.declareSymbol(n("exception"), I("int"), 0, kGlobalScope);
  SymbolFilter here;
  here.scope = kGlobalScope;
  EXPECT_EQ(table.undeclareSymbol(n("exception"), here), global);
  EXPECT_EQ(table.lookupSymbol(n("exception"), kGlobalScope), nullptr);
  EXPECT_EQ(table.lookupSymbol(n("exception"), std_), inStd);
}

}  // namespace
}  // namespace zenta::analyser::testing

// Base integer types, specifier composition, target width and signedness
// pragmas, parameter modes, testable component counts, type comparison, type
// images in C declarator syntax and identifier forms of names.
#include <set>

#include "types_fixture.h"

namespace zenta::analyser::testing {
namespace {

using BaseTypes = TablesTest;

TEST_F(BaseTypes, SpecifiersComposeLeftToRight) {
  const struct {
    std::initializer_list<const char*> words;
    const char* name;
    int signedWidth;
    bool charFlag;
  } cases[] = {
      {{"char"}, "char", -8, true},        {{"wchar_t"}, "wchar_t", -8, true},
      {{"bool"}, "bool", -8, false},       {{"short"}, "short", -16, false},
      {{"signed"}, "signed", -32, false},  {{"unsigned"}, "unsigned", 32, false},
      {{"long"}, "long", -32, false},      {{"signed", "short"}, "signed short", -16, false},
      {{"long", "long"}, "long long", -64, false},
      {{"long", "unsigned", "int"}, "long unsigned int", 32, false},
      {{"unsigned", "long", "long", "int"}, "unsigned long long int", 64, false},
      {{"unsigned", "char"}, "unsigned char", 8, true}, {{"signed", "char"}, "signed char", -8, true},
      {{"int", "short"}, "int short", -16, false},
  };
  for (const auto& k : cases) {
    const IntegerType* t = dyn<IntegerType>(compose(k.words));
    ASSERT_NE(t, nullptr) << k.name;
    EXPECT_EQ(t->name.text(), k.name);
    EXPECT_EQ(t->signedWidth, k.signedWidth) << k.name;
    EXPECT_EQ(t->charFlag, k.charFlag) << k.name;
  }
  // Identical compositions are one record; floating words compose too.
  EXPECT_EQ(compose({"unsigned", "long"}), compose({"unsigned", "long"}));
  EXPECT_EQ(compose({"int"}), ctx.builtinInteger("int"));
  EXPECT_NE(compose({"long", "unsigned"}), compose({"unsigned", "long"}));  // named in source order
  EXPECT_NE(ctx.pointerTo(I("int")), ctx.pointerTo(I("int"), {n("const")}));
  EXPECT_EQ(compose({"double", "long"}), ctx.floatingType("long double"));
  EXPECT_EQ(ctx.composeType(nullptr, I("int")), I("int"));
  EXPECT_EQ(ctx.composeType(nullptr, nullptr), nullptr);
  EXPECT_TRUE(messages().empty());
}

TEST_F(BaseTypes, QualifiersModesAndPointersComposeInside) {
  const Name cst = n("const");
  // const unsigned long, unsigned const long, unsigned long const
  Type* a = ctx.composeType(ctx.composeType(ctx.qualifiedType(nullptr, cst), I("unsigned")), I("long"));
  Type* b = ctx.composeType(ctx.composeType(I("unsigned"), ctx.qualifiedType(nullptr, cst)), I("long"));
  Type* c = ctx.composeType(ctx.composeType(I("unsigned"), I("long")), ctx.qualifiedType(nullptr, cst));
  EXPECT_EQ(a, b);
  EXPECT_EQ(b, c);
  EXPECT_EQ(targetOf(a), I("unsigned long"));
  EXPECT_EQ(image(a, "v"), "const unsigned long v");
  EXPECT_EQ(image(ctx.qualifiedType(nullptr, cst), "w"), "const int w");  // the implicit int of C
  EXPECT_EQ(image(ctx.composeType(I("unsigned"), ctx.modifiedType(n("_in"), I("short"))), "v"),
            "_in unsigned short v");
  Type* in = ctx.composeType(ctx.modifiedType(n("_in"), nullptr), I("char"));
  EXPECT_EQ(image(ctx.pointerTo(in), "s"), "_in char *s");
  EXPECT_EQ(ctx.composeType(ctx.pointerTo(I("long")), I("long")), ctx.pointerTo(I("long long")));
  EXPECT_TRUE(messages().empty());
}

TEST_F(BaseTypes, InvalidCombinationsReportAndGiveNoType) {
  const struct { const char* what; Type* a; Type* b; const char* code; int severity; } cases[] = {
      {"short long", I("short"), I("long"), "CONSTRUCT", 3},
      {"signed unsigned", I("signed"), I("unsigned"), "CONSTRUCT", 3},
      {"long long long", I("long long"), I("long"), "CONSTRUCT", 3},
      {"char int", I("char"), I("int"), "CONSTRUCT", 3},
      {"unsigned bool", I("unsigned"), I("bool"), "CONSTRUCT", 3},
      {"int int", I("int"), I("int"), "CONSTRUCT", 3},
      {"int struct", I("int"), ctx.structureType(n("S"), false, 0), "CONSTRUCT", 3},
      {"enum unsigned", ctx.enumerationType(n("E"), 0), I("unsigned"), "CONSTRUCT", 3},
      {"int function", I("int"), ctx.functionType(I("int")), "CONSTRUCT", 3},
      {"unsigned double", I("unsigned"), ctx.floatingType("double"), "CONSTRUCT", 3},
      {"long float", I("long"), ctx.floatingType("float"), "CONSTRUCT", 3},
      {"void int", ctx.voidType(), I("int"), "CONSTRUCT", 3},
      {"typedef int", ctx.typedefType(n("T"), I("int"), 0), I("int"), "CONSTRUCT", 3},
      {"ellipsis", ctx.ellipsisType(), I("int"), "ERRINTERN", 0},
      {"array", I("int"), ctx.arrayOf(I("int"), "2"), "ERRINTERN", 0},
      {"reference", ctx.referenceTo(I("int")), I("long"), "ERRINTERN", 0},
  };
  for (const auto& k : cases) {
    messages().clear();
    EXPECT_EQ(ctx.composeType(k.a, k.b), nullptr) << k.what;
    ASSERT_EQ(messages().size(), 1u) << k.what;
    EXPECT_EQ(messages()[0].code, k.code) << k.what;
    EXPECT_EQ(messages()[0].severity, k.severity) << k.what;
    if (k.what == std::string("short long") || k.what == std::string("ellipsis")) {
      EXPECT_EQ(messages()[0].argument, k.severity ? "short long" : "CPP_compose_type");
    }
  }
}

TEST_F(BaseTypes, SizeofPragmaChangesWidthsOfExistingAndNewRecords) {
  auto* l = I("long");
  auto* ul = I("unsigned long");
  ASSERT_TRUE(ctx.applySizeofPragma("long", 64, &table));
  EXPECT_EQ(l->signedWidth, -64);
  EXPECT_EQ(ul->signedWidth, 64);
  EXPECT_EQ(targetWidth(BaseWidth::Long), 64);
  EXPECT_EQ(I("long int")->signedWidth, -64);
  EXPECT_EQ(I("long long")->signedWidth, -64);  // long long unchanged
  ASSERT_TRUE(ctx.applySizeofPragma("longlong", 48, &table));
  EXPECT_EQ(I("long long")->signedWidth, -48);
  EXPECT_EQ(targetWidth(BaseWidth::Long), 64);
  ASSERT_TRUE(ctx.applySizeofPragma("short", 32, &table));
  ASSERT_TRUE(ctx.applySizeofPragma("i", 16, &table));
  EXPECT_EQ(I("short")->signedWidth, -32);
  EXPECT_EQ(I("unsigned")->signedWidth, 16);
  ASSERT_TRUE(ctx.applySizeofPragma("char", 16, &table));
  EXPECT_EQ(I("wchar_t")->signedWidth, -16);  // the width of char, not twice it
  EXPECT_EQ(I("bool")->signedWidth, -16);
  // Unknown names and widths are refused.
  EXPECT_FALSE(ctx.applySizeofPragma("float", 64, &table));
  EXPECT_FALSE(ctx.applySizeofPragma("", 64, &table));
  EXPECT_FALSE(ctx.applySizeofPragma("int", 0, &table));
  EXPECT_FALSE(ctx.applySizeofPragma("int", 65, &table));
  EXPECT_EQ(targetWidth(BaseWidth::Int), 16);
  // A reset of the width table refreshes the records.
  resetTargetWidths();
  EXPECT_EQ(l->signedWidth, -32);
}

TEST_F(BaseTypes, PragmasThroughTypedefsSetTheBaseRecordOnly) {
  auto* ulong = I("unsigned long");
  auto* u32 = ctx.typedefType(n("U32"), ulong, 0);
  table.declareSymbol(n("U32"), u32, StTypedef, 0);
  auto* dword = ctx.typedefType(n("DWORD"), ctx.typedefType(n("inner"), ctx.qualifiedType(u32, n("const")), 0), 0);
  table.declareSymbol(n("DWORD"), dword, StTypedef, 0);
  ASSERT_TRUE(ctx.applySizeofPragma("DWORD", 64, &table));  // begins with no width letter
  EXPECT_EQ(ulong->signedWidth, 64);
  EXPECT_EQ(targetWidth(BaseWidth::Long), 32);
  EXPECT_EQ(I("long")->signedWidth, -32);
  // "int8" is a typedef name: the typedef wins over the i of int.
  auto* sc = I("signed char");
  table.declareSymbol(n("int8"), ctx.typedefType(n("int8"), sc, 0), StTypedef, 0);
  ASSERT_TRUE(ctx.applySignofPragma("int8", true, &table));
  EXPECT_EQ(sc->signedWidth, 8);
  EXPECT_EQ(I("int")->signedWidth, -32);
  // A later change of the table does not undo the record's own setting.
  ctx.applySizeofPragma("long", 16, &table);
  EXPECT_EQ(ulong->signedWidth, 64);
  EXPECT_EQ(I("long")->signedWidth, -16);
  // A typedef that does not lead to an integer falls back to the letter.
  table.declareSymbol(n("sreal"), ctx.typedefType(n("sreal"), ctx.floatingType("float"), 0), StTypedef, 0);
  ASSERT_TRUE(ctx.applySizeofPragma("sreal", 8, &table));
  EXPECT_EQ(targetWidth(BaseWidth::Short), 8);
}

TEST_F(BaseTypes, SignofKeepsExplicitWordsAndReachesWchar) {
  auto* c = I("char");
  ASSERT_TRUE(ctx.applySignofPragma("char", true, &table));
  EXPECT_TRUE(plainCharUnsigned());
  EXPECT_EQ(c->signedWidth, 8);
  EXPECT_EQ(I("wchar_t")->signedWidth, 8);
  EXPECT_EQ(I("signed char")->signedWidth, -8);  // explicit signed stays signed
  EXPECT_EQ(I("bool")->signedWidth, -8);
  EXPECT_TRUE(isCharLike(c));
  EXPECT_FALSE(isSignedInteger(c));
  ASSERT_TRUE(ctx.applySignofPragma("c", false, &table));
  EXPECT_EQ(I("wchar_t")->signedWidth, -8);
  ASSERT_TRUE(ctx.applySignofPragma("int", true, &table));
  EXPECT_EQ(I("int")->signedWidth, 32);
  EXPECT_EQ(I("signed int")->signedWidth, -32);
  EXPECT_EQ(I("long")->signedWidth, -32);
  EXPECT_FALSE(ctx.applySignofPragma("double", true, &table));
}

TEST_F(BaseTypes, IntegerRecordsForConstantWidths) {
  EXPECT_EQ(ctx.integerTypeFor(-32, false), I("int"));
  EXPECT_EQ(ctx.integerTypeFor(32, false), I("unsigned"));
  EXPECT_EQ(ctx.integerTypeFor(-8, true), I("char"));
  EXPECT_EQ(ctx.integerTypeFor(-64, false), I("long long"));
  ctx.applySignofPragma("char", true, &table);
  EXPECT_EQ(ctx.integerTypeFor(8, true), I("char"));
  EXPECT_EQ(ctx.integerTypeFor(-8, true), I("signed char"));
  // No built-in record of that width: one record of its own, kept.
  auto* odd = ctx.integerTypeFor(-24, false);
  ASSERT_NE(odd, nullptr);
  EXPECT_EQ(ctx.integerTypeFor(-24, false), odd);
  ctx.applySizeofPragma("int", 16, &table);
  EXPECT_EQ(odd->signedWidth, -24);  // fixed records ignore the table
  EXPECT_EQ(ctx.integerTypeFor(-16, false), I("short"));
}

// ---------------------------------------------------------------- parameter modes

TEST_F(BaseTypes, ModifierWords) {
  const char* words[] = {"_in", "_IN", "_out", "_OUT", "_inout", "_INOUT", "_no", "_NO", "_nocheck", "_NOCHECK"};
  for (int i = 0; i < 10; ++i) EXPECT_EQ(ctx.typeModifierIndex(words[i]), i) << words[i];
  EXPECT_EQ(ctx.typeModifierIndex("__far"), -1);
  EXPECT_EQ(ctx.registerTypeModifier("__far"), 10);
  EXPECT_EQ(ctx.registerTypeModifier("__far"), 10);  // not added twice
  EXPECT_EQ(ctx.registerTypeModifier("_out"), 2);
  EXPECT_TRUE(ctx.isTypeModifier("__far"));
  // Words the preprocessor knows join the list.
  EXPECT_FALSE(ctx.isTypeModifier("__huge"));
  ctx.setTypeModifierSource([](const std::string& w) { return w == "__huge"; });
  EXPECT_GT(ctx.typeModifierIndex("__huge"), 9);
  EXPECT_EQ(ctx.typeModifiers().back().text(), "__huge");
  EXPECT_EQ(table.classify(internName("__huge"), 0), IdentifierClass::Modifier);
  EXPECT_FALSE(ctx.isTypeModifier("__tiny"));
  // Found through levels, not through typedefs.
  Type* t = ctx.pointerTo(ctx.modifiedType(n("_nocheck"), ctx.qualifiedType(I("char"), n("const"))));
  EXPECT_TRUE(typeHasModifier(t, "_nocheck"));
  EXPECT_TRUE(typeHasModifier(t, "const"));
  EXPECT_FALSE(typeHasModifier(t, "_NOCHECK"));
  EXPECT_TRUE(typeHasModifier(ctx.arrayOf(ctx.pointerTo(I("int"), {n("_NOCHECK")}), "2"), "_NOCHECK"));
  EXPECT_FALSE(typeHasModifier(ctx.typedefType(n("T"), ctx.modifiedType(n("_nocheck"), I("int")), 0), "_nocheck"));
  EXPECT_FALSE(typeHasModifier(nullptr, "const"));
}

TEST_F(BaseTypes, ParameterModesAreFoundAndRemoved) {
  auto* c = I("char");
  auto* f = ctx.functionType(ctx.modifiedType(n("_no"), ctx.voidType()));
  const struct { const char* what; Type* type; int index; const char* strippedImage; } cases[] = {
      {"pointer", ctx.pointerTo(ctx.modifiedType(n("_out"), I("int"))), 2, "int *"},
      {"plain", ctx.modifiedType(n("_IN"), I("int")), 1, "int"},
      {"in-out array", ctx.arrayOf(ctx.modifiedType(n("_INOUT"), c), "4"), 5, "char [4]"},
      {"reference", ctx.referenceTo(ctx.modifiedType(n("_inout"), I("long"))), 4, "long &"},
      {"function result", ctx.pointerTo(f), 6, "void (*)()"},
      {"chain of a pointer level", ctx.pointerTo(c, {n("const"), n("_NO")}), 7, "char * const"},
      {"under another modifier", ctx.modifiedType(n("const"), ctx.modifiedType(n("_OUT"), c)), 3, "const char"},
      {"nocheck is no mode", ctx.modifiedType(n("_nocheck"), c), kNoModeIndex, "_nocheck char"},
      {"none", ctx.pointerTo(c), kNoModeIndex, "char *"},
      {"typedef not looked into", ctx.typedefType(n("OUTC"), ctx.modifiedType(n("_out"), c), 0), kNoModeIndex,
       "OUTC"},
  };
  for (const auto& k : cases) {
    Type* t = k.type;
    const std::string before = image(t);
    EXPECT_EQ(ctx.parameterMode(t), k.index) << k.what;
    EXPECT_EQ(image(t), before) << k.what;  // found, not removed
    EXPECT_EQ(ctx.parameterMode(t, true), k.index) << k.what;
    EXPECT_EQ(image(t), k.strippedImage) << k.what;
    EXPECT_EQ(image(k.type), before) << k.what;  // the shared record is untouched
    EXPECT_EQ(ctx.parameterMode(t), kNoModeIndex) << k.what;
  }
  EXPECT_EQ(modeOfIndex(2), ModeOut);
  EXPECT_EQ(modeOfIndex(1), ModeIn);
  EXPECT_EQ(modeOfIndex(kNoModeIndex), ModeNone);
}

// ---------------------------------------------------------------- testable components

TEST_F(BaseTypes, TestableComponentsAndMembers) {
  auto* i = I("int");
  auto* inner = structure("Inner", {{"a", i}, {"b", ctx.arrayOf(ctx.floatingType("double"), "10")}});
  auto* cls = ctx.structureType(n("Outer"), true, 0);
  ctx.addMember(cls, ctx.makeMember(n("hidden"), i, 0, 0, Access::Private));
  ctx.addMember(cls, ctx.makeMember(n("in"), inner, 0, 0, Access::Public));
  ctx.addMember(cls, ctx.makeMember(n("p"), ctx.pointerTo(cls), 0, 0, Access::Public));
  ctx.addMember(cls, ctx.makeMember(n("method"), ctx.functionType(i), 0, 0, Access::Public));
  ctx.addMember(cls, ctx.makeMember(n("shared"), i, StStatic, 0, Access::Public));
  auto* u = ctx.unionType(n("U"), 0);
  ctx.addMember(u, ctx.makeMember(n("x"), inner, 0, 0, Access::Public));
  ctx.addMember(u, ctx.makeMember(n("y"), i, 0, 0, Access::Public));
  EXPECT_EQ(countTestable(i), 1);
  EXPECT_EQ(countTestable(nullptr), 0);
  EXPECT_EQ(countTestable(inner), 2);
  EXPECT_EQ(countTestable(cls), 3);  // in.a, in.b, p
  EXPECT_EQ(countTestable(ctx.typedefType(n("T"), ctx.arrayOf(cls, "3"), 0)), 3);
  EXPECT_EQ(countTestable(u), 1);
  u->selectedMember = 1;
  EXPECT_EQ(countTestable(u), 2);
  EXPECT_EQ(countTestable(ctx.templateType(n("X"), 0)), 0);
  auto* privateOnly = ctx.structureType(n("P"), true, 0);
  ctx.addMember(privateOnly, ctx.makeMember(n("z"), i, 0, 0, Access::Private));
  EXPECT_EQ(countTestable(privateOnly), 0);
  privateOnly->openAccess = true;
  EXPECT_EQ(countTestable(privateOnly), 1);
  // Members of bases are found; the fields reachable are in order.
  auto* derived = structure("D", {{"own", i}}, true);
  ctx.addBaseClass(derived, inner, Access::Public, false);
  ctx.addBaseClass(derived, privateOnly, Access::Private, false);
  EXPECT_EQ(findMember(ctx.typedefType(n("DT"), derived, 0), n("a"))->name.text(), "a");
  EXPECT_EQ(findMember(derived, n("z"))->access, Access::Private);
  EXPECT_EQ(findMember(derived, n("missing")), nullptr);
  EXPECT_EQ(findMember(i, n("a")), nullptr);
  auto fields = reachableFields(derived);
  ASSERT_EQ(fields.size(), 3u);
  EXPECT_EQ(fields[0]->name.text(), "a");
  EXPECT_EQ(fields[2]->name.text(), "own");
}

TEST_F(BaseTypes, TestableCountStopsOnMalformedNesting) {
  // A structure that contains itself by value, twice: must end, not explode.
  auto* s = ctx.structureType(n("Loop"), false, 0);
  for (const char* m : {"a", "b"}) ctx.addMember(s, ctx.makeMember(n(m), s, 0, 0, Access::Public));
  ctx.addMember(s, ctx.makeMember(n("c"), I("int"), 0, 0, Access::Public));
  EXPECT_EQ(countTestable(s), 1);
  // 1200 nested typedefs: deeper than the nesting limit counts nothing.
  Type* t = I("int");
  for (int k = 0; k < 1200; ++k) t = ctx.typedefType(n("T"), t, 0);
  EXPECT_EQ(countTestable(t), 0);
  // Many levels of structures with two members each: capped, and fast.
  Type* level = I("int");
  for (int k = 0; k < 40; ++k) level = structure("L", {{"l", level}, {"r", level}});
  EXPECT_EQ(countTestable(level), 1000000000);
}

// ---------------------------------------------------------------- comparison

TEST_F(BaseTypes, IntegersCompareByWhatTheyDenote) {
  const struct { const char* a; const char* b; bool same; } cases[] = {
      {"unsigned long", "long unsigned int", true}, {"signed", "int", true}, {"signed int", "int signed", true},
      {"short int", "short", true}, {"long long", "long long int", true}, {"unsigned", "unsigned int", true},
      {"int", "long", false},  // same width, other type
      {"char", "signed char", false}, {"char", "unsigned char", false}, {"long", "long long", false},
      {"wchar_t", "char", false}, {"bool", "char", false},
  };
  for (const auto& k : cases) EXPECT_EQ(sameType(I(k.a), I(k.b)), k.same) << k.a << " / " << k.b;
  EXPECT_EQ(canonicalIntegerName(I("long unsigned int")), "unsigned long");
  EXPECT_EQ(canonicalIntegerName(I("char signed")), "signed char");
  EXPECT_EQ(canonicalIntegerName(ctx.floatingType("double")), "");
}

TEST_F(BaseTypes, DerivedTypesCompareLevelByLevel) {
  auto* i = I("int");
  const Name cst = n("const");
  auto* cls = ctx.structureType(n("C"), true, 0);
  auto fn = [&](Type* result, std::initializer_list<Type*> params, bool isConst = false) {
    auto* f = ctx.functionType(result);
    for (Type* p : params) ctx.addParameter(f, param("", p));
    f->constMethod = isConst;
    return f;
  };
  const struct {
    const char* what;
    Type* a;
    Type* b;
    bool same;
    int compatible;  // -1: not checked
  } cases[] = {
      {"typedef looked through", ctx.pointerTo(ctx.typedefType(n("size"), I("unsigned long"), 0)),
       ctx.pointerTo(I("long unsigned")), true, -1},
      {"pointer to const", ctx.pointerTo(i), ctx.pointerTo(ctx.qualifiedType(i, cst)), false, -1},
      {"const pointer", ctx.pointerTo(i), ctx.qualifiedType(ctx.pointerTo(i), cst), false, -1},
      {"reference", ctx.pointerTo(i), ctx.referenceTo(i), false, -1},
      {"same bound text", ctx.arrayOf(i, "N"), ctx.arrayOf(i, "N"), true, -1},
      {"same bound value", ctx.arrayOf(i, "10", 10), ctx.arrayOf(i, "(5*2)", 10), true, -1},
      {"other bound", ctx.arrayOf(i, "10", 10), ctx.arrayOf(i, "11", 11), false, -1},
      {"open array", ctx.arrayOf(i), ctx.arrayOf(i, "10", 10), false, 1},
      {"member pointer", ctx.memberPointerTo(cls, i), ctx.pointerTo(i), false, -1},
      {"same member pointer", ctx.memberPointerTo(cls, i), ctx.memberPointerTo(cls, i), true, -1},
      {"one tag", ctx.structureType(n("S"), false, 0), ctx.structureType(n("S"), false, 0), true, -1},
      {"union tag", ctx.structureType(n("S"), false, 0), ctx.unionType(n("S"), 0), false, -1},
      {"unnamed", ctx.structureType(Name(), false, 0), ctx.structureType(Name(), false, 0), false, -1},
      {"functions", fn(i, {i, ctx.pointerTo(I("char"))}), fn(I("signed"), {i, ctx.pointerTo(I("char"))}), true,
       -1},
      {"parameter type", fn(i, {i}), fn(i, {I("long")}), false, -1},
      {"parameter count", fn(i, {i}), fn(i, {i, i}), false, -1},
      {"const method", fn(i, {}), fn(i, {}, true), false, -1},
      {"result", fn(i, {}), fn(ctx.voidType(), {}), false, -1},
      {"ellipsis", fn(i, {i}), fn(i, {i, ctx.ellipsisType()}), false, -1},
      {"empty list", fn(i, {}), fn(i, {i}), false, 1},
  };
  for (const auto& k : cases) {
    EXPECT_EQ(sameType(k.a, k.b), k.same) << k.what;
    if (k.compatible >= 0) {
      EXPECT_EQ(compatibleTypes(k.a, k.b), k.compatible == 1) << k.what;
    }
  }
}

// ---------------------------------------------------------------- images

using TypeImages = TablesTest;

TEST_F(TypeImages, DeclaratorsNestAsCRequires) {
  auto* i = I("int");
  auto* c = I("char");
  const Name cst = n("const");
  auto* printf = fn(i, {{"fmt", ctx.pointerTo(ctx.modifiedType(cst, c))}, {"", ctx.ellipsisType()}});
  ctx.addException(printf, ctx.structureType(n("Error"), true, 0));
  auto* g = fn(ctx.voidType());
  ctx.addException(g, nullptr);
  const struct { Type* type; const char* declarator; const char* expected; } cases[] = {
      {nullptr, "x", "int x"}, {ctx.pointerTo(i), "p", "int *p"}, {ctx.pointerTo(i), "", "int *"},
      {ctx.pointerTo(ctx.pointerTo(c)), "argv", "char **argv"},
      {ctx.pointerTo(ctx.arrayOf(i, "10")), "p", "int (*p)[10]"},
      {ctx.pointerTo(ctx.arrayOf(i, "10")), "", "int (*)[10]"},
      {ctx.arrayOf(ctx.pointerTo(i), "4"), "a", "int *a[4]"},
      {ctx.arrayOf(ctx.arrayOf(i, "5"), "10"), "t", "int t[10][5]"}, {ctx.arrayOf(i), "t", "int t[]"},
      {ctx.arrayOf(i, "", 7), "t", "int t[7]"}, {ctx.pointerTo(fn(i, {{"", c}})), "fp", "int (*fp)(char)"},
      {ctx.arrayOf(ctx.pointerTo(fn(ctx.voidType(), {{"n", i}})), "3"), "handlers", "void (*handlers[3])(int n)"},
      {fn(ctx.pointerTo(ctx.arrayOf(c, "8"))), "f", "char (*f())[8]"},
      {fn(ctx.pointerTo(fn(i, {{"", I("long")}})), {{"k", c}}), "pick", "int (*pick(char k))(long)"},
      {printf, "printf", "int printf(const char *fmt, ...) throw (Error)"}, {g, "g", "void g() throw ()"},
      {fn(i, {}, true), "size", "int size() const"}, {ctx.qualifiedType(i, cst), "k", "const int k"},
      {ctx.qualifiedType(ctx.qualifiedType(i, n("volatile")), cst), "r", "const volatile int r"},
      {ctx.pointerTo(ctx.qualifiedType(c, cst)), "s", "const char *s"},
      {ctx.qualifiedType(ctx.pointerTo(c), cst), "s", "char * const s"},
      {ctx.qualifiedType(ctx.pointerTo(c), cst), "", "char * const"},
      {ctx.qualifiedType(ctx.pointerTo(ctx.qualifiedType(c, cst)), cst), "s", "const char * const s"},
      {ctx.pointerTo(ctx.qualifiedType(ctx.pointerTo(c), cst)), "pp", "char * const *pp"},
      {ctx.referenceTo(i), "r", "int &r"}, {ctx.referenceTo(ctx.pointerTo(i)), "rp", "int *&rp"},
      {ctx.referenceTo(ctx.arrayOf(i, "3")), "ra", "int (&ra)[3]"},
      {ctx.pointerTo(ctx.modifiedType(n("_out"), i)), "p", "_out int *p"},
      {ctx.pointerTo(ctx.typedefType(n("BYTE"), I("unsigned char"), 0)), "b", "BYTE *b"},
      {ctx.floatingType("long double"), "d", "long double d"},
      {ctx.memberPointerTo(ctx.structureType(n("Shape"), true, 0), i), "pm", "int Shape::*pm"},
      {ctx.memberPointerTo(ctx.structureType(n("Shape"), true, 0), fn(i, {}, true)), "area",
       "int (Shape::*area)() const"},
  };
  for (const auto& k : cases) EXPECT_EQ(image(k.type, k.declarator), k.expected);
  // Storage words in their fixed order.
  EXPECT_EQ(storageImage(StExtern | StFriend | StTypedef), "typedef friend extern ");
  EXPECT_EQ(storageImage(StMutable | StExplicit | StExport | StOverload | StRegister | StAuto),
            "auto register overload export explicit mutable ");
}

TEST_F(TypeImages, TagsAreQualifiedFromOtherScopes) {
  const int ns = table.openScope(n("geo"), ScopeKind::Namespace);
  auto* point = ctx.structureType(n("Point"), false, ns);
  const int cls = table.openScope(n("Point"), ScopeKind::Class, point);
  auto* inner = ctx.enumerationType(n("Axis"), cls);
  table.closeScope();
  table.closeScope();
  ImageOptions fromGlobal;
  fromGlobal.table = &table;
  EXPECT_EQ(typeImage(ctx.pointerTo(point), "p", fromGlobal), "geo::Point *p");
  EXPECT_EQ(typeImage(inner, "a", fromGlobal), "geo::Point::Axis a");
  ImageOptions fromInside = fromGlobal;
  fromInside.requestingScope = cls;
  EXPECT_EQ(typeImage(inner, "a", fromInside), "Axis a");
  EXPECT_EQ(typeImage(point, "p", fromInside), "Point p");
  fromGlobal.tagKeywords = true;
  EXPECT_EQ(typeImage(point, "p", fromGlobal), "struct geo::Point p");
  EXPECT_EQ(typeImage(inner, "", fromGlobal), "enum geo::Point::Axis");
  // Unnamed namespaces are not written.
  const int unnamed = table.openUnnamedNamespace();
  auto* hidden = ctx.structureType(n("Hidden"), false, unnamed);
  table.closeScope();
  EXPECT_EQ(image(hidden, "h"), "Hidden h");
}

TEST_F(TypeImages, BodiesOfDefinitionsAndAnonymousTypes) {
  auto* node = structure("Node", {{"value", I("int")}});
  ctx.addMember(node, ctx.makeMember(n("next"), ctx.pointerTo(node), 0, 0, Access::Public));
  node->complete = true;
  ImageOptions o;
  o.table = &table;
  o.definitions = true;
  EXPECT_EQ(typeImage(node, "head", o), "struct Node { int value; Node *next; } head");  // printed once
  EXPECT_EQ(image(node, "head"), "Node head");
  auto* colours = ctx.enumerationType(Name(), 0);
  ctx.addEnumerator(colours, n("RED"), 0);
  ctx.addEnumerator(colours, n("BLUE"), 4);
  auto* anon = ctx.structureType(Name(), false, 0);
  ctx.addMember(anon, ctx.makeMember(n("x"), I("short"), 0, 0, Access::Public));
  EXPECT_EQ(image(anon, "s"), "struct { short x; } s");
  EXPECT_EQ(image(colours, "c"), "enum { RED = 0, BLUE = 4 } c");
}

TEST_F(TypeImages, TemplatesAndParameterLists) {
  auto* templ = ctx.templateType(n("Stack"), 0);
  templ->target = ctx.structureType(n("Stack"), true, 0);
  ctx.addTemplateParameter(templ, {TemplateParameterKind::Type, n("T"), false, nullptr, ""});
  ctx.addTemplateParameter(templ, {TemplateParameterKind::Value, n("N"), false, I("int"), "16"});
  EXPECT_EQ(image(templ), "template <class T, int N = 16> class Stack");
  auto* ftempl = ctx.templateType(n("first"), 0);
  ftempl->target = fn(ctx.pointerTo(I("char")), {{"a", I("int")}});
  ctx.addTemplateParameter(ftempl, {TemplateParameterKind::Type, n("U"), true, nullptr, ""});
  EXPECT_EQ(image(ftempl, "first"), "template <typename U> char *first(int a)");
  // Parameter names can be left out.
  auto* copy = fn(ctx.voidType(), {{"dst", ctx.pointerTo(I("char"))}, {"n", I("unsigned")}});
  ImageOptions o;
  o.table = &table;
  o.parameterNames = false;
  EXPECT_EQ(typeImage(copy, "copy", o), "void copy(char *, unsigned)");
  EXPECT_EQ(parameterListImage(copy), "char *dst, unsigned n");
}

TEST_F(TypeImages, IdentifierForms) {
  const std::pair<const char*, const char*> cases[] = {
      {"compute", "compute"}, {"$cost", "_cost"}, {"unsigned int", "unsignedint"},
      {"~Stack", "destructor_Stack"}, {"operator()", "operator_function_call"},
      {"operator ()", "operator_function_call"}, {"operator+=", "operator_add_assign"},
      {"operator new", "operator__new"}, {"operator delete[]", "operator__delete[]"},
      {"operator<<=", "operator_left_shift_assign"}, {"operator->*", "operator_arrow_star"},
      {"operator[]", "operator_subscript"}, {"operator||", "operator_or"}, {"operator~", "operator_invbit"},
      {"operator_x", "operator_x"}, {"operators", "operators"}, {"Stack::push", "Stack__push"},
      {"Stack::~Stack", "Stack__destructor_Stack"}, {"ns::Vec::operator==", "ns__Vec__operator_equal"},
  };
  for (const auto& [name, form] : cases) EXPECT_EQ(identifierForm(name), form) << name;
  // Every operator has a word of its own.
  const char* ops[] = {"!", "!=", "%", "%=", "&", "&=", "&&", "()", "*", "*=", "+", "+=", "++", "-", "-=", "--",
                       "->", "->*", ".", ".*", "/", "/=", "<", "<=", "<<", "<<=", "=", "==", ">", ">=", ">>",
                       ">>=", "[]", "^", "^=", "|", "|=", "||", "~"};
  std::set<std::string> words;
  for (const char* op : ops) {
    ASSERT_NE(operatorWord(op), nullptr) << op;
    words.insert(operatorWord(op));
  }
  EXPECT_EQ(words.size(), std::size(ops));
  EXPECT_EQ(operatorWord("new"), nullptr);
}

}  // namespace
}  // namespace zenta::analyser::testing

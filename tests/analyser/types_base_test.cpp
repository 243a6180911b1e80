// Base integer types, specifier composition, target width and signedness
// pragmas, parameter modes and testable component counts.
#include "types_fixture.h"

namespace zenta::analyser::testing {
namespace {

class BaseTypes : public TablesTest {};

struct ComposeCase {
  std::initializer_list<const char*> words;
  const char* name;
  int signedWidth;
  bool charFlag;
};

TEST_F(BaseTypes, SpecifiersComposeLeftToRight) {
  const ComposeCase cases[] = {
      {{"char"}, "char", -8, true},
      {{"wchar_t"}, "wchar_t", -8, true},
      {{"bool"}, "bool", -8, false},
      {{"short"}, "short", -16, false},
      {{"signed"}, "signed", -32, false},
      {{"unsigned"}, "unsigned", 32, false},
      {{"long"}, "long", -32, false},
      {{"signed", "short"}, "signed short", -16, false},
      {{"unsigned", "long"}, "unsigned long", 32, false},
      {{"long", "unsigned", "int"}, "long unsigned int", 32, false},
      {{"long", "long"}, "long long", -64, false},
      {{"unsigned", "long", "long", "int"}, "unsigned long long int", 64, false},
      {{"unsigned", "char"}, "unsigned char", 8, true},
      {{"signed", "char"}, "signed char", -8, true},
      {{"short", "int"}, "short int", -16, false},
      {{"int", "short"}, "int short", -16, false},
  };
  for (const auto& k : cases) {
    const IntegerType* t = dyn<IntegerType>(compose(k.words));
    ASSERT_NE(t, nullptr) << k.name;
    EXPECT_EQ(t->name.text(), k.name);
    EXPECT_EQ(t->signedWidth, k.signedWidth) << k.name;
    EXPECT_EQ(t->charFlag, k.charFlag) << k.name;
  }
  EXPECT_TRUE(reported().empty());
}

TEST_F(BaseTypes, IdenticalCompositionsShareOneRecord) {
  Type* a = compose({"unsigned", "long"});
  Type* b = compose({"unsigned", "long"});
  EXPECT_EQ(a, b);
  EXPECT_EQ(compose({"int"}), ctx.builtinInteger("int"));
  EXPECT_NE(compose({"long", "unsigned"}), a);  // named in source order
  EXPECT_EQ(ctx.pointerTo(a), ctx.pointerTo(b));
  EXPECT_EQ(ctx.qualifiedType(a, n("const")), ctx.qualifiedType(b, n("const")));
  EXPECT_NE(ctx.pointerTo(a), ctx.pointerTo(a, {n("const")}));
  EXPECT_EQ(compose({"long", "double"}), ctx.floatingType("long double"));
  EXPECT_EQ(compose({"double", "long"}), ctx.floatingType("long double"));
}

TEST_F(BaseTypes, ModifiedAndPointerSpecifiersComposeInside) {
  Type* constUnsigned = ctx.qualifiedType(I("unsigned"), n("const"));
  Type* t = ctx.composeType(constUnsigned, I("long"));
  ASSERT_NE(t, nullptr);
  EXPECT_EQ(t->kind, TypeKind::Modified);
  EXPECT_EQ(targetOf(t), I("unsigned long"));
  EXPECT_EQ(image(t, "x"), "const unsigned long x");

  Type* mode = ctx.modifiedType(n("_in"), I("short"));
  Type* m = ctx.composeType(I("unsigned"), mode);
  ASSERT_NE(m, nullptr);
  EXPECT_EQ(image(m, "v"), "_in unsigned short v");

  Type* p = ctx.composeType(ctx.pointerTo(I("long")), I("long"));
  ASSERT_NE(p, nullptr);
  EXPECT_EQ(p, ctx.pointerTo(I("long long")));
}

TEST_F(BaseTypes, QualifiersAndModeWordsComposeInAnyPosition) {
  const Name cst = n("const");
  // const unsigned long, unsigned const long, unsigned long const
  Type* a = ctx.composeType(ctx.composeType(ctx.qualifiedType(nullptr, cst), I("unsigned")), I("long"));
  Type* b = ctx.composeType(ctx.composeType(I("unsigned"), ctx.qualifiedType(nullptr, cst)), I("long"));
  Type* c = ctx.composeType(ctx.composeType(I("unsigned"), I("long")), ctx.qualifiedType(nullptr, cst));
  EXPECT_EQ(a, b);
  EXPECT_EQ(b, c);
  EXPECT_EQ(image(a, "v"), "const unsigned long v");
  // A lone qualifier is the implicit int of C.
  EXPECT_EQ(image(ctx.qualifiedType(nullptr, cst), "w"), "const int w");
  Type* in = ctx.composeType(ctx.modifiedType(n("_in"), nullptr), I("char"));
  EXPECT_EQ(image(ctx.pointerTo(in), "s"), "_in char *s");
  EXPECT_TRUE(reported().empty());
}

struct BadCase {
  const char* what;
  Type* a;
  Type* b;
  const char* code;
  int severity;
};

TEST_F(BaseTypes, InvalidCombinationsReportAndGiveNoType) {
  auto* s = ctx.structureType(n("S"), false, 0);
  auto* e = ctx.enumerationType(n("E"), 0);
  auto* fn = ctx.functionType(I("int"));
  const BadCase cases[] = {
      {"short long", I("short"), I("long"), "CONSTRUCT", 3},
      {"signed unsigned", I("signed"), I("unsigned"), "CONSTRUCT", 3},
      {"long long long", I("long long"), I("long"), "CONSTRUCT", 3},
      {"char int", I("char"), I("int"), "CONSTRUCT", 3},
      {"unsigned bool", I("unsigned"), I("bool"), "CONSTRUCT", 3},
      {"int int", I("int"), I("int"), "CONSTRUCT", 3},
      {"int struct", I("int"), s, "CONSTRUCT", 3},
      {"enum unsigned", e, I("unsigned"), "CONSTRUCT", 3},
      {"int function", I("int"), fn, "CONSTRUCT", 3},
      {"unsigned double", I("unsigned"), ctx.floatingType("double"), "CONSTRUCT", 3},
      {"long float", I("long"), ctx.floatingType("float"), "CONSTRUCT", 3},
      {"void int", ctx.voidType(), I("int"), "CONSTRUCT", 3},
      {"typedef int", ctx.typedefType(n("T"), I("int"), 0), I("int"), "CONSTRUCT", 3},
      {"ellipsis", ctx.ellipsisType(), I("int"), "ERRINTERN", 0},
      {"array", I("int"), ctx.arrayOf(I("int"), "2"), "ERRINTERN", 0},
      {"reference", ctx.referenceTo(I("int")), I("long"), "ERRINTERN", 0},
  };
  for (const auto& k : cases) {
    reported().clear();
    EXPECT_EQ(ctx.composeType(k.a, k.b), nullptr) << k.what;
    ASSERT_EQ(reported().size(), 1u) << k.what;
    EXPECT_EQ(reported()[0].code, k.code) << k.what;
    EXPECT_EQ(reported()[0].severity, k.severity) << k.what;
  }
  reported().clear();
  ctx.composeType(I("short"), I("long"));
  EXPECT_EQ(reported()[0].argument, "short long");
  reported().clear();
  ctx.composeType(ctx.ellipsisType(), I("int"));
  EXPECT_EQ(reported()[0].argument, "CPP_compose_type");
}

TEST_F(BaseTypes, NullOperandGivesTheOther) {
  EXPECT_EQ(ctx.composeType(nullptr, I("int")), I("int"));
  EXPECT_EQ(ctx.composeType(I("int"), nullptr), I("int"));
  EXPECT_EQ(ctx.composeType(nullptr, nullptr), nullptr);
  EXPECT_TRUE(reported().empty());
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

  ASSERT_TRUE(ctx.applySizeofPragma("longlong", 128 / 2, &table));
  ASSERT_TRUE(ctx.applySizeofPragma("longlong", 48, &table));
  EXPECT_EQ(I("long long")->signedWidth, -48);
  EXPECT_EQ(targetWidth(BaseWidth::Long), 64);

  ASSERT_TRUE(ctx.applySizeofPragma("short", 32, &table));
  ASSERT_TRUE(ctx.applySizeofPragma("i", 16, &table));
  EXPECT_EQ(I("short")->signedWidth, -32);
  EXPECT_EQ(I("int")->signedWidth, -16);
  EXPECT_EQ(I("unsigned")->signedWidth, 16);

  ASSERT_TRUE(ctx.applySizeofPragma("char", 16, &table));
  EXPECT_EQ(I("char")->signedWidth, -16);
  EXPECT_EQ(I("wchar_t")->signedWidth, -16);  // the width of char, not twice it
  EXPECT_EQ(I("bool")->signedWidth, -16);
}

TEST_F(BaseTypes, SizeofPragmaRefusesUnknownNamesAndWidths) {
  EXPECT_FALSE(ctx.applySizeofPragma("float", 64, &table));
  EXPECT_FALSE(ctx.applySizeofPragma("", 64, &table));
  EXPECT_FALSE(ctx.applySizeofPragma("int", 0, &table));
  EXPECT_FALSE(ctx.applySizeofPragma("int", 65, &table));
  EXPECT_EQ(targetWidth(BaseWidth::Int), 32);
  EXPECT_EQ(I("int")->signedWidth, -32);
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

TEST_F(BaseTypes, PlainCharSignednessFollowsSignofAndReachesWchar) {
  auto* c = I("char");
  auto* w = I("wchar_t");
  auto* sc = I("signed char");
  ASSERT_TRUE(ctx.applySignofPragma("char", true, &table));
  EXPECT_TRUE(plainCharUnsigned());
  EXPECT_EQ(c->signedWidth, 8);
  EXPECT_EQ(w->signedWidth, 8);
  EXPECT_EQ(sc->signedWidth, -8);  // explicit signed stays signed
  EXPECT_EQ(I("bool")->signedWidth, -8);
  EXPECT_TRUE(isCharLike(c));
  EXPECT_FALSE(isSignedInteger(c));
  ASSERT_TRUE(ctx.applySignofPragma("c", false, &table));
  EXPECT_EQ(c->signedWidth, -8);
  EXPECT_EQ(w->signedWidth, -8);
}

TEST_F(BaseTypes, SignofOfOtherWidthsKeepsExplicitWords) {
  ASSERT_TRUE(ctx.applySignofPragma("int", true, &table));
  EXPECT_EQ(I("int")->signedWidth, 32);
  EXPECT_EQ(I("signed")->signedWidth, -32);
  EXPECT_EQ(I("signed int")->signedWidth, -32);
  EXPECT_EQ(I("long")->signedWidth, -32);
  ASSERT_TRUE(ctx.applySignofPragma("longlong", true, &table));
  EXPECT_EQ(I("long long")->signedWidth, 64);
  EXPECT_FALSE(ctx.applySignofPragma("double", true, &table));
}

TEST_F(BaseTypes, ResetOfTheWidthTableRefreshesRecords) {
  auto* l = I("long");
  setTargetWidth(BaseWidth::Long, 64);
  EXPECT_EQ(l->signedWidth, -64);
  resetTargetWidths();
  EXPECT_EQ(l->signedWidth, -32);
}

TEST_F(BaseTypes, LookingThroughTypedefsAndModifiers) {
  auto* byte = ctx.typedefType(n("BYTE"), I("unsigned char"), 0);
  Type* cbyte = ctx.qualifiedType(byte, n("const"));
  EXPECT_TRUE(isCharLike(cbyte));
  EXPECT_EQ(integerBase(cbyte), I("unsigned char"));
  EXPECT_EQ(integerWidth(cbyte), 8);
  EXPECT_EQ(stripAll(ctx.referenceTo(cbyte)), I("unsigned char"));
  EXPECT_EQ(stripTypedefsAndModifiers(ctx.referenceTo(cbyte))->kind, TypeKind::Reference);
  EXPECT_FALSE(isCharLike(ctx.pointerTo(I("char"))));
  EXPECT_EQ(integerBase(ctx.floatingType("double")), nullptr);
}

// --- parameter modes ------------------------------------------------------

TEST_F(BaseTypes, ModeWordsAreTheFirstTenModifiers) {
  const char* words[] = {"_in", "_IN", "_out", "_OUT", "_inout", "_INOUT", "_no", "_NO", "_nocheck", "_NOCHECK"};
  for (int i = 0; i < 10; ++i) EXPECT_EQ(ctx.typeModifierIndex(words[i]), i) << words[i];
  EXPECT_EQ(ctx.typeModifierIndex("__far"), -1);
  EXPECT_EQ(ctx.registerTypeModifier("__far"), 10);
  EXPECT_EQ(ctx.registerTypeModifier("__far"), 10);  // not added twice
  EXPECT_EQ(ctx.registerTypeModifier("_out"), 2);
  EXPECT_TRUE(ctx.isTypeModifier("__far"));
  EXPECT_EQ(ctx.typeModifiers().size(), 11u);
}

TEST_F(BaseTypes, ParameterModesAreFoundAndRemoved) {
  // void f(_out int *p, _IN int n)
  Type* p = ctx.pointerTo(ctx.modifiedType(n("_out"), I("int")));
  Type* k = ctx.modifiedType(n("_IN"), I("int"));
  Type* shared = p;
  EXPECT_EQ(ctx.parameterMode(p, true), 2);
  EXPECT_EQ(ctx.parameterMode(k, true), 1);
  EXPECT_EQ(image(p), "int *");
  EXPECT_EQ(image(k), "int");
  EXPECT_EQ(ctx.parameterMode(p, false), kNoModeIndex);
  EXPECT_EQ(image(shared), "_out int *");  // the shared record is untouched
  EXPECT_EQ(modeOfIndex(2), ModeOut);
  EXPECT_EQ(modeOfIndex(1), ModeIn);
  EXPECT_EQ(modeOfIndex(kNoModeIndex), ModeNone);
}

TEST_F(BaseTypes, ParameterModesLookThroughLevels) {
  struct Case {
    const char* what;
    Type* type;
    int index;
    const char* strippedImage;
  };
  auto* c = I("char");
  auto* f = ctx.functionType(ctx.modifiedType(n("_no"), ctx.voidType()));
  const Case cases[] = {
      {"in-out array", ctx.arrayOf(ctx.modifiedType(n("_INOUT"), c), "4"), 5, "char [4]"},
      {"reference", ctx.referenceTo(ctx.modifiedType(n("_inout"), I("long"))), 4, "long &"},
      {"function result", ctx.pointerTo(f), 6, "void (*)()"},
      {"chain of a pointer level", ctx.pointerTo(c, {n("const"), n("_NO")}), 7, "char * const"},
      {"under another modifier", ctx.modifiedType(n("const"), ctx.modifiedType(n("_OUT"), c)), 3, "const char"},
      {"nocheck is no mode", ctx.modifiedType(n("_nocheck"), c), kNoModeIndex, "_nocheck char"},
      {"none", ctx.pointerTo(c), kNoModeIndex, "char *"},
      {"typedef not looked into", ctx.typedefType(n("OUTC"), ctx.modifiedType(n("_out"), c), 0), kNoModeIndex, "OUTC"},
  };
  for (const auto& k : cases) {
    Type* t = k.type;
    EXPECT_EQ(ctx.parameterMode(t), k.index) << k.what;
    EXPECT_EQ(ctx.parameterMode(t, true), k.index) << k.what;
    EXPECT_EQ(image(t), k.strippedImage) << k.what;
  }
}

TEST_F(BaseTypes, ModifierWordsAreFoundThroughLevels) {
  Type* t = ctx.pointerTo(ctx.modifiedType(n("_nocheck"), ctx.qualifiedType(I("char"), n("const"))));
  EXPECT_TRUE(typeHasModifier(t, "_nocheck"));
  EXPECT_TRUE(typeHasModifier(t, "const"));
  EXPECT_FALSE(typeHasModifier(t, "_NOCHECK"));
  EXPECT_TRUE(typeHasModifier(ctx.arrayOf(ctx.pointerTo(I("int"), {n("_NOCHECK")}), "2"), "_NOCHECK"));
  EXPECT_FALSE(typeHasModifier(ctx.typedefType(n("T"), ctx.modifiedType(n("_nocheck"), I("int")), 0), "_nocheck"));
  EXPECT_FALSE(typeHasModifier(nullptr, "const"));
}

// --- testable components --------------------------------------------------

TEST_F(BaseTypes, TestableComponentsCount) {
  auto* i = I("int");
  auto* inner = ctx.structureType(n("Inner"), false, 0);
  ctx.addMember(inner, ctx.makeMember(n("a"), i, 0, 0, Access::Public));
  ctx.addMember(inner, ctx.makeMember(n("b"), ctx.arrayOf(ctx.floatingType("double"), "10"), 0, 0, Access::Public));
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
  EXPECT_EQ(countTestable(ctx.functionType(i)), 1);

  auto* privateOnly = ctx.structureType(n("P"), true, 0);
  ctx.addMember(privateOnly, ctx.makeMember(n("z"), i, 0, 0, Access::Private));
  EXPECT_EQ(countTestable(privateOnly), 0);
  privateOnly->openAccess = true;
  EXPECT_EQ(countTestable(privateOnly), 1);

  auto* derived = ctx.structureType(n("D"), true, 0);
  ctx.addBaseClass(derived, inner, Access::Public, false);
  ctx.addBaseClass(derived, privateOnly, Access::Private, false);
  ctx.addMember(derived, ctx.makeMember(n("own"), i, 0, 0, Access::Public));
  EXPECT_EQ(findMember(derived, n("own"))->name.text(), "own");
  EXPECT_EQ(findMember(ctx.typedefType(n("DT"), derived, 0), n("a"))->name.text(), "a");  // from the base
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
  ctx.addMember(s, ctx.makeMember(n("a"), s, 0, 0, Access::Public));
  ctx.addMember(s, ctx.makeMember(n("b"), s, 0, 0, Access::Public));
  ctx.addMember(s, ctx.makeMember(n("c"), I("int"), 0, 0, Access::Public));
  EXPECT_EQ(countTestable(s), 1);

  // 1200 nested typedefs: deeper than the nesting limit counts nothing.
  Type* t = I("int");
  for (int k = 0; k < 1200; ++k) t = ctx.typedefType(n("T"), t, 0);
  EXPECT_EQ(countTestable(t), 0);

  // Many levels of structures with two members each: counted once per type.
  Type* level = I("int");
  for (int k = 0; k < 40; ++k) {
    auto* next = ctx.structureType(n("L"), false, 0);
    ctx.addMember(next, ctx.makeMember(n("l"), level, 0, 0, Access::Public));
    ctx.addMember(next, ctx.makeMember(n("r"), level, 0, 0, Access::Public));
    level = next;
  }
  EXPECT_EQ(countTestable(level), 1000000000);  // capped, and fast
}

}  // namespace
}  // namespace zenta::analyser::testing

namespace zenta::analyser::testing {
namespace {

class ConstantTypes : public TablesTest {};

bool knownToPreprocessor(const std::string& word) { return word == "__huge"; }

TEST_F(ConstantTypes, IntegerRecordsForConstantWidths) {
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
  EXPECT_EQ(odd->signedWidth, -24);
  EXPECT_EQ(ctx.integerTypeFor(-24, false), odd);
  ctx.applySizeofPragma("int", 16, &table);
  EXPECT_EQ(odd->signedWidth, -24);  // fixed records ignore the table
  EXPECT_EQ(ctx.integerTypeFor(-16, false), I("short"));
}

TEST_F(ConstantTypes, PreprocessorModifierWordsJoinTheList) {
  EXPECT_FALSE(ctx.isTypeModifier("__huge"));
  ctx.setTypeModifierSource(&knownToPreprocessor);
  EXPECT_EQ(ctx.typeModifierIndex("__huge"), 10);
  EXPECT_EQ(table.classify(internName("__huge"), 0), IdentifierClass::Modifier);
  EXPECT_FALSE(ctx.isTypeModifier("__tiny"));
  EXPECT_EQ(ctx.typeModifiers().back().text(), "__huge");
}

}  // namespace
}  // namespace zenta::analyser::testing

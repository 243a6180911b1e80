// Type comparison for redeclarations and overloads.
#include "types_fixture.h"

namespace zenta::analyser::testing {
namespace {

class CompareTypes : public TablesTest {};

TEST_F(CompareTypes, IntegersCompareByWhatTheyDenote) {
  struct Case {
    const char* a;
    const char* b;
    bool same;
  };
  const Case cases[] = {
      {"unsigned long", "long unsigned int", true}, {"signed", "int", true},
      {"signed int", "int signed", true},           {"short int", "short", true},
      {"long long", "long long int", true},         {"int", "long", false},  // same width, other type
      {"char", "signed char", false},               {"char", "unsigned char", false},
      {"unsigned", "unsigned int", true},           {"long", "long long", false},
      {"wchar_t", "char", false},                   {"bool", "char", false},
  };
  for (const auto& k : cases) EXPECT_EQ(sameType(I(k.a), I(k.b)), k.same) << k.a << " / " << k.b;
  EXPECT_EQ(canonicalIntegerName(I("long unsigned int")), "unsigned long");
  EXPECT_EQ(canonicalIntegerName(I("char signed")), "signed char");
  EXPECT_EQ(canonicalIntegerName(ctx.floatingType("double")), "");
}

TEST_F(CompareTypes, DerivedTypesCompareLevelByLevel) {
  auto* i = I("int");
  auto* size = ctx.typedefType(n("size"), I("unsigned long"), 0);
  const Name cst = n("const");
  EXPECT_TRUE(sameType(ctx.pointerTo(size), ctx.pointerTo(I("long unsigned"))));  // typedef looked through
  EXPECT_FALSE(sameType(ctx.pointerTo(i), ctx.pointerTo(ctx.qualifiedType(i, cst))));
  EXPECT_FALSE(sameType(ctx.pointerTo(i), ctx.qualifiedType(ctx.pointerTo(i), cst)));
  EXPECT_FALSE(sameType(ctx.pointerTo(i), ctx.referenceTo(i)));
  EXPECT_TRUE(sameType(ctx.arrayOf(i, "N"), ctx.arrayOf(i, "N")));
  EXPECT_TRUE(sameType(ctx.arrayOf(i, "10", 10), ctx.arrayOf(i, "(5*2)", 10)));
  EXPECT_FALSE(sameType(ctx.arrayOf(i, "10", 10), ctx.arrayOf(i, "11", 11)));
  EXPECT_FALSE(sameType(ctx.arrayOf(i), ctx.arrayOf(i, "10", 10)));
  EXPECT_TRUE(compatibleTypes(ctx.arrayOf(i), ctx.arrayOf(i, "10", 10)));

  auto* cls = ctx.structureType(n("C"), true, 0);
  EXPECT_FALSE(sameType(ctx.memberPointerTo(cls, i), ctx.pointerTo(i)));
  EXPECT_TRUE(sameType(ctx.memberPointerTo(cls, i), ctx.memberPointerTo(cls, i)));

  // Two records of one tag in one scope (a declaration and its definition).
  EXPECT_TRUE(sameType(ctx.structureType(n("S"), false, 0), ctx.structureType(n("S"), false, 0)));
  EXPECT_FALSE(sameType(ctx.structureType(n("S"), false, 0), ctx.unionType(n("S"), 0)));
  EXPECT_FALSE(sameType(ctx.structureType(Name(), false, 0), ctx.structureType(Name(), false, 0)));
}

TEST_F(CompareTypes, FunctionsCompareResultParametersAndConstness) {
  auto* i = I("int");
  auto fn = [&](Type* result, std::initializer_list<Type*> params, bool isConst = false) {
    auto* f = ctx.functionType(result);
    for (Type* p : params) ctx.addParameter(f, param("", p));
    f->constMethod = isConst;
    return f;
  };
  EXPECT_TRUE(sameType(fn(i, {i, ctx.pointerTo(I("char"))}), fn(I("signed"), {i, ctx.pointerTo(I("char"))})));
  EXPECT_FALSE(sameType(fn(i, {i}), fn(i, {I("long")})));
  EXPECT_FALSE(sameType(fn(i, {i}), fn(i, {i, i})));
  EXPECT_FALSE(sameType(fn(i, {}), fn(i, {}, true)));
  EXPECT_FALSE(sameType(fn(i, {}), fn(ctx.voidType(), {})));
  EXPECT_FALSE(sameType(fn(i, {i}), fn(i, {i, ctx.ellipsisType()})));
  EXPECT_FALSE(sameType(fn(i, {}), fn(i, {i})));
  EXPECT_TRUE(compatibleTypes(fn(i, {}), fn(i, {i})));
}

}  // namespace
}  // namespace zenta::analyser::testing

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
  EXPECT_EQ(canonicalIntegerName(floatingType("double")), "");
}

TEST_F(CompareTypes, DerivedTypesCompareLevelByLevel) {
  auto* i = I("int");
  auto* size = typedefType(n("size"), I("unsigned long"), 0);
  const Name cst = n("const");
  EXPECT_TRUE(sameType(pointerTo(size), pointerTo(I("long unsigned"))));  // typedef looked through
  EXPECT_FALSE(sameType(pointerTo(i), pointerTo(qualifiedType(i, cst))));
  EXPECT_FALSE(sameType(pointerTo(i), qualifiedType(pointerTo(i), cst)));
  EXPECT_FALSE(sameType(pointerTo(i), referenceTo(i)));
  EXPECT_TRUE(sameType(arrayOf(i, "N"), arrayOf(i, "N")));
  EXPECT_TRUE(sameType(arrayOf(i, "10", 10), arrayOf(i, "(5*2)", 10)));
  EXPECT_FALSE(sameType(arrayOf(i, "10", 10), arrayOf(i, "11", 11)));
  EXPECT_FALSE(sameType(arrayOf(i), arrayOf(i, "10", 10)));
  EXPECT_TRUE(compatibleTypes(arrayOf(i), arrayOf(i, "10", 10)));

  auto* cls = structureType(n("C"), true, 0);
  EXPECT_FALSE(sameType(memberPointerTo(cls, i), pointerTo(i)));
  EXPECT_TRUE(sameType(memberPointerTo(cls, i), memberPointerTo(cls, i)));

  // Two records of one tag in one scope (a declaration and its definition).
  EXPECT_TRUE(sameType(structureType(n("S"), false, 0), structureType(n("S"), false, 0)));
  EXPECT_FALSE(sameType(structureType(n("S"), false, 0), unionType(n("S"), 0)));
  EXPECT_FALSE(sameType(structureType(Name(), false, 0), structureType(Name(), false, 0)));
}

TEST_F(CompareTypes, FunctionsCompareResultParametersAndConstness) {
  auto* i = I("int");
  auto fn = [&](Type* result, std::initializer_list<Type*> params, bool isConst = false) {
    auto* f = functionType(result);
    for (Type* p : params) addParameter(f, param("", p));
    f->constMethod = isConst;
    return f;
  };
  EXPECT_TRUE(sameType(fn(i, {i, pointerTo(I("char"))}), fn(I("signed"), {i, pointerTo(I("char"))})));
  EXPECT_FALSE(sameType(fn(i, {i}), fn(i, {I("long")})));
  EXPECT_FALSE(sameType(fn(i, {i}), fn(i, {i, i})));
  EXPECT_FALSE(sameType(fn(i, {}), fn(i, {}, true)));
  EXPECT_FALSE(sameType(fn(i, {}), fn(voidType(), {})));
  EXPECT_FALSE(sameType(fn(i, {i}), fn(i, {i, ellipsisType()})));
  EXPECT_FALSE(sameType(fn(i, {}), fn(i, {i})));
  EXPECT_TRUE(compatibleTypes(fn(i, {}), fn(i, {i})));
}

}  // namespace
}  // namespace zenta::analyser::testing

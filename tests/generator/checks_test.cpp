// The code of one elementary variable by type class, and the bound texts of
// its check.
#include "generator/checks.h"

#include <gtest/gtest.h>

#include "diag/catalogue.h"
#include "diag/report.h"
#include "generator/variables.h"

namespace zenta::generator {
namespace {

class CheckCodeTest : public ::testing::Test {
 protected:
  void SetUp() override {
    diag::resetForTests();
    diag::registerCatalogues();
  }
  void TearDown() override { diag::resetForTests(); }
};

ElementaryVariable variable(const std::string& expression, int cls, const std::string& cType, char word,
                            const std::string& init, const std::string& min, const std::string& max) {
  ElementaryVariable v;
  v.expression = expression;
  v.type.typeClass = cls;
  v.type.cType = cType;
  v.type.word = word;
  v.init = init;
  v.minimum = min;
  v.maximum = max;
  v.line = 12;
  v.record = !init.empty();
  v.noInit = init.empty();
  return v;
}

TEST_F(CheckCodeTest, EveryClassWritesItsCalls) {
  struct Case {
    const char* what;
    ElementaryVariable v;
    std::vector<std::string> init;
    std::string check;  // the check call, framed by try and catch
  };
  ElementaryVariable range = variable("x", 0, "int", 'e', "", "", "");
  range.range = true;
  ElementaryVariable hex = variable("h", 0, "long", 'e', "1", "a-1", "a-1");
  hex.type.baseIndex = 0;
  ElementaryVariable bin = variable("b", 0, "unsigned char", 'u', "", "3", "3");
  bin.type.baseIndex = 2;
  ElementaryVariable openChar = variable("c", 2, "char", 'c', "", "", "");
  openChar.range = true;
  ElementaryVariable openString = variable("s", 4, "", 'c', "", "", "");
  openString.range = true;
  ElementaryVariable openPointer = variable("p", 6, "int *", 'p', "", "", "");
  openPointer.range = true;
  ElementaryVariable scopedEnum = variable("ph", 0, "Phase", 'e', "2", "Phase::Idle", "Phase::Idle");
  scopedEnum.type.convertInit = true;
  ElementaryVariable openStandardString = variable("v", 10, "std::string_view", 'c', "", "", "");
  openStandardString.range = true;
  ElementaryVariable longDouble = variable("ld", 3, "long double", 'l', "1.0L", "0.5", "1.5");
  longDouble.range = true;
  const std::vector<Case> cases = {
      {"int, decimal", variable(" x", 0, "int", 'e', "3", "4", "4"),
       {"x = 3;", "zenta_run.PTU_INTEGER_CPP((long)(x),0+12,10);"},
       "zenta_run.EDV_INTEGER_CPP(1,0,(long)(x),0+12,10, (long)((int)4), (long)((int)4));"},
      {"bounds with an operator are parenthesised under the cast",
       variable("x", 0, "int", 'e', "", "-1", "a+b"), {},
       "zenta_run.EDV_INTEGER_CPP(1,0,(long)(x),0+12,10, (long)((int)(-1)), (long)((int)(a+b)));"},
      {"long takes no extra cast, hexadecimal base", hex,
       {"h = 1;", "zenta_run.PTU_INTEGER_CPP((long)(h),0+12,16);"},
       "zenta_run.EDV_INTEGER_CPP(1,0,(long)(h),0+12,16, (long)(a-1), (long)(a-1));"},
      {"unsigned, binary", bin, {},
       "zenta_run.EDV_UNSIGNED_CPP(1,0,(unsigned long)(b),0+12,2, (unsigned long)((unsigned char)3), "
       "(unsigned long)((unsigned char)3));"},
      {"an open range without bounds only records", range, {},
       "zenta_run.EDV_INTEGER_CPP(0,1,(long)(x),0+12,10, (long)((int)0), (long)((int)0));"},
      {"char", variable("c", 2, "char", 'c', "'a'", "'b'", "'b'"),
       {"c = 'a';", "zenta_run.PTU_CHAR_CPP((char)(c),0+12);"},
       "zenta_run.EDV_CHAR_CPP(1,0,(char)(c),0+12,(char)('b'),(char)('b'));"},
      {"char without bounds", openChar, {},
       "zenta_run.EDV_CHAR_CPP(0,1,(char)(c),0+12,(char)(' '),(char)(' '));"},
      {"double", variable("d", 3, "double", 'd', "2.5", "2.5", "2.5"),
       {"d = 2.5;", "zenta_run.PTU_DOUBLE_CPP((double)(d),0+12);"},
       "zenta_run.EDV_DOUBLE_CPP(1,0, (double)(d),0+12,(double)(2.5),(double)(2.5));"},
      {"float", variable("f", 3, "float", 'f', "1", "1", "1"),
       {"f = 1;", "zenta_run.PTU_FLOAT_CPP((float)(f),0+12);"},
       "zenta_run.EDV_FLOAT_CPP(1,0, (float)(f),0+12,(float)(1),(float)(1));"},
      {"long double range", longDouble,
       {"ld = 1.0L;", "zenta_run.PTU_LONG_DOUBLE_CPP((long double)(ld),0+12);"},
       "zenta_run.EDV_LONG_DOUBLE_CPP(1,1,(long double)(ld),0+12,(long double)(0.5),(long double)(1.5));"},
      {"string: copied, its pieces concatenated",
       variable("s", 4, "", 'c', "\"ab\" \"c\"", "\"abc\"", "\"abc\""),
       {"zenta_run.INI_STR_CPP((char *)(s), 1, 0+12 , zenta_run.CONCAT_STR_CPP(\"ab\",\"c\",(char *)0));"},
       "zenta_run.EDV_STR_CPP(1,0,(const char *)(s),0+12,zenta_run.CONCAT_STR_CPP(\"abc\",(char "
       "*)0),zenta_run.CONCAT_STR_CPP(\"abc\",(char *)0));"},
      {"string without bounds", openString, {},
       "zenta_run.EDV_STR_CPP(0,1,(const char *)(s),0+12,zenta_run.CONCAT_STR_CPP(\"\",(char "
       "*)0),zenta_run.CONCAT_STR_CPP(\"\",(char *)0));"},
      {"pointer NIL, expected nonil in any case", variable("p", 6, "int *", 'p', "nil", "nonil", "nonil"),
       {"p = (int *)NIL;"}, "zenta_run.EDV_POINTER_CPP(1,0,(void*)(p),0+12,(void*)(NONIL));"},
      {"pointer to a value", variable("p", 6, "int *", 'p', "&x", "&x", "&x"), {"p = (int *)(&x);"},
       "zenta_run.EDV_POINTER_CPP(1,0,(void*)(p),0+12,(void*)(&x));"},
      {"pointer without bounds", openPointer, {},
       "zenta_run.EDV_POINTER_CPP(0,1,(void*)(p),0+12,(void*)(NIL));"},
      {"boolean", variable("b", 1, "bool", 0, "true", "1", "1"),
       {"b = true;", "zenta_run.PTU_BOOLEAN_CPP(b,0+12);"},
       "zenta_run.EDV_INTEGER_CPP(1,0,(long)(b),0+12,10, (long)(1), (long)(1));"},
      {"anything else: the long form", variable("e", 8, "", 0, "E1", "E2", "E2"),
       {"e = E1;", "zenta_run.PTU_INTEGER_CPP((long)(e),0+12,10);"},
       "zenta_run.EDV_INTEGER_CPP(1,0,(long)(e),0+12,10, (long)(E2), (long)(E2));"},
      {"string class: assigned like a pointer", variable("sc", 9, "String", 0, "\"x\"", "\"x\"", "\"x\""),
       {"sc = (String)(\"x\");"},
       "zenta_run.EDV_STR_CPP(1,0,(const char *)(sc),0+12,zenta_run.CONCAT_STR_CPP(\"x\",(char "
       "*)0),zenta_run.CONCAT_STR_CPP(\"x\",(char *)0));"},
      {"scoped enumeration: the initial value converted", scopedEnum,
       {"ph = (Phase)(2);", "zenta_run.PTU_INTEGER_CPP((long)(ph),0+12,10);"},
       "zenta_run.EDV_INTEGER_CPP(1,0,(long)(ph),0+12,10, (long)((Phase)(Phase::Idle)), "
       "(long)((Phase)(Phase::Idle)));"},
      {"standard string: assigned, its characters recorded and compared",
       variable("t", 10, "std::string", 'c', "\"ab\" \"c\"", "\"abc\"", "\"abc\""),
       {"t = \"ab\" \"c\";", "zenta_run.INI_STR_CPP((char *)0, 1, 0+12 , ::std::string(t).c_str());"},
       "zenta_run.EDV_STR_CPP(1,0,(const char "
       "*)(::std::string(t).c_str()),0+12,zenta_run.CONCAT_STR_CPP(\"abc\","
       "(char *)0),zenta_run.CONCAT_STR_CPP(\"abc\",(char *)0));"},
      {"standard string without bounds", openStandardString, {}, "zenta_run.EDV_STR_CPP(0,1,(const char "
       "*)(::std::string(v).c_str()),0+12,zenta_run.CONCAT_STR_CPP(\"\","
       "(char *)0),zenta_run.CONCAT_STR_CPP(\"\",(char *)0));"},
  };
  for (const Case& c : cases) {
    const CheckCode code = checkCode(c.v, false, false);
    EXPECT_EQ(code.initialisation, c.init) << c.what;
    EXPECT_EQ(code.check, (std::vector<std::string>{"try {", c.check, " } catch (...) { }"})) << c.what;
  }
}

TEST_F(CheckCodeTest, OptionsAndSpecialVariables) {
  ElementaryVariable x = variable("x", 0, "int", 'e', "3", "4", "4");
  // NOEDIT keeps the plain assignment only; NOEXCEP drops the frame.
  CheckCode code = checkCode(x, true, false);
  EXPECT_EQ(code.initialisation, std::vector<std::string>{"x = 3;"});
  EXPECT_TRUE(code.check.empty());
  code = checkCode(x, false, true);
  ASSERT_EQ(code.check.size(), 1u);
  EXPECT_EQ(code.check[0].rfind("zenta_run.EDV_INTEGER_CPP(", 0), 0u);
  // A string under NOEDIT is still copied, without its record.
  code = checkCode(variable("s", 4, "", 'c', "\"a\"", "\"a\"", "\"a\""), true, false);
  EXPECT_EQ(code.initialisation,
            std::vector<std::string>{
                "zenta_run.INI_STR_CPP((char *)(s), 0, 0+12 , zenta_run.CONCAT_STR_CPP(\"a\",(char "
                "*)0));"});
  // The element's exception under NOEXCEP is neither initialised nor checked.
  code = checkCode(variable("exception->code", 0, "int", 'e', "1", "2", "2"), false, true);
  EXPECT_TRUE(code.initialisation.empty());
  EXPECT_TRUE(code.check.empty());
  code = checkCode(variable("exception->code", 0, "int", 'e', "1", "2", "2"), false, false);
  EXPECT_EQ(code.check.size(), 3u);
  // A line offset is written before the number.
  x.offset = "I1";
  code = checkCode(x, false, false);
  EXPECT_NE(code.check[1].find(",I1+12,10,"), std::string::npos) << code.check[1];
}

TEST_F(CheckCodeTest, NonilInitialisationAssignsNothingAndWarns) {
  const int before = diag::warningCount();
  CheckCode code = checkCode(variable("p", 6, "int *", 'p', "NONIL", "NONIL", "NONIL"), false, false);
  EXPECT_TRUE(code.initialisation.empty());
  EXPECT_EQ(diag::warningCount(), before + 1);
  // INIT == NONIL says the pointer is left as it is on purpose.
  ElementaryVariable acknowledged = variable("p", 6, "int *", 'p', "NONIL", "NONIL", "NONIL");
  acknowledged.pointerAcknowledged = true;
  code = checkCode(acknowledged, false, false);
  EXPECT_TRUE(code.initialisation.empty());
  EXPECT_EQ(diag::warningCount(), before + 1);
}

TEST_F(CheckCodeTest, BoundsFromExpectedValuesDeltasAndRanges) {
  struct Case {
    ExpectedValue value;
    std::string min, max;
    bool range;
  };
  const auto ev = [](const std::string& v, const std::string& d, int kind, bool floating = false) {
    ExpectedValue e;
    e.ev = v;
    e.delta = d;
    e.deltaKind = kind;
    e.floating = floating;
    return e;
  };
  ExpectedValue minMax;
  minMax.min = "lo";
  minMax.max = "hi";
  const std::vector<Case> cases = {
      {ev("4", "", 0), "4", "4", false},
      {ev("10", "2", 2), "8", "12", true},
      {ev("10", "-2", 2), "8", "12", true},
      {ev("2.5", "0.1", 2, true), "2.4", "2.6", true},
      {ev("200", "5", 1), "190", "210", true},
      {ev("2.0", "10", 1, true), "1.8", "2.2", true},
      // Not constant: the expression stays for the compiler.
      {ev("v", "d", 2), "(v) - (d>=0?d:-(d))", "(v) + (d>=0?d:-(d))", true},
      {ev("v", "5", 1), "(v) - ((5)*(v)/100>=0?(5)*(v)/100:-((5)*(v)/100))",
       "(v) + ((5)*(v)/100>=0?(5)*(v)/100:-((5)*(v)/100))", true},
      {minMax, "lo", "hi", true},
  };
  for (const Case& c : cases) {
    const BoundTexts b = boundTexts(c.value);
    EXPECT_EQ(b.minimum, c.min) << c.value.ev << " " << c.value.delta;
    EXPECT_EQ(b.maximum, c.max) << c.value.ev << " " << c.value.delta;
    EXPECT_EQ(b.range, c.range) << c.value.ev;
  }
}

TEST_F(CheckCodeTest, CrossedConstantBoundsWarn) {
  ExpectedValue crossed;
  crossed.min = "10";
  crossed.max = "2*2";
  int before = diag::warningCount();
  boundTexts(crossed);
  EXPECT_EQ(diag::warningCount(), before + 1);
  crossed.max = "n";  // not a constant: nothing to say
  before = diag::warningCount();
  boundTexts(crossed);
  crossed.max = "10";
  boundTexts(crossed);
  EXPECT_EQ(diag::warningCount(), before);
}

TEST_F(CheckCodeTest, ValueWordsPiecesAndExceptionNames) {
  EXPECT_EQ(replaceValueWords("INIT+1", "3", ""), "3+1");
  EXPECT_EQ(replaceValueWords("va*2 + init", "a+b", "7"), "7*2 + (a+b)");
  EXPECT_EQ(replaceValueWords("s.INIT + \"INIT\" + INITIAL", "3", ""), "s.INIT + \"INIT\" + INITIAL");
  EXPECT_EQ(replaceValueWords("VA", "", ""), "VA");
  EXPECT_EQ(stringPieces("\"a\" \"b\\\"\""), "\"a\",\"b\\\"\"");
  EXPECT_EQ(stringPieces("name"), "name");
  EXPECT_EQ(stringPieces("\"a\" + x"), "\"a\" + x");
  EXPECT_TRUE(isExceptionVariable("exception->code"));
  EXPECT_TRUE(isExceptionVariable("(*EXCEPTION).code"));
  EXPECT_FALSE(isExceptionVariable("exceptional"));
  EXPECT_EQ(folded("1+2*3"), "7");
  EXPECT_EQ(folded("x+1"), "x+1");
}

TEST(VariableLines, FormatPartBySizeClassAndKind) {
  struct Case {
    bool valueForm;
    int cls, kind, size;
    const char* text;
  };
  const Case cases[] = {
      {false, 0, -1, -32, "FORM=CD32"}, {false, 0, -1, 32, "FORM=CU32"}, {true, 0, 0, -16, "FORM=NH16"},
      {false, 0, 1, 8, "FORM=CD8"},     {false, 0, 2, -32, "FORM=CB32"}, {false, 6, 3, -64, "FORM=CU64"},
      {false, 0, 9, -8, "FORM=CY-8"},   {false, 0, 4, -32, "FORM=C"},    {false, 3, -1, -32, "FORM=CF32"},
      {false, 3, 5, 64, "FORM=CE64"},   {false, 3, 0, 64, "FORM=C"},     {false, 4, 0, 8, "FORM=C"},
      {false, 11, 1, -32, "FORM=CD32"},
  };
  for (const Case& c : cases)
    EXPECT_EQ(formatPart(c.valueForm, c.cls, c.kind, c.size), c.text) << c.cls << " " << c.kind;
}

TEST(VariableLines, SlicesLoopsAndIndexVariables) {
  const std::vector<Slice> s = findSlices("m[0 .. 1][k][a[2]..b].x[\"..\"]");
  ASSERT_EQ(s.size(), 2u);
  EXPECT_EQ(s[0].low, "0");
  EXPECT_EQ(s[0].high, "1");
  EXPECT_EQ(s[1].low, "a[2]");
  EXPECT_EQ(s[1].high, "b");
  EXPECT_EQ(withIndexVariables("m[0 .. 1][k][a[2]..b].x", 2), "m[I1][k][I2].x");
  EXPECT_EQ(withIndexVariables("t[1.5]", 1), "t[1.5]");
  EXPECT_EQ(loopHeader("I1", "0", "9", false), "for( I1=0;I1 <= 9;++I1){");
  EXPECT_EQ(loopHeader("I2", "5", "1", true), "for( I2=5;I2 >= 1;--I2){");
}

}  // namespace
}  // namespace zenta::generator

// Variables of an element generated at END ELEMENT from descriptions built
// as the script front end leaves them: the description lines, the brackets
// and loops, and harnesses compiled with g++ and clang++ and run, whose
// verdicts are counted per description line.
#include "generator/variables.h"

#include <map>

#include "analyser/basic/dialect.h"
#include "tests/generator/generation_fixture.h"

namespace zenta::generator {
namespace {

using testing_support::Description;
using testing_support::expectInOrder;
using testing_support::findLine;
using testing_support::GenerationTest;
using testing_support::lines;
using testing_support::scalar;

model::ComponentRecord element(const std::string& access, int cls, const std::string& word,
                               const std::string& cType, int size, const std::string& init,
                               const std::string& ev, int listLevels = 0) {
  model::ComponentRecord c;
  c.kind = model::ComponentElement;
  c.access = access;
  c.typeClass = cls;
  c.classWord = word;
  c.cType = cType;
  c.size = size;
  c.init = init;
  c.ev = ev;
  c.listLevels = listLevels;
  return c;
}

model::ComponentRecord frame(int kind, const std::string& access, const std::string& index = {},
                             const std::string& upper = {}) {
  model::ComponentRecord c;
  c.kind = kind;
  c.access = access;
  c.indexVariable = index;
  c.lower = "0";
  c.upper = upper;
  return c;
}

// `box` of struct Box { Point a; unsigned flags; }, struct Point { int x; int y; }.
Description box(const std::string& yExpected) {
  auto d = scalar("box", 8, "", "", -32, "", "");
  d->statementKind = model::VariableStructured;
  d->components = {frame(model::ComponentOpenStructure, "box"),
                   frame(model::ComponentOpenStructure, "box.a"),
                   element("box.a.x", 0, "entier", "int", -32, "1", "2"),
                   element("box.a.y", 0, "entier", "int", -32, "5", yExpected),
                   frame(model::ComponentCloseStructure, "box.a"),
                   element("box.flags", 0, "unsigned", "unsigned int", 32, "1", "9"),
                   frame(model::ComponentCloseStructure, "box")};
  return d;
}

const std::vector<std::string> kDeclarations = {
    "#include <cstring>",
    "struct Point { int x; int y; };",
    "struct Box { Point a; unsigned flags; };",
    "int i, i3, i4; long h, hf; unsigned u, u2; char c, c2; float f, f2; double d, d2;",
    "char s[16], s2[16]; int *p, *q, *q2; Box box; int m[2][3], m2[2][3]; int t[5]; Point pts[2];",
};

const std::vector<std::string> kCall = {
    "i = i + 1; h = h + 1; hf = hf * 2; u = u * 2; u2 = u2 * 2;",
    "c = c + 1; c2 = c2 + 1; f = f * 2; f2 = f2 * 2; d = d / 4; d2 = d2 / 4;",
    "std::strcat(s, \"!\"); std::strcat(s2, \"!\"); p = &i;",
    "box.a.x += 1; box.flags |= 8;",
    "for (int a = 0; a < 2; ++a) for (int b = 0; b < 3; ++b) { m[a][b] = a * 10 + b; m2[a][b] = a * 10 + b; "
    "}",
    "for (int k = 0; k < 5; ++k) t[k] = k < 2 ? k + 1 : 0;",
    "pts[0].x += 1; pts[1].x += 1;",
};

// Every kind of variable, each designed to pass or to fail.
std::vector<Description> everyKind() {
  std::vector<Description> v;
  v.push_back(scalar("i", 0, "entier", "int", -32, "3", "4"));
  auto h = scalar("h", 0, "entier", "long", -64, "0x10", "0x11");
  h->formatKind = 0;
  v.push_back(h);
  auto hf = scalar("hf", 0, "entier", "long", -64, "1", "5");
  hf->formatKind = 2;
  v.push_back(hf);
  v.push_back(scalar("u", 0, "unsigned", "unsigned int", 32, "5", "10"));
  v.push_back(scalar("u2", 0, "unsigned", "unsigned int", 32, "1", "3"));
  v.push_back(scalar("c", 2, "caractere", "char", -8, "'a'", "'b'"));
  v.push_back(scalar("c2", 2, "caractere", "char", -8, "'a'", "'z'"));
  for (const auto& [name, ev, delta, kind] :
       std::vector<std::tuple<std::string, std::string, std::string, int>>{
           {"f", "3.1", "0.2", 2}, {"f2", "3.5", "0.1", 2}, {"d", "2.6", "5", 1}, {"d2", "2.7", "1", 1}}) {
    const bool isFloat = name[0] == 'f';
    auto x = scalar(name, 3, isFloat ? "float" : "double", isFloat ? "float" : "double", -32,
                    isFloat ? "1.5" : "10.0", ev);
    x->deltaText = delta;
    x->deltaKind = kind;
    v.push_back(x);
  }
  for (const auto& [name, min] : std::vector<std::pair<std::string, std::string>>{{"i3", "5"}, {"i4", "8"}}) {
    auto x = scalar(name, 0, "entier", "int", -32, "7", "");
    x->minText = min;
    x->maxText = "10";
    x->minPresent = x->maxPresent = true;
    v.push_back(x);
  }
  v.push_back(scalar("s", 4, "chaine", "", -32, "\"ab\" \"c\"", "\"abc!\""));
  v.push_back(scalar("s2", 4, "chaine", "", -32, "\"abc\"", "\"abc\""));
  v.push_back(scalar("p", 6, "pointeur", "int *", -32, "NIL", "NONIL"));
  v.push_back(scalar("q", 6, "pointeur", "int *", -32, "NIL", "nil"));
  v.push_back(scalar("q2", 6, "pointeur", "int *", -32, "NIL", "NONIL"));
  v.push_back(box("6"));
  auto m = scalar("m", 6, "pointeur", "int [2][3]", -32, "0", "{{0,1,2},{10,11,12}}");
  m->components = {frame(model::ComponentOpenArray, "m", "I1", "1"),
                   frame(model::ComponentOpenArray, "m[I1]", "I2", "2"),
                   element("m[I1][I2]", 0, "entier", "int", -32, "0", "{{0,1,2},{10,11,12}}", 2),
                   frame(model::ComponentCloseArray, "m[I1]", "I2", "2"),
                   frame(model::ComponentCloseArray, "m", "I1", "1")};
  v.push_back(m);
  auto m2 = scalar("m2[0..1][0..2]", 0, "entier", "int", -32, "0", "{{0,1,2},{10,11,99}}");
  m2->statementKind = model::VariableArray;
  v.push_back(m2);
  auto t = scalar("t[0..4]", 0, "entier", "int", -32, "{others => 9}", "{1, 2, others => 0}");
  t->statementKind = model::VariableArray;
  v.push_back(t);
  // An array of structures whose fields take a list each.
  auto pts = scalar("pts", 6, "pointeur", "Point [2]", -32, "{{1, 0}, {2, 0}}", "{{2, 0}, {3, 0}}");
  pts->components = {frame(model::ComponentOpenArray, "pts", "I1", "1"),
                     frame(model::ComponentOpenStructure, "pts[I1]"),
                     element("pts[I1].x", 0, "entier", "int", -32, "{1,2}", "{2,3}", 1),
                     element("pts[I1].y", 0, "entier", "int", -32, "{0,0}", "{0,0}", 1),
                     frame(model::ComponentCloseStructure, "pts[I1]"),
                     frame(model::ComponentCloseArray, "pts", "I1", "1")};
  v.push_back(pts);
  return v;
}

// PASS and FAIL verdicts expected per variable line of test T.
const e2e::Verdicts kVerdicts = {
    {"T i", {1, 0}}, {"T h", {1, 0}}, {"T hf", {0, 1}}, {"T u", {1, 0}},
    {"T u2", {0, 1}}, {"T c", {1, 0}}, {"T c2", {0, 1}}, {"T f", {1, 0}}, {"T f2", {0, 1}}, {"T d", {1, 0}},
    {"T d2", {0, 1}}, {"T i3", {1, 0}}, {"T i4", {0, 1}}, {"T s", {1, 0}}, {"T s2", {0, 1}}, {"T p", {1, 0}},
    {"T q", {1, 0}}, {"T q2", {0, 1}}, {"T box.a.x", {1, 0}}, {"T box.a.y", {0, 1}}, {"T box.flags", {1, 0}},
    {"T m[0..1][0..2]", {6, 0}}, {"T m2[0..1][0..2]", {5, 1}}, {"T t[0..4]", {5, 0}},
    {"T pts[0..1].x", {2, 0}}, {"T pts[0..1].y", {2, 0}},
};

class VariablesTest : public GenerationTest {
 protected:
  void generateEveryKind() { generateElement(everyKind(), kDeclarations, kCall); }
  int line(const std::string& variable) const { return e2e::variableLine(tdc, "T " + variable); }
  // Builds the harness with both compilers without a warning and runs it.
  void buildAndRun(int status, const std::string& out) {
    for (const std::string compiler : {"g++", "clang++"}) {
      ASSERT_TRUE(compile(compiler, true)) << compiler << "\n" << compilerOutput << harness;
      EXPECT_EQ(compilerOutput, "") << compiler;
      const testkit::Result r = runHarness();
      EXPECT_EQ(r.status, status) << r.out << r.err;
      EXPECT_EQ(r.out, out) << compiler;
      if (status == 1) {
        EXPECT_EQ(e2e::verdictsPerVariableLine(tdc, results(), true), kVerdicts) << compiler;
      }
    }
  }
};

TEST_F(VariablesTest, EveryKindCompilesWithBothCompilersAndGivesItsVerdicts) {
  generateEveryKind();
  ASSERT_NO_FATAL_FAILURE(buildAndRun(1, "zenta: 42 checks, 32 passed, 10 failed\n"));
  // Every initialised variable records its initial value on its line.
  const std::string rio = results();
  EXPECT_NE(rio.find("INIT " + std::to_string(line("h")) + " integer 0x10\n"), std::string::npos) << rio;
  EXPECT_NE(rio.find("INIT " + std::to_string(line("s")) + " string \"abc\"\n"), std::string::npos) << rio;
  EXPECT_NE(rio.find("CHECK " + std::to_string(line("hf")) + " FAIL integer 0b10 0b101\n"),
            std::string::npos);
}

// NOEDIT keeps the assignments only and checks nothing; NOEXCEP drops every
// frame and gives the same verdicts. The description is written all the same.
TEST_F(VariablesTest, NoeditAndNoexcepHarnessesBuildAndRun) {
  const struct {
    bool noEdit;
    std::vector<std::string> absent, present;
    int status;
    const char* out;
  } cases[] = {
      {true,
       {"EDV_", "PTU_", "_BRA_CPP", "RUPT_CPP"},
       {"i = 3;", "zenta_run.INI_STR_CPP((char *)(s), 0, "},
       0,
       "zenta: 0 checks, 0 passed, 0 failed\n"},
      {false, {"try", "catch", "ERV_CPP"}, {"i = 3;"}, 1, "zenta: 42 checks, 32 passed, 10 failed\n"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.noEdit ? "NOEDIT" : "NOEXCEP");
    SetUp();
    if (c.noEdit)
      cmdline::mutableSettings().noEdit = true;
    else
      cmdline::mutableSettings().restrictions[cmdline::RestrictNoExcep] = true;
    generateEveryKind();
    for (const std::string& a : c.absent) EXPECT_EQ(harness.find(a), std::string::npos) << a;
    for (const std::string& p : c.present) EXPECT_NE(harness.find(p), std::string::npos) << p;
    EXPECT_EQ(e2e::variableLines(tdc).size(), kVerdicts.size()) << tdc;
    ASSERT_NO_FATAL_FAILURE(buildAndRun(c.status, c.out));
  }
}

TEST_F(VariablesTest, StructuresAreBracketedAndDescribed) {
  generateElement({box("5")}, kDeclarations);
  // J box, J box.a, two variables, P box.a, the third variable, P box.
  std::vector<std::string> tags;
  for (const std::string& l : lines(tdc))
    if (!l.empty() && (l[0] == 'J' || l[0] == 'P' || l[0] == 'V'))
      tags.push_back(l.substr(0, l.find(" RA=")));
  EXPECT_EQ(tags, (std::vector<std::string>{"J4 box", "J5 box.a", "V6 box.a.x", "V7 box.a.y", "P8 box.a",
                                            "V9 box.flags", "P10 box"}))
      << tdc;
  EXPECT_NE(tdc.find("V6 box.a.x RA=FORM=CD32,INIT=1 VA=2,\n"), std::string::npos) << tdc;
  const auto h = lines(harness);
  expectInOrder(
      h, {"box.a.x = 1;", "zenta_run.OPEN_BRA_CPP(4);", "zenta_run.OPEN_BRA_CPP(5);",
          "zenta_run.EDV_INTEGER_CPP(1,0,(long)(box.a.x),0+6,10, (long)((int)2), (long)((int)2));",
          "zenta_run.CLOSE_BRA_CPP(8);", "} catch (...) {", "zenta_run.ERV_CPP(8);", "}",
          "zenta_run.EDV_UNSIGNED_CPP(1,0,(unsigned long)(box.flags),0+9,10, (unsigned long)((unsigned "
          "int)9), (unsigned long)((unsigned int)9));",
          "zenta_run.CLOSE_BRA_CPP(10);", "zenta_run.ERV_CPP(10);"});
  ASSERT_TRUE(compile()) << compilerOutput << harness;
}

TEST_F(VariablesTest, ArraysLoopOverTheirElementsInOneBracket) {
  generateElement(everyKind());
  const auto h = lines(harness);
  // The two-dimensional array m: one bracket, two loops, one break.
  const std::string m = std::to_string(line("m[0..1][0..2]"));
  const std::string value = "(I1 == (0)?(I2 == (0)?0:(I2 == (1)?1:2)):(I2 == (0)?10:(I2 == (1)?11:12)))";
  const int open = findLine(h, "zenta_run.SET_MODE_TAB_CPP(" + m + ");");
  ASSERT_NE(open, -1) << harness;
  ASSERT_GT(h.size(), open + 8u);
  EXPECT_EQ(
      std::vector<std::string>(h.begin() + open + 1, h.begin() + open + 5),
      (std::vector<std::string>{"for( I1=0;I1 <= 1;++I1){", "for( I2=0;I2 <= 2;++I2){", "try {",
                                "zenta_run.EDV_INTEGER_CPP(1,0,(long)(m[I1][I2]),0+" + m +
                                    ",10, (long)((int)(" + value + ")), (long)((int)(" + value + ")));"}));
  EXPECT_EQ(std::vector<std::string>(h.begin() + open + 6, h.begin() + open + 9),
            (std::vector<std::string>{"}", "}", "zenta_run.RUPT_CPP(1);"}));
  // A whole-array value with others.
  EXPECT_NE(harness.find("t[I1] = 9;"), std::string::npos) << harness;
  EXPECT_NE(harness.find("(long)((int)((I1 == (0)?1:(I1 == (1)?2:0))))"), std::string::npos) << harness;
  // The class declares the index variables used.
  EXPECT_NE(classFile.find("    int I1;\n    int I2;\n"), std::string::npos) << classFile;
  EXPECT_EQ(classFile.find("int I3;"), std::string::npos);
  // The array of structures: its bracket takes the number of the structure's
  // line, which is described once with its range.
  const std::string pts = std::to_string(line("pts[0..1].x") - 1);
  EXPECT_NE(findLine(lines(tdc), "J" + pts + " pts[0..1]"), -1) << tdc;
  EXPECT_NE(harness.find("zenta_run.SET_MODE_TAB_CPP(" + pts +
                         ");\nfor( I1=0;I1 <= 1;++I1){\ntry {\nzenta_run.OPEN_BRA_CPP("),
            std::string::npos)
      << harness;
}

TEST_F(VariablesTest, SliceBoundsAndUnknownSizesWarn) {
  auto unsized = scalar("x", 6, "pointeur", "int []", -32, "", "1");
  model::ComponentRecord open = frame(model::ComponentOpenArray, "x", "I1", "0");
  open.sizeKnown = false;
  model::ComponentRecord close = open;
  close.kind = model::ComponentCloseArray;
  unsized->components = {open, element("x[I1]", 0, "entier", "int", -32, "", "1"), close};
  const struct {
    Description variable;
    int warnings;
    std::string header, described;
  } cases[] = {
      {scalar("t[1..3]", 0, "entier", "int", -32, "", "1"), 0, "for( I1=1;I1 <= 3;++I1){", " t[1..3] RA="},
      {scalar("t[3..1]", 0, "entier", "int", -32, "", "1"), 0, "for( I1=3;I1 >= 1;--I1){", " t[3..1] RA="},
      {scalar("t[1.5..3]", 0, "entier", "int", -32, "", "1"), 1, "for( I1=ZENTA_INT(1.5);I1 <= 3;++I1){", ""},
      {scalar("t['a'..3]", 0, "entier", "int", -32, "", "1"), 1, "for( I1=ZENTA_INT('a');I1 <= 3;++I1){", ""},
      {unsized, 1, "for( I1=0;I1 <= 0;++I1){", " x[0..0] RA="},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.variable->variableText);
    SetUp();
    generateElement({c.variable});
    EXPECT_EQ(diag::warningCount(), c.warnings);
    EXPECT_NE(findLine(lines(harness), c.header), -1) << harness;
    EXPECT_NE(tdc.find(c.described), std::string::npos) << tdc;
  }
}

// A variable the analyser did not type is described by its declared type
// or left out; in the C++11 dialects and later a declared bool is a boolean
// and a declared std::string a string value.
TEST_F(VariablesTest, UntypedVariablesTakeTheirDeclaredType) {
  analyser::setDialect(analyser::Dialect::Cxx17);
  auto typed = scalar("n", -1, "", "", 0, "1", "2");
  typed->declaredType = "unsigned  short";
  auto flag = scalar("flag", -1, "", "", 0, "true", "false");
  flag->declaredType = "bool";
  auto name = scalar("name", -1, "", "", 0, "\"a\"", "\"b\"");
  name->declaredType = "std::string";
  generateElement({typed, scalar("z", -1, "", "", 0, "1", "2"), flag, name});
  analyser::setDialect(analyser::Dialect::Classic);
  for (const char* text :
       {"zenta_run.EDV_UNSIGNED_CPP(1,0,(unsigned long)(n),0+", "(unsigned long)((unsigned short)2)",
        "zenta_run.PTU_BOOLEAN_CPP(flag,0+", "zenta_run.EDV_INTEGER_CPP(1,0,(long)(flag),0+",
        "zenta_run.EDV_STR_CPP(1,0,(const char *)(::std::string(name).c_str()),0+"})
    EXPECT_NE(harness.find(text), std::string::npos) << text << "\n" << harness;
  EXPECT_EQ(harness.find("(z)"), std::string::npos);
  EXPECT_EQ(e2e::variableLine(tdc, "T z"), -1) << tdc;
}

TEST_F(VariablesTest, ValueFormsAndValueWords) {
  analyser::preprocessNativeCode("#define INIT 4\n#define VA 5", "", 1, false);
  ASSERT_TRUE(analyser::analyserMacroDefined("INIT"));
  auto same = scalar("a", 0, "entier", "int", -32, "4", "");
  same->evForm = true;
  auto around = scalar("e", 0, "entier", "int", -32, "4", "");
  around->minText = "VA";
  around->maxText = "INIT*2";
  // A list of initial values is selected by the loop index.
  auto listed = scalar("g", 0, "entier", "int", -32, "(1, 2)", "5");
  listed->initForm = model::InitInList;
  generateElement({same, scalar("b", 0, "entier", "int", -32, "4", "INIT + 1"), around, listed});
  // The names end with the variable.
  EXPECT_FALSE(analyser::analyserMacroDefined("INIT"));
  EXPECT_FALSE(analyser::analyserMacroDefined("VA"));
  EXPECT_NE(tdc.find(" a RA=FORM=ND32,INIT=4 VA=4,"), std::string::npos) << tdc;
  for (const char* text :
       {"g = tab_initin1(J1)", "(long)(g),0+", "(long)((int)4), (long)((int)4));",
        "(long)((int)(4 + 1)), (long)((int)(4 + 1)));", "(long)((int)VA), (long)((int)(4*2)));"})
    EXPECT_NE(harness.find(text), std::string::npos) << text << "\n" << harness;
}

// The selection macros and random tables of dynamic initialisation are
// read by the analyser too; random values of an integer range reach both
// of its bounds.
TEST_F(VariablesTest, DynamicTablesReachTheAnalyserAndIntegerDrawsCoverTheRange) {
  auto listed = scalar("g", 0, "entier", "int", -32, "(1, 2)", "");
  listed->initForm = model::InitInList;
  auto drawn = scalar("n", 0, "entier", "int", -32, "", "");
  drawn->initPresent = true;
  drawn->initForm = model::InitFromRange;
  drawn->rangeKind = model::RangeRandom;
  drawn->rangeLow = "0";
  drawn->rangeHigh = "1";
  drawn->rangeStep = "40";
  for (const Description& d : {listed, drawn}) {
    d->minText = d == listed ? "1" : "0";
    d->maxText = d == listed ? "2" : "1";
    d->minPresent = d->maxPresent = true;
  }
  generateElement({listed, drawn}, {"int g, n;"});
  EXPECT_TRUE(analyser::analyserMacroDefined("tab_initin1"));
  const analyser::VariablePeek table = analyser::peekVariable("rand2");
  EXPECT_TRUE(table.typed && table.array) << classFile;
  ASSERT_TRUE(compile()) << compilerOutput << harness << classFile;
  EXPECT_EQ(runHarness().status, 0);
  // 2 values of g times 40 of n, each n drawn 0 or 1, both seen.
  ASSERT_NE(findLine(lines(tdc), "V7 n RA=FORM=CD32,INIT=FROM 0 TO 1 NB_RANDOM 40 VA=0<=VA<=1,"), -1) << tdc;
  const std::string rio = results();
  EXPECT_EQ(testing_support::count(rio, "CHECK 7 PASS"), 80) << rio;
  EXPECT_GT(testing_support::count(rio, "INIT 7 integer 0\n"), 0) << rio;
  EXPECT_GT(testing_support::count(rio, "INIT 7 integer 1\n"), 0) << rio;
}

TEST_F(VariablesTest, AnExpansionLeftOpenKeepsTheHarnessWhole) {
  auto pts = scalar("pts", 6, "pointeur", "Point [2]", -32, "", "");
  pts->components = {frame(model::ComponentCloseArray, "pts"), frame(model::ComponentCloseStructure, "pts"),
                     frame(model::ComponentOpenArray, "pts", "", "1"),
                     frame(model::ComponentOpenStructure, "pts[I1]"),
                     element("pts[I1].x", 0, "entier", "int", -32, "1", "1")};
  generateElement({pts}, kDeclarations);
  EXPECT_NE(tdc.find("\nJ4 pts[0..1]\nE12 0 0\nV5 pts[0..1].x RA=FORM=CD32,INIT=1 VA=1,\nP6\n"),
            std::string::npos)
      << tdc;
  ASSERT_TRUE(compile()) << compilerOutput << harness;
  EXPECT_EQ(runHarness().status, 0);
}

}  // namespace
}  // namespace zenta::generator

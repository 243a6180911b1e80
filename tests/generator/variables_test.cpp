// Variables of an element generated at END ELEMENT from descriptions built
// as the script front end leaves them: the description lines, the brackets
// and loops, and harnesses compiled with g++ and clang++ and run, whose
// verdicts are counted per description line.
#include "generator/variables.h"

#include <map>
#include <memory>

#include "analyser/basic/dialect.h"
#include "model/access_path.h"
#include "model/store.h"
#include "model/variable.h"
#include "tests/generator/generation_fixture.h"

namespace zenta::generator {
namespace {

using testing_support::count;
using testing_support::findLine;
using testing_support::GenerationTest;
using testing_support::lines;
using testing_support::openElement;
using testing_support::openService;
using testing_support::openTest;
using testing_support::scriptBlocks;
using Description = std::shared_ptr<model::VariableDescription>;

// A variable the analyser typed as a whole (no expansion recorded).
Description scalar(const std::string& text, int cls, const std::string& word, const std::string& cType,
                   int size, const std::string& init, const std::string& ev) {
  auto d = std::make_shared<model::VariableDescription>();
  d->variableText = text;
  d->typeClass = cls;
  d->classWord = word;
  d->cType = cType;
  d->typeSize = size;
  d->initText = init;
  d->initPresent = !init.empty();
  d->evText = ev;
  d->evPresent = !ev.empty();
  return d;
}

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

void addVariable(const Description& d) {
  model::AccessPath path;
  model::parseAccessPath(d->variableText, model::LevelElement, path);
  model::insertVariable(*model::elementStore(), path, model::intern(model::LevelElement, d->variableText), d,
                        false);
}

// One element of the open test: its variables, then its call lines.
void elementWith(const std::vector<Description>& variables, const std::vector<std::string>& call) {
  openElement();
  model::openElementStore();
  for (const Description& d : variables) addVariable(d);
  for (const std::string& l : call) genNativeLine(l);
  testing_support::closeElement();
  model::closeElementStore();
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

// PASS and FAIL verdicts expected per variable line (by the text of the line).
const std::map<std::string, std::pair<int, int>> kVerdicts = {
    {"i", {1, 0}},
    {"h", {1, 0}},
    {"hf", {0, 1}},
    {"u", {1, 0}},
    {"u2", {0, 1}},
    {"c", {1, 0}},
    {"c2", {0, 1}},
    {"f", {1, 0}},
    {"f2", {0, 1}},
    {"d", {1, 0}},
    {"d2", {0, 1}},
    {"i3", {1, 0}},
    {"i4", {0, 1}},
    {"s", {1, 0}},
    {"s2", {0, 1}},
    {"p", {1, 0}},
    {"q", {1, 0}},
    {"q2", {0, 1}},
    {"box.a.x", {1, 0}},
    {"box.a.y", {0, 1}},
    {"box.flags", {1, 0}},
    {"m[0..1][0..2]", {6, 0}},
    {"m2[0..1][0..2]", {5, 1}},
    {"t[0..4]", {5, 0}},
    {"pts[0..1].x", {2, 0}},
    {"pts[0..1].y", {2, 0}},
};

class VariablesTest : public GenerationTest {
 protected:
  void SetUp() override {
    GenerationTest::SetUp();
    model::resetModel();
  }
  void TearDown() override {
    model::resetModel();
    GenerationTest::TearDown();
  }

  void generateEveryKind() {
    generate([] {
      genBegin();
      for (const std::string& l : kDeclarations) genNativeLine(l);
      openService("S");
      openTest("T", "");
      elementWith(everyKind(), kCall);
    });
  }

  // Builds the harness with warnings on; true when it compiles.
  bool build(const std::string& compiler) {
    std::vector<std::string> argv = {"/usr/bin/" + compiler, "-std=c++17", "-Wall", "-Wextra", "-I",
                                     std::string(ZENTA_SOURCE_DIR) + "/target/lib", "-I", dir_.path().string(),
                                     dir_.file("h.cc"), "-o", dir_.file("h.exe")};
#ifdef __SANITIZE_ADDRESS__
    // A sanitized build of the tests runs the harnesses sanitized too.
    argv.insert(argv.end(), {"-fsanitize=address,undefined", "-fno-sanitize-recover=undefined"});
#endif
    const testkit::Result r = testkit::run(argv);
    compilerOutput = r.err;
    return r.status == 0;
  }

  // The number of each "V" line, by the line's variable text.
  std::map<std::string, int> variableLines() const {
    std::map<std::string, int> out;
    for (const std::string& l : lines(tdc)) {
      if (l.size() < 2 || l[0] != 'V') continue;
      const std::size_t blank = l.find(' ');
      const std::size_t ra = l.find(" RA=");
      out[l.substr(blank + 1, ra - blank - 1)] = std::stoi(l.substr(1, blank - 1));
    }
    return out;
  }

  // PASS and FAIL records of each results line.
  static std::map<int, std::pair<int, int>> verdicts(const std::string& rio) {
    std::map<int, std::pair<int, int>> out;
    for (const std::string& l : lines(rio)) {
      int n = 0;
      char verdict[8] = {};
      if (std::sscanf(l.c_str(), "CHECK %d %7s", &n, verdict) != 2) continue;
      if (std::string(verdict) == "PASS") ++out[n].first;
      if (std::string(verdict) == "FAIL") ++out[n].second;
    }
    return out;
  }
};

TEST_F(VariablesTest, EveryKindCompilesWithBothCompilersAndGivesItsVerdicts) {
  generateEveryKind();
  const std::map<std::string, int> numbers = variableLines();
  ASSERT_EQ(numbers.size(), kVerdicts.size()) << tdc;
  EXPECT_EQ(count(tdc, "\nE12 "), static_cast<int>(kVerdicts.size()));
  for (const std::string compiler : {"g++", "clang++"}) {
    ASSERT_TRUE(build(compiler)) << compiler << "\n" << compilerOutput << harness;
    EXPECT_EQ(compilerOutput, "") << compiler;
    const testkit::Result r = runHarness();
    EXPECT_EQ(r.status, 1) << r.out << r.err;
    EXPECT_EQ(r.out, "zenta: 42 checks, 32 passed, 10 failed\n") << compiler;
    const std::string rio = results();
    const auto got = verdicts(rio);
    for (const auto& [text, expected] : kVerdicts) {
      ASSERT_TRUE(numbers.count(text)) << text << "\n" << tdc;
      const int n = numbers.at(text);
      const auto found = got.count(n) ? got.at(n) : std::make_pair(0, 0);
      EXPECT_EQ(found, expected) << compiler << " " << text << " line " << n << "\n" << rio;
    }
    // Every initialised variable records its initial value on its line.
    EXPECT_NE(rio.find("INIT " + std::to_string(numbers.at("h")) + " integer 0x10\n"), std::string::npos)
        << rio;
    EXPECT_NE(rio.find("INIT " + std::to_string(numbers.at("s")) + " string \"abc\"\n"), std::string::npos);
    EXPECT_NE(rio.find("CHECK " + std::to_string(numbers.at("hf")) + " FAIL integer 0b10 0b101\n"),
              std::string::npos);
  }
}

TEST_F(VariablesTest, StructuresAreBracketedAndDescribed) {
  generate([] {
    genBegin();
    for (const std::string& l : kDeclarations) genNativeLine(l);
    openService("S");
    openTest("T", "");
    elementWith({box("5")}, {});
  });
  const auto t = lines(tdc);
  // J box, J box.a, two variables, P box.a, the third variable, P box.
  std::vector<std::string> tags;
  for (const std::string& l : t)
    if (!l.empty() && (l[0] == 'J' || l[0] == 'P' || l[0] == 'V'))
      tags.push_back(l.substr(0, l.find(" RA=")));
  const std::vector<std::string> expected = {"J4 box",   "J5 box.a",     "V6 box.a.x", "V7 box.a.y",
                                             "P8 box.a", "V9 box.flags", "P10 box"};
  EXPECT_EQ(tags, expected) << tdc;
  EXPECT_NE(tdc.find("V6 box.a.x RA=FORM=CD32,INIT=1 VA=2,\n"), std::string::npos) << tdc;
  const auto h = lines(harness);
  const std::vector<std::string> order = {
      "zenta_run.OPEN_BRA_CPP(4);",
      "zenta_run.OPEN_BRA_CPP(5);",
      "zenta_run.EDV_INTEGER_CPP(1,0,(long)(box.a.x),0+6,10, (long)((int)2), (long)((int)2));",
      "zenta_run.CLOSE_BRA_CPP(8);",
      "} catch (...) {",
      "zenta_run.ERV_CPP(8);",
      "}",
      "zenta_run.EDV_UNSIGNED_CPP(1,0,(unsigned long)(box.flags),0+9,10, (unsigned long)((unsigned int)9), "
      "(unsigned long)((unsigned int)9));",
      "zenta_run.CLOSE_BRA_CPP(10);",
      "zenta_run.ERV_CPP(10);"};
  int at = 0;
  for (const std::string& l : order) {
    const int next = findLine(h, l, at);
    ASSERT_NE(next, -1) << l << "\n" << harness;
    at = next + 1;
  }
  EXPECT_LT(findLine(h, "box.a.x = 1;"), findLine(h, "zenta_run.OPEN_BRA_CPP(4);"));
  ASSERT_TRUE(compile()) << compilerOutput << harness;
}

TEST_F(VariablesTest, ArraysLoopOverTheirElementsInOneBracket) {
  generate([] {
    genBegin();
    openService("S");
    openTest("T", "");
    elementWith(everyKind(), {});
  });
  const auto h = lines(harness);
  // The two-dimensional array m: one bracket, two loops, one break.
  const int open =
      findLine(h, "zenta_run.SET_MODE_TAB_CPP(" + std::to_string(variableLines().at("m[0..1][0..2]")) + ");");
  ASSERT_NE(open, -1) << harness;
  EXPECT_EQ(h[open + 1], "for( I1=0;I1 <= 1;++I1){");
  EXPECT_EQ(h[open + 2], "for( I2=0;I2 <= 2;++I2){");
  EXPECT_EQ(h[open + 3], "try {");
  EXPECT_EQ(
      h[open + 4],
      "zenta_run.EDV_INTEGER_CPP(1,0,(long)(m[I1][I2]),0+" +
          std::to_string(variableLines().at("m[0..1][0..2]")) +
          ",10, (long)((int)((I1 == (0)?(I2 == (0)?0:(I2 == (1)?1:2)):(I2 == (0)?10:(I2 == (1)?11:12))))), "
          "(long)((int)((I1 == (0)?(I2 == (0)?0:(I2 == (1)?1:2)):(I2 == (0)?10:(I2 == (1)?11:12))))));");
  EXPECT_EQ(h[open + 6], "}");
  EXPECT_EQ(h[open + 7], "}");
  EXPECT_EQ(h[open + 8], "zenta_run.RUPT_CPP(1);");
  // A whole-array value with others.
  EXPECT_NE(harness.find("t[I1] = 9;"), std::string::npos) << harness;
  EXPECT_NE(harness.find("(long)((int)((I1 == (0)?1:(I1 == (1)?2:0))))"), std::string::npos) << harness;
  // The class declares the index variables used.
  EXPECT_NE(classFile.find("    int I1;\n    int I2;\n"), std::string::npos) << classFile;
  EXPECT_EQ(classFile.find("int I3;"), std::string::npos);
  EXPECT_EQ(count(harness, "zenta_run.SET_MODE_TAB_CPP("), 4);
  EXPECT_EQ(count(harness, "zenta_run.UNSET_MODE_TAB_CPP("), 4);
  EXPECT_EQ(count(harness, "zenta_run.RUPT_CPP("), 4);
  // The array of structures: its bracket takes the number of the structure's
  // line, which is described once with its range.
  const int j =
      findLine(lines(tdc), "J" + std::to_string(variableLines().at("pts[0..1].x") - 1) + " pts[0..1]");
  ASSERT_NE(j, -1) << tdc;
  EXPECT_NE(
      harness.find("zenta_run.SET_MODE_TAB_CPP(" + std::to_string(variableLines().at("pts[0..1].x") - 1) +
                   ");\nfor( I1=0;I1 <= 1;++I1){\ntry {\nzenta_run.OPEN_BRA_CPP("),
      std::string::npos)
      << harness;
}

TEST_F(VariablesTest, SliceBoundsAndUnknownSizesWarn) {
  struct Case {
    std::string variable;
    int warnings;
    std::string header;
  };
  const std::vector<Case> cases = {
      {"t[1..3]", 0, "for( I1=1;I1 <= 3;++I1){"},
      {"t[3..1]", 0, "for( I1=3;I1 >= 1;--I1){"},
      {"t[1.5..3]", 1, "for( I1=ZENTA_INT(1.5);I1 <= 3;++I1){"},
      {"t['a'..3]", 1, "for( I1=ZENTA_INT('a');I1 <= 3;++I1){"},
  };
  for (const Case& c : cases) {
    SetUp();
    const int before = diag::warningCount();
    generate([&] {
      genBegin();
      openService("S");
      openTest("T", "");
      elementWith({scalar(c.variable, 0, "entier", "int", -32, "", "1")}, {});
    });
    EXPECT_EQ(diag::warningCount() - before, c.warnings) << c.variable;
    EXPECT_NE(findLine(lines(harness), c.header), -1) << c.variable << "\n" << harness;
  }
  SetUp();
  const int before = diag::warningCount();
  generate([] {
    genBegin();
    openService("S");
    openTest("T", "");
    auto x = scalar("x", 6, "pointeur", "int []", -32, "", "1");
    model::ComponentRecord open = frame(model::ComponentOpenArray, "x", "I1", "0");
    open.sizeKnown = false;
    model::ComponentRecord close = open;
    close.kind = model::ComponentCloseArray;
    x->components = {open, element("x[I1]", 0, "entier", "int", -32, "", "1"), close};
    elementWith({x}, {});
  });
  EXPECT_EQ(diag::warningCount() - before, 1);
  EXPECT_NE(tdc.find(" x[0..0] RA="), std::string::npos) << tdc;
}

TEST_F(VariablesTest, NoeditKeepsOnlyTheAssignmentsAndRuns) {
  cmdline::mutableSettings().noEdit = true;
  generateEveryKind();
  EXPECT_EQ(harness.find("EDV_"), std::string::npos);
  EXPECT_EQ(harness.find("PTU_"), std::string::npos);
  EXPECT_EQ(harness.find("_BRA_CPP"), std::string::npos);
  EXPECT_EQ(harness.find("RUPT_CPP"), std::string::npos);
  EXPECT_NE(harness.find("i = 3;"), std::string::npos);
  EXPECT_NE(harness.find("zenta_run.INI_STR_CPP((char *)(s), 0, "), std::string::npos);
  // The description is written all the same.
  EXPECT_EQ(variableLines().size(), kVerdicts.size());
  for (const std::string compiler : {"g++", "clang++"}) {
    ASSERT_TRUE(build(compiler)) << compiler << "\n" << compilerOutput << harness;
    EXPECT_EQ(compilerOutput, "") << compiler;
    const testkit::Result r = runHarness();
    EXPECT_EQ(r.status, 0) << r.out << r.err;
  }
}

TEST_F(VariablesTest, NoexcepDropsEveryFrameAndGivesTheSameVerdicts) {
  cmdline::mutableSettings().restrictions[cmdline::RestrictNoExcep] = true;
  generateEveryKind();
  EXPECT_EQ(harness.find("try"), std::string::npos);
  EXPECT_EQ(harness.find("catch"), std::string::npos);
  EXPECT_EQ(harness.find("ERV_CPP"), std::string::npos);
  for (const std::string compiler : {"g++", "clang++"}) {
    ASSERT_TRUE(build(compiler)) << compiler << "\n" << compilerOutput << harness;
    EXPECT_EQ(compilerOutput, "") << compiler;
    const testkit::Result r = runHarness();
    EXPECT_EQ(r.status, 1) << r.out << r.err;
    EXPECT_EQ(r.out, "zenta: 42 checks, 32 passed, 10 failed\n") << compiler;
  }
}

TEST_F(VariablesTest, UntypedVariablesAreDescribedByTheirDeclaredTypeOrLeftOut) {
  generate([] {
    genBegin();
    openService("S");
    openTest("T", "");
    auto typed = scalar("n", -1, "", "", 0, "1", "2");
    typed->declaredType = "unsigned  short";
    auto untyped = scalar("z", -1, "", "", 0, "1", "2");
    elementWith({typed, untyped}, {});
  });
  EXPECT_NE(harness.find("zenta_run.EDV_UNSIGNED_CPP(1,0,(unsigned long)(n),0+"), std::string::npos)
      << harness;
  EXPECT_NE(harness.find("(unsigned long)((unsigned short)2)"), std::string::npos) << harness;
  EXPECT_EQ(harness.find("(z)"), std::string::npos);
  EXPECT_EQ(variableLines().size(), 1u);
}

// In the C++11 dialects and later a declared bool is a boolean and a
// declared std::string a string value.
TEST_F(VariablesTest, DeclaredBooleansAndStandardStringsInADialect) {
  analyser::setDialect(analyser::Dialect::Cxx17);
  generate([] {
    genBegin();
    openService("S");
    openTest("T", "");
    auto flag = scalar("flag", -1, "", "", 0, "true", "false");
    flag->declaredType = "bool";
    auto name = scalar("name", -1, "", "", 0, "\"a\"", "\"b\"");
    name->declaredType = "std::string";
    elementWith({flag, name}, {});
  });
  analyser::setDialect(analyser::Dialect::Classic);
  EXPECT_NE(harness.find("zenta_run.PTU_BOOLEAN_CPP(flag,0+"), std::string::npos) << harness;
  EXPECT_NE(harness.find("zenta_run.EDV_INTEGER_CPP(1,0,(long)(flag),0+"), std::string::npos) << harness;
  EXPECT_NE(harness.find("zenta_run.EDV_STR_CPP(1,0,(const char *)(::std::string(name).c_str()),0+"),
            std::string::npos)
      << harness;
}

TEST_F(VariablesTest, ValueFormsAndValueWords) {
  analyser::preprocessNativeCode("#define INIT 4\n#define VA 5", "", 1, false);
  ASSERT_TRUE(analyser::analyserMacroDefined("INIT"));
  generate([] {
    genBegin();
    openService("S");
    openTest("T", "");
    auto same = scalar("a", 0, "entier", "int", -32, "4", "");
    same->evForm = true;
    auto fromInit = scalar("b", 0, "entier", "int", -32, "4", "INIT + 1");
    auto around = scalar("e", 0, "entier", "int", -32, "4", "");
    around->minText = "VA";
    around->maxText = "INIT*2";
    // A list of initial values is selected by the loop index.
    auto listed = scalar("g", 0, "entier", "int", -32, "(1, 2)", "5");
    listed->initForm = model::InitInList;
    elementWith({same, fromInit, around, listed}, {});
  });
  // The names end with the variable.
  EXPECT_FALSE(analyser::analyserMacroDefined("INIT"));
  EXPECT_FALSE(analyser::analyserMacroDefined("VA"));
  EXPECT_NE(harness.find("g = tab_initin1(J1)"), std::string::npos) << harness;
  EXPECT_NE(harness.find("(long)(g),0+"), std::string::npos) << harness;
  EXPECT_NE(tdc.find(" a RA=FORM=ND32,INIT=4 VA=4,"), std::string::npos) << tdc;
  EXPECT_NE(harness.find("(long)((int)4), (long)((int)4));"), std::string::npos) << harness;
  EXPECT_NE(harness.find("(long)((int)(4 + 1)), (long)((int)(4 + 1)));"), std::string::npos) << harness;
  EXPECT_NE(harness.find("(long)((int)VA), (long)((int)(4*2)));"), std::string::npos) << harness;
}

// The selection macros and random tables of dynamic initialisation are
// read by the analyser too; random values of an integer range reach both
// of its bounds.
TEST_F(VariablesTest, DynamicTablesReachTheAnalyserAndIntegerDrawsCoverTheRange) {
  generate([] {
    genBegin();
    genNativeLine("int g, n;");
    openService("S");
    openTest("T", "");
    auto listed = scalar("g", 0, "entier", "int", -32, "(1, 2)", "");
    listed->initForm = model::InitInList;
    listed->minText = "1";
    listed->maxText = "2";
    listed->minPresent = listed->maxPresent = true;
    auto drawn = scalar("n", 0, "entier", "int", -32, "", "");
    drawn->initPresent = true;
    drawn->initForm = model::InitFromRange;
    drawn->rangeKind = model::RangeRandom;
    drawn->rangeLow = "0";
    drawn->rangeHigh = "1";
    drawn->rangeStep = "40";
    drawn->minText = "0";
    drawn->maxText = "1";
    drawn->minPresent = drawn->maxPresent = true;
    elementWith({listed, drawn}, {});
  });
  EXPECT_TRUE(analyser::analyserMacroDefined("tab_initin1"));
  const analyser::VariablePeek table = analyser::peekVariable("rand2");
  EXPECT_TRUE(table.typed && table.array) << classFile;
  ASSERT_TRUE(compile()) << compilerOutput << harness << classFile;
  EXPECT_EQ(runHarness().status, 0);
  // 2 values of g times 40 of n, each n drawn 0 or 1, both seen.
  ASSERT_NE(findLine(lines(tdc), "V7 n RA=FORM=CD32,INIT=FROM 0 TO 1 NB_RANDOM 40 VA=0<=VA<=1,"), -1) << tdc;
  const std::string rio = results();
  EXPECT_EQ(count(rio, "CHECK 7 PASS"), 80) << rio;
  EXPECT_GT(count(rio, "INIT 7 integer 0\n"), 0) << rio;
  EXPECT_GT(count(rio, "INIT 7 integer 1\n"), 0) << rio;
}

TEST_F(VariablesTest, AnExpansionLeftOpenKeepsTheHarnessWhole) {
  generate([] {
    genBegin();
    for (const std::string& l : kDeclarations) genNativeLine(l);
    openService("S");
    openTest("T", "");
    auto pts = scalar("pts", 6, "pointeur", "Point [2]", -32, "", "");
    model::ComponentRecord open = frame(model::ComponentOpenArray, "pts", "", "1");
    pts->components = {frame(model::ComponentCloseArray, "pts"), frame(model::ComponentCloseStructure, "pts"),
                       open, frame(model::ComponentOpenStructure, "pts[I1]"),
                       element("pts[I1].x", 0, "entier", "int", -32, "1", "1")};
    elementWith({pts}, {});
  });
  EXPECT_NE(tdc.find("\nJ4 pts[0..1]\nE12 0 0\nV5 pts[0..1].x RA=FORM=CD32,INIT=1 VA=1,\nP6\n"),
            std::string::npos)
      << tdc;
  ASSERT_TRUE(compile()) << compilerOutput << harness;
  EXPECT_EQ(runHarness().status, 0);
}

TEST_F(VariablesTest, LongVariableLinesAreContinued) {
  const std::string text(280, 'a');
  generate([&] {
    genBegin();
    openService("S");
    openTest("T", "");
    elementWith({scalar("s", 4, "chaine", "", -32, "", "\"" + text + "\"")}, {});
  });
  const auto t = lines(tdc);
  const std::string line = "V4 s RA=FORM=C, VA=\"" + text + "\",";
  const int v = findLine(t, line.substr(0, 132));
  ASSERT_NE(v, -1) << tdc;
  EXPECT_EQ(t[v + 1], "&" + line.substr(132, 132));
  EXPECT_EQ(t[v + 2], "&" + line.substr(264));
  // The next numbered line still takes the next number.
  EXPECT_EQ(output::tdc::current(), 5);
}

}  // namespace
}  // namespace zenta::generator

#include <cstdlib>

#include "tests/generator/generation_fixture.h"

namespace zenta::generator {
namespace {

using testing_support::GenerationTest;
using testing_support::lines;

using DescriptionTest = GenerationTest;

// Lines of the description without the header-statement lines.
std::vector<std::string> numberedAndPositions(const std::string& tdc) {
  std::vector<std::string> out;
  for (const std::string& l : lines(tdc))
    if (!l.empty()) out.push_back(l);
  return out;
}

// The numbered lines of block headers, comments and requirements: a header
// waits for its first use (an empty test or service is declared at its
// end), and the harness declares each block with its number.
TEST_F(DescriptionTest, BlockLinesAndTheNumbersTheHarnessPasses) {
  const struct {
    std::vector<std::string> steps, lines, harnessHas;
  } cases[] = {
      {{"begin", "service S", "test T", "element"},
       {"E17 0 0", "E16 0 0", "O1 S", "T2 T", "E14 0 0", "B3 1"},
       {"zenta_run.DCL_OP_CPP(1, \"S\");", "zenta_run.DCL_TST_CPP(2, \"T\");"}},
      // Closing A1 and A with an empty test and an empty service: declared at their end.
      {{"begin", "service A", "test A1", "element", "element", "test A2", "end test", "service B"},
       {"E17 0 0", "E16 0 0", "O1 A", "T2 A1", "E14 0 0", "B3 1", "E14 0 0", "B4 2", "E16 0 0", "T5 A2",
        "E17 0 0", "O6 B"},
       {"zenta_run.DCL_TST_CPP(5, \"A2\");", "zenta_run.DCL_OP_CPP(6, \"B\");"}},
      {{"comment before any service", "begin", "service S", "comment about S", "requirement REQ-1",
        "type type of S", "test T", "comment about T", "family NOMINAL", "comment about the family",
        "element", "comment inside the element"},
       {"X1 before any service", "E17 0 0", "E16 0 0", "O2 S", "S3 type of S", "C4 about S", "Q5 REQ-1",
        "T6 T", "C7 about T", "F8 NOMINAL", "C9 about the family", "E14 0 0", "B10 1",
        "C11 inside the element"},
       {}},
      // A service type before any service is the default.
      {{"type DEFAULT", "begin"}, {"E3 DEFAULT"}, {}},
      {{"begin", "service S", "test T|n + 1", "element"},
       {"E17 0 0", "E16 0 0", "O1 S", "T2 T", "R3 ?", "E14 0 0", "B4 1"},
       {"zenta_run.DCL_FAC_REP_CPP(3,n + 1);"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.steps[1]);
    SetUp();
    generate(c.steps);
    EXPECT_EQ(numberedAndPositions(tdc), c.lines) << tdc;
    for (const std::string& h : c.harnessHas) EXPECT_NE(harness.find(h), std::string::npos) << h;
  }
}

TEST_F(DescriptionTest, HeaderStatementLines) {
  setenv("ZENTA_TEST_MODULE", "queue", 1);
  unsetenv("ZENTA_TEST_UNSET");
  struct Case {
    std::string a, b, c;
    std::optional<std::string> d;
    std::string strver;
    std::vector<std::string> expected;
    int warnings;
  };
  const std::vector<Case> cases = {
      {"mod", "1.0", "x", std::nullopt, "", {"E1 mod", "E2 1.0", "E10 x", "E0 mod , 1.0 , x"}, 0},
      {"mod", "1.0", "x", std::string("four"), "", {"E1 mod", "E2 1.0", "E10 x", "E0 mod , 1.0 , four , x"}, 0},
      {"$ZENTA_TEST_MODULE", "2", "y", std::nullopt, "", {"E1 queue", "E2 2", "E10 y", "E0 queue , 2 , y"}, 0},
      {"$ZENTA_TEST_UNSET", "2", "y", std::nullopt, "", {"E1 ", "E2 2", "E10 y", "E0  , 2 , y"}, 1},
      {"m", "1.0", "z", std::nullopt, "2.0", {"E1 m", "E2 2.0", "E10 z", "E0 m , 1.0 , z"}, 1},
      {"m", "", "z", std::nullopt, "2.0", {"E1 m", "E2 2.0", "E10 z", "E0 m ,  , z"}, 0},
      {"m", "2.0", "z", std::nullopt, "2.0", {"E1 m", "E2 2.0", "E10 z", "E0 m , 2.0 , z"}, 0},
  };
  for (const Case& c : cases) {
    SetUp();
    cmdline::mutableSettings().strver = c.strver;
    generate([&] { output::description::writeHeaderStatement(c.a, c.b, c.c, c.d ? &*c.d : nullptr, c.strver); });
    EXPECT_EQ(numberedAndPositions(tdc), c.expected) << c.a << " " << c.b;
    EXPECT_EQ(diag::warningCount(), c.warnings) << c.a << " " << c.b;
  }
  unsetenv("ZENTA_TEST_MODULE");
}

TEST_F(DescriptionTest, HeaderHandlerTakesTheStrverVersionWithoutWarning) {
  cmdline::mutableSettings().strver = "9.9";
  generate([] { genHeader("m", "1.0", "z", nullptr); });
  EXPECT_EQ(numberedAndPositions(tdc),
            (std::vector<std::string>{"E1 m", "E2 9.9", "E10 z", "E0 m , 1.0 , z"}));
  EXPECT_EQ(diag::warningCount(), 0);
  const struct {
    const char *source, *script, *prefix, *text;
  } cases[] = {
      {"9.9", "1.0", nullptr, "Source : 9.9 / PTU : 1.0"},
      {"9.9", "", nullptr, ""},
      {"", "1.0", nullptr, ""},
      {"1.0", "1.0", nullptr, ""},
      {"9.9", "1.0", "Origin : ", "Origin : 9.9 / PTU : 1.0"},
  };
  for (const auto& c : cases)
    EXPECT_EQ(c.prefix ? output::description::versionMismatch(c.source, c.script, c.prefix)
                       : output::description::versionMismatch(c.source, c.script),
              c.text)
        << c.source << " " << c.script;
}

TEST_F(DescriptionTest, LongVariableLinesAreContinued) {
  const std::string expression(300, 'v');
  int number = 0;
  generate([&] { number = output::description::writeVariable(expression); });
  const auto l = lines(tdc);
  ASSERT_EQ(l.size(), 3u) << tdc;
  EXPECT_EQ(number, 1);
  EXPECT_EQ(l[0], "V1 " + std::string(129, 'v'));
  EXPECT_EQ(l[1], "&" + std::string(132, 'v'));
  EXPECT_EQ(l[2], "&" + std::string(39, 'v'));
  EXPECT_EQ(output::tdc::current(), 2);
}

TEST_F(DescriptionTest, ListIncludeStubAndDependencyTexts) {
  namespace d = output::description;
  EXPECT_EQ(d::listText("l", 3, "1, 2, 3", ""), "l[1..3] RA=FORM=CD32, INIT={1, 2, 3}, VA= ");
  EXPECT_EQ(d::listText("l", 2, "", "a,b"), "l[1..2] RA=FORM=CD32, INIT= , VA={a,b}");
  const std::string inc = d::includeText("defs.ptu", "", "main.ptu");
  EXPECT_EQ(inc.size(), 85u + 3u + 8u);
  EXPECT_EQ(inc.substr(0, 28), "defs.ptu                  / ");
  EXPECT_EQ(inc.substr(28, 34), std::string(34, '-'));
  EXPECT_EQ(inc.substr(85), " / main.ptu");
  generate([&] {
    d::writeStub(1, "blk", "f");
    d::writeDependency("x", 7);
    d::writeUnnumberedRepetition("5");
  });
  EXPECT_EQ(numberedAndPositions(tdc), (std::vector<std::string>{"M1 blk f", "M0", "D1 x 7", "R0 5"}));
}

TEST_F(DescriptionTest, ConstantCounts) {
  const std::pair<const char*, long> cases[] = {{" 12 ", 12}, {"0x1F", 31}, {"4u", 4},
                                                {"n", -1},    {"1.5", -1},  {"", -1}};
  for (const auto& [text, value] : cases) {
    long v = -1;
    EXPECT_EQ(output::description::constantCount(text, &v), value >= 0) << text;
    if (value >= 0) { EXPECT_EQ(v, value) << text; }
  }
}

TEST_F(DescriptionTest, TsfRecordsUseTheDescriptionNumbers) {
  cmdline::mutableNames().crossReference1 = "/d/x.xrd";
  cmdline::mutableNames().crossReference2 = "x.xrd";
  generate([&] {
    output::openOutput(output::Tsf, dir_.file("h.tsf"), nullptr, nullptr);
    testing_support::play({"begin", "service S", "test T", "element", "end service"});
    output::description::tsfStub("f", 9);
    output::description::tsfStub("g", 10);
  });
  output::closeOutput(output::Tsf, false);
  // Service, test, the stub group and its stubs, the end, then the trailer.
  const std::vector<std::string> expected = {
      "SI 9", "IN \"ZNUS\" 15 \"S\"", "LK 0", "MS 14 \"S\"", "SI 15", "IN \"ZNUT\" 19 \"Test T\"", "LK 0",
      "MS 18 \"T\"", "SI 9", "IN \"ZNUB\" 3 \"Stubs\"", "LK 9", "SI 3", "IN \"ZNUB\" 1 \"f\"", "SI 1", "LK 10",
      "SI 3", "IN \"ZNUB\" 2 \"g\"", "SI 2", "ID 1 0", "ED", "DB \"Kestrel-Tracer\"",
      "SO \"/d/x.xrd\" 000 \"xrd\"", "IN \"File\" 9 \"x.xrd\"", "LK 1", "TX 6 \"Errors detected\"",
      "LK \"Test0\"", "TX 20 \"Test result\"", "ID 2 0", "ED"};
  EXPECT_EQ(lines(dir_.read("h.tsf")), expected);
}

}  // namespace
}  // namespace zenta::generator

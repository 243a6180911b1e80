// Lists and ranges of initial and expected values end to end: the dial
// script is compiled, its harness built by g++ and clang++ with -Wall
// -Wextra and run, and the verdicts of every variable line are compared
// with counts worked out by hand from the number of runs of each test
// (the product of its loops) and the values that pass.
#include <gtest/gtest.h>

#include <cctype>
#include <cstdio>
#include <map>
#include <regex>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "tests/testkit/process.h"
#include "verdicts.h"

namespace {

const std::string kData = ZENTA_TEST_DATA;

// PASS and FAIL counts per "TEST variable" line.
using e2e::Verdicts;
using e2e::lines;

const Verdicts kDial = {
    {"IN_LIST dial_setting", {3, 0}},          // 1, 2, 3 doubled
    {"IN_LIST_FAILING dial_setting", {2, 1}},  // 4 is not 5
    {"STEP dial_setting", {3, 0}},             // 0, 5, 10
    {"NB_TIMES dial_level", {5, 0}},           // 0, 0.25, 0.5, 0.75, 1 doubled, compared exactly
    {"PRODUCT dial_setting", {6, 0}},          // 2 values times 3 steps
    {"PRODUCT dial_level", {6, 0}},
    {"PRODUCT_FAILING dial_setting", {2, 4}},  // 3 values times 2: only 1 doubles to 2
    {"PRODUCT_FAILING dial_level", {3, 3}},    // 0 and 1: only 0 doubles to 0
    {"LOOPED dial_setting", {4, 0}},           // LOOP 2 times 2 values
    {"STEP_TO_VARIABLE dial_setting", {3, 0}},  // up to dial_top, 10: the count known at run time
    {"LINKED dial_setting", {3, 0}},
    {"LINKED dial_level", {2, 1}},  // its lists follow the runs of dial_setting: 1.5 doubles to 3, not 3.5
    {"LINKED dial_notch", {2, 1}},  // left alone: 3 is not 4
    {"RANDOM dial_setting", {20, 0}},          // 3 drawn and the 2 bounds, times 4 drawn levels
    {"RANDOM dial_level", {20, 0}},
    {"RANDOM_INTEGERS dial_notch", {40, 0}},
};
// Turns of the dial in all: the runs of every test.
const char* const kTurns = "turns 96\n";
const char* const kSummary = "zenta: 134 checks, 124 passed, 10 failed\n";


class DynamicEndToEnd : public ::testing::Test {
 protected:
  testkit::Result compile() { return compile("dial.ptu"); }
  bool build(const std::string& compiler) { return e2e::buildHarness(dir_, compiler, kData, "dial.cpp", buildOutput); }
  testkit::Result runHarness() { return e2e::runHarness(dir_, results); }
  testkit::Result compile(const std::string& script, const std::vector<std::string>& options = {}) {
    std::vector<std::string> argv = {testkit::stageBin("zentaprepro"), kData + "/" + script, dir_.file("t.cc"),
                                     dir_.path().string() + "/", "-INCL=" + kData};
    argv.insert(argv.end(), options.begin(), options.end());
    const testkit::Result r = testkit::run(
        argv,
        {{"QUARTODIR", testkit::stageDir()}, {"ZNTTGT", testkit::stageDir()}, {"ZNUTGT", {}}, {"ZENTACPPINC", {}},
         {"ZENTALAN", "GB"}},
        dir_.path().string());
    harness = dir_.exists("t.cc") ? dir_.read("t.cc") : std::string();
    classes = dir_.exists("t_zcls.h") ? dir_.read("t_zcls.h") : std::string();
    tdc = dir_.exists("t.tdc") ? dir_.read("t.tdc") : std::string();
    return r;
  }
  Verdicts verdicts() const { return e2e::verdictsPerVariableLine(tdc, results, false); }

  testkit::ScratchDir dir_;
  std::string harness, classes, tdc, results, buildOutput;
};

TEST_F(DynamicEndToEnd, EveryTestRunsOncePerValue) {
  const testkit::Result c = compile();
  ASSERT_TRUE(c.status == 0 || c.status == 3) << c.err;
  int passed = 0, failed = 0;
  for (const auto& [line, counts] : kDial) {
    passed += counts.first;
    failed += counts.second;
  }
  ASSERT_EQ(std::make_pair(passed, failed), std::make_pair(124, 10));
  const std::string summary = kSummary;
  for (const std::string compiler : {"g++", "clang++"}) {
    ASSERT_TRUE(build(compiler)) << compiler << "\n" << buildOutput << harness << classes;
    EXPECT_EQ(buildOutput, "") << compiler;
    const testkit::Result r = runHarness();
    EXPECT_EQ(r.status, 1) << compiler << "\n" << r.out << r.err;
    EXPECT_NE(r.out.find(summary), std::string::npos) << compiler << "\n" << r.out;
    EXPECT_NE(r.out.find(kTurns), std::string::npos) << compiler << "\n" << r.out;
    EXPECT_EQ(verdicts(), kDial) << compiler << "\n" << results;
    EXPECT_NE(results.find("END 134 124 10"), std::string::npos) << results;
    EXPECT_NE(harness.find("dial_level = tab_init_avec"), std::string::npos) << harness;
  }
  // A STEP range whose count is known only at run time: "?" in the
  // description, the count recorded by the harness.
  std::smatch unknown;
  ASSERT_TRUE(std::regex_search(tdc, unknown, std::regex("\nR([0-9]+) \\?\n"))) << tdc;
  EXPECT_NE(results.find("\nREP " + unknown[1].str() + " 3\n"), std::string::npos) << results;
  // NB_TIMES 5 over [0, 1]: exactly the five evenly spaced values, bounds
  // included, recorded as they were given.
  std::vector<std::string> levels;
  static const std::regex init("^INIT [0-9]+ double (\\S+)$");
  for (const std::string& l : lines(results)) {
    std::smatch m;
    if (std::regex_match(l, m, init)) levels.push_back(m[1]);
  }
  ASSERT_GE(levels.size(), 5u) << results;
  EXPECT_EQ(std::vector<std::string>(levels.begin(), levels.begin() + 5),
            (std::vector<std::string>{"0", "0.25", "0.5", "0.75", "1"}))
      << results;
  // Random integers from 0 to 1: 40 draws, each 0 or 1, both drawn.
  std::smatch notch;
  ASSERT_TRUE(std::regex_search(tdc, notch, std::regex("\nT[0-9]+ RANDOM_INTEGERS\n(?:[^\n]*\n)*?V([0-9]+) dial_notch ")))
      << tdc;
  std::map<std::string, int> drawn;
  const std::regex notchInit("^INIT " + notch[1].str() + " integer (\\S+)$");
  for (const std::string& l : lines(results)) {
    std::smatch m;
    if (std::regex_match(l, m, notchInit)) ++drawn[m[1]];
  }
  EXPECT_EQ(drawn["0"] + drawn["1"], 40) << results;
  EXPECT_GT(drawn["0"], 0) << results;
  EXPECT_GT(drawn["1"], 0) << results;
}

// What the harness and the description file hold for the first test: the
// selection macros, the loop over J1 and the repetition line.
TEST_F(DynamicEndToEnd, ListLoopsMacrosAndRepetitions) {
  ASSERT_LE(compile().status, 3);
  EXPECT_NE(classes.find("#define tab_initin1(J1) (J1 == 1 ? 1 :(J1 == 2 ? 2 :3))"), std::string::npos) << classes;
  EXPECT_NE(classes.find("#define tab_vain2(J1) (J1 == 1 ? 2 :(J1 == 2 ? 4 :6))"), std::string::npos) << classes;
  EXPECT_NE(harness.find("for (J1 = 1 ; J1<=3;J1++ ){"), std::string::npos) << harness;
  // The LOOP of TEST takes J1, the list of its variable J2.
  EXPECT_NE(harness.find("for (J2 = 1 ; J2<=2;J2++ ){"), std::string::npos) << harness;
  EXPECT_TRUE(std::regex_search(tdc, std::regex("\nR[0-9]+ 3\n"))) << tdc;
  EXPECT_TRUE(std::regex_search(tdc, std::regex("\nR[0-9]+ 5\n"))) << tdc;  // NB_TIMES 5
  // NB_RANDOM 3 +BOUNDS: five factors, the bounds first and last; NB_RANDOM
  // 4: four factors in (0, 2).
  EXPECT_TRUE(std::regex_search(
      classes, std::regex("\nfloat rand[0-9]+\\[\\] = \\{ 0\\.0(, [01]\\.[0-9]+){3}, -10\\.0\\};\n")))
      << classes;
  EXPECT_TRUE(std::regex_search(classes, std::regex("\nfloat rand[0-9]+\\[\\] = \\{ [01]\\.[0-9]+(, [01]\\.[0-9]+){3}\\};\n")))
      << classes;
}

// Without result recording the loops still run every value; without
// exception frames the verdicts are the same.
TEST_F(DynamicEndToEnd, NoEditAndNoExcepHarnesses) {
  ASSERT_LE(compile("dial.ptu", {"-NOEDIT"}).status, 3);
  ASSERT_TRUE(build("g++")) << buildOutput;
  testkit::Result r = runHarness();
  EXPECT_EQ(r.status, 0) << r.out << r.err;
  EXPECT_NE(r.out.find("zenta: 0 checks, 0 passed, 0 failed"), std::string::npos) << r.out;
  EXPECT_NE(r.out.find(kTurns), std::string::npos) << r.out;

  ASSERT_LE(compile("dial.ptu", {"-RESTRICTION=NOEXCEP"}).status, 3);
  EXPECT_FALSE(std::regex_search(harness, std::regex("\\b(try|catch)\\b"))) << harness;
  ASSERT_TRUE(build("clang++")) << buildOutput;
  r = runHarness();
  EXPECT_EQ(r.status, 1) << r.out << r.err;
  EXPECT_NE(r.out.find(kSummary), std::string::npos) << r.out;
  EXPECT_EQ(verdicts(), kDial) << results;
}

// Counts too small, random counts unknown at compile time and lists too
// long are errors.
TEST_F(DynamicEndToEnd, CountsAndListsOutOfBounds) {
  const testkit::Result c = compile("dial_bad.ptu");
  EXPECT_EQ(c.status, 5) << c.err;
  EXPECT_NE(c.err.find("1 must be integer and superior or equal to 1 (NB_RANDOM) or to 2 (NB_TIMES)"),
            std::string::npos)
      << c.err;
  EXPECT_NE(c.err.find("dial_top must be integer and superior or equal to 1 (NB_RANDOM) or to 2 (NB_TIMES)"),
            std::string::npos)
      << c.err;
  EXPECT_NE(c.err.find("Quarto-E-NBVALLIST,  The Number of values in the list is too big"), std::string::npos)
      << c.err;
}

}  // namespace

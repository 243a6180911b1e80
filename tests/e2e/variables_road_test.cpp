// Variables on the whole road: a script whose VAR, STR and ARRAY statements
// name scalars, a string, a pointer, a structure with a nested structure, a
// two-dimensional array and an array given a whole value with `others`;
// the staged compiler writes the harness, g++ and clang++ build it without
// a warning, and each variable's line of the description file receives the
// verdicts it was written for. The pointer set with INIT == NONIL is left as
// it is, without a warning.
#include <gtest/gtest.h>

#include <cstdio>
#include <map>
#include <string>
#include <vector>

#include "tests/testkit/process.h"
#include "verdicts.h"

namespace {

const char* const kScript = R"(HEADER vars, 1.0, e2e
#struct Point { int x; int y; };
#struct Box { Point a; unsigned flags; };
#int i; unsigned u; char c; double d; char s[16]; int *p; int *q = &i; Box box; int m[2][3]; int t[5];
BEGIN
SERVICE calc
TEST one
FAMILY nominal
ELEMENT
VAR i, INIT = 3, EV = 4
VAR u, INIT = 5, EV = 10
VAR c, INIT = 'a', EV = 'b'
VAR d, INIT = 10.0, EV = 2.6, DELTA = 5%
VAR s, INIT = "ab", EV = "ab!"
VAR p, INIT = NIL, EV = NONIL
VAR q, INIT == NONIL, EV = NONIL
STR box, INIT = {a => {x => 1, y => 5}, flags => 1}, EV = {a => {x => 2, y => 6}, flags => 9}
VAR m, INIT = 0, EV = {{0,1,2},{10,11,12}}
ARRAY t, INIT = {others => 9}, EV = {1, 2, others => 0}
#  i = i + 1; u = u * 2; c = c + 1; d = d / 4; s[2] = '!'; s[3] = 0; p = &i;
#  box.a.x += 1; box.flags |= 8;
#  for (int a = 0; a < 2; ++a) for (int b = 0; b < 3; ++b) m[a][b] = a * 10 + b;
#  for (int k = 0; k < 5; ++k) t[k] = k < 2 ? k + 1 : 0;
END ELEMENT
END FAMILY
END TEST
END SERVICE
)";

// PASS and FAIL verdicts per variable line; box.a.y fails on purpose.
const e2e::Verdicts kVerdicts = {
    {"ONE i", {1, 0}}, {"ONE u", {1, 0}}, {"ONE c", {1, 0}}, {"ONE d", {1, 0}},
    {"ONE s", {1, 0}}, {"ONE p", {1, 0}}, {"ONE q", {1, 0}}, {"ONE box.a.x", {1, 0}}, {"ONE box.a.y", {0, 1}},
    {"ONE box.flags", {1, 0}}, {"ONE m[0..1][0..2]", {6, 0}}, {"ONE t[0..4]", {5, 0}},
};

class VariablesRoadTest : public ::testing::Test {
 protected:
  testkit::Result compileScript(const std::vector<std::string>& options = {}) {
    dir_.write("vars.ptu", kScript);
    std::vector<std::string> argv = {testkit::stageBin("zentaprepro"), dir_.file("vars.ptu"),
                                     dir_.file("t.cc"), dir_.path().string() + "/"};
    argv.insert(argv.end(), options.begin(), options.end());
    const testkit::Result r = testkit::run(argv,
                                           {{"QUARTODIR", testkit::stageDir()},
                                            {"ZNTTGT", testkit::stageDir()},
                                            {"ZNUTGT", {}},
                                            {"ZENTACPPINC", {}},
                                            {"ZENTALAN", "GB"}},
                                           dir_.path().string());
    harness = dir_.exists("t.cc") ? dir_.read("t.cc") : std::string();
    tdc = dir_.exists("t.tdc") ? dir_.read("t.tdc") : std::string();
    return r;
  }
  // Builds the harness, which has no module of its own, without a warning.
  void buildCleanly(const std::string& compiler) {
    std::string output;
    ASSERT_TRUE(e2e::buildHarness(dir_, compiler, dir_.path().string(), "", output)) << compiler << "\n"
                                                                                     << output << harness;
    EXPECT_EQ(output, "") << compiler;
  }

  testkit::ScratchDir dir_;
  std::string harness, tdc, results;
};

// Each variable line follows the position of its own statement, the words
// NIL and NONIL reach the description as written, and every line receives
// its verdicts whichever compiler builds the harness.
TEST_F(VariablesRoadTest, EveryVariableLineGetsItsVerdicts) {
  const testkit::Result c = compileScript();
  ASSERT_EQ(c.status, 0) << c.err << dir_.read("vars.lis");
  std::map<std::string, int> position;  // the statements of i, u and box stand on lines n, n + 1, n + 7
  const auto t = e2e::lines(tdc);
  for (std::size_t k = 1; k < t.size(); ++k) {
    int file = -1, line = 0;
    if (t[k][0] != 'V' || std::sscanf(t[k - 1].c_str(), "E12 %d %d", &file, &line) != 2) continue;
    position[t[k].substr(t[k].find(' ') + 1, t[k].find(" RA=") - t[k].find(' ') - 1)] = line;
  }
  EXPECT_GT(position["i"], 9) << tdc;
  EXPECT_EQ(position["u"], position["i"] + 1) << tdc;
  EXPECT_EQ(position["box.a.x"], position["i"] + 7) << tdc;
  EXPECT_EQ(position["box.flags"], position["i"] + 7) << tdc;
  EXPECT_NE(tdc.find(" p RA=FORM=CD32,INIT=NIL VA=NONIL,\n"), std::string::npos) << tdc;
  for (const std::string compiler : {"g++", "clang++"}) {
    ASSERT_NO_FATAL_FAILURE(buildCleanly(compiler));
    const testkit::Result r = e2e::runHarness(dir_, results);
    EXPECT_EQ(r.status, 1) << r.out << r.err;
    EXPECT_EQ(r.out, "zenta: 21 checks, 20 passed, 1 failed\n") << compiler;
    EXPECT_EQ(e2e::verdictsPerVariableLine(tdc, results, true), kVerdicts) << compiler << "\n" << results;
  }
}

TEST_F(VariablesRoadTest, NoeditAndNoexcepHarnessesBuildAndRun) {
  const struct {
    const char* option;
    int status;
    const char* out;
  } cases[] = {
      {"-NOEDIT", 0, "zenta: 0 checks, 0 passed, 0 failed\n"},
      {"-RESTRICTION=NOEXCEP", 1, "zenta: 21 checks, 20 passed, 1 failed\n"},
  };
  for (const auto& k : cases) {
    SCOPED_TRACE(k.option);
    const testkit::Result c = compileScript({k.option});
    ASSERT_EQ(c.status, 0) << c.err;
    ASSERT_NO_FATAL_FAILURE(buildCleanly("g++"));
    const testkit::Result r = e2e::runHarness(dir_, results);
    EXPECT_EQ(r.status, k.status) << r.out << r.err;
    EXPECT_EQ(r.out, k.out);
  }
}

}  // namespace

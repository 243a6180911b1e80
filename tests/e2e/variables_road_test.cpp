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
#include <sstream>
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
const std::map<std::string, std::pair<int, int>> kVerdicts = {
    {"i", {1, 0}},
    {"u", {1, 0}},
    {"c", {1, 0}},
    {"d", {1, 0}},
    {"s", {1, 0}},
    {"p", {1, 0}},
    {"q", {1, 0}},
    {"box.a.x", {1, 0}},
    {"box.a.y", {0, 1}},
    {"box.flags", {1, 0}},
    {"m[0..1][0..2]", {6, 0}},
    {"t[0..4]", {5, 0}},
};

std::vector<std::string> lines(const std::string& text) {
  std::vector<std::string> out;
  std::istringstream in(text);
  std::string l;
  while (std::getline(in, l)) out.push_back(l);
  return out;
}

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
  bool build(const std::string& compiler) {
    const testkit::Result r =
        testkit::run({"/usr/bin/" + compiler, "-std=c++17", "-Wall", "-Wextra", "-I", dir_.path().string(),
                      "-I", testkit::stageDir() + "/lib", dir_.file("t.cc"), "-o", dir_.file("t.exe")});
    buildOutput = r.err;
    return r.status == 0;
  }
  testkit::Result runHarness() { return e2e::runHarness(dir_, results); }
  // The number of each variable line, by the variable's text.
  std::map<std::string, int> variableLines() const {
    std::map<std::string, int> out;
    for (const std::string& l : lines(tdc)) {
      if (l.size() < 2 || l[0] != 'V') continue;
      const std::size_t blank = l.find(' ');
      out[l.substr(blank + 1, l.find(" RA=") - blank - 1)] = std::stoi(l.substr(1, blank - 1));
    }
    return out;
  }
  std::map<int, std::pair<int, int>> verdicts() const {
    std::map<int, std::pair<int, int>> out;
    for (const std::string& l : lines(results)) {
      int n = 0;
      char verdict[8] = {};
      if (std::sscanf(l.c_str(), "CHECK %d %7s", &n, verdict) != 2) continue;
      if (std::string(verdict) == "PASS") ++out[n].first;
      if (std::string(verdict) == "FAIL") ++out[n].second;
    }
    return out;
  }

  testkit::ScratchDir dir_;
  std::string harness, tdc, results, buildOutput;
};

TEST_F(VariablesRoadTest, EveryVariableLineGetsItsVerdicts) {
  const testkit::Result c = compileScript();
  ASSERT_EQ(c.status, 0) << c.err << dir_.read("vars.lis");
  const auto numbers = variableLines();
  ASSERT_EQ(numbers.size(), kVerdicts.size()) << tdc;
  // Each variable line follows the position of its own statement: the
  // statements of i, u and box stand on lines n, n + 1 and n + 7.
  std::map<std::string, int> position;
  const auto t = lines(tdc);
  for (std::size_t k = 1; k < t.size(); ++k) {
    int file = -1, line = 0;
    if (t[k][0] != 'V' || std::sscanf(t[k - 1].c_str(), "E12 %d %d", &file, &line) != 2) continue;
    position[t[k].substr(t[k].find(' ') + 1, t[k].find(" RA=") - t[k].find(' ') - 1)] = line;
  }
  EXPECT_GT(position["i"], 9) << tdc;
  EXPECT_EQ(position["u"], position["i"] + 1) << tdc;
  EXPECT_EQ(position["box.a.x"], position["i"] + 7) << tdc;
  EXPECT_EQ(position["box.flags"], position["i"] + 7) << tdc;
  // The words NIL and NONIL reach the description as written.
  EXPECT_NE(tdc.find(" p RA=FORM=CD32,INIT=NIL VA=NONIL,\n"), std::string::npos) << tdc;
  for (const std::string compiler : {"g++", "clang++"}) {
    ASSERT_TRUE(build(compiler)) << compiler << "\n" << buildOutput << harness;
    EXPECT_EQ(buildOutput, "") << compiler;
    const testkit::Result r = runHarness();
    EXPECT_EQ(r.status, 1) << r.out << r.err;
    EXPECT_EQ(r.out, "zenta: 21 checks, 20 passed, 1 failed\n") << compiler;
    const auto got = verdicts();
    for (const auto& [text, expected] : kVerdicts) {
      ASSERT_TRUE(numbers.count(text)) << text << "\n" << tdc;
      const int n = numbers.at(text);
      EXPECT_EQ(got.count(n) ? got.at(n) : std::make_pair(0, 0), expected) << compiler << " " << text << "\n"
                                                                           << results;
    }
  }
}

TEST_F(VariablesRoadTest, NoeditAndNoexcepHarnessesBuildAndRun) {
  struct Case {
    std::vector<std::string> options;
    int status;
    std::string out;
  };
  const std::vector<Case> cases = {
      {{"-NOEDIT"}, 0, "zenta: 0 checks, 0 passed, 0 failed\n"},
      {{"-RESTRICTION=NOEXCEP"}, 1, "zenta: 21 checks, 20 passed, 1 failed\n"},
  };
  for (const Case& k : cases) {
    const testkit::Result c = compileScript(k.options);
    ASSERT_EQ(c.status, 0) << k.options[0] << c.err;
    ASSERT_TRUE(build("g++")) << k.options[0] << "\n" << buildOutput << harness;
    EXPECT_EQ(buildOutput, "") << k.options[0];
    const testkit::Result r = runHarness();
    EXPECT_EQ(r.status, k.status) << k.options[0] << r.out << r.err;
    EXPECT_EQ(r.out, k.out) << k.options[0];
  }
}

}  // namespace

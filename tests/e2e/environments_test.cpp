// Environments end to end: a script whose environments, used at program,
// service, test and element level with parameters, give the defaults of its
// elements is compiled, its harness built by g++ against the staged runtime
// header and run; the verdicts per variable line are compared with a table
// worked out by hand from the code under test.
#include <gtest/gtest.h>

#include <cstdio>

#include <cctype>
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

// PASS and FAIL counts per "TEST variable".
using e2e::Verdicts;
using e2e::lines;

const Verdicts kExpected = {
    // The element's own meter_c; the program's scale 2 and the service's start(10).
    {"DEFAULTS meter_c", {1, 0}},
    {"DEFAULTS meter_log[0..2]", {3, 0}},
    {"DEFAULTS meter_scale", {1, 0}},
    {"DEFAULTS meter_a", {1, 0}},
    {"DEFAULTS meter_b", {1, 0}},
    // The test's scale 3 hides the program's; a and b are the element's.
    {"OVERLOAD meter_scale", {1, 0}},
    {"OVERLOAD meter_c", {1, 0}},
    {"OVERLOAD meter_log[0..2]", {3, 0}},
    {"OVERLOAD meter_a", {1, 0}},
    {"OVERLOAD meter_b", {1, 0}},
    // The test's environment ended with its test; the element's whole
    // array hides the program's.
    {"AFTER meter_c", {1, 0}},
    {"AFTER meter_log[0..2]", {3, 0}},
    {"AFTER meter_scale", {1, 0}},
    {"AFTER meter_a", {1, 0}},
    {"AFTER meter_b", {1, 0}},
    // wide(5) used in the element hides the service's start(10).
    {"ELEMENT_USE meter_c", {1, 0}},
    {"ELEMENT_USE meter_log[0..2]", {3, 0}},
    {"ELEMENT_USE meter_a", {1, 0}},
    {"ELEMENT_USE meter_b", {1, 0}},
    {"ELEMENT_USE meter_scale", {1, 0}},
    // The element's meter_a (1) wins over wide's (5): b is 6, not wide's 14.
    {"WRONG meter_a", {1, 0}},
    {"WRONG meter_b", {0, 1}},
    {"WRONG meter_scale", {1, 0}},
    {"WRONG meter_c", {1, 0}},
    // The call throws the exception the environment expects before it
    // changes b and c: the defaults of the service and of the program,
    // written for a step, fail.
    {"GUARDED meter_a", {1, 0}},
    {"GUARDED meter_b", {0, 1}},
    {"GUARDED meter_c", {0, 1}},
    {"GUARDED meter_log[0..2]", {3, 0}},
    {"GUARDED meter_scale", {1, 0}},
    {"WRONG meter_log[0..2]", {3, 0}},
};


class EnvironmentsEndToEnd : public ::testing::Test {
 protected:
  testkit::Result compile() {
    const testkit::Result r = testkit::run(
        {testkit::stageBin("zentaprepro"), kData + "/meter.ptu", dir_.file("t.cc"), dir_.path().string() + "/",
         "-INCL=" + kData},
        {{"QUARTODIR", testkit::stageDir()}, {"ZNTTGT", testkit::stageDir()}, {"ZNUTGT", {}}, {"ZENTACPPINC", {}},
         {"ZENTALAN", "GB"}},
        dir_.path().string());
    tdc = dir_.exists("t.tdc") ? dir_.read("t.tdc") : std::string();
    return r;
  }
  bool build(const std::string& compiler) { return e2e::buildHarness(dir_, compiler, kData, "meter.cpp", buildOutput); }
  Verdicts verdicts() const { return e2e::verdictsPerVariableLine(tdc, results, true); }

  testkit::ScratchDir dir_;
  std::string tdc, results, buildOutput;
};

TEST_F(EnvironmentsEndToEnd, DefaultsOverloadsAndScopes) {
  const testkit::Result c = compile();
  ASSERT_EQ(c.status, 0) << c.err;
  for (const std::string compiler : {"g++", "clang++"}) {
    SCOPED_TRACE(compiler);
    ASSERT_TRUE(build(compiler)) << buildOutput;
    EXPECT_EQ(buildOutput, "");
    std::remove(dir_.file("t.rio").c_str());
    const testkit::Result r = testkit::run({dir_.file("t.exe")}, {{"ZENTA_RESULTS", {}}}, dir_.path().string());
    results = dir_.exists("t.rio") ? dir_.read("t.rio") : std::string();
    EXPECT_EQ(r.status, 1) << r.out << r.err;
    EXPECT_NE(r.out.find("zenta: 43 checks, 40 passed, 3 failed"), std::string::npos) << r.out;
    EXPECT_EQ(verdicts(), kExpected) << results << tdc;
    // The exception check, the 43rd: expected through the environment.
    EXPECT_TRUE(std::regex_search(results, std::regex("\nEXCEP [0-9]+ PASS [0-9]+ \"MeterOverflow\""))) << results;
  }
  // Each environment in use is named in the description with the position
  // of its definition (as the description places its statements): base in
  // every element.
  std::size_t base = 0;
  for (std::size_t at = tdc.find("E15 0 14\n"); at != std::string::npos; at = tdc.find("E15 0 14\n", at + 1)) ++base;
  EXPECT_EQ(base, 6u) << tdc;
}

}  // namespace

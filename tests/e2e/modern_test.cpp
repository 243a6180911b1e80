// A C++17 module end to end: the script over the boiler controller
// (boiler.h: scoped enumerations, std::string, std::optional and
// std::unique_ptr members, [[nodiscard]] and noexcept member functions, a
// variadic member template, constexpr constants of a nested namespace) is
// compiled with -LANGUAGE=C++17, its harness built by g++ and clang++ with
// -std=c++17 -Wall -Wextra, run, and the verdicts of the results file counted
// per variable line against a table worked out by hand from the module.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <regex>
#include <string>
#include <utility>
#include <vector>

#include "tests/testkit/process.h"
#include "verdicts.h"

namespace {

const std::string kData = ZENTA_TEST_DATA;

const e2e::Verdicts kBoilerVerdicts = {
    {"WARM_UP boiler.name", {1, 0}},
    {"WARM_UP boiler.phase", {1, 0}},
    {"WARM_UP boiler.alarm", {1, 0}},
    {"WARM_UP plant_phase", {1, 0}},  // INIT 9 converted to Phase
    {"WARM_UP boiler.pressure()", {1, 0}},
    {"WARM_UP boiler.ready()", {1, 0}},
    {"WARM_UP plant_log", {1, 0}},
    {"WARM_UP boiler.describe()", {1, 0}},
    {"HOLD boiler.pressure()", {1, 0}},
    {"HOLD boiler.phase", {1, 0}},
    {"HOLD plant_phase", {1, 0}},
    {"HOLD boiler.ready()", {1, 0}},
    {"HOLD boiler.name", {1, 0}},  // "b1" between "a" and "c"
    {"HOLD plant_log", {1, 0}},
    {"OVERHEAT boiler.phase", {0, 1}},  // a second step past the limit is a fault
    {"OVERHEAT boiler.alarm", {0, 1}},  // and the alarm is high
    {"OVERHEAT boiler.name", {0, 1}},
    {"OVERHEAT boiler.describe()", {1, 0}},
    {"OVERHEAT plant_log", {0, 1}},
    {"OVERHEAT boiler.ready()", {0, 1}},
    {"OVERHEAT plant_phase", {1, 0}},
    {"OVERHEAT boiler.last.get()", {0, 1}},  // no reading yet
    {"READING boiler.has_reading()", {1, 0}},
    {"READING boiler.setpoint.has_value()", {1, 0}},
    {"READING boiler.last.get()", {1, 0}},
    {"READING seen", {1, 0}},
    {"READING total", {1, 0}},
    {"READING boiler.loaded", {1, 0}},
    {"READING copy.pressure", {1, 0}},
    {"READING copy.temperature", {1, 0}},
};

class ModernEndToEnd : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!std::filesystem::exists(testkit::stageDir() + "/ana/znus_cxx17.def"))
      GTEST_SKIP() << "the stage has no standard definitions for C++17";
  }
  testkit::Result compile(const std::string& script) {
    const testkit::Result r = testkit::run(
        {testkit::stageBin("zentaprepro"), kData + "/" + script, dir_.file("t.cc"), dir_.path().string() + "/",
         "-INCL=" + kData, "-LANGUAGE=C++17"},
        {{"QUARTODIR", testkit::stageDir()}, {"ZNTTGT", testkit::stageDir()}, {"ZNUTGT", {}}, {"ZENTACPPINC", {}},
         {"ZENTALAN", "GB"}},
        dir_.path().string());
    harness = dir_.exists("t.cc") ? dir_.read("t.cc") : std::string();
    tdc = dir_.exists("t.tdc") ? dir_.read("t.tdc") : std::string();
    return r;
  }
  bool build(const std::string& compiler) { return e2e::buildHarness(dir_, compiler, kData, "boiler.cpp", buildOutput); }
  testkit::Result runHarness() { return e2e::runHarness(dir_, results); }

  testkit::ScratchDir dir_;
  std::string harness, tdc, results, buildOutput;
};

TEST_F(ModernEndToEnd, BoilerChecksInTheCxx17Dialect) {
  const testkit::Result c = compile("boiler.ptu");
  // Variables checked without an initial value warn; nothing else does.
  ASSERT_EQ(c.status, 3) << c.err;
  EXPECT_EQ(std::regex_replace(c.err, std::regex("Quarto-W-INITABSEN[^\n]*\n"), "").find("-W-"), std::string::npos)
      << c.err;
  // The scoped enumeration's initial value is converted, its checks compare
  // its underlying unsigned char; the strings are compared by their
  // characters.
  for (const char* code : {"plant_phase = (Phase)(9);",
                           "zenta_run.EDV_UNSIGNED_CPP(1,0,(unsigned long)(boiler.phase),",
                           "zenta_run.EDV_STR_CPP(1,0,(const char *)(::std::string(boiler.describe()).c_str()),",
                           "zenta_run.PTU_BOOLEAN_CPP(seen,"})
    EXPECT_NE(harness.find(code), std::string::npos) << code << "\n" << harness;
  EXPECT_NE(tdc.find(" boiler.phase RA=FORM=CU8,INIT=Phase::Idle VA=Phase::Heating,"), std::string::npos) << tdc;

  int passed = 0, failed = 0;
  for (const auto& [line, counts] : kBoilerVerdicts) {
    passed += counts.first;
    failed += counts.second;
  }
  ASSERT_EQ(std::make_pair(passed, failed), std::make_pair(24, 6));
  const std::string summary = "zenta: " + std::to_string(passed + failed) + " checks, " + std::to_string(passed) +
                              " passed, " + std::to_string(failed) + " failed\n";
  for (const std::string compiler : {"g++", "clang++"}) {
    ASSERT_TRUE(build(compiler)) << compiler << "\n" << buildOutput;
    EXPECT_EQ(buildOutput, "") << compiler;  // no warning either
    const testkit::Result r = runHarness();
    EXPECT_EQ(r.status, 1) << compiler << "\n" << r.out << r.err;
    EXPECT_NE(r.out.find(summary), std::string::npos) << compiler << "\n" << r.out;
    EXPECT_NE(r.out.find("log b1:6;b1:12;b2:12; phase 9\n"), std::string::npos) << compiler << "\n" << r.out;
    EXPECT_EQ(e2e::verdictsPerVariableLine(tdc, results, true), kBoilerVerdicts) << compiler << "\n" << results;
    // Initial values are recorded as what they are.
    for (const char* record : {"\nINIT 5 string \"b1\"\n", " boolean false\n", " unsigned 9\n"})
      EXPECT_NE(results.find(record), std::string::npos) << record << "\n" << results;
  }
}

}  // namespace

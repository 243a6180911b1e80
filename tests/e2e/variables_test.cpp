// Variable statements end to end: scripts over a module of every common C
// and C++ shape, over zlib and over a class of standard containers are
// compiled, their harnesses built by g++ and clang++ with -Wall -Wextra
// against the staged runtime header, run, and the verdicts of the results
// file counted per variable line of the test-description file against
// tables worked out by hand from the code under test.
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
const std::string kExamples = std::string(ZENTA_SOURCE_DIR) + "/examples";

// PASS and FAIL counts per variable line, keyed by test name and the line's
// variable text ("TEST variable"); lines met twice in a test add up.
using e2e::Verdicts;
using e2e::lines;

struct Script {
  const char* file;  // in the folder of the first -INCL directory
  std::vector<std::string> sources;  // code under test, beside the harness
  std::vector<std::string> libraries;
  std::string include;  // -INCL of the compiler
};

const Script kPass = {"station_pass.ptu", {"station.cpp"}, {}, kData};
const Script kFail = {"station_fail.ptu", {"station.cpp"}, {}, kData};
const Script kZlib = {"zlib.ptu", {}, {"-lz"}, kData};
const Script kShelf = {"shelf.ptu", {"shelf.cpp"}, {}, kData};
const Script kExample = {"bqueue.ptu", {"bqueue.cpp"}, {}, kExamples};

const Verdicts kPassVerdicts = {
    {"TWO_NOTES station_count", {2, 0}},
    {"TWO_NOTES station_flags", {1, 0}},
    {"TWO_NOTES station_grade", {2, 0}},
    {"TWO_NOTES station_log", {2, 0}},
    {"TWO_NOTES station_ratio", {2, 0}},
    {"TWO_NOTES station_status", {2, 0}},
    {"TWO_NOTES station_total", {1, 0}},
    {"TWO_NOTES station_weight", {1, 0}},
    {"RECORD ret", {1, 0}},
    {"RECORD station_sensor.name", {1, 0}},
    {"RECORD station_sensor.unit", {0, 0}},  // neither INIT nor EV: recorded, not checked
    {"RECORD station_sensor.reading", {1, 0}},
    {"RECORD station_sensor.gain", {1, 0}},
    {"RECORD station_sensor.samples", {1, 0}},
    {"RECORD station_sensor.mode", {1, 0}},
    {"RECORD station_sensor.position.x", {1, 0}},
    {"RECORD station_sensor.position.y", {1, 0}},
    {"RECORD station_sensor.history[0..3]", {4, 0}},
    {"RECORD station_sensor.next", {1, 0}},
    {"RESET probe.name", {1, 0}},
    {"RESET probe.unit", {1, 0}},
    {"RESET probe.samples", {1, 0}},
    {"RESET probe.history[0..3]", {4, 0}},
    {"RESET probe.position.x", {1, 0}},
    {"RESET probe.position.y", {1, 0}},
    {"RESET probe.gain", {1, 0}},
    {"RESET station_current", {1, 0}},
    {"RESET station_current->mode", {1, 0}},
    {"RESET station_current->name", {1, 0}},
    {"RESET station_value.i", {1, 0}},  // the union's first member, with a warning
    {"MOVE ret", {1, 0}},
    {"MOVE station_colour", {1, 0}},
    {"MOVE station_mode", {1, 0}},
    {"MOVE station_origin.x", {1, 0}},
    {"MOVE station_origin.y", {1, 0}},
    {"MOVE station_segment.from.x", {1, 0}},
    {"MOVE station_segment.from.y", {1, 0}},
    {"MOVE station_segment.to.x", {1, 0}},
    {"MOVE station_segment.to.y", {1, 0}},
    {"MOVE station_segment.colour", {1, 0}},
    {"MOVE station_value.f", {1, 0}},
    {"MOVE station_current", {1, 0}},  // INIT NONIL leaves the null pointer as it is
    {"SPREAD station_grid[0..1][0..2]", {6, 0}},
    {"SPREAD station_grid[1][2]", {1, 0}},
    {"SPREAD station_series[0..4]", {5, 0}},
    {"SPREAD station_total", {1, 0}},
    {"SET_HIGH station_gauge.level", {1, 0}},
    {"SET_HIGH station_gauge.scale", {1, 0}},
    {"SET_HIGH station_gauge.label", {1, 0}},
    {"SET_HIGH station_gauge.limits[0..1]", {2, 0}},
    {"SET_HIGH station_gauge.doubled()", {1, 0}},
    {"SET_HIGH station_gauge.scaled()", {1, 0}},
    {"SET_HIGH station_gauge.within()", {1, 0}},
    {"SET_HIGH station_gauge.caption()", {1, 0}},
    {"POINT station_cursor", {2, 0}},
    {"POINT (*station_cursor)", {1, 0}},
};

const Verdicts kFailVerdicts = {
    {"WRONG_SCALARS station_count", {0, 1}},
    {"WRONG_SCALARS station_flags", {0, 1}},
    {"WRONG_SCALARS station_grade", {0, 1}},
    {"WRONG_SCALARS station_log", {0, 1}},
    {"WRONG_SCALARS station_ratio", {0, 1}},  // 0.5 outside 0.6 +/- 10%
    {"WRONG_SCALARS station_status", {0, 1}},
    {"WRONG_SCALARS station_total", {0, 1}},  // 100 below MIN 101
    {"WRONG_SCALARS station_weight", {0, 1}},  // 1.5 outside 1.6 +/- 0.05
    {"WRONG_FIELDS ret", {0, 1}},
    {"WRONG_FIELDS station_sensor.name", {0, 1}},
    {"WRONG_FIELDS station_sensor.unit", {0, 0}},
    {"WRONG_FIELDS station_sensor.reading", {1, 0}},
    {"WRONG_FIELDS station_sensor.gain", {1, 0}},
    {"WRONG_FIELDS station_sensor.samples", {1, 0}},
    {"WRONG_FIELDS station_sensor.mode", {0, 1}},  // the fourth sample switches to MODE_AUTO
    {"WRONG_FIELDS station_sensor.position.x", {0, 1}},
    {"WRONG_FIELDS station_sensor.position.y", {1, 0}},
    {"WRONG_FIELDS station_sensor.history[0..3]", {3, 1}},
    {"WRONG_FIELDS station_sensor.next", {0, 1}},  // NIL, NONIL expected
    {"WRONG_POINTERS probe.unit", {0, 1}},
    {"WRONG_POINTERS station_current", {0, 1}},
    {"WRONG_POINTERS station_current->name", {0, 1}},
    {"WRONG_MOVE station_colour", {0, 1}},
    {"WRONG_MOVE station_mode", {0, 1}},
    {"WRONG_MOVE station_origin.x", {0, 1}},
    {"WRONG_MOVE station_origin.y", {0, 1}},
    {"WRONG_MOVE station_segment.from.x", {0, 1}},
    {"WRONG_MOVE station_segment.from.y", {1, 0}},
    {"WRONG_MOVE station_segment.to.x", {1, 0}},
    {"WRONG_MOVE station_segment.to.y", {1, 0}},
    {"WRONG_MOVE station_segment.colour", {0, 1}},
    {"WRONG_CELLS station_grid[0..1][0..2]", {3, 3}},
    {"WRONG_CELLS station_series[0..4]", {3, 2}},
    {"WRONG_GAUGE station_gauge.level", {1, 0}},
    {"WRONG_GAUGE station_gauge.scale", {0, 1}},
    {"WRONG_GAUGE station_gauge.label", {0, 1}},
    {"WRONG_GAUGE station_gauge.limits[0..1]", {2, 0}},
    {"WRONG_GAUGE station_gauge.doubled()", {0, 1}},  // 24 above MAX 20
    {"WRONG_GAUGE station_gauge.scaled()", {0, 1}},   // 24 outside 20 +/- 1
    {"WRONG_GAUGE station_gauge.within()", {0, 1}},
    {"WRONG_GAUGE station_gauge.caption()", {0, 1}},
    {"WRONG_CURSOR station_cursor", {0, 1}},
    {"WRONG_CURSOR (*station_cursor)", {0, 1}},
};

const Verdicts kZlibVerdicts = {
    {"KNOWN_VALUES crc", {1, 0}},
    {"KNOWN_VALUES adler", {1, 0}},
    {"KNOWN_VALUES crc32(0L, (const Bytef *)\"hello world\", 11)", {1, 0}},
    {"KNOWN_VALUES adler32(1L, 0, 0)", {1, 0}},
    {"BOUND_AND_INIT bound", {1, 0}},
    {"BOUND_AND_INIT status", {1, 0}},
    {"BOUND_AND_INIT strm.total_in", {1, 0}},
    {"BOUND_AND_INIT strm.total_out", {1, 0}},
    {"BOUND_AND_INIT strm.avail_in", {1, 0}},
    {"BOUND_AND_INIT strm.adler", {1, 0}},
    {"BOUND_AND_INIT strm.zalloc", {1, 0}},
    {"BOUND_AND_INIT strm.state", {1, 0}},
    {"WHOLE_BUFFER status", {1, 0}},
    {"WHOLE_BUFFER strm.total_in", {1, 0}},
    {"WHOLE_BUFFER strm.total_out", {1, 0}},
    {"WHOLE_BUFFER strm.avail_in", {1, 0}},
    {"WHOLE_BUFFER strm.avail_out", {1, 0}},
    {"WHOLE_BUFFER packed[0]", {1, 0}},
};

const Verdicts kShelfVerdicts = {
    {"TWO_KINDS added", {1, 0}},
    {"TWO_KINDS first_kind", {1, 0}},
    {"TWO_KINDS shelf.capacity", {1, 0}},
    {"TWO_KINDS shelf.kinds()", {1, 0}},
    {"TWO_KINDS shelf.entries()", {1, 0}},
    {"TWO_KINDS shelf.total()", {1, 0}},
    {"TWO_KINDS shelf.count_of(\"bolts\")", {1, 0}},
    {"TWO_KINDS shelf.count_of(\"screws\")", {1, 0}},
    {"TWO_KINDS shelf.entry(1)", {1, 0}},
    {"TWO_KINDS shelf.text()", {1, 0}},
    {"TWO_KINDS shelf.counts.size()", {1, 0}},
    {"TWO_KINDS shelf.stock.size()", {1, 0}},
    {"TWO_KINDS sizes[0..2]", {3, 0}},
    {"OVER_CAPACITY added", {1, 0}},
    {"OVER_CAPACITY shelf.total()", {1, 0}},
    {"OVER_CAPACITY shelf.entries()", {1, 0}},
    {"ALL_NUTS taken", {1, 0}},
    {"ALL_NUTS shelf.kinds()", {1, 0}},
    {"ALL_NUTS shelf.count_of(\"nuts\")", {1, 0}},
    {"ALL_NUTS shelf.entry(2)", {1, 0}},
    {"ALL_NUTS shelf.entries()", {1, 0}},
};


std::pair<int, int> totals(const Verdicts& v) {
  std::pair<int, int> t;
  for (const auto& [line, counts] : v) {
    t.first += counts.first;
    t.second += counts.second;
  }
  return t;
}

class VariablesEndToEnd : public ::testing::Test {
 protected:
  static std::string folder(const Script& s) { return s.include.substr(0, s.include.find(',')); }
  testkit::Result compile(const Script& s, const std::vector<std::string>& options = {}) {
    std::vector<std::string> argv = {testkit::stageBin("zentaprepro"), folder(s) + "/" + s.file, dir_.file("t.cc"),
                                     dir_.path().string() + "/", "-INCL=" + s.include};
    argv.insert(argv.end(), options.begin(), options.end());
    const testkit::Result r =
        testkit::run(argv, {{"QUARTODIR", testkit::stageDir()}, {"ZNTTGT", testkit::stageDir()}, {"ZNUTGT", {}},
                            {"ZENTACPPINC", {}}, {"ZENTALAN", "GB"}},
                     dir_.path().string());
    harness = dir_.exists("t.cc") ? dir_.read("t.cc") : std::string();
    tdc = dir_.exists("t.tdc") ? dir_.read("t.tdc") : std::string();
    return r;
  }
  // Builds the harness as a tester would, warnings on; true when it builds.
  bool build(const std::string& compiler, const Script& s) {
    std::vector<std::string> argv = {"/usr/bin/" + compiler, "-std=c++17", "-Wall", "-Wextra", "-I", folder(s),
                                     "-I", testkit::stageDir() + "/lib", dir_.file("t.cc")};
    for (const std::string& source : s.sources) argv.push_back(folder(s) + "/" + source);
    argv.insert(argv.end(), {"-o", dir_.file("t.exe")});
    argv.insert(argv.end(), s.libraries.begin(), s.libraries.end());
    std::remove(dir_.file("t.rio").c_str());
    const testkit::Result r = testkit::run(argv);
    buildOutput = r.err;
    return r.status == 0;
  }
  testkit::Result runHarness() {
    testkit::Result r = testkit::run({dir_.file("t.exe")}, {{"ZENTA_RESULTS", {}}}, dir_.path().string());
    results = dir_.exists("t.rio") ? dir_.read("t.rio") : std::string();
    return r;
  }

  // The verdicts of the results file per variable line of the description.
  Verdicts verdicts() const { return e2e::verdictsPerVariableLine(tdc, results, true); }

  // Compiles the script, builds and runs its harness with both compilers,
  // and compares the verdicts with the table.
  void expectVerdicts(const Script& s, const Verdicts& expected, const std::string& output = {}) {
    const testkit::Result c = compile(s);
    ASSERT_TRUE(c.status == 0 || c.status == 3) << c.err;
    messages = c.err;
    const auto [passed, failed] = totals(expected);
    const std::string summary = "zenta: " + std::to_string(passed + failed) + " checks, " + std::to_string(passed) +
                                " passed, " + std::to_string(failed) + " failed\n";
    for (const std::string compiler : {"g++", "clang++"}) {
      ASSERT_TRUE(build(compiler, s)) << compiler << "\n" << buildOutput;
      EXPECT_EQ(buildOutput, "") << compiler;  // no warning either
      const testkit::Result r = runHarness();
      EXPECT_EQ(r.status, failed == 0 ? 0 : 1) << compiler << "\n" << r.out << r.err;
      EXPECT_NE(r.out.find(summary), std::string::npos) << compiler << "\n" << r.out;
      EXPECT_NE(r.out.find(output), std::string::npos) << compiler << "\n" << r.out;
      EXPECT_EQ(verdicts(), expected) << compiler << "\n" << results;
      const std::string end =
          "END " + std::to_string(passed + failed) + " " + std::to_string(passed) + " " + std::to_string(failed);
      EXPECT_NE(results.find(end), std::string::npos) << compiler << "\n" << results;
    }
  }

  // With -NOEDIT the harness still initialises and runs the code under test
  // but records nothing; with -RESTRICTION=NOEXCEP it has no exception frame
  // and gives the same verdicts.
  void expectRestrictedHarnesses(const Script& s, const Verdicts& expected, const std::string& output = {}) {
    ASSERT_TRUE(compile(s, {"-NOEDIT"}).status <= 3);
    EXPECT_FALSE(std::regex_search(harness, std::regex("zenta_run\\.(EDV|PTU|OPEN_BRA|SET_MODE)_"))) << harness;
    ASSERT_TRUE(build("g++", s)) << buildOutput;
    testkit::Result r = runHarness();
    EXPECT_EQ(r.status, 0) << r.out << r.err;
    EXPECT_NE(r.out.find("zenta: 0 checks, 0 passed, 0 failed"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find(output), std::string::npos) << r.out;
    EXPECT_FALSE(dir_.exists("t.rio"));

    ASSERT_TRUE(compile(s, {"-RESTRICTION=NOEXCEP"}).status <= 3);
    EXPECT_FALSE(std::regex_search(harness, std::regex("\\b(try|catch)\\b"))) << harness;
    ASSERT_TRUE(build("clang++", s)) << buildOutput;
    r = runHarness();
    EXPECT_EQ(r.status, totals(expected).second == 0 ? 0 : 1) << r.out << r.err;
    EXPECT_NE(r.out.find(output), std::string::npos) << r.out;
    EXPECT_EQ(verdicts(), expected) << results;
  }

  testkit::ScratchDir dir_;
  std::string harness, tdc, results, buildOutput, messages;
};

// What the termination code of the passing script prints: the module's
// state after the last note, which depends on the initial values.
const char* const kStationState = "count 4 log abcde grade A\n";

TEST_F(VariablesEndToEnd, StationChecksDesignedToPass) {
  expectVerdicts(kPass, kPassVerdicts, kStationState);
  // Values are recorded before the call: the initial value of a field
  // inside a structure, and each element of an array.
  EXPECT_TRUE(std::regex_search(results, std::regex("\nINIT [0-9]+ string \"north\"\n"))) << results;
  EXPECT_EQ(totals(kPassVerdicts), std::make_pair(77, 0));
  EXPECT_NE(messages.find("Pointer station_current not initialized; use 'INIT =='"), std::string::npos) << messages;
  EXPECT_NE(messages.find("The tested member of union station_value is not determined."), std::string::npos);
}

TEST_F(VariablesEndToEnd, StationChecksDesignedToFail) {
  expectVerdicts(kFail, kFailVerdicts);
  EXPECT_EQ(totals(kFailVerdicts), std::make_pair(19, 36));
}

TEST_F(VariablesEndToEnd, ZlibChecksums) { expectVerdicts(kZlib, kZlibVerdicts); }

TEST_F(VariablesEndToEnd, ClassOfStandardContainers) {
  const testkit::Result c = compile(kShelf);
  // The library headers analyse without a message.
  EXPECT_EQ(c.status, 0) << c.err;
  expectVerdicts(kShelf, kShelfVerdicts);
}

// The bundled example checks the state of a queue shared by its tests.
TEST_F(VariablesEndToEnd, BundledExample) {
  const Verdicts expected = {
      {"PUSH_THEN_POP popped", {1, 0}},          {"PUSH_THEN_POP shared.size()", {1, 0}},
      {"PUSH_THEN_POP shared.front()", {1, 0}},  {"PUSH_THEN_POP shared.full()", {1, 0}},
      {"PUSH_THEN_POP shared.checksum()", {1, 0}}, {"DRAIN_AND_REFILL drained[0..2]", {3, 0}},
      {"DRAIN_AND_REFILL refusal.capacity", {1, 0}}, {"DRAIN_AND_REFILL shared.size()", {1, 0}},
      {"DRAIN_AND_REFILL shared.full()", {1, 0}},
  };
  ASSERT_EQ(compile(kExample).status, 3);  // elements without variables warn
  ASSERT_TRUE(build("g++", kExample)) << buildOutput;
  const testkit::Result r = runHarness();
  EXPECT_EQ(r.status, 0) << r.out;
  EXPECT_NE(r.out.find("zenta: 13 checks, 13 passed, 0 failed"), std::string::npos) << r.out;  // 2 exceptions
  EXPECT_EQ(verdicts(), expected) << results;
}

TEST_F(VariablesEndToEnd, NoEditAndNoExcepHarnesses) {
  expectRestrictedHarnesses(kPass, kPassVerdicts, kStationState);
  expectRestrictedHarnesses(kZlib, kZlibVerdicts);
  expectRestrictedHarnesses(kShelf, kShelfVerdicts);
}

}  // namespace

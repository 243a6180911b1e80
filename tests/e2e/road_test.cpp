// The whole road: the staged compiler turns a script into a harness, the
// harness is built with the code under test against the staged runtime
// header by g++ and clang++, run, and its results file is checked against
// the test-description file.
#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "tests/testkit/process.h"

namespace {

const std::string kData = ZENTA_TEST_DATA;
const std::string kExamples = std::string(ZENTA_SOURCE_DIR) + "/examples";

std::vector<std::string> lines(const std::string& text) {
  std::vector<std::string> out;
  std::istringstream in(text);
  std::string l;
  while (std::getline(in, l)) out.push_back(l);
  return out;
}

int count(const std::string& text, const std::string& what) {
  int n = 0;
  for (std::size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + what.size())) ++n;
  return n;
}

// The numbered lines of a description file: number -> (tag, text).
std::map<int, std::pair<char, std::string>> numbered(const std::string& tdc) {
  std::map<int, std::pair<char, std::string>> out;
  static const std::regex line("^([A-Z])([0-9]+) (.*)$");
  for (const std::string& l : lines(tdc)) {
    std::smatch m;
    if (l.rfind("E", 0) == 0 || !std::regex_match(l, m, line)) continue;
    out[std::stoi(m[2])] = {m[1].str()[0], m[3]};
  }
  return out;
}

class RoadTest : public ::testing::Test {
 protected:
  // Runs the staged compiler on a script of the data folder.
  testkit::Result compileScript(const std::string& script, const std::vector<std::string>& options = {}) {
    std::vector<std::string> argv = {testkit::stageBin("zentaprepro"), kData + "/" + script, dir_.file("t.cc"),
                                     dir_.path().string() + "/", "-INCL=" + kExamples};
    argv.insert(argv.end(), options.begin(), options.end());
    const testkit::Result r =
        testkit::run(argv, {{"QUARTODIR", testkit::stageDir()}, {"ZNTTGT", testkit::stageDir()}, {"ZNUTGT", {}},
                            {"ZENTACPPINC", {}}, {"ZENTALAN", "GB"}},
                     dir_.path().string());
    if (dir_.exists("t.cc")) harness = dir_.read("t.cc");
    if (dir_.exists("t.tdc")) tdc = dir_.read("t.tdc");
    return r;
  }
  // Runs the staged compiler on a script given as text.
  testkit::Result compileText(const std::string& text, const std::vector<std::string>& options = {}) {
    dir_.write("inline.ptu", text);
    std::vector<std::string> argv = {testkit::stageBin("zentaprepro"), dir_.file("inline.ptu"), dir_.file("t.cc"),
                                     dir_.path().string() + "/", "-INCL=" + kExamples};
    argv.insert(argv.end(), options.begin(), options.end());
    const testkit::Result r =
        testkit::run(argv, {{"QUARTODIR", testkit::stageDir()}, {"ZNTTGT", testkit::stageDir()}, {"ZNUTGT", {}},
                            {"ZENTACPPINC", {}}, {"ZENTALAN", "GB"}},
                     dir_.path().string());
    harness = dir_.exists("t.cc") ? dir_.read("t.cc") : std::string();
    tdc = dir_.exists("t.tdc") ? dir_.read("t.tdc") : std::string();
    return r;
  }
  // Builds the harness with the code under test and the further sources
  // given; true when it builds.
  bool build(const std::string& compiler, const std::vector<std::string>& more = {}) {
    std::vector<std::string> argv = {"/usr/bin/" + compiler, "-std=c++17", "-w", "-I", kExamples, "-I",
                                     dir_.path().string(), "-I", testkit::stageDir() + "/lib", dir_.file("t.cc"),
                                     kExamples + "/bqueue.cpp", "-o", dir_.file("t.exe")};
    argv.insert(argv.end(), more.begin(), more.end());
    const testkit::Result r = testkit::run(argv);
    buildOutput = r.err;
    return r.status == 0;
  }
  testkit::Result runHarness() {
    testkit::Result r = testkit::run({dir_.file("t.exe")}, {{"ZENTA_RESULTS", {}}}, dir_.path().string());
    if (dir_.exists("t.rio")) results = dir_.read("t.rio");
    return r;
  }

  // Every declaration and verdict of the results file names the line of the
  // description file that describes the same service, test or repetition.
  void expectResultsMatchDescription() {
    const auto described = numbered(tdc);
    static const std::regex record("^(OP|TS|REP|EXCEP) ([0-9]+) ?(.*)$");
    int checked = 0;
    for (const std::string& l : lines(results)) {
      std::smatch m;
      if (!std::regex_match(l, m, record)) continue;
      const int n = std::stoi(m[2]);
      const auto it = described.find(n);
      ASSERT_NE(it, described.end()) << l << "\n" << tdc;
      const std::string kind = m[1];
      const char tag = it->second.first;
      if (kind == "OP") {
        EXPECT_EQ(tag, 'O') << l;
        EXPECT_EQ("\"" + it->second.second + "\"", m[3].str()) << l;
      } else if (kind == "TS") {
        EXPECT_EQ(tag, 'T') << l;
        EXPECT_EQ("\"" + it->second.second + "\"", m[3].str()) << l;
      } else if (kind == "REP") {
        EXPECT_EQ(tag, 'R') << l;
        EXPECT_EQ(it->second.second, m[3].str()) << l;
      } else {
        EXPECT_EQ(tag, 'T') << l;  // exceptions are reported against their test
      }
      ++checked;
    }
    EXPECT_GT(checked, 0) << results;
  }

  // The number of the description line with this tag and text; 0 if none.
  int lineOf(char tag, const std::string& text) {
    for (const auto& [n, line] : numbered(tdc))
      if (line.first == tag && line.second == text) return n;
    return 0;
  }

  testkit::ScratchDir dir_;
  std::string harness, tdc, results, buildOutput;
};

TEST_F(RoadTest, ServicesTestsLoopsAndExceptionsWithBothCompilers) {
  const testkit::Result c = compileScript("road.ptu");
  ASSERT_EQ(c.status, 3) << c.err;  // implicit closings are warnings
  ASSERT_TRUE(dir_.exists("t_zcls.h"));
  for (const std::string compiler : {"g++", "clang++"}) {
    ASSERT_TRUE(build(compiler)) << compiler << "\n" << buildOutput;
    const testkit::Result r = runHarness();
    EXPECT_EQ(r.status, 1) << compiler << r.out << r.err;  // one exception not raised, one unexpected
    EXPECT_NE(r.out.find("terminated after 3 passes"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("zenta: 3 checks, 1 passed, 2 failed"), std::string::npos) << r.out;
    expectResultsMatchDescription();

    const int raised = lineOf('T', "RAISED");
    const int notRaised = lineOf('T', "NOT_RAISED");
    const int unexpected = lineOf('T', "UNEXPECTED");
    const int plain = lineOf('T', "PLAIN");
    const int repeated = lineOf('T', "REPEATED");
    ASSERT_TRUE(raised && notRaised && unexpected && plain && repeated) << tdc;
    EXPECT_NE(results.find("EXCEP " + std::to_string(raised) + " PASS 6 \"QueueFull\""), std::string::npos) << results;
    EXPECT_NE(results.find("EXCEP " + std::to_string(notRaised) + " FAIL 5 \"QueueFull\""), std::string::npos);
    EXPECT_NE(results.find("EXCEP " + std::to_string(unexpected) + " FAIL 2"), std::string::npos);
    // The initialisation code ran before the tests: the plain test passed.
    EXPECT_EQ(results.find("EXCEP " + std::to_string(plain) + " "), std::string::npos);
    // The repeated test runs three times with its repetition factor.
    EXPECT_EQ(count(results, "TS " + std::to_string(repeated) + " \"REPEATED\""), 3);
    EXPECT_NE(results.find("REP " + std::to_string(repeated + 1) + " 3"), std::string::npos);
    EXPECT_EQ(results.substr(results.rfind("END ")), "END 3 1 2\n");
  }
}

// A helper in a translation unit of its own, like a stub file, checks
// through the same runtime as the harness: its verdicts reach the results
// file, the totals and the exit status.
TEST_F(RoadTest, ChecksOfASecondTranslationUnitReachTheResults) {
  ASSERT_EQ(compileScript("helper.ptu").status, 0) << dir_.read("helper.lis");
  dir_.write("helper.cpp", R"(#include "TP.h"
void helper_check(int size) {
  zenta_run.EDV_INTEGER_CPP(1, 0, size, 900, 10, 1, 1);
  zenta_run.EDV_INTEGER_CPP(1, 0, size, 901, 10, 2, 2);
}
)");
  for (const std::string compiler : {"g++", "clang++"}) {
    ASSERT_TRUE(build(compiler, {dir_.file("helper.cpp")})) << compiler << "\n" << buildOutput;
    const testkit::Result r = runHarness();
    EXPECT_EQ(r.status, 1) << compiler << r.out << r.err;
    EXPECT_EQ(r.out, "zenta: 3 checks, 2 passed, 1 failed\n") << compiler;
    EXPECT_NE(results.find("CHECK 900 PASS integer 1 1\nCHECK 901 FAIL integer 1 2\n"), std::string::npos)
        << results;
    EXPECT_NE(results.find("EXCEP " + std::to_string(lineOf('T', "RAISED")) + " PASS 6"), std::string::npos);
    EXPECT_EQ(results.substr(results.rfind("END ")), "END 3 2 1\n") << compiler;
  }
}

TEST_F(RoadTest, SelectionByService) {
  ASSERT_EQ(compileScript("road.ptu", {"-SERVICE=pop"}).status, 3);
  EXPECT_EQ(harness.find("TEST_PUSH"), std::string::npos);
  EXPECT_NE(harness.find("zenta.TEST_POP();"), std::string::npos);
  // The excluded service is still described.
  EXPECT_NE(lineOf('O', "PUSH"), 0);
  ASSERT_TRUE(build("g++")) << buildOutput;
  EXPECT_EQ(runHarness().status, 1);
  expectResultsMatchDescription();
  EXPECT_EQ(results.find("\"PUSH\""), std::string::npos);
  EXPECT_NE(results.find("OP " + std::to_string(lineOf('O', "POP")) + " \"POP\""), std::string::npos);
}

TEST_F(RoadTest, ExcludedServiceAndUnmatchedNamesInTheListFile) {
  ASSERT_EQ(compileScript("road.ptu", {"-EXSERVICE=pop,nosuch"}).status, 3);
  EXPECT_EQ(harness.find("TEST_POP"), std::string::npos);
  EXPECT_NE(harness.find("zenta.TEST_PUSH();"), std::string::npos);
  ASSERT_TRUE(build("g++")) << buildOutput;
  EXPECT_EQ(runHarness().status, 1);  // the expected exception that is not raised
  expectResultsMatchDescription();
  EXPECT_EQ(results.find("\"POP\""), std::string::npos);
  ASSERT_TRUE(dir_.exists("road.lis"));
  const std::string list = dir_.read("road.lis");
  EXPECT_NE(list.find("liste totale des services \nPOP\nPUSH\n"), std::string::npos) << list;
  EXPECT_NE(list.find("liste des services en exclusion \nPOP\nNOSUCH\n"), std::string::npos) << list;
  EXPECT_NE(list.find("liste des services a executer \nPUSH\n"), std::string::npos) << list;
  // The excluded name that the program does not have is reported once.
  EXPECT_EQ(count(list, "Quarto-W-OPER_INEX"), 1) << list;
  EXPECT_NE(list.find("NOSUCH does not exist"), std::string::npos) << list;
}

TEST_F(RoadTest, BundledExampleHasNoEmptyElementWarning) {
  const std::vector<std::string> argv = {testkit::stageBin("zentaprepro"), kExamples + "/bqueue.ptu",
                                         dir_.file("t.cc"), dir_.path().string() + "/", "-INCL=" + kExamples};
  const testkit::Result r =
      testkit::run(argv, {{"QUARTODIR", testkit::stageDir()}, {"ZNTTGT", testkit::stageDir()}, {"ZNUTGT", {}},
                          {"ZENTACPPINC", {}}, {"ZENTALAN", "GB"}},
                   dir_.path().string());
  EXPECT_EQ(r.status, 3) << r.err;
  EXPECT_TRUE(dir_.exists("t.cc")) << r.err;
  EXPECT_EQ(r.err.find("TEST_VIDE"), std::string::npos) << r.err;
  // Elements that only run native code have nothing to edit and warn; an
  // element that expects an exception or checks variables does not.
  std::ifstream script(kExamples + "/bqueue.ptu");
  std::string line;
  int withException = 0, without = 0;
  bool exception = false;
  while (std::getline(script, line)) {
    if (line.rfind("ELEMENT", 0) == 0) exception = false;
    if (line.rfind("EXCEPTION", 0) == 0 || line.rfind("VAR ", 0) == 0 || line.rfind("ARRAY ", 0) == 0 ||
        line.rfind("STR ", 0) == 0)
      exception = true;
    if (line.rfind("END ELEMENT", 0) == 0) ++(exception ? withException : without);
  }
  EXPECT_GT(withException, 0);
  EXPECT_EQ(count(r.err, "ELMT_VIDE"), without) << r.err;
}

TEST_F(RoadTest, SelectionByTest) {
  ASSERT_EQ(compileScript("road.ptu", {"-TEST=raised,plain"}).status, 3);
  ASSERT_TRUE(build("g++")) << buildOutput;
  const testkit::Result r = runHarness();
  EXPECT_EQ(r.status, 0) << r.out;
  expectResultsMatchDescription();
  EXPECT_NE(results.find("\"RAISED\""), std::string::npos);
  EXPECT_NE(results.find("\"PLAIN\""), std::string::npos);
  EXPECT_EQ(results.find("\"NOT_RAISED\""), std::string::npos);
  EXPECT_EQ(results.find("\"UNEXPECTED\""), std::string::npos);
  EXPECT_NE(r.out.find("zenta: 1 checks, 1 passed, 0 failed"), std::string::npos) << r.out;
}

TEST_F(RoadTest, ExcludedTest) {
  ASSERT_EQ(compileScript("road.ptu", {"-EXTEST=not_raised,unexpected"}).status, 3);
  ASSERT_TRUE(build("clang++")) << buildOutput;
  EXPECT_EQ(runHarness().status, 0);
  EXPECT_EQ(results.find("\"NOT_RAISED\""), std::string::npos);
  EXPECT_NE(results.find("\"REPEATED\""), std::string::npos);
}

TEST_F(RoadTest, NoEditHarnessHasNoRuntimeCall) {
  ASSERT_EQ(compileScript("road.ptu", {"-NOEDIT"}).status, 3);
  EXPECT_FALSE(std::regex_search(harness, std::regex("zenta_run\\.[A-Z_]+ *\\("))) << harness;
  EXPECT_NE(harness.find("try {"), std::string::npos);
  ASSERT_TRUE(build("g++")) << buildOutput;
  const testkit::Result r = runHarness();
  EXPECT_EQ(r.status, 0);
  EXPECT_FALSE(dir_.exists("t.rio"));
}

TEST_F(RoadTest, NoExcepHarnessHasNoTryNorCatch) {
  ASSERT_EQ(compileScript("calm.ptu", {"-RESTRICTION=NOEXCEP"}).status, 3);  // empty elements warn
  EXPECT_EQ(harness.find("try"), std::string::npos) << harness;
  EXPECT_EQ(harness.find("catch"), std::string::npos) << harness;
  for (const std::string compiler : {"g++", "clang++"}) {
    ASSERT_TRUE(build(compiler)) << buildOutput;
    const testkit::Result r = runHarness();
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out.substr(0, 31), "start\nsize 1\npass 1\npass 2\nstop") << r.out;
    expectResultsMatchDescription();
  }
}

TEST_F(RoadTest, ScriptWithErrorsLeavesNoHarness) {
  const testkit::Result c = compileScript("broken.ptu");
  EXPECT_EQ(c.status, 5) << c.err;
  EXPECT_FALSE(dir_.exists("t.cc"));
  EXPECT_FALSE(dir_.exists("t.tdc"));
  EXPECT_FALSE(dir_.exists("t_zcls.h"));
  ASSERT_TRUE(dir_.exists("broken.lis"));
  EXPECT_NE(dir_.read("broken.lis").find("STXVALEXP"), std::string::npos) << dir_.read("broken.lis");
}

// The loop word stands alone between blanks, tabs, brackets, commas or the
// end; the test keeps the name before it and runs as often as the count says.
TEST_F(RoadTest, LoopClauseFormsRunTheTestTheirCount) {
  struct Case {
    const char* statement;
    const char* name;
    int runs;
  };
  const Case cases[] = {
      {"TEST t LOOP 3", "T", 3},       {"TEST t LOOP(3)", "T", 3}, {"TEST t\tloop\t3", "T", 3},
      {"TEST t LOOP (1+1)", "T", 2},   {"TEST tloop 3", "TLOOP 3", 1},
  };
  for (const Case& c : cases) {
    const std::string script = "HEADER loops, 1.0, e2e\nBEGIN\nSERVICE s\n" + std::string(c.statement) +
                               "\nFAMILY nominal\nELEMENT\n#  ;\nEND ELEMENT\nEND FAMILY\nEND TEST\nEND SERVICE\n";
    ASSERT_EQ(compileText(script).status, 3) << c.statement;  // the element has nothing to edit
    const int line = lineOf('T', c.name);
    ASSERT_NE(line, 0) << c.statement << "\n" << tdc;
    for (const std::string compiler : {"g++", "clang++"}) {
      ASSERT_TRUE(build(compiler)) << c.statement << "\n" << buildOutput;
      ASSERT_EQ(runHarness().status, 0) << c.statement;
      EXPECT_EQ(count(results, "TS " + std::to_string(line) + " \"" + c.name + "\""), c.runs)
          << c.statement << "\n" << results;
    }
  }
}

// A statement copied into the harness as a comment (trace 2) may end with a
// backslash; the harness line after it must stay code.
TEST_F(RoadTest, TracedStatementEndingWithABackslashKeepsTheNextLine) {
  const char* const statements[] = {"COMMENT a folder: C:\\work\\", "COMMENT spread over\n& two lines \\  "};
  for (const char* statement : statements) {
    const std::string script = "HEADER trace, 1.0, e2e\n##include <cstdio>\nBEGIN\nSERVICE s\nTEST t\nFAMILY f\n"
                               "ELEMENT\n" + std::string(statement) +
                               "\n#  std::printf(\"ran\\n\");\nEND ELEMENT\nEND FAMILY\nEND TEST\nEND SERVICE\n";
    ASSERT_EQ(compileText(script, {"-XT=2"}).status, 3) << statement;  // the element has nothing to edit
    for (const std::string compiler : {"g++", "clang++"}) {
      ASSERT_TRUE(build(compiler)) << statement << "\n" << buildOutput << harness;
      const testkit::Result r = runHarness();
      EXPECT_EQ(r.status, 0) << statement;
      EXPECT_NE(r.out.find("ran\n"), std::string::npos) << statement << "\n" << harness;
    }
  }
}

}  // namespace

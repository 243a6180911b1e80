// The report tool on the whole road: the end-to-end scripts are compiled by
// the staged compiler, their harnesses built by g++ and run, and the staged
// zentareport reads each description and results file. Its text report is
// compared with the failed records of the results file, its JUnit file is
// validated by xmllint against the schema CI servers use and its counts
// compared with the records, and its HTML page is opened in headless
// Chromium, which must show the totals of the results file.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <map>
#include <memory>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "tests/testkit/process.h"

namespace {

const std::string kData = std::string(ZENTA_SOURCE_DIR) + "/tests/e2e/data";
const std::string kExamples = std::string(ZENTA_SOURCE_DIR) + "/examples";
const std::string kSchema = std::string(ZENTA_TEST_DATA) + "/junit.xsd";

std::vector<std::string> lines(const std::string& text) {
  std::vector<std::string> out;
  std::istringstream in(text);
  for (std::string l; std::getline(in, l);) out.push_back(l);
  return out;
}

int count(const std::string& text, const std::regex& what) {
  return static_cast<int>(std::distance(std::sregex_iterator(text.begin(), text.end(), what), std::sregex_iterator()));
}

struct Script {
  std::string name;  // the .ptu in the data folder
  std::string source;  // the code under test
  bool fails;  // whether some of its verdicts fail
  // The verdicts and the failed ones, as the harness counts them when it
  // runs (the end-to-end tests compare them with their own tables).
  int verdicts = 0, failed = 0;
  std::string output;  // what the harness printed
};

std::vector<Script> kScripts = {
    {"station_fail", "station.cpp", true, 0, 0, {}},
    {"station_pass", "station.cpp", false, 0, 0, {}},
    {"dial", "dial.cpp", true, 0, 0, {}},
    {"meter", "meter.cpp", true, 0, 0, {}},
    {"road", "bqueue.cpp", true, 0, 0, {}},
};

// Each script compiled, built and run once for all the tests, in a folder
// of its own: <dir>/<name>/t.tdc and t.rio.
class ReportRoad : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    dir_ = std::make_unique<testkit::ScratchDir>();
    for (Script& s : kScripts) {
      const std::string at = dir_->file(s.name);
      std::filesystem::create_directories(at);
      const std::string include = s.name == "road" ? kExamples : kData;
      const testkit::Result c = testkit::run(
          {testkit::stageBin("zentaprepro"), kData + "/" + s.name + ".ptu", at + "/t.cc", at + "/",
           "-INCL=" + include},
          {{"QUARTODIR", testkit::stageDir()}, {"ZNTTGT", testkit::stageDir()}, {"ZNUTGT", {}},
           {"ZENTACPPINC", {}}, {"ZENTALAN", "GB"}},
          at);
      ASSERT_LE(c.status, 3) << s.name << c.err;
      const testkit::Result b =
          testkit::run({"/usr/bin/g++", "-std=c++17", "-w", "-I", include, "-I", testkit::stageDir() + "/lib",
                        at + "/t.cc", include + "/" + s.source, "-o", at + "/t.exe"});
      ASSERT_EQ(b.status, 0) << s.name << b.err;
      const testkit::Result r = testkit::run({at + "/t.exe"}, {{"ZENTA_RESULTS", {}}}, at);
      ASSERT_EQ(r.status, s.fails ? 1 : 0) << s.name << r.out << r.err;
      std::smatch m;
      ASSERT_TRUE(std::regex_search(r.out, m, std::regex("zenta: ([0-9]+) checks, [0-9]+ passed, ([0-9]+) failed")))
          << r.out;
      s.output = r.out;
      s.verdicts = std::stoi(m[1]);
      s.failed = std::stoi(m[2]);
      ASSERT_EQ(s.failed > 0, s.fails) << s.name;
    }
  }
  static void TearDownTestSuite() { dir_.reset(); }

  static std::string tdc(const Script& s) { return dir_->file(s.name + "/t.tdc"); }
  static std::string rio(const Script& s) { return dir_->file(s.name + "/t.rio"); }
  static testkit::Result report(const std::vector<std::string>& args) {
    std::vector<std::string> argv = {testkit::stageBin("zentareport")};
    argv.insert(argv.end(), args.begin(), args.end());
    return testkit::run(argv, {}, dir_->path().string());
  }

  static std::unique_ptr<testkit::ScratchDir> dir_;
};

std::unique_ptr<testkit::ScratchDir> ReportRoad::dir_;

// The position "file:line" of each variable line of a description, from the
// E11 file lines and the E12 line before it, and its variable text.
struct VariableLine {
  std::string variable, place;
};
std::map<int, VariableLine> variableLines(const std::string& tdc) {
  std::map<int, std::string> files;
  std::map<int, VariableLine> out;
  std::string place;
  static const std::regex file("^E11 ([0-9]+) (.*)$"), position("^E12 ([0-9]+) ([0-9]+)$"),
      variable("^V([0-9]+) (.*?) RA=.*$");
  for (const std::string& l : lines(tdc)) {
    std::smatch m;
    if (std::regex_match(l, m, file)) files[std::stoi(m[1])] = m[2];
    if (std::regex_match(l, m, position)) place = files[std::stoi(m[1])] + ":" + m[2].str();
    if (std::regex_match(l, m, variable)) out[std::stoi(m[1])] = {m[2], place};
  }
  return out;
}

TEST_F(ReportRoad, TextNamesEveryFailedCheckWithItsValues) {
  for (const Script& s : kScripts) {
    SCOPED_TRACE(s.name);
    const testkit::Result r = report({tdc(s), rio(s)});
    EXPECT_EQ(r.status, s.fails ? 1 : 0) << r.err;
    EXPECT_EQ(r.err, "");
    EXPECT_EQ(r.out.find('\033'), std::string::npos);  // not a terminal: no colour
    const std::vector<std::string> report = lines(r.out);
    int failLines = 0;
    for (const std::string& l : report) failLines += l.find(" FAIL ") != std::string::npos ||
                                                     l.find(" ERROR ") != std::string::npos;
    EXPECT_EQ(failLines, s.failed) << r.out;
    EXPECT_NE(r.out.find("Totals: " + std::to_string(s.verdicts) + " verdicts, " +
                         std::to_string(s.verdicts - s.failed) + " passed, " + std::to_string(s.failed) + " failed"),
              std::string::npos)
        << r.out;

    // Each failed check of the results file: a line of its own with the
    // variable, the value obtained, the value or bounds expected and the
    // statement's place in the script.
    const auto variables = variableLines(testkit::ScratchDir::slurp(tdc(s)));
    static const std::regex failed("^CHECK ([0-9]+) FAIL (\\S+) (\"[^\"]*\"|\\S+) (\"[^\"]*\"|\\S+)(?: (\\S+))?$");
    int checks = 0, exceptions = 0;
    for (const std::string& l : lines(testkit::ScratchDir::slurp(rio(s)))) {
      std::smatch m;
      exceptions += l.rfind("EXCEP ", 0) == 0 && l.find(" FAIL ") != std::string::npos;
      if (!std::regex_match(l, m, failed)) continue;
      ++checks;
      const VariableLine& v = variables.at(std::stoi(m[1]));
      auto value = [&](std::string text) {
        return m[2] == "char" ? "'" + text.substr(1, text.size() - 2) + "'" : text;
      };
      std::string expected = value(m[4]);
      if (m[5].matched && m[5] != m[4]) expected += " .. " + value(m[5]);
      const std::string base = v.variable.substr(0, v.variable.find('['));
      bool found = false;
      for (const std::string& t : report)
        found = found || (t.find(" FAIL ") != std::string::npos && t.find(base) != std::string::npos &&
                          t.find(": obtained " + value(m[3]) + ", expected " + expected + " (") != std::string::npos &&
                          t.size() >= v.place.size() && t.compare(t.size() - v.place.size(), v.place.size(), v.place) == 0);
      EXPECT_TRUE(found) << l << "\n" << v.variable << " at " << v.place << "\n" << r.out;
    }
    EXPECT_EQ(checks + exceptions, s.failed);
    EXPECT_EQ(exceptions, s.name == "road" ? 2 : 0);
  }
  // Both exceptions of the road script: the one not raised, and the one
  // nobody expected, each at its element's line.
  const testkit::Result road = report({tdc(kScripts[4])});
  EXPECT_NE(road.out.find("FAIL the expected exception QueueFull was not raised  " + kData + "/road.ptu:48\n"),
            std::string::npos)
      << road.out;
  EXPECT_NE(road.out.find("ERROR the call raised an unexpected exception  " + kData + "/road.ptu:70\n"),
            std::string::npos)
      << road.out;
}

TEST_F(ReportRoad, ColoursOnlyWhenAsked) {
  const Script& s = kScripts[0];
  const testkit::Result coloured = report({"--color", tdc(s), rio(s)});
  EXPECT_NE(coloured.out.find("\033[31m[FAIL]\033[0m"), std::string::npos) << coloured.out;
  EXPECT_EQ(report({"--no-color", tdc(s), rio(s)}).out.find('\033'), std::string::npos);
  EXPECT_EQ(report({"-q", tdc(s), rio(s)}).out, "");
}

// The attribute of the first element named so.
std::string attribute(const std::string& xml, const std::string& element, const std::string& name) {
  std::smatch m;
  if (!std::regex_search(xml, m, std::regex("<" + element + " [^>]*\\b" + name + "=\"([^\"]*)\""))) return "?";
  return m[1];
}

TEST_F(ReportRoad, JunitValidatesAndCountsEveryPass) {
  for (const Script& s : kScripts) {
    SCOPED_TRACE(s.name);
    const std::string xml = dir_->file(s.name + ".xml");
    ASSERT_EQ(report({"-q", "--junit", xml, tdc(s), rio(s)}).status, s.fails ? 1 : 0);
    const testkit::Result lint = testkit::run({"/usr/bin/xmllint", "--noout", "--schema", kSchema, xml});
    EXPECT_EQ(lint.status, 0) << lint.err;
    // The records say how many passes ran and how many of them failed: a
    // pass is the span from one TS record to the next.
    int passes = 0, failedPasses = 0, errors = 0;
    bool bad = false, error = false;
    for (const std::string& l : lines(testkit::ScratchDir::slurp(rio(s)))) {
      if (l.rfind("TS ", 0) == 0 || l.rfind("END ", 0) == 0) {
        failedPasses += bad && !error;
        errors += error;
        bad = error = false;
        passes += l[0] == 'T';
      }
      bad = bad || std::regex_match(l, std::regex("^(CHECK|EXCEP|LIST) [0-9]+ FAIL .*"));
      error = error || std::regex_match(l, std::regex("^EXCEP [0-9]+ FAIL [0-3]( .*)?$"));
    }
    const std::string junit = testkit::ScratchDir::slurp(xml);
    EXPECT_EQ(attribute(junit, "testsuites", "tests"), std::to_string(passes)) << junit;
    EXPECT_EQ(attribute(junit, "testsuites", "failures"), std::to_string(failedPasses)) << junit;
    EXPECT_EQ(attribute(junit, "testsuites", "errors"), std::to_string(errors)) << junit;
    EXPECT_EQ(count(junit, std::regex("<testcase ")), passes);
    EXPECT_EQ(count(junit, std::regex("<(failure|error) ")), s.failed);
  }
  // The code under test counts the turns of the dial: one per test pass,
  // so one test case per turn.
  const std::string dial = testkit::ScratchDir::slurp(dir_->file("dial.xml"));
  std::smatch turns;
  ASSERT_TRUE(std::regex_search(kScripts[2].output, turns, std::regex("turns ([0-9]+)"))) << kScripts[2].output;
  EXPECT_EQ(attribute(dial, "testsuites", "tests"), turns[1].str());
  EXPECT_NE(dial.find("<testcase name=\"IN_LIST_FAILING pass 2 of 3\" classname=\"dial.TURN\""), std::string::npos)
      << dial;
  EXPECT_NE(dial.find("message=\"dial_setting: obtained 4, expected 5 (VA IN (3) (2, 5, 6)) at " + kData +
                      "/dial.ptu:30\" type=\"check\""),
            std::string::npos)
      << dial;
}

TEST_F(ReportRoad, HtmlPageShowsTheTotalsInABrowser) {
  const std::string html = dir_->file("all.html");
  std::vector<std::string> args = {"-q", "--html", html};
  int verdicts = 0, failed = 0;
  for (const Script& s : kScripts) {
    args.insert(args.end(), {tdc(s), rio(s)});
    verdicts += s.verdicts;
    failed += s.failed;
  }
  ASSERT_EQ(report(args).status, 1);
  const std::string profile = dir_->file("chromium-profile");
  const testkit::Result dom =
      testkit::run({"/usr/bin/chromium", "--headless", "--no-sandbox", "--disable-gpu", "--user-data-dir=" + profile,
                    "--dump-dom", "file://" + html},
                   {{"HOME", dir_->path().string()}});
  ASSERT_EQ(dom.status, 0) << dom.err;
  auto shown = [&](const std::string& id) {
    std::smatch m;
    return std::regex_search(dom.out, m, std::regex("id=\"" + id + "\">([0-9]+)<")) ? std::stoi(m[1]) : -1;
  };
  EXPECT_EQ(shown("verdicts"), verdicts) << dom.out;
  EXPECT_EQ(shown("passed"), verdicts - failed);
  EXPECT_EQ(shown("failed"), failed);
  EXPECT_EQ(shown("tests-not-run"), 0);
  // A row per verdict; the failed ones at the top of their service's table.
  EXPECT_EQ(count(dom.out, std::regex("<tr class=\"bad\">")), failed);
  // Tests that ran without a verdict have a row each: PLAIN and the three
  // passes of REPEATED in the road script.
  const int quiet = count(dom.out, std::regex("<td class=\"PASS\">PASS</td>(<td>[^<]*</td>){2}<td>no verdict</td>"));
  EXPECT_EQ(quiet, 4);
  EXPECT_EQ(count(dom.out, std::regex("<td class=\"PASS\">")) - quiet, verdicts - failed);
  const std::string page = testkit::ScratchDir::slurp(html);
  EXPECT_FALSE(std::regex_search(page, std::regex("<script|<link|src=|https?:"))) << "external resources";
}

// Truncated and corrupted results files end the run with status 2 and a
// message naming the file and the line.
TEST_F(ReportRoad, DamagedResultsGiveStatusTwo) {
  const Script& s = kScripts[0];
  const std::string good = testkit::ScratchDir::slurp(rio(s));
  const std::vector<std::string> records = lines(good);
  const int last = static_cast<int>(records.size());
  auto join = [](const std::vector<std::string>& ls) {
    std::string out;
    for (const std::string& l : ls) out += l + "\n";
    return out;
  };
  auto replaced = [&](int line, const std::string& text) {
    std::vector<std::string> ls = records;
    ls[static_cast<std::size_t>(line - 1)] = text;
    return join(ls);
  };
  auto check = [&](const std::string& needle) {
    for (int k = 0; k < last; ++k)
      if (records[static_cast<std::size_t>(k)].rfind(needle, 0) == 0) return k + 1;
    return 0;
  };
  const int aCheck = check("CHECK 5 FAIL"), aTest = check("TS 2 "), anOp = check("OP 1 ");
  ASSERT_TRUE(aCheck && aTest && anOp) << good;
  struct Mutation {
    const char* what;
    std::string text;
    int line;  // named in the message; 0: the file as a whole
    const char* code;
  };
  const std::vector<Mutation> mutations = {
      {"empty", "", 0, "RESTRONQU"},
      {"cut in the middle of a record", good.substr(0, good.find("CHECK 5 FAIL") + 9), aCheck, "RESTRONQU"},
      {"no END record", join({records.begin(), records.end() - 1}), last - 1, "RESTRONQU"},
      {"cut after a record", good.substr(0, good.find("CHECK 5 FAIL")), aCheck - 1, "RESTRONQU"},
      {"not a results file", replaced(1, "ZRIX 1"), 1, "RESVERSIO"},
      {"another format", replaced(1, "ZRIO 2"), 1, "RESVERSIO"},
      {"unknown record", replaced(aCheck, "CHEKC 5 FAIL integer 2 3"), aCheck, "RESFORMAT"},
      {"verdict garbled", replaced(aCheck, "CHECK 5 FALL integer 2 3"), aCheck, "RESFORMAT"},
      {"number garbled", replaced(aCheck, "CHECK 5x FAIL integer 2 3"), aCheck, "RESFORMAT"},
      {"field missing", replaced(aCheck, "CHECK 5 FAIL integer 2"), aCheck, "RESFORMAT"},
      {"quote unclosed", replaced(aTest, "TS 2 \"WRONG_SCALARS"), aTest, "RESFORMAT"},
      {"line not described", replaced(aCheck, "CHECK 9999 FAIL integer 2 3"), aCheck, "RESNODESC"},
      {"line of a test for a check", replaced(aCheck, "CHECK 2 FAIL integer 2 3"), aCheck, "RESNODESC"},
      {"test renamed", replaced(aTest, "TS 2 \"RIGHT_SCALARS\""), aTest, "RESNOMDIF"},
      {"service on a test line", replaced(anOp, "OP 2 \"NOTE\""), anOp, "RESNODESC"},
      {"verdict flipped", replaced(aCheck, "CHECK 5 PASS integer 2 3"), last, "RESTOTAUX"},
      {"totals changed", replaced(last, "END 55 20 35"), last, "RESTOTAUX"},
      {"record after END", good + "CHECK 5 FAIL integer 2 3\n", last + 1, "RESFORMAT"},
      {"binary", std::string("ZRIO 1\n\x01\x02\xff\n", 11), 2, "RESFORMAT"},
      {"null inside", replaced(aCheck, std::string("CHECK 5 FAIL\0 integer 2 3", 25)), aCheck, "RESFORMAT"},
  };
  for (const Mutation& m : mutations) {
    SCOPED_TRACE(m.what);
    dir_->write("damaged.rio", m.text);
    const testkit::Result r = report({tdc(s), dir_->file("damaged.rio")});
    EXPECT_EQ(r.status, 2) << r.out << r.err;
    EXPECT_EQ(r.out, "");
    const std::string where = dir_->file("damaged.rio") + (m.line ? ":" + std::to_string(m.line) : "") + ": error: ";
    EXPECT_EQ(r.err.rfind("zentareport: " + where, 0), 0u) << r.err;
    EXPECT_NE(r.err.find(std::string("[") + m.code + "]\n"), std::string::npos) << r.err;
  }
  // A results file that is not there, and a description that is not one.
  testkit::Result r = report({tdc(s), dir_->file("missing.rio")});
  EXPECT_EQ(r.status, 2);
  EXPECT_NE(r.err.find("missing.rio: error: cannot open the file [IMPOUVFIC]"), std::string::npos) << r.err;
  r = report({rio(s), rio(s)});
  EXPECT_EQ(r.status, 2);
  EXPECT_NE(r.err.find("t.rio:1: error: "), std::string::npos) << r.err;
}

TEST_F(ReportRoad, CommandLineFaultsGiveStatusTwo) {
  const Script& s = kScripts[0];
  struct Case {
    std::vector<std::string> args;
    const char* message;
  };
  const std::vector<Case> cases = {
      {{}, "no description file named"},
      {{"--junit"}, "--junit needs a file name"},
      {{"--html=", tdc(s)}, "--html needs a file name"},
      {{"--fancy", tdc(s)}, "unknown option --fancy"},
      {{rio(s)}, "no results file named for"},
  };
  for (const Case& c : cases) {
    const testkit::Result r = report(c.args);
    EXPECT_EQ(r.status, 2) << c.message;
    EXPECT_EQ(r.err.rfind(std::string("zentareport: ") + c.message, 0), 0u) << r.err;
  }
  // A description alone: its results file by the same name, with .rio.
  EXPECT_EQ(report({"-q", tdc(s)}).status, 1);
  // An output file that cannot be written.
  const testkit::Result r = report({"-q", "--junit", dir_->file("no/such/dir.xml"), tdc(s)});
  EXPECT_EQ(r.status, 2);
  EXPECT_NE(r.err.find("dir.xml: error: cannot write the file [IMPECRFIC]"), std::string::npos) << r.err;
  EXPECT_TRUE(std::regex_match(report({"--version"}).out, std::regex("zentareport [0-9]+\\.[0-9]+\\.[0-9]+\n")));
}

}  // namespace

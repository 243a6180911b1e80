// The readers of the report tool on small hand-written files: what the
// description and the results say once joined, and a table of faults that
// each give their code at their line.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tools/zentareport/escape.h"
#include "tools/zentareport/run.h"

namespace zenta::report {
namespace {

const char* const kDescription =
    "************\n"
    "* TOOL : the header comment                                        *\n"
    "************\n"
    "E11 0 /s/x.ptu\n"
    "C0 zentaprepro x.ptu\n"
    "H0 today\n"
    "E6  x\n"
    "E11 1 /s/inc.ptu\n"
    "E17 0 5\n"
    "E16 0 7\n"
    "O1 SVC\n"
    "C2 a comment\n"
    "T3 T_ONE\n"
    "F4 FAM\n"
    "E14 0 9\n"
    "B5 1\n"
    "E12 1 3\n"
    "V6 g[0..1][0..2] RA=FORM=CD32,INIT=0 VA=1,\n"
    "E12 0 11\n"
    "V7 c RA=FORM=C,INIT='a' VA=\n"
    "&'b',\n"
    "R0 3\n"
    "USTART\n"
    "E14 0 13\n"
    "B8 2\n"
    "E12 0 14\n"
    "V9 v RA=FORM=CF32,INIT=1 VA=2 +/- 1,\n"
    "E16 0 20\n"
    "T10 T_TWO\n"
    "E14 0 21\n"
    "B11 1\n"
    "E12 0 22\n"
    "V12 w RA=FORM=CD32,,\n";

Description described(const std::string& text = kDescription) {
  Description d;
  Problem p;
  EXPECT_TRUE(readDescription(text, "x.tdc", d, p)) << formatProblem(p);
  return d;
}

TEST(ReportReaders, DescriptionGivesServicesTestsElementsAndPlaces) {
  const Description d = described();
  EXPECT_EQ(d.script, "x");
  ASSERT_EQ(d.lines.size(), 12u);
  ASSERT_EQ(d.services.size(), 1u);
  ASSERT_EQ(d.tests.size(), 2u);
  ASSERT_EQ(d.elements.size(), 3u);
  EXPECT_EQ(d.services[0].name, "SVC");
  EXPECT_EQ(d.where(d.services[0].position), "/s/x.ptu:5");
  EXPECT_EQ(d.tests[0].family, "FAM");
  EXPECT_EQ(d.where(d.tests[1].position), "/s/x.ptu:20");
  EXPECT_EQ(d.tests[0].elements, (std::vector<int>{0, 1}));
  EXPECT_EQ(d.where(d.elements[1].position), "/s/x.ptu:13");
  EXPECT_EQ(d.where(d.line(6)->position), "/s/inc.ptu:3");  // an included file
  EXPECT_EQ(d.line(7)->text, "c RA=FORM=C,INIT='a' VA='b',");  // the continuation joined
  EXPECT_EQ(d.line(9)->element, 1);
  EXPECT_EQ(variableText(d.line(9)->text), "v");
  EXPECT_EQ(expectedText(d.line(9)->text), "VA=2 +/- 1");
  EXPECT_EQ(expectedText(d.line(12)->text), "");
}

TEST(ReportReaders, DescriptionFaults) {
  struct Case {
    std::string text;
    long line;
    const char* code;
  };
  const std::vector<Case> cases = {
      {"", 0, "TDCFORMAT"},
      {"E11 0 /s/x.ptu\nO1 S\nT3 T\n", 3, "TDCNUMERO"},
      {"O1 S\nO1 S\n", 2, "TDCNUMERO"},
      {"O1 S\nT2 T\n\nB3 1\n", 3, "TDCFORMAT"},
      {"O1 S\nhello\n", 2, "TDCFORMAT"},
      {"O1 S\n&more\n", 0, ""},  // a continuation of the O line: accepted
      {"E11 0 x\n&more\n", 2, "TDCFORMAT"},
      {"T1 T\n", 1, "TDCFORMAT"},
      {"O1 S\nB2 1\n", 2, "TDCFORMAT"},
      {"E12 0\nO1 S\n", 1, "TDCFORMAT"},
      {"E12 0 x\nO1 S\n", 1, "TDCFORMAT"},
      {"E11\nO1 S\n", 1, "TDCFORMAT"},
      {"O1234567890 S\n", 1, "TDCFORMAT"},
      {"O1S\n", 1, "TDCFORMAT"},
      {"O1 S\n* late comment\n", 2, "TDCFORMAT"},
      {"USTART\n", 0, "TDCFORMAT"},  // no numbered line at all
  };
  for (const Case& c : cases) {
    Description d;
    Problem p;
    const bool ok = readDescription(c.text, "x.tdc", d, p);
    EXPECT_EQ(ok, std::string(c.code).empty()) << c.text;
    if (ok) continue;
    EXPECT_EQ(p.code, c.code) << c.text;
    EXPECT_EQ(p.line, c.line) << c.text;
    EXPECT_EQ(p.file, "x.tdc");
  }
}

const char* const kResults =
    "ZRIO 1\n"
    "OPF \"x.rio\"\n"
    "OP 1 \"SVC\"\n"
    "TS 3 \"T_ONE\"\n"
    "INIT 6 integer 0\n"
    "EXCEP 3 PASS 6 \"Ex\"\n"
    "CHRONO 3 5\n"
    "TAB 6 OPEN\n"
    "CHECK 6 PASS integer 0 0\n"
    "CHECK 6 PASS integer 1 1\n"
    "CHECK 6 PASS integer 2 2\n"
    "CHECK 6 FAIL integer 4 3\n"
    "TAB 6 CLOSE\n"
    "CHECK 7 FAIL char \"\\\"\" \"b\"\n"
    "EXCEP 3 FAIL 2\n"
    "CHRONO 3 7\n"
    "CHECK 9 FAIL double 5 1 3\n"
    "EXCEP 3 FAIL 3\n"
    "TS 10 \"T_TWO\"\n"
    "CHECK 12 EDIT integer 7 7\n"
    "EXCEP 1 FAIL 0\n"
    "END 10 4 6\n";

report::Run joined(const std::string& results = kResults) {
  Results r;
  report::Run run;
  Problem p;
  EXPECT_TRUE(readResults(results, "x.rio", r, p) && joinRun(described(), r, run, p)) << formatProblem(p);
  return run;
}

TEST(ReportReaders, JoinAttachesEveryVerdictToItsLine) {
  const report::Run run = joined();
  EXPECT_EQ(run.checks, 10);
  EXPECT_EQ(run.failed, 6);
  ASSERT_EQ(run.passes.size(), 2u);
  EXPECT_EQ(run.passes[0].micros, 12);
  const std::vector<Outcome>& o = run.passes[0].outcomes;
  ASSERT_EQ(o.size(), 9u);
  EXPECT_EQ(o[0].message(), "the expected exception Ex was raised");
  EXPECT_EQ(o[0].element, 0);
  EXPECT_EQ(o[4].message(), "g[1][0]: obtained 4, expected 3 (VA=1)");  // row-major index of the 4th item
  EXPECT_EQ(run.description.where(o[4].position), "/s/inc.ptu:3");
  EXPECT_EQ(o[5].message(), "c: obtained '\"', expected 'b' (VA='b')");
  EXPECT_EQ(o[6].message(), "the call raised an unexpected exception");
  EXPECT_TRUE(o[6].error);
  EXPECT_EQ(o[6].element, 1);  // raised before the second element's time
  EXPECT_EQ(o[7].message(), "v: obtained 5, expected 1 .. 3 (VA=2 +/- 1)");
  EXPECT_EQ(o[8].element, 1);  // while checking, after it
  EXPECT_EQ(run.passes[1].outcomes[0].message(), "w: recorded 7");
  ASSERT_EQ(run.serviceOutcomes[0].size(), 1u);
  EXPECT_EQ(run.serviceOutcomes[0][0].message(), "an exception escaped the service");
  EXPECT_EQ(run.testVerdict(0), Verdict::Fail);
  EXPECT_EQ(run.testVerdict(1), Verdict::Pass);
  EXPECT_EQ(run.elementVerdict(2), Verdict::Pass);
  const Totals t = totalsOf(std::vector<report::Run>{run});
  EXPECT_EQ(t.testsFailed, 1);
  EXPECT_EQ(t.passes, 2);
}

TEST(ReportReaders, ResultsFaults) {
  struct Case {
    std::string from, to;  // a replacement in kResults
    long line;
    const char* code;
  };
  const std::vector<Case> cases = {
      {"TS 3 \"T_ONE\"\n", "", 5, "RESHORTST"},  // checks while no test runs
      {"TS 10 \"T_TWO\"\n", "", 19, "RESHORTST"},  // a check of the second test in the first
      {"CHRONO 3 5", "CHRONO 10 5", 7, "RESHORTST"},
      {"CHRONO 3 5", "CHRONO 3 -5", 7, "RESFORMAT"},
      {"CHRONO 3 5", "CHRONO 3 99999999999999999999", 7, "RESFORMAT"},
      {"EXCEP 3 FAIL 2", "EXCEP 3 FAIL 9", 15, "RESFORMAT"},
      {"EXCEP 3 FAIL 2", "EXCEP 3 EDIT 2", 15, "RESFORMAT"},
      {"EXCEP 3 FAIL 2", "EXCEP 6 FAIL 2", 15, "RESNODESC"},
      {"TAB 6 OPEN", "TAB 6 AJAR", 8, "RESFORMAT"},
      {"TAB 6 OPEN", "TAB 2 OPEN", 8, "RESNODESC"},
      {"INIT 6 integer 0", "INIT 6 integer", 5, "RESFORMAT"},
      {"INIT 6 integer 0", "INIT 6  integer 0", 5, "RESFORMAT"},
      {"INIT 6 integer 0", "INIT 6 integer 0 ", 5, "RESFORMAT"},
      {"INIT 6 integer 0", "INIT 6 \"integer\" 0", 5, "RESFORMAT"},
      {"INIT 6 integer 0", "INIT 6 integer \"0\"x", 5, "RESFORMAT"},
      {"INIT 6 integer 0", "INIT 6 integer \"\\q\"", 5, "RESFORMAT"},
      {"INIT 6 integer 0", "INIT 6 integer 0\"", 5, "RESFORMAT"},
      {"OPF \"x.rio\"", "OPF x.rio", 2, "RESFORMAT"},
      {"END 10 4 6", "END 10 4 5", 22, "RESTOTAUX"},
      {"END 10 4 6", "END 10 4", 22, "RESFORMAT"},
      {"ZRIO 1\n", "ZRIO 1\r\n", 0, ""},  // line ends of another system
  };
  for (const Case& c : cases) {
    std::string text = kResults;
    const std::size_t at = text.find(c.from);
    ASSERT_NE(at, std::string::npos) << c.from;
    text.replace(at, c.from.size(), c.to);
    Results r;
    report::Run run;
    Problem p;
    const bool ok = readResults(text, "x.rio", r, p) && joinRun(described(), r, run, p);
    EXPECT_EQ(ok, std::string(c.code).empty()) << c.to;
    if (ok) continue;
    EXPECT_EQ(p.code, c.code) << c.to << ": " << formatProblem(p);
    EXPECT_EQ(p.line, c.line) << c.to << ": " << formatProblem(p);
  }
}

TEST(ReportReaders, OutputTextIsMadeSafe) {
  EXPECT_EQ(markup("a<b>&\"'"), "a&lt;b&gt;&amp;&quot;&#39;");
  EXPECT_EQ(markup("x\n\t\x01y"), "x&#10;&#9;\xEF\xBF\xBDy");  // U+FFFD for what XML forbids
  EXPECT_EQ(toUtf8("caf\xE9"), "caf\xC3\xA9");  // a Latin-1 byte
  EXPECT_EQ(toUtf8("caf\xC3\xA9"), "caf\xC3\xA9");  // already UTF-8
  EXPECT_EQ(toUtf8("\xED\xA0\x80"), "\xC3\xAD\xC2\xA0\xC2\x80");  // a surrogate is no UTF-8
  EXPECT_EQ(markup("\xEF\xBF\xBF"), "\xEF\xBF\xBD");  // U+FFFF
  EXPECT_EQ(printable("\x1B[31mred\x7F"), "?[31mred?");
  EXPECT_EQ(printable("\xC2\x9B" "2J"), "?2J");  // the C1 control sequence introducer
}

}  // namespace
}  // namespace zenta::report

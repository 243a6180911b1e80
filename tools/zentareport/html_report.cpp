#include "tools/zentareport/html_report.h"

#include <algorithm>

#include "tools/zentareport/escape.h"

namespace zenta::report {

namespace {

const char* const kStyle =
    "body{font-family:sans-serif;margin:1.5em;color:#222}"
    "table{border-collapse:collapse;margin-bottom:1.5em}"
    "th,td{border:1px solid #bbb;padding:.25em .6em;text-align:left;vertical-align:top}"
    "th{background:#eee}td.n{text-align:right}"
    ".PASS{color:#176317;font-weight:bold}.FAIL,.ERROR{color:#b00;font-weight:bold}"
    ".NOTRUN,.RECORDED{color:#8a6d00;font-weight:bold}"
    "tr.bad{background:#fdecec}code{font-family:monospace}";

struct Row {
  std::string verdict;  // PASS, FAIL, ERROR, RECORDED, NOT RUN
  std::string test, element, what, obtained, expected, place;
  bool bad() const { return verdict == "FAIL" || verdict == "ERROR"; }
};

std::string cell(const std::string& text, const char* cls = nullptr) {
  return std::string("<td") + (cls ? std::string(" class=\"") + cls + "\"" : std::string()) + ">" + markup(text) +
         "</td>";
}

std::string verdictClass(const std::string& v) { return v == "NOT RUN" ? "NOTRUN" : v; }

Row rowOf(const Description& d, const Outcome& o, const std::string& test) {
  Row r;
  r.verdict = o.recorded ? "RECORDED" : o.passed ? "PASS" : o.error ? "ERROR" : "FAIL";
  r.test = test;
  if (o.element >= 0) r.element = d.elements[static_cast<std::size_t>(o.element)].label;
  r.what = o.what;
  r.obtained = o.obtained;
  r.expected = o.expected;
  if (!o.scriptText.empty()) r.expected += (r.expected.empty() ? "" : "  ") + o.scriptText;
  r.place = d.where(o.position);
  return r;
}

std::vector<Row> rowsOf(const Run& run, int service) {
  const Description& d = run.description;
  std::vector<Row> rows;
  for (const Outcome& o : run.serviceOutcomes[static_cast<std::size_t>(service)])
    rows.push_back(rowOf(d, o, "(service)"));
  for (int t : d.services[static_cast<std::size_t>(service)].tests) {
    const Test& test = d.tests[static_cast<std::size_t>(t)];
    const int passes = run.passCount(t);
    if (passes == 0) rows.push_back({"NOT RUN", test.name, "", "the harness did not declare this test", "", "",
                                     d.where(test.position)});
    for (int k : run.testPasses[static_cast<std::size_t>(t)]) {
      const Pass& p = run.passes[static_cast<std::size_t>(k)];
      const std::string name = passes > 1 ? test.name + " (pass " + std::to_string(p.index) + ")" : test.name;
      for (const Outcome& o : p.outcomes) rows.push_back(rowOf(d, o, name));
      if (p.outcomes.empty()) rows.push_back({"PASS", name, "", "no verdict", "", "", d.where(test.position)});
    }
  }
  std::stable_partition(rows.begin(), rows.end(), [](const Row& r) { return r.bad(); });
  return rows;
}

void summary(std::ostream& out, const Totals& t) {
  const std::pair<const char*, long> lines[] = {
      {"verdicts", t.verdicts},     {"passed", t.passed},         {"failed", t.failed},
      {"tests", t.tests},           {"tests-passed", t.testsPassed}, {"tests-failed", t.testsFailed},
      {"tests-not-run", t.testsNotRun}, {"passes", t.passes},
  };
  const char* const labels[] = {"Verdicts",     "Passed",       "Failed",        "Tests",
                                "Tests passed", "Tests failed", "Tests not run", "Test passes run"};
  out << "<h2>Summary: <span class=\"" << (t.failed ? "FAIL" : "PASS") << "\" id=\"outcome\">"
      << (t.failed ? "FAILED" : "PASSED") << "</span></h2>\n<table class=\"summary\">\n";
  for (std::size_t k = 0; k < std::size(lines); ++k)
    out << "<tr><th>" << labels[k] << "</th><td class=\"n\" id=\"" << lines[k].first << "\">" << lines[k].second
        << "</td></tr>\n";
  out << "</table>\n";
}

}  // namespace

void writeHtml(std::ostream& out, const std::vector<Run>& runs) {
  out << "<!DOCTYPE html>\n<html lang=\"en\">\n<head>\n<meta charset=\"utf-8\">\n<title>Test report</title>\n<style>"
      << kStyle << "</style>\n</head>\n<body>\n<h1>Test report</h1>\n";
  summary(out, totalsOf(runs));
  for (const Run& run : runs) {
    const Description& d = run.description;
    out << "<h2>Script " << markup(d.script.empty() ? d.path : d.script) << "</h2>\n<p>Description <code>"
        << markup(d.path) << "</code>, results <code>" << markup(run.resultsPath) << "</code>: " << run.checks
        << " verdicts, " << run.passed << " passed, " << run.failed << " failed.</p>\n";
    for (std::size_t s = 0; s < d.services.size(); ++s) {
      const std::string v = verdictWord(run.serviceVerdict(static_cast<int>(s)));
      out << "<h3>Service " << markup(d.services[s].name) << " <span class=\"" << verdictClass(v) << "\">" << v
          << "</span></h3>\n<table class=\"service\">\n<thead><tr><th>Verdict</th><th>Test</th><th>Element</th>"
             "<th>Check</th><th>Obtained</th><th>Expected</th><th>Script line</th></tr></thead>\n<tbody>\n";
      for (const Row& r : rowsOf(run, static_cast<int>(s))) {
        out << "<tr" << (r.bad() ? " class=\"bad\"" : "") << ">" << cell(r.verdict, verdictClass(r.verdict).c_str())
            << cell(r.test) << cell(r.element) << cell(r.what) << cell(r.obtained) << cell(r.expected)
            << cell(r.place) << "</tr>\n";
      }
      out << "</tbody>\n</table>\n";
    }
  }
  out << "</body>\n</html>\n";
}

}  // namespace zenta::report

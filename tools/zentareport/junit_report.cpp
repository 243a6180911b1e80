#include "tools/zentareport/junit_report.h"

#include <cstdio>

#include "tools/zentareport/escape.h"

namespace zenta::report {

namespace {

std::string seconds(long long micros) {
  char buf[40];
  std::snprintf(buf, sizeof buf, "%lld.%06lld", micros / 1000000, micros % 1000000);
  return buf;
}

std::string attr(const char* name, const std::string& value) { return std::string(" ") + name + "=\"" + markup(value) + "\""; }

// One test case as it is written, with its verdict for the suite's counts.
struct Case {
  std::string name;
  long long micros = 0;
  long assertions = 0;
  bool skipped = false;
  std::vector<const Outcome*> failed;
  bool error() const {
    for (const Outcome* o : failed)
      if (o->error) return true;
    return false;
  }
};

const char* typeOf(const Outcome& o) {
  switch (o.kind) {
    case Outcome::Check: return "check";
    case Outcome::ListItem: return "list";
    default: return "exception";
  }
}

class JunitWriter {
 public:
  explicit JunitWriter(std::ostream& out) : out_(out) {}

  void write(const std::vector<Run>& runs) {
    std::vector<std::string> suites;
    long tests = 0, failures = 0, errors = 0;
    long long micros = 0;
    for (const Run& r : runs)
      for (std::size_t s = 0; s < r.description.services.size(); ++s) {
        const std::vector<Case> cases = casesOf(r, static_cast<int>(s));
        suites.push_back(suite(r, static_cast<int>(s), cases));
        for (const Case& c : cases) {
          ++tests;
          micros += c.micros;
          if (c.error()) ++errors;
          else if (!c.failed.empty()) ++failures;
        }
      }
    out_ << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";
    out_ << "<testsuites" << attr("name", "zentareport") << attr("tests", std::to_string(tests))
         << attr("failures", std::to_string(failures)) << attr("errors", std::to_string(errors))
         << attr("time", seconds(micros)) << ">\n";
    for (const std::string& s : suites) out_ << s;
    out_ << "</testsuites>\n";
  }

 private:
  std::vector<Case> casesOf(const Run& r, int service) {
    std::vector<Case> out;
    const Description& d = r.description;
    for (const Outcome& o : r.serviceOutcomes[static_cast<std::size_t>(service)]) {
      Case c;
      c.name = "(service " + d.services[static_cast<std::size_t>(service)].name + ")";
      c.assertions = 1;
      if (!o.passed) c.failed.push_back(&o);
      out.push_back(c);
    }
    for (int t : d.services[static_cast<std::size_t>(service)].tests) {
      const std::string name = d.tests[static_cast<std::size_t>(t)].name;
      const int passes = r.passCount(t);
      if (passes == 0) {
        Case c;
        c.name = name;
        c.skipped = true;
        out.push_back(c);
      }
      for (int k : r.testPasses[static_cast<std::size_t>(t)]) {
        const Pass& p = r.passes[static_cast<std::size_t>(k)];
        Case c;
        c.name = passes > 1 ? name + " pass " + std::to_string(p.index) + " of " + std::to_string(passes) : name;
        c.micros = p.micros;
        for (const Outcome& o : p.outcomes) {
          if (o.recorded) continue;
          ++c.assertions;
          if (!o.passed) c.failed.push_back(&o);
        }
        out.push_back(c);
      }
    }
    return out;
  }

  std::string suite(const Run& r, int service, const std::vector<Case>& cases) {
    const Description& d = r.description;
    const std::string name = (d.script.empty() ? std::string("script") : d.script) + "." +
                             d.services[static_cast<std::size_t>(service)].name;
    long failures = 0, errors = 0, skipped = 0;
    long long micros = 0;
    std::string body;
    for (const Case& c : cases) {
      micros += c.micros;
      skipped += c.skipped;
      if (c.error()) ++errors;
      else if (!c.failed.empty()) ++failures;
      body += "    <testcase" + attr("name", c.name) + attr("classname", name) + attr("time", seconds(c.micros));
      if (!c.skipped) body += attr("assertions", std::to_string(c.assertions));
      if (c.skipped) {
        body += ">\n      <skipped" + attr("message", "not run: the harness did not declare this test") + "/>\n";
        body += "    </testcase>\n";
        continue;
      }
      if (c.failed.empty()) {
        body += "/>\n";
        continue;
      }
      body += ">\n";
      // Errors before failures, as the schema orders them.
      for (int pass = 0; pass < 2; ++pass)
        for (const Outcome* o : c.failed) {
          if (o->error != (pass == 0)) continue;
          const char* element = o->error ? "error" : "failure";
          const std::string where = d.where(o->position);
          const std::string message = o->message() + (where.empty() ? "" : " at " + where);
          body += std::string("      <") + element + attr("message", message) + attr("type", typeOf(*o)) + ">" +
                  markup(message + "\nresults: " + r.resultsPath + ":" + std::to_string(o->resultsLine)) + "</" +
                  element + ">\n";
        }
      body += "    </testcase>\n";
    }
    std::string head = "  <testsuite" + attr("name", name) + attr("tests", std::to_string(cases.size())) +
                       attr("failures", std::to_string(failures)) + attr("errors", std::to_string(errors)) +
                       attr("skipped", std::to_string(skipped)) + attr("time", seconds(micros));
    if (!r.timestamp.empty()) head += attr("timestamp", r.timestamp);
    return head + ">\n" + body + "  </testsuite>\n";
  }

  std::ostream& out_;
};

}  // namespace

void writeJunit(std::ostream& out, const std::vector<Run>& runs) { JunitWriter(out).write(runs); }

}  // namespace zenta::report

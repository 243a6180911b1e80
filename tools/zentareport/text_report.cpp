#include "tools/zentareport/text_report.h"

#include <map>
#include <utility>

#include "tools/zentareport/escape.h"

namespace zenta::report {

namespace {

class TextWriter {
 public:
  TextWriter(std::ostream& out, bool colour) : out_(out), colour_(colour) {}

  void run(const Run& r) {
    const Description& d = r.description;
    out_ << bold("Script " + (d.script.empty() ? d.path : d.script)) << "  (" << printable(d.path) << ", "
         << printable(r.resultsPath) << ")\n";
    for (std::size_t s = 0; s < d.services.size(); ++s) {
      const Service& service = d.services[s];
      out_ << verdict(r.serviceVerdict(static_cast<int>(s))) << " SERVICE " << bold(service.name) << place(d, service.position)
           << "\n";
      for (const Outcome& o : r.serviceOutcomes[s]) outcome(d, o, 0, 1, "  ");
      for (int t : service.tests) test(r, t);
    }
  }

  void totals(const Totals& t) {
    out_ << bold("Totals") << ": " << t.verdicts << " verdicts, " << paint(std::to_string(t.passed) + " passed", kGreen)
         << ", " << paint(std::to_string(t.failed) + " failed", t.failed ? kRed : kGreen) << "; " << t.tests
         << " tests: " << t.testsPassed << " passed, " << t.testsFailed << " failed, " << t.testsNotRun
         << " not run (" << t.passes << " test passes)\n";
  }

 private:
  static constexpr const char* kRed = "\033[31m";
  static constexpr const char* kGreen = "\033[32m";
  static constexpr const char* kYellow = "\033[33m";

  void test(const Run& r, int t) {
    const Description& d = r.description;
    const Test& test = d.tests[static_cast<std::size_t>(t)];
    const int passes = r.passCount(t);
    long passed = 0, failed = 0;
    // The outcomes of each element of the test (-1: of the test as a whole),
    // with their pass.
    std::map<int, std::vector<std::pair<int, const Outcome*>>> byElement;
    for (int k : r.testPasses[static_cast<std::size_t>(t)]) {
      const Pass& p = r.passes[static_cast<std::size_t>(k)];
      for (const Outcome& o : p.outcomes) {
        if (!o.recorded) ++(o.passed ? passed : failed);
        byElement[o.element].push_back({p.index, &o});
      }
    }
    out_ << "  " << verdict(r.testVerdict(t)) << " TEST " << bold(test.name);
    if (!test.family.empty()) out_ << ", family " << printable(test.family);
    if (passes > 0) out_ << ": " << (passed + failed) << " verdicts, " << passed << " passed, " << failed << " failed";
    if (passes > 1) out_ << " in " << passes << " passes";
    out_ << place(d, test.position) << "\n";
    for (const auto& [pass, o] : byElement[-1]) outcome(d, *o, pass, passes, "    ");
    for (int e : test.elements) {
      const Element& element = d.elements[static_cast<std::size_t>(e)];
      Verdict v = passes ? Verdict::Pass : Verdict::NotRun;
      for (const auto& [pass, o] : byElement[e])
        if (!o->passed && !o->recorded) v = Verdict::Fail;
      out_ << "    " << verdict(v) << " ELEMENT " << printable(element.label) << place(d, element.position) << "\n";
      for (const auto& [pass, o] : byElement[e]) outcome(d, *o, pass, passes, "      ");
    }
  }

  void outcome(const Description& d, const Outcome& o, int pass, int passes, const char* indent) {
    if (o.passed || o.recorded) return;
    out_ << indent << paint(o.error ? "ERROR" : "FAIL", kRed) << " ";
    if (passes > 1) out_ << "pass " << pass << ": ";
    out_ << printable(o.message()) << place(d, o.position) << "\n";
  }

  std::string place(const Description& d, const Position& p) const {
    const std::string w = d.where(p);
    return w.empty() ? std::string() : "  " + printable(w);
  }
  std::string verdict(Verdict v) const {
    const char* colour = v == Verdict::Pass ? kGreen : v == Verdict::Fail ? kRed : kYellow;
    return paint(std::string("[") + verdictWord(v) + "]", colour);
  }
  std::string bold(const std::string& s) const { return colour_ ? "\033[1m" + printable(s) + "\033[0m" : printable(s); }
  std::string paint(const std::string& s, const char* colour) const {
    return colour_ ? colour + s + "\033[0m" : s;
  }

  std::ostream& out_;
  bool colour_;
};

}  // namespace

void writeText(std::ostream& out, const std::vector<Run>& runs, bool colour) {
  TextWriter w(out, colour);
  for (const Run& r : runs) w.run(r);
  w.totals(totalsOf(runs));
}

}  // namespace zenta::report

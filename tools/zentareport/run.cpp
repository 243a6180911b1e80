// The join of a results file with its description.
#include "tools/zentareport/run.h"

#include <algorithm>
#include <map>

namespace zenta::report {

namespace {

// The bounds of the "[a..b]" groups of a variable text; empty when it has
// none or one of them is not made of two plain numbers.
std::vector<std::pair<long, long>> ranges(const std::string& text) {
  std::vector<std::pair<long, long>> out;
  for (std::size_t open = text.find('['); open != std::string::npos; open = text.find('[', open + 1)) {
    const std::size_t close = text.find(']', open);
    if (close == std::string::npos) return {};
    const std::string inside = text.substr(open + 1, close - open - 1);
    const std::size_t dots = inside.find("..");
    if (dots == std::string::npos) continue;
    const std::string a = inside.substr(0, dots), b = inside.substr(dots + 2);
    if (a.empty() || b.empty() || a.size() > 9 || b.size() > 9 ||
        a.find_first_not_of("0123456789") != std::string::npos ||
        b.find_first_not_of("0123456789") != std::string::npos)
      return {};
    out.push_back({std::stol(a), std::stol(b)});
    if (out.back().second < out.back().first) return {};
  }
  return out;
}

// The k-th (from 0) item of an array variable, its ranges replaced by the
// indexes in row-major order: "m[0..1][0..2]" item 4 is "m[1][1]". Without
// ranges, the text as it stands; past the last item, the text and "#k+1".
std::string item(const std::string& text, long k) {
  const auto r = ranges(text);
  if (r.empty()) return k == 0 ? text : text + " #" + std::to_string(k + 1);
  long count = 1;
  for (const auto& [a, b] : r) {
    count *= b - a + 1;
    if (count > 1000000000L) return text + " #" + std::to_string(k + 1);
  }
  if (k >= count) return text + " #" + std::to_string(k + 1);
  std::vector<long> index(r.size());
  for (std::size_t d = r.size(); d-- > 0;) {
    const long size = r[d].second - r[d].first + 1;
    index[d] = r[d].first + k % size;
    k /= size;
  }
  std::string out;
  std::size_t d = 0, at = 0;
  for (std::size_t open = text.find('['); open != std::string::npos; open = text.find('[', open + 1)) {
    const std::size_t close = text.find(']', open);
    if (text.substr(open, close - open).find("..") == std::string::npos) continue;
    out += text.substr(at, open - at) + "[" + std::to_string(index[d++]) + "]";
    at = close + 1;
  }
  return out + text.substr(at);
}

// A value as the results file writes it: texts between quotes (single
// quotes for a character), their quotes, backslashes and control characters
// escaped.
std::string shown(const std::string& kind, const Field& f) {
  if (!f.quoted) return f.text;
  const char q = kind == "char" ? '\'' : '"';
  std::string out(1, q);
  for (const char c : f.text) {
    if (c == q || c == '\\') {
      out += '\\';
      out += c;
    } else if (c == '\n') {
      out += "\\n";
    } else if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) {
      static const char* const hex = "0123456789abcdef";
      out += "\\x";
      out += hex[(c >> 4) & 0xF];
      out += hex[c & 0xF];
    } else {
      out += c;
    }
  }
  return out + q;
}

std::string exceptionText(long code, const std::string& type) {
  switch (code) {
    case 0: return "an exception escaped the service";
    case 1: return "an exception was raised while initialising, or in the frame of the test";
    case 2: return "the call raised an unexpected exception";
    case 3: return "an exception was raised while checking the results";
    case 5: return "the expected exception " + type + " was not raised";
    case 6: return "the expected exception " + type + " was raised";
    default: return "exception code " + std::to_string(code);
  }
}

class Joiner {
 public:
  Joiner(const Description& d, const Results& r, Run& out, Problem& problem)
      : d_(d), r_(r), out_(out), problem_(problem) {}

  bool join() {
    for (const Record& rec : r_.records) {
      rec_ = &rec;
      if (!record(rec)) return false;
    }
    if (counted_ != r_.checks || passed_ != r_.passed || failed_ != r_.failed || r_.checks != r_.passed + r_.failed)
      return fail("RESTOTAUX", "the END record counts " + std::to_string(r_.checks) + " verdicts, " +
                                   std::to_string(r_.passed) + " passed and " + std::to_string(r_.failed) +
                                   " failed, but the records hold " + std::to_string(counted_) + ", " +
                                   std::to_string(passed_) + " and " + std::to_string(failed_));
    out_.checks = counted_;
    out_.passed = passed_;
    out_.failed = failed_;
    return true;
  }

 private:
  bool fail(const char* code, const std::string& text) {
    problem_ = {r_.path, rec_ ? rec_->fileLine : 0, code, text};
    return false;
  }

  // The described line that a record names, with one of the tags wanted.
  const DescribedLine* described(long n, const char* tags, const char* what) {
    const DescribedLine* l = d_.line(n);
    if (!l) {
      fail("RESNODESC", rec_->keyword + " record names line " + std::to_string(n) + ", which " + d_.path +
                            " does not describe (it has " + std::to_string(d_.lines.size()) + " numbered lines)");
      return nullptr;
    }
    for (const char* t = tags; *t; ++t)
      if (l->tag == *t) return l;
    fail("RESNODESC", rec_->keyword + " record names line " + std::to_string(n) + ", which describes no " + what +
                          " (" + d_.path + ":" + std::to_string(l->fileLine) + ")");
    return nullptr;
  }

  // The pass that a record of a test's line belongs to: the pass running.
  Pass* passOf(const DescribedLine& l) {
    if (pass_ < 0 || out_.passes[pass_].test != l.test) {
      const std::string test = l.test >= 0 ? d_.tests[l.test].name : std::string("no test");
      fail("RESHORTST", rec_->keyword + " record of line " + std::to_string(l.number) + " (test " + test +
                            ") while " +
                            (pass_ < 0 ? std::string("no test runs") : "test " + d_.tests[out_.passes[pass_].test].name +
                                                                            " runs"));
      return nullptr;
    }
    return &out_.passes[pass_];
  }

  void count(const Outcome& o) {
    if (o.recorded) return;
    ++counted_;
    ++(o.passed ? passed_ : failed_);
  }

  bool verdictWord(const std::string& w, bool withEdit) {
    if (w == "PASS" || w == "FAIL" || (withEdit && w == "EDIT")) return true;
    return fail("RESFORMAT", rec_->keyword + " record: \"" + w.substr(0, 40) + "\" is no verdict");
  }

  bool record(const Record& rec) {
    const std::string& k = rec.keyword;
    const long n = rec.number();
    if (k == "OPF" || k == "RUPT" || k == "STUB" || k == "END") return true;
    if (k == "OP") return described(n, "O", "service") != nullptr;
    if (k == "TS") {
      const DescribedLine* l = described(n, "T", "test");
      if (!l) return false;
      if (rec.fields[1].text != l->text)
        return fail("RESNOMDIF", "test \"" + rec.fields[1].text.substr(0, 80) + "\" where line " + std::to_string(n) +
                                     " describes test " + l->text);
      Pass p;
      p.test = l->test;
      p.index = out_.passCount(l->test) + 1;
      out_.passes.push_back(p);
      pass_ = static_cast<int>(out_.passes.size()) - 1;
      out_.testPasses[static_cast<std::size_t>(l->test)].push_back(pass_);
      chronos_ = 0;
      items_.clear();
      return true;
    }
    if (k == "REP") return described(n, "R", "repetition") != nullptr;
    if (k == "INIT") return described(n, "V", "variable") != nullptr;
    if (k == "CST") return described(n, "VJ", "variable") != nullptr && openClose(rec, false);
    if (k == "TAB") {
      if (!described(n, "VJ", "variable") || !openClose(rec, false)) return false;
      if (rec.fields[1].text == "OPEN") items_.erase(n);
      return true;
    }
    if (k == "BRA") return bracket(rec, n);
    if (k == "CHRONO") {
      if (n == 0) return true;
      const DescribedLine* l = described(n, "T", "test");
      Pass* p = l ? passOf(*l) : nullptr;
      if (!p) return false;
      // Times add up to at most about 30 years, whatever the records say.
      p->micros = std::min(p->micros + rec.numberAt(1), 1000000000000000LL);
      ++chronos_;
      return true;
    }
    if (k == "CHECK") return check(rec, n);
    if (k == "EXCEP") return exception(rec, n);
    if (k == "LIST") return list(rec, n);
    return fail("RESFORMAT", "unknown record " + k);
  }

  bool openClose(const Record& rec, bool withError) {
    const std::string& w = rec.fields[1].text;
    if (w == "OPEN" || w == "CLOSE" || (withError && w == "ERROR")) return true;
    return fail("RESFORMAT", rec.keyword + " record: \"" + w.substr(0, 40) + "\" is neither OPEN nor CLOSE");
  }

  bool bracket(const Record& rec, long n) {
    if (!openClose(rec, true)) return false;
    const std::string& w = rec.fields[1].text;
    const DescribedLine* l = described(n, w == "OPEN" ? "J" : "P", "structured variable");
    if (!l) return false;
    if (w != "ERROR") return true;
    Pass* p = passOf(*l);
    if (!p) return false;
    Outcome o;
    o.kind = Outcome::Structure;
    o.error = true;
    o.what = "an exception was raised while checking " + (l->text.empty() ? std::string("a structure") : l->text);
    o.element = l->element;
    o.position = l->element >= 0 ? d_.elements[l->element].position : Position();
    o.resultsLine = rec.fileLine;
    return add(*p, o);
  }

  bool check(const Record& rec, long n) {
    const DescribedLine* l = described(n, "V", "variable");
    if (!l || !verdictWord(rec.fields[1].text, true)) return false;
    Pass* p = passOf(*l);
    if (!p) return false;
    const std::string& kind = rec.fields[2].text;
    Outcome o;
    o.passed = rec.fields[1].text == "PASS";
    o.recorded = rec.fields[1].text == "EDIT";
    o.what = item(variableText(l->text), items_[n]++);
    o.obtained = shown(kind, rec.fields[3]);
    o.expected = shown(kind, rec.fields[4]);
    if (rec.fields.size() > 5 && rec.fields[5].text != rec.fields[4].text)
      o.expected += " .. " + shown(kind, rec.fields[5]);
    o.scriptText = expectedText(l->text);
    o.position = l->position;
    o.element = l->element;
    o.resultsLine = rec.fileLine;
    return add(*p, o);
  }

  bool exception(const Record& rec, long n) {
    const DescribedLine* l = described(n, "TO", "test or service");
    if (!l || !verdictWord(rec.fields[1].text, false)) return false;
    const long code = rec.numberAt(2);
    if (code > 6) return fail("RESFORMAT", "EXCEP record: exception code " + rec.fields[2].text + " is not known");
    Outcome o;
    o.kind = Outcome::Exception;
    o.passed = rec.fields[1].text == "PASS";
    o.error = code <= 3;
    o.what = exceptionText(code, rec.fields.size() > 3 ? rec.fields[3].text : std::string("?"));
    o.resultsLine = rec.fileLine;
    if (l->tag == 'O') {
      o.position = d_.services[l->service].position;
      count(o);
      out_.serviceOutcomes[static_cast<std::size_t>(l->service)].push_back(o);
      return true;
    }
    Pass* p = passOf(*l);
    if (!p) return false;
    // The element's call ends with its time record: an exception before
    // it (initialisation, call, expected exception) belongs to the element
    // whose time comes next; one while checking, to the element just timed.
    const Test& t = d_.tests[l->test];
    const long k = code == 3 ? chronos_ - 1 : chronos_;
    if (k >= 0 && k < static_cast<long>(t.elements.size())) o.element = t.elements[static_cast<std::size_t>(k)];
    o.position = o.element >= 0 ? d_.elements[o.element].position : t.position;
    return add(*p, o);
  }

  bool list(const Record& rec, long n) {
    const DescribedLine* l = described(n, "N", "list");
    if (!l || !verdictWord(rec.fields[1].text, false)) return false;
    Pass* p = passOf(*l);
    if (!p) return false;
    const std::string& what = rec.fields[2].text;
    const bool withItem = rec.fields.size() > 3;
    if (!((what == "ITEM" || what == "MISSING") == withItem && (what == "ITEM" || what == "MISSING" || what == "UNEXPECTED")))
      return fail("RESFORMAT", "LIST record: \"" + what.substr(0, 40) + "\" is no list verdict");
    Outcome o;
    o.kind = Outcome::ListItem;
    o.passed = rec.fields[1].text == "PASS";
    o.what = variableText(l->text);
    if (what == "ITEM") o.expected = "\"" + rec.fields[3].text + "\"";
    if (what == "MISSING") o.obtained = "no item where \"" + rec.fields[3].text + "\" was expected";
    if (what == "UNEXPECTED") o.obtained = "more items than expected";
    o.scriptText = expectedText(l->text);
    o.position = l->position;
    o.element = l->element;
    o.resultsLine = rec.fileLine;
    return add(*p, o);
  }

  bool add(Pass& p, const Outcome& o) {
    count(o);
    p.outcomes.push_back(o);
    return true;
  }

  const Description& d_;
  const Results& r_;
  Run& out_;
  Problem& problem_;
  const Record* rec_ = nullptr;
  int pass_ = -1;
  long chronos_ = 0;
  std::map<long, long> items_;  // checks of each variable line in this pass
  long counted_ = 0, passed_ = 0, failed_ = 0;
};

}  // namespace

std::string Outcome::message() const {
  std::string out = what;
  switch (kind) {
    case Check:
      if (recorded) return out + ": recorded " + obtained;
      out += ": obtained " + obtained + ", expected " + expected;
      break;
    case ListItem:
      if (!obtained.empty()) out += ": " + obtained;
      else out += ": item " + expected + (passed ? " as expected" : " differs");
      break;
    default:
      return out;
  }
  if (!scriptText.empty()) out += " (" + scriptText + ")";
  return out;
}

namespace {

// The verdict of the passes of a test, for the outcomes that `which` keeps.
template <typename Which>
Verdict verdictOf(const Run& run, int test, Which which) {
  const std::vector<int>& passes = run.testPasses[static_cast<std::size_t>(test)];
  for (int p : passes)
    for (const Outcome& o : run.passes[static_cast<std::size_t>(p)].outcomes)
      if (which(o) && !o.passed && !o.recorded) return Verdict::Fail;
  return passes.empty() ? Verdict::NotRun : Verdict::Pass;
}

}  // namespace

Verdict Run::testVerdict(int test) const {
  return verdictOf(*this, test, [](const Outcome&) { return true; });
}

Verdict Run::elementVerdict(int element) const {
  const int test = description.elements[static_cast<std::size_t>(element)].test;
  return verdictOf(*this, test, [&](const Outcome& o) { return o.element == element; });
}

Verdict Run::serviceVerdict(int service) const {
  Verdict v = Verdict::NotRun;
  for (const Outcome& o : serviceOutcomes[static_cast<std::size_t>(service)]) {
    if (!o.passed) return Verdict::Fail;
    v = Verdict::Pass;
  }
  for (int t : description.services[static_cast<std::size_t>(service)].tests) {
    const Verdict tv = testVerdict(t);
    if (tv == Verdict::Fail) return Verdict::Fail;
    if (tv == Verdict::Pass) v = Verdict::Pass;
  }
  return v;
}

bool joinRun(const Description& description, const Results& results, Run& out, Problem& problem) {
  out = Run();
  out.description = description;
  out.resultsPath = results.path;
  out.testPasses.resize(description.tests.size());
  out.serviceOutcomes.resize(description.services.size());
  return Joiner(out.description, results, out, problem).join();
}

Totals totalsOf(const std::vector<Run>& runs) {
  Totals t;
  for (const Run& r : runs) {
    t.verdicts += r.checks;
    t.passed += r.passed;
    t.failed += r.failed;
    t.passes += static_cast<long>(r.passes.size());
    t.services += static_cast<long>(r.description.services.size());
    for (std::size_t k = 0; k < r.description.tests.size(); ++k) {
      ++t.tests;
      const Verdict v = r.testVerdict(static_cast<int>(k));
      ++(v == Verdict::Pass ? t.testsPassed : v == Verdict::Fail ? t.testsFailed : t.testsNotRun);
    }
  }
  return t;
}

const char* verdictWord(Verdict v) {
  switch (v) {
    case Verdict::Pass: return "PASS";
    case Verdict::Fail: return "FAIL";
    default: return "NOT RUN";
  }
}

}  // namespace zenta::report

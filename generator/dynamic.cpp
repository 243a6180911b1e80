// Loops of dynamic initialisation.
//
// Each dynamic variable of a test takes the test's next loop index J<k>
// (shared with the LOOP count of TEST) when its element ends. Its loop
// header goes straight into the harness, where the test's code so far is
// only its opening lines (the test body is merged when the test ends), so
// the loop encloses the whole test body; its closing brace is queued at the
// head of the test epilogue. The first dynamic variable of a test in script
// order is therefore the outermost loop, and two dynamic variables run the
// product of their counts.
//
//   INIT IN (v1, ..., vN)   #define tab_initin<m>(J<k>) (J<k> == 1 ? v1 :(... vN))
//                           for (J<k> = 1 ; J<k><=N;J<k>++ ){
//   EV IN (e1, ..., eN)     #define tab_vain<m>(J<k>) ..., over the index of
//                           the variable's INIT IN or INIT FROM loop when it
//                           has one, over a loop of its own otherwise
//   INIT (v) WITH (w1, ...)  #define tab_init_avec<m>(J<k>) ..., and
//   EV (v) IN (e1, ...)      tab_vain<m>: over the index of the INIT IN of v
//   EV (v) WITH (e1, ...)    tab_va_avec<m>: likewise
//   INIT FROM a TO b STEP s     a + s*(J<k>-1) while within [a, b]
//   INIT FROM a TO b NB_TIMES n n values evenly spaced, both bounds included
//   INIT FROM a TO b NB_RANDOM n [+BOUNDS]
//                           float rand<m>[] = { ... }; factors drawn now, the
//                           value a + (b/2 - a/2) * factor (the bounds
//                           themselves first and last with +BOUNDS); for an
//                           integer variable the half range is worked out in
//                           double and the offset rounded, so that every
//                           integer of [a, b] can be drawn
//
// The macros and tables are also handed to the analyser as native code, so
// that the expressions that name them can be typed like any other.
#include "generator/dynamic.h"

#include <cctype>
#include <cmath>
#include <cstdlib>
#include <ctime>
#include <map>

#include "analyser/interface.h"
#include "cmdline/settings.h"
#include "diag/report.h"
#include "generator/frame.h"
#include "model/variable.h"
#include "output/description.h"
#include "output/tdc.h"
#include "support/text.h"

namespace zenta::generator {
namespace {

namespace desc = zenta::output::description;

constexpr std::size_t kMaxListValues = 100;

int g_tableNumber = 0;

std::string trimmed(const std::string& text) {
  std::size_t b = 0, e = text.size();
  while (b < e && std::isspace(static_cast<unsigned char>(text[b]))) ++b;
  while (e > b && std::isspace(static_cast<unsigned char>(text[e - 1]))) --e;
  return text.substr(b, e - b);
}

// The loop index of every INIT IN of the open test, by variable text, for
// the lists linked to it (INIT (v) WITH, EV (v) IN). The test is told by
// the number of its description line.
int g_linkTest = -1;
std::map<std::string, std::string> g_linkIndexes;

std::map<std::string, std::string>& linkIndexes() {
  if (g_linkTest != testDescriptionNumber()) {
    g_linkTest = testDescriptionNumber();
    g_linkIndexes.clear();
  }
  return g_linkIndexes;
}

std::string linkedIndex(const std::string& variable) {
  const auto& links = linkIndexes();
  const auto found = links.find(trimmed(variable));
  return found == links.end() ? std::string() : found->second;
}

bool numberText(const std::string& text, double& value) {
  const std::string t = trimmed(text);
  if (t.empty()) return false;
  char* end = nullptr;
  value = std::strtod(t.c_str(), &end);
  return end != nullptr && *end == '\0';
}

// One factor of a random table: r in 1 to 1999 written as "1." or "0."
// followed by the digits of r mod 1000 without leading zeros. The source is
// seeded once per run, with the time in seconds, so tables differ from run
// to run.
std::string randomFactor() {
  static bool seeded = false;
  if (!seeded) {
    seeded = true;
    std::srand(static_cast<unsigned>(std::time(nullptr)));
  }
  const int r = std::abs(std::rand()) % 1999 + 1;
  return std::string(r >= 1000 ? "1." : "0.") + std::to_string(r % 1000);
}

std::string randomTable(int count, bool bounds) {
  std::vector<std::string> entries;
  if (bounds) entries.push_back("0.0");
  for (int i = 0; i < count; ++i) entries.push_back(randomFactor());
  if (bounds) entries.push_back("-10.0");
  std::string out = "{ ";
  for (std::size_t i = 0; i < entries.size(); ++i) out += (i ? ", " : "") + entries[i];
  return out + "};";
}

// A macro or table of the class declaration file; with C and C++ the
// analyser reads it too. The message position stays the script's.
void declare(const std::string& text) {
  if (!elementGenerated()) return;
  writeClassDeclaration(text);
  const cmdline::Settings& set = cmdline::settings();
  if (!set.analysis || (set.languageIndex != support::kLangC && set.languageIndex != support::kLangCpp)) return;
  const std::string file = diag::currentFile();
  const int line = diag::currentLine();
  analyser::preprocessNativeCode(text, file, line, true);
  diag::setCurrentFile(file);
  diag::setCurrentLine(line);
}

// Opens a loop around the test body: the header into the harness, the
// closing brace queued for the test epilogue.
void openTestLoop(const std::string& header) {
  if (!elementGenerated()) return;
  writeHarness(header);
  queueTestEpilogueHead("}");
}

// The selection macro of a list and its call over index J<k>.
std::string listMacro(const char* name, const std::string& list, int count, const std::string& index,
                      const std::string& cast) {
  std::vector<std::string> values = listValues(list);
  if (values.size() > kMaxListValues || count > static_cast<int>(kMaxListValues)) diag::error("NBVALLIST", list);
  if (values.empty()) values.push_back("0");
  const std::string macro = name + std::to_string(++g_tableNumber);
  declare("#define " + macro + "(" + index + ") " + selectionBody(index, values, cast));
  return macro + "(" + index + ")";
}

std::string listLoopHeader(const std::string& x, std::size_t n) {
  return "for (" + x + " = 1 ; " + x + "<=" + std::to_string(n) + ";" + x + "++ ){";
}

}  // namespace

bool dynamicExpectedValue(const model::VariableDescription& d) {
  return d.evKind == model::EvInList || d.evKind == model::EvLinkedIn || d.evKind == model::EvLinkedWith;
}

bool isDynamic(const model::VariableDescription& d) {
  const bool init = d.initPresent && (d.initForm == model::InitInList || d.initForm == model::InitFromRange ||
                                      d.initForm == model::InitWithList);
  return init || dynamicExpectedValue(d);
}

std::vector<std::string> listValues(const std::string& list) {
  std::string t = trimmed(list);
  if (t.size() >= 2 && ((t.front() == '(' && t.back() == ')') || (t.front() == '{' && t.back() == '}')))
    t = t.substr(1, t.size() - 2);
  std::vector<std::string> out;
  if (trimmed(t).empty()) return out;
  int depth = 0;
  std::size_t start = 0;
  for (std::size_t i = 0; i < t.size(); ++i) {
    const char c = t[i];
    if (c == '"' || c == '\'') {
      for (++i; i < t.size() && t[i] != c; ++i)
        if (t[i] == '\\') ++i;
    } else if (c == '(' || c == '[' || c == '{') {
      ++depth;
    } else if (c == ')' || c == ']' || c == '}') {
      --depth;
    } else if (c == ',' && depth == 0) {
      out.push_back(trimmed(t.substr(start, i - start)));
      start = i + 1;
    }
  }
  out.push_back(trimmed(t.substr(start)));
  return out;
}

std::string selectionBody(const std::string& index, const std::vector<std::string>& values,
                          const std::string& cast) {
  const auto value = [&](const std::string& v) {
    if (cast.empty()) return v;
    // A null pointer written as the script's word.
    const std::string shown = v == "NIL" || v == "nil" ? std::string("0") : v;
    return "(" + cast + ")(" + shown + ")";
  };
  std::string body;
  for (std::size_t i = 0; i + 1 < values.size(); ++i)
    body += "(" + index + " == " + std::to_string(i + 1) + " ? " + value(values[i]) + " :";
  body += values.empty() ? std::string("0") : value(values.back());
  for (std::size_t i = 0; i + 1 < values.size(); ++i) body += ")";
  return body;
}

long stepCount(const std::string& low, const std::string& high, const std::string& step) {
  double a = 0, b = 0, s = 0;
  if (!numberText(low, a) || !numberText(high, b) || !numberText(step, s) || s == 0) return -1;
  if ((s > 0 && a > b) || (s < 0 && a < b)) return 0;
  // The loop runs while a + s*(J-1) stays within the bound.
  long n = 0;
  while (n < 1000000 && ((s > 0 && a + s * static_cast<double>(n) <= b) || (s < 0 && a + s * static_cast<double>(n) >= b)))
    ++n;
  return n;
}

void resetDynamicGeneration() {
  g_tableNumber = 0;
  g_linkTest = -1;
  g_linkIndexes.clear();
}

DynamicValues generateDynamic(const model::VariableDescription& d, const std::string& typeText, int typeClass) {
  DynamicValues out;
  const std::string cast = typeClass == 6 ? typeText : std::string();
  const std::string type = typeText.empty() ? std::string("double") : typeText;
  std::string index;  // the loop index of the variable's INIT, when dynamic

  if (d.initPresent && d.initForm == model::InitInList) {
    const std::vector<std::string> values = listValues(d.initText);
    index = loopIndexName(nextLoopIndex());
    out.init = listMacro("tab_initin", d.initText, d.initListCount, index, cast);
    openTestLoop(listLoopHeader(index, values.empty() ? 1 : values.size()));
    desc::writeRepetition(std::to_string(values.empty() ? 1 : values.size()));
    out.initDisplay = "INIT IN " + d.initText;
    linkIndexes()[trimmed(d.variableText)] = index;
  } else if (d.initPresent && d.initForm == model::InitWithList) {
    // INIT (v) WITH list: the i-th value goes with the i-th run of the
    // INIT IN of v, over its index; no loop of its own.
    index = linkedIndex(d.initLinkText);
    if (!index.empty()) {
      out.init = listMacro("tab_init_avec", d.initText, d.initListCount, index, cast);
      out.initDisplay = "INIT (" + trimmed(d.initLinkText) + ") WITH " + d.initText;
    }
  } else if (d.initPresent && d.initForm == model::InitFromRange) {
    index = loopIndexName(nextLoopIndex());
    const std::string& a = d.rangeLow;
    const std::string& b = d.rangeHigh;
    const std::string& s = d.rangeStep;
    const std::string& x = index;
    if (d.rangeKind == model::RangeStep) {
      openTestLoop(" for ( " + x + " = 1;((" + s + ">0)&&(" + a + "+(" + s + "*(" + x + "-1))<=" + b + ")) || ((" +
                   s + "<0)&&(" + a + "+(" + s + "*(" + x + "-1))>=" + b + "));" + x + "++ ) {");
      out.init = "( " + type + " ) ( " + a + " + ( (" + s + ") * (" + x + "-1)) )";
      const long count = stepCount(a, b, s);
      const int line = desc::writeRepetition(count >= 0 ? std::to_string(count) : std::string("?"));
      if (count < 0 && !noEdit())
        writeElementEpilogue("zenta_run.DCL_FAC_REP_CPP(" + std::to_string(line) + ",(int)(" + "(" + b + " - (" + a +
                             "))/" + s + " + 1" + "));");
      out.initDisplay = "INIT=FROM " + a + " TO " + b + " STEP " + s;
    } else if (d.rangeKind == model::RangeRandom) {
      // NB_RANDOM n: a table of n factors in (0, 2) drawn now; with +BOUNDS
      // the table gains a first factor 0 (the low bound) and a last one
      // below -1 (the high bound).
      // The table is drawn now: its count must be known now.
      double n = 0;
      const bool constant = numberText(s, n);
      if (!constant || n < 1) diag::error("INTSUPEUN", s);
      const int drawn = constant && n > 0 ? static_cast<int>(n) : (d.randomCount > 0 ? d.randomCount : 0);
      const std::string table = "rand" + std::to_string(++g_tableNumber);
      const std::string count = d.boundsFlag ? std::to_string(drawn + 2) : std::to_string(drawn);
      declare("float " + table + "[] = " + randomTable(drawn, d.boundsFlag));
      openTestLoop(" for ( " + x + " = 1; (" + x + "-1) < " + count + " ; " + x + "++ ) {");
      const std::string factor = table + "[" + x + "-1]";
      // Halves of integer bounds divided as integers would lose the range
      // (0 TO 1 would always give 0), and the cast would cut the last
      // value off: integers take the half range in double and the nearest
      // integer offset from a.
      const std::string spread =
          typeClass == 0
              ? "(" + a + ") + (long long)( ( ( (double)(" + b + ") - (double)(" + a + ") ) / 2 ) * " + factor +
                    " + ( (" + b + ") >= (" + a + ") ? 0.5 : -0.5 ) )"
              : a + " + ( ( ((" + b + ")/2) - ((" + a + ")/2) ) * " + factor + " )";
      if (d.boundsFlag)
        out.init = "( " + type + " ) ( (" + table + "[" + x + "-1] < -1.0) ? (" + b + " ):( (" + type + ")(" + spread +
                   ") ))";
      else
        out.init = "( " + type + " ) (  ( (" + spread + ") ))";
      desc::writeRepetition(count);
      out.initDisplay = "INIT=FROM " + a + " TO " + b + " NB_RANDOM " + s + (d.boundsFlag ? " +BOUNDS" : "");
    } else {
      // NB_TIMES: n values from a to b, the step worked out in double so
      // that both bounds are reached exactly.
      double n = 0;
      if (numberText(s, n) && n < 2) diag::error("INTSUPEUN", s);
      openTestLoop(" for ( " + x + " = 1; (" + x + "-1) < " + s + "; " + x + "++ ) {");
      out.init = "( " + type + " ) ( " + a + " + ( ( (double)( " + b + " - (" + a + ") ) / ( " + s +
                 " - 1 ) ) * (" + x + "-1) ) )";
      desc::writeRepetition(d.rangeValueCount > 0 ? std::to_string(d.rangeValueCount) : s);
      out.initDisplay = "INIT=FROM " + a + " TO " + b + " NB_TIMES " + s;
    }
  }

  if (d.evKind == model::EvLinkedIn || d.evKind == model::EvLinkedWith) {
    // EV (v) IN list and EV (v) WITH list: the i-th expected value goes
    // with the i-th run of the INIT IN of v.
    const std::string linked = linkedIndex(d.evLinkText);
    const bool in = d.evKind == model::EvLinkedIn;
    const std::string& list = in ? d.evInList : d.evWithText;
    if (!linked.empty()) {
      out.ev = listMacro(in ? "tab_vain" : "tab_va_avec", list, d.evListCount, linked, cast);
      out.evDisplay = " VA (" + trimmed(d.evLinkText) + (in ? ") IN (" : ") WITH (") +
                      std::to_string(listValues(list).size()) + ") " + list;
    }
  } else if (d.evKind == model::EvInList) {
    // The i-th expected value goes with the i-th initial value: the EV IN
    // macro selects over the index of the variable's own INIT IN or INIT
    // FROM loop. Without a dynamic INIT the list runs a loop of its own.
    const std::vector<std::string> values = listValues(d.evInList);
    if (index.empty()) {
      index = loopIndexName(nextLoopIndex());
      openTestLoop(listLoopHeader(index, values.empty() ? 1 : values.size()));
      desc::writeRepetition(std::to_string(values.empty() ? 1 : values.size()));
    }
    out.ev = listMacro("tab_vain", d.evInList, d.evListCount, index, cast);
    out.evDisplay = " VA IN (" + std::to_string(values.size()) + ") " + d.evInList;
  }
  return out;
}

}  // namespace zenta::generator

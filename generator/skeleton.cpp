// The frame of the harness: preamble, one member function of the test class
// per service, the code of every test and element with their exception
// frames, and main with the class declaration at the end of the program.
//
// Lines reach the harness in one pass, out of order: a test's code goes to
// the test body and epilogue work files, an element's to the element body
// and epilogue, and they are merged when the element and the test end.
// Service and test headers (their description lines and their declaration
// to the runtime) are deferred to the first element or to the end of the
// block, so that declarations follow the order of first use.
#include "generator/skeleton.h"

#include <algorithm>
#include <cctype>
#include <set>

#include "analyser/interface.h"
#include "cmdline/filenames.h"
#include "cmdline/settings.h"
#include "cmdline/target.h"
#include "diag/report.h"
#include "generator/constant.h"
#include "generator/frame.h"
#include "generator/variables.h"
#include "model/blocks.h"
#include "model/store.h"
#include "output/description.h"
#include "output/files.h"
#include "output/sources.h"
#include "output/tdc.h"

namespace zenta::generator {
namespace {

namespace out = zenta::output;
namespace desc = zenta::output::description;

// A sorted list of upper-case names; a tree, so that a program of many
// services adds each name in logarithmic time.
struct NameList {
  std::set<std::string> names;
  bool contains(const std::string& n) const { return names.count(n) != 0; }
  void add(const std::string& n) { names.insert(n); }
};

struct State {
  std::string className = "ZENTA";
  std::string programName;
  std::string traceFile;
  std::string classPath;
  std::string className2;  // bare name of the class declaration file

  int serviceNumber = 0;
  int loopIndex = 0;
  int maxLoopIndex = 0;

  bool serviceGenerated = false;
  bool testGenerated = false;
  bool elementGenerated = false;
  bool procedureNotBegun = false;
  bool serviceHeaderPending = false;
  bool testHeaderPending = false;
  bool classIncluded = false;
  bool anyTestGenerated = false;
  bool testFilesOpen = false;  // a.tmp and b.tmp hold the open test

  std::string serviceName;  // the member function's: an identifier, cut and made unique
  int serviceLine = 0;      // "O" line
  int serviceScriptLine = 0;
  int testLine = 0;  // "T" line
  int testScriptLine = 0;

  bool hasException = false;
  std::string exceptionExpression;

  NameList declaredServices;  // names after cut and suffix
  NameList calledServices;    // member functions called from main
  std::vector<std::string> exceptionDeclarations;
  std::vector<std::string> constructorLines;
  std::vector<std::string> destructorLines;
  std::vector<std::string> testEpilogueQueue;
};

State& st() {
  static State s;
  return s;
}

// The block state read: the script front end's, or an empty one.
const model::BlockState* g_blocks = nullptr;

// ------------------------------------------------------------ writers

bool canWrite() { return !generationSuppressed(); }

void harness(const std::string& text) { out::writeLine(out::Harness, text); }
void toFile(out::Destination d, const std::string& text) { out::writeLine(d, text); }
void split(out::Destination d, const std::string& text) { out::writeSplitLine(d, text); }

// Where a split line goes: the test body while an element is open, the
// current output otherwise.
out::Destination splitDestination() {
  if (blocks().elementOpen && out::isOpen(out::WorkA)) return out::WorkA;
  return out::currentOutput();
}

std::string cString(const std::string& text) {
  std::string r;
  for (char c : text) {
    if (c == '"' || c == '\\') r += '\\';
    r += c;
  }
  return r;
}

std::string doubledBackslashes(const std::string& text) {
  std::string r;
  for (char c : text) {
    r += c;
    if (c == '\\') r += '\\';
  }
  return r;
}

std::string trimmed(const std::string& text) {
  std::size_t b = 0, e = text.size();
  while (b < e && std::isspace(static_cast<unsigned char>(text[b]))) ++b;
  while (e > b && std::isspace(static_cast<unsigned char>(text[e - 1]))) --e;
  return text.substr(b, e - b);
}

// The position of the statement being handled: file number and line.
void position(int& file, int& line) {
  file = 0;
  line = 0;
  if (const out::SourceFrame* f = out::currentSource()) {
    file = f->includeNumber;
    line = f->line;
  }
}

bool tsfOpen() { return out::isOpen(out::Tsf); }

// ---------------------------------------------------------- names

// Cuts a service name to 18 characters; a trailing "_" goes, or becomes
// "0" after another "_". Returns whether the name was cut.
bool cutServiceName(std::string& name) {
  if (name.size() <= 18) return false;
  name.resize(18);
  if (name[17] == '_') {
    if (name[16] == '_')
      name[17] = '0';
    else
      name.resize(17);
  }
  return true;
}

// The service name becomes part of a member function's name: every
// character that cannot stand in a C++ identifier becomes "_". Returns
// whether one did.
bool makeIdentifier(std::string& name) {
  bool changed = false;
  for (char& c : name) {
    const unsigned char u = static_cast<unsigned char>(c);
    if (u < 0x80 && (std::isalnum(u) || c == '_')) continue;
    c = '_';
    changed = true;
  }
  return changed;
}

// ---------------------------------------------------------- headers

void flushServiceHeader() {
  State& s = st();
  if (!s.serviceHeaderPending) return;
  s.serviceHeaderPending = false;
  s.serviceLine = desc::writeServiceHeader(blocks().serviceName);
  if (tsfOpen()) desc::tsfService(s.serviceLine, blocks().serviceName, s.serviceScriptLine);
  // Service-level lines follow the service's own selection: an excluded
  // first test does not leave the service undeclared.
  if (s.serviceGenerated && !noEdit())
    split(out::currentOutput(), "zenta_run.DCL_OP_CPP(" + std::to_string(s.serviceLine) + ", \"" +
                                    cString(s.serviceName) + "\");");
}

// The loop count of a test: an integer type is required, and a constant
// must be at least 1, however it is written (signs, brackets, operators,
// constants of the script). Without the analyser's typing, literals are
// judged by their form.
void checkLoopCount(const std::string& count) {
  long long value = 0;
  bool constant = integerConstant(count, value);
  if (!constant && cmdline::settings().analysis) {
    const std::string expanded =
        analyser::preprocessScriptText(count, diag::currentFile(), diag::currentLine());
    constant = integerConstant(expanded, value);
  }
  if (constant) {
    if (value < 1) diag::error("VALBOUCER", count);
    return;
  }
  const std::string t = trimmed(count);
  if (t.empty()) return;
  const bool quoted = t.front() == '"' || t.front() == '\'';
  bool floating = std::isdigit(static_cast<unsigned char>(t.front())) || t.front() == '.';
  if (floating) {
    floating = false;
    for (char c : t)
      if (c == '.' || c == 'e' || c == 'E') floating = true;
  }
  if (quoted || floating) diag::error("TYPBOUCLE", count);
}

void flushTestHeader() {
  State& s = st();
  const model::BlockState& b = blocks();
  if (!s.testHeaderPending) return;
  s.testHeaderPending = false;
  flushServiceHeader();
  const bool gen = s.testGenerated && canWrite();
  if (gen) {
    out::openWorkFiles(0);
    s.testFilesOpen = true;
    if (b.elementOpen) toFile(out::WorkD, "");
    s.anyTestGenerated = true;
  }
  const desc::TestHeader header = desc::writeTestHeader(b.testName, b.loopExpression, b.families);
  s.testLine = header.testLine;
  if (tsfOpen()) desc::tsfTest(s.serviceLine, s.testLine, b.testName, s.testScriptLine);
  if (!b.loopExpression.empty()) checkLoopCount(b.loopExpression);
  if (!gen) return;
  if (!noEdit())
    split(out::WorkA,
          "zenta_run.DCL_TST_CPP(" + std::to_string(s.testLine) + ", \"" + cString(b.testName) + "\");");
  if (!noExcep()) {
    harness("try {");
    split(out::WorkA, "try {");
  }
  const out::Destination first = b.elementOpen ? out::WorkC : out::WorkA;
  toFile(first, "#ifdef NEEDS_NUM_TEST_OPE");
  toFile(first, "zenta_run.NUM_TEST = " + std::to_string(b.testsInService) + ";");
  toFile(first, "#endif /*NEEDS_NUM_TEST_OPE*/");
  if (!b.loopExpression.empty()) {
    const std::string x = loopIndexName(nextLoopIndex());
    harness("for (" + x + " = 1 ; " + x + "<=" + b.loopExpression + ";" + x + "++ ){");
    s.testEpilogueQueue.insert(s.testEpilogueQueue.begin(), "}");
    if (!noEdit())
      toFile(b.elementOpen ? out::WorkD : out::WorkA, "zenta_run.DCL_FAC_REP_CPP(" +
                                                          std::to_string(header.repetitionLine) + "," +
                                                          b.loopExpression + ");");
  }
}

std::string exceptionName() {
  const State& s = st();
  return "exception_" + std::to_string(s.serviceNumber) + "_" + std::to_string(blocks().testsInService) +
         "_" + std::to_string(blocks().elementNumber);
}

// The type name of an expected exception: the text before the first "(".
std::string exceptionType(const std::string& expression) {
  const std::size_t p = expression.find('(');
  return trimmed(p == std::string::npos ? expression : expression.substr(0, p));
}

// One list for the selection summaries of the list file.
template <class Names>
void listToListFile(const std::string& title, const Names& names) {
  diag::writeToListFile(title + "\n");
  for (const std::string& n : names) diag::writeToListFile(n + "\n");
}

std::vector<std::string> upper(std::vector<std::string> names) {
  for (std::string& n : names)
    for (char& c : n) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return names;
}

void selectionSummaries() {
  const cmdline::Settings& set = cmdline::settings();
  const State& s = st();
  std::vector<std::string> inclusion = upper(set.services);
  for (const std::string& n : upper(set.operations)) inclusion.push_back(n);
  std::vector<std::string> exclusion = upper(set.exServices);
  for (const std::string& n : upper(set.exOperations)) exclusion.push_back(n);
  NameList services, families;
  for (const std::string& n : blocks().services) services.add(n);
  for (const std::string& n : blocks().allFamilies) families.add(n);
  const auto unmatched = [](const std::vector<std::string>& list, const NameList& met) {
    for (const std::string& n : list)
      if (!met.contains(n)) return true;
    return false;
  };
  const bool inclusionUnmatched = unmatched(inclusion, services);
  const bool exclusionUnmatched = unmatched(exclusion, services);
  if (inclusionUnmatched || exclusionUnmatched) {
    diag::writeToListFile("\n");
    listToListFile("liste totale des services ", services.names);
    if (exclusionUnmatched) listToListFile("liste des services en exclusion ", exclusion);
    if (inclusionUnmatched) listToListFile("liste des services en inclusion ", inclusion);
    listToListFile("liste des services a executer ", s.calledServices.names);
  }
  const std::vector<std::string> famIn = upper(set.families);
  const std::vector<std::string> famEx = upper(set.exFamilies);
  const bool famInUnmatched = unmatched(famIn, families);
  const bool famExUnmatched = unmatched(famEx, families);
  if (famInUnmatched || famExUnmatched) {
    diag::writeToListFile("\n");
    listToListFile("liste totale des familles ", families.names);
    if (famExUnmatched) listToListFile("liste en exclusion, des familles ", famEx);
    if (famInUnmatched) listToListFile("liste en inclusion, des familles ", famIn);
  }
}

}  // namespace

// ============================================================ suppression

namespace {
bool g_suppressed[5] = {false, false, false, false, false};
}  // namespace

void setSuppressed(Suppression reason, bool on) { g_suppressed[reason] = on; }
bool suppressed(Suppression reason) { return g_suppressed[reason]; }
bool generationSuppressed() {
  for (bool s : g_suppressed)
    if (s) return true;
  return false;
}
void resetSuppression() {
  for (bool& s : g_suppressed) s = false;
}

// ============================================================ frame.h

bool noEdit() { return cmdline::settings().noEdit; }
bool noExcep() { return cmdline::settings().restricted(cmdline::RestrictNoExcep); }

const std::string& className() { return st().className; }
const std::string& programName() { return st().programName; }
const std::string& traceFileName() { return st().traceFile; }
const std::string& classDeclarationPath() { return st().classPath; }
const std::string& classDeclarationName() { return st().className2; }
std::string classDeclarationPathFor(const std::string& harnessDirectory, const std::string& harnessBase) {
  return harnessDirectory + harnessBase + "_zcls.h";
}

const model::BlockState& blocks() {
  static const model::BlockState none;
  return g_blocks ? *g_blocks : none;
}
int serviceNumber() { return st().serviceNumber; }
const std::string& serviceName() { return st().serviceName; }
int testDescriptionNumber() { return st().testHeaderPending ? 0 : st().testLine; }
bool elementGenerated() { return blocks().elementOpen && st().elementGenerated; }

int nextLoopIndex() {
  State& s = st();
  ++s.loopIndex;
  s.maxLoopIndex = std::max(s.maxLoopIndex, s.loopIndex);
  return s.loopIndex;
}
std::string loopIndexName(int k) { return "J" + std::to_string(k); }

void writeHarness(const std::string& text) {
  if (canWrite()) harness(text);
}
void writeSplit(const std::string& text) {
  if (canWrite() && (!blocks().elementOpen || st().elementGenerated)) split(splitDestination(), text);
}
void writeElementBody(const std::string& text) {
  if (canWrite() && elementGenerated()) toFile(out::WorkC, text);
}
void writeElementEpilogue(const std::string& text) {
  if (canWrite() && elementGenerated()) toFile(out::WorkD, text);
}
void writeTestEpilogue(const std::string& text) {
  if (canWrite() && st().testFilesOpen) toFile(out::WorkB, text);
}
void writeClassDeclaration(const std::string& text) {
  if (canWrite()) toFile(out::ClassDeclaration, text);
}
void queueTestEpilogueHead(const std::string& text) {
  st().testEpilogueQueue.insert(st().testEpilogueQueue.begin(), text);
}

// ============================================================ handlers

void readBlockState(const model::BlockState* state) { g_blocks = state; }

void prepareGeneration() {
  State& s = st();
  s = State();
  const cmdline::Settings& set = cmdline::settings();
  const cmdline::FileNames& names = cmdline::names();
  if (!set.className.empty()) s.className = set.className;
  s.programName = names.harnessBase;
  s.traceFile = names.resultsPath;
  if (set.withSeparate) {
    const std::size_t slash = s.traceFile.find_last_of("/\\");
    if (slash != std::string::npos) s.traceFile = s.traceFile.substr(slash + 1);
  }
  s.classPath = classDeclarationPathFor(names.harnessDirectory, names.harnessBase);
  s.className2 = names.harnessBase + "_zcls.h";
  desc::clearQueues();
  desc::tsfReset();
  resetSuppression();
  resetVariableGeneration();
}

void genHeader(const std::string& a, const std::string& b, const std::string& c, const std::string* d) {
  // The front end has expanded the "$" fields and reported a version
  // mismatch; the STRVER text wins for the version line.
  const std::string& strver = cmdline::settings().strver;
  desc::writeHeaderLines(a, b, c, d, strver.empty() ? b : strver);
}

void genServiceType(const std::string& text) {
  const State& s = st();
  if (s.serviceNumber == 0 && !blocks().serviceOpen)
    desc::writeDefaultServiceType(text);
  else if (blocks().serviceOpen && s.serviceHeaderPending)
    desc::setPendingServiceType(text);
  else
    out::tdc::writeNumbered('S', text);
}

void genBegin() {
  State& s = st();
  out::openWorkFiles(3);
  out::openWorkFiles(4);
  if (!out::isOpen(out::ClassDeclaration)) {
    const out::CommentDelimiters d = out::commentDelimiters(cmdline::settings().languageIndex);
    out::openOutput(out::ClassDeclaration, s.classPath, d.start, d.end);
  }
  const std::string include = "#include " + cmdline::runtimeHeaderReference();
  if (canWrite()) {
    for (const char* line : {"#ifndef USE_ZNU", "#define USE_ZNU 1", "#endif", "#ifndef ZNT_CPLUSPLUS_LANGUAGE",
                             "#define ZNT_CPLUSPLUS_LANGUAGE 1", "#endif"})
      harness(line);
    harness("// PROGRAM " + s.programName);
    harness(include);
  }
  // The analyser learns the runtime's declarations from the same line.
  if (cmdline::settings().analysis)
    analyser::preprocessNativeCode(include, diag::currentFile(), diag::currentLine());
}

void genService() {
  State& s = st();
  const std::string& given = blocks().serviceName;
  int file, line;
  position(file, line);
  out::tdc::writePosition("E17", file, line);
  s.serviceScriptLine = line;

  std::string name = given;
  const std::size_t blank = name.find(' ');
  if (blank != std::string::npos) {
    diag::information("LIGNERRON", given);
    name.resize(blank);
  }
  if (makeIdentifier(name)) diag::warning("NOMOPEINV", given);
  cutServiceName(name);
  if (s.declaredServices.contains(name) && name != "INCONNUE") {
    for (int n = 1;; ++n) {
      const std::string candidate = name + "_" + std::to_string(n);
      if (!s.declaredServices.contains(candidate)) {
        name = candidate;
        break;
      }
    }
  }
  s.declaredServices.add(name);
  s.serviceName = name;

  ++s.serviceNumber;
  s.procedureNotBegun = true;
  s.serviceHeaderPending = true;
  s.serviceGenerated = canWrite();

  if (!s.classIncluded && canWrite()) {
    s.classIncluded = true;
    out::writeCurrent("#include \"" + s.className2 + "\"");
  }
  if (s.serviceGenerated) {
    s.calledServices.add(name);
    harness("void " + s.className + "::TEST_" + name + " (void) { ");
    if (!noExcep()) harness("try {");
  }
}

void genEndService() {
  State& s = st();
  if (!blocks().serviceOpen) return;
  const bool gen = s.serviceGenerated;
  if (gen && s.procedureNotBegun) {
    if (!noExcep()) harness("try {");
    harness("// BEGIN  PROCEDURE TEST_" + s.serviceName);
  }
  s.procedureNotBegun = false;
  flushServiceHeader();
  if (gen) {
    if (!noExcep()) {
      harness("}");
      harness(noEdit() ? "catch (...) { }" : "catch (...) { zenta_run.EXCEP_CPP(0);}");
      harness("}");
      harness("catch (...) { }");
    }
    harness("}// PROCEDURE TEST_" + s.serviceName);
  }
  s.serviceGenerated = false;
  s.serviceName.clear();
}

void genTest() {
  State& s = st();
  int file, line;
  position(file, line);
  out::tdc::writePosition("E16", file, line);
  s.testScriptLine = line;
  s.loopIndex = 0;
  if (s.procedureNotBegun) {
    s.procedureNotBegun = false;
    if (s.serviceGenerated) {
      if (!noExcep()) harness("try {");
      harness("// BEGIN  PROCEDURE TEST_" + s.serviceName);
      harness("#ifdef NEEDS_NUM_TEST_OPE");
      harness("zenta_run.NUM_OPERATION = " + std::to_string(s.serviceNumber) + ";");
      harness("#endif /*NEEDS_NUM_TEST_OPE*/");
    }
  }
  s.testHeaderPending = true;
  s.testLine = 0;
  s.testGenerated = s.serviceGenerated && canWrite();
  s.testEpilogueQueue.clear();
}

void genEndTest() {
  State& s = st();
  if (!blocks().testOpen) return;
  flushTestHeader();
  if (s.testFilesOpen) {
    for (const std::string& l : s.testEpilogueQueue) toFile(out::WorkB, l);
    if (!noExcep()) {
      const std::string katch = noEdit() ? "} catch (...) { " : "} catch (...) { zenta_run.EXCEP_CPP(1);";
      toFile(out::WorkB, katch);
      toFile(out::WorkB, "} ");
      toFile(out::WorkA, katch);
      toFile(out::WorkA, "}");
    }
    toFile(out::WorkB, "ZNU_END_TEST_CPP();");
    out::setCurrentOutput(out::Harness);
    out::mergeWorkFiles(0);
  }
  out::setCurrentOutput(out::Harness);
  s.testEpilogueQueue.clear();
  s.loopIndex = 0;
  s.testGenerated = false;
  s.testFilesOpen = false;
}

void genFamily() {
  State& s = st();
  // A family given before the test is declared goes with its header.
  if (blocks().testOpen && s.testHeaderPending) {
    if (suppressed(SuppressFamily)) s.testGenerated = false;
  } else {
    desc::writeFamilies(blocks().families);
  }
}

void genElement() {
  State& s = st();
  s.hasException = false;
  s.exceptionExpression.clear();
  const bool testWillGenerate = s.testGenerated && canWrite();
  s.elementGenerated = testWillGenerate;
  if (testWillGenerate) {
    out::openWorkFiles(1);
    toFile(out::WorkC, "");
    toFile(out::WorkD, "");
  }
  flushTestHeader();
  int file, line;
  position(file, line);
  desc::writeElementStart(file, line, blocks().elementNumber);
  if (!s.elementGenerated) return;
  out::setCurrentOutput(out::WorkC);
  split(out::WorkA, "#define exception " + exceptionName());
  if (!noEdit()) {
    toFile(out::WorkC, "zenta_run.START_CHRONO_CPP();");
    toFile(out::WorkD, "zenta_run.STOP_CHRONO_CPP();");
  }
  if (!noExcep()) {
    split(out::WorkA, "try {");
    toFile(out::WorkC, "try {");
    toFile(out::WorkD, "try {");
  }
}

void genException(const std::string& expression) {
  State& s = st();
  if (!blocks().elementOpen || s.hasException) return;
  s.hasException = true;
  s.exceptionExpression = trimmed(expression);
}

void clearException() {
  State& s = st();
  s.hasException = false;
  s.exceptionExpression.clear();
}

void genEndElement() {
  State& s = st();
  if (!blocks().elementOpen) return;
  // The variables of the element: their description lines always, their
  // code when the element is generated.
  if (const model::VariableStore* store = model::elementStore()) generateVariables(*store);
  if (s.elementGenerated) {
    const std::string n = exceptionName();
    const std::string type = exceptionType(s.exceptionExpression);
    if (s.hasException && !noExcep()) {
      s.exceptionDeclarations.push_back(type + " *" + n + ";");
      s.constructorLines.push_back("    " + n + " = new " + s.exceptionExpression + ";");
      s.destructorLines.push_back("    delete " + n + ";");
    }
    if (!noExcep()) {
      if (noEdit()) {
        // The check part keeps its frame too, so that the braces balance.
        split(out::WorkA, "} catch (...) { }");
        toFile(out::WorkC, "} catch (...) { }");
        toFile(out::WorkD, "} catch (...) { }");
      } else if (!s.hasException) {
        split(out::WorkA, "} catch (...) {zenta_run.EXCEP_CPP(1);}");
        toFile(out::WorkC, "} catch (...) { zenta_run.EXCEP_CPP(2);}");
        toFile(out::WorkD, "} catch (...) { zenta_run.EXCEP_CPP(3);}");
      } else {
        const std::string q = "\"" + cString(type) + "\"";
        split(out::WorkA, "} catch (...) {zenta_run.EXCEP_CPP(1);}");
        toFile(out::WorkC, "zenta_run.EXCEP_CPP(5," + q + ");");
        toFile(out::WorkC, "} catch ( " + type + "  e ) { ZNW_EXCEP_REFCPY(exception, e);  zenta_run.EXCEP_CPP(6," +
                               q + "); }");
        toFile(out::WorkC, "  catch ( " + type + " *e ) { ZNW_EXCEP_PTRCPY(exception, e);  zenta_run.EXCEP_CPP(6," +
                               q + "); }");
        toFile(out::WorkC, "catch (...) { zenta_run.EXCEP_CPP(2);}");
        toFile(out::WorkD, "} catch (...) { zenta_run.EXCEP_CPP(3);}");
      }
    }
    toFile(out::WorkD, "#undef exception");
    out::setCurrentOutput(out::WorkA);
    out::mergeWorkFiles(1);
  }
  s.elementGenerated = false;
  s.hasException = false;
  s.exceptionExpression.clear();
}

namespace {
// Comments and requirements wait for the header of the innermost pending
// block: the family, the test, then the service.
void queueOrWrite(const std::string& text, bool requirement) {
  const State& s = st();
  const model::BlockState& b = blocks();
  desc::Level level;
  bool queue = true;
  if (b.testOpen && s.testHeaderPending && b.familyOpen)
    level = desc::LevelFamily;
  else if (b.testOpen && s.testHeaderPending)
    level = desc::LevelTest;
  else if (b.serviceOpen && s.serviceHeaderPending)
    level = desc::LevelService;
  else
    queue = false;
  if (queue) {
    if (requirement)
      desc::queueRequirement(level, text);
    else
      desc::queueComment(level, text);
    return;
  }
  if (requirement) {
    desc::writeComment('Q', text);
    return;
  }
  const bool inTest = b.testOpen || (b.serviceOpen && b.testsInService == 0);
  desc::writeComment(inTest ? 'C' : 'X', text);
}
}  // namespace

void genComment(const std::string& text) { queueOrWrite(text, false); }
void genRequirement(const std::string& text) { queueOrWrite(text, true); }

void genNativeLine(const std::string& text) {
  if (!canWrite()) return;
  const State& s = st();
  const model::BlockState& b = blocks();
  if (b.initializationOpen) {
    toFile(out::WorkE, text);
  } else if (b.terminationOpen) {
    toFile(out::WorkF, text);
  } else if (b.elementOpen) {
    if (s.elementGenerated) toFile(out::WorkC, text);
  } else if (b.testOpen && !s.testGenerated) {
    return;
  } else if (b.serviceOpen && !s.serviceGenerated) {
    return;
  } else {
    out::writeCurrent(text);
  }
}

void genTraceComment(const std::string& text) { genNativeLine(text); }

void genEndOfProgram() {
  State& s = st();
  const bool write = canWrite();
  const std::string trace = doubledBackslashes(s.traceFile);
  const std::string cls = s.className;
  const auto h = [&](const std::string& line) {
    if (write) harness(line);
  };
  const auto k = [&](const std::string& line) {
    if (write) toFile(out::ClassDeclaration, line);
  };
  if (write && !out::isOpen(out::ClassDeclaration) && !s.classPath.empty()) {
    const out::CommentDelimiters d = out::commentDelimiters(cmdline::settings().languageIndex);
    out::openOutput(out::ClassDeclaration, s.classPath, d.start, d.end);
  }

  h("#ifdef NOVA_MAIN_HEADER");
  h(" NOVA_MAIN_HEADER");
  h("#else");
  h("int main(int argc, char ** argv)");
  h("{");
  h("#endif");
  if (!noExcep()) h("try {");
  h("   ZNU_INIT_DATA");
  if (!noExcep()) h("try {");
  h("// BEGIN  PROCEDURE " + s.programName);
  if (!noEdit()) {
    h("zenta_run.OPF_CPP(\"" + trace + "\");");
    h("");
  }

  k("class " + cls + " {");
  k("public:");
  for (int j = 1; j <= s.maxLoopIndex; ++j) k("    int " + loopIndexName(j) + ";");
  // The index variables of the loops over array elements.
  for (int i = 1; i <= indexVariablesUsed(); ++i) k("    int I" + std::to_string(i) + ";");
  out::setCurrentOutput(out::Harness);
  if (write) out::mergeWorkFiles(3);

  if (!s.declaredServices.names.empty()) {
    for (const std::string& d : s.exceptionDeclarations) k("    " + d);
    if (!noExcep()) {
      k("    " + cls + "() {");
      for (const std::string& l : s.constructorLines) k(l);
      k("    };");
      k("    ~" + cls + "() {");
      for (const std::string& l : s.destructorLines) k(l);
      k("    };");
    }
    for (const std::string& name : s.calledServices.names) {
      h("zenta.TEST_" + name + "();");
      k("    void TEST_" + name + "();");
    }
  }

  if (write) out::mergeWorkFiles(4);
  k("};");
  k(cls + " zenta;");

  if (!noEdit()) {
    h("zenta_run.CLF_CPP(\"" + trace + "\");");
    h("");
  }
  if (!noExcep()) {
    if (!noEdit()) {
      h("} catch (...) { zenta_run.EXCEP_CPP(0);");
      h("zenta_run.CLF_CPP(\"" + trace + "\");");
      h("");
      h("}");
    } else {
      h("} catch (...) {}");
    }
    h("}");
    h("catch (...) { }");
  }
  h("");
  h("#ifdef NOVA_MAIN_RETURN");
  h(" NOVA_MAIN_RETURN");
  h("#else");
  h(" return(0);");
  h("#endif");
  h("");
  h("}// end " + s.programName);
  h("");
  std::string traced;
  for (char c : s.traceFile) {
    if (c == '\\' || c == '"') traced += '\\';
    traced += c;
  }
  h("ZNU_TRACES_FILE(\"" + traced + "\")");
  h("");

  selectionSummaries();
  if (tsfOpen() && diag::errorCount() == 0) {
    const cmdline::FileNames& names = cmdline::names();
    desc::tsfEnd(names.crossReference1, names.crossReference2);
  }
}

}  // namespace zenta::generator

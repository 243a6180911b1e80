#include "script/structure.h"

#include <algorithm>
#include <cctype>
#include <cstring>

#include "cmdline/settings.h"
#include "diag/report.h"
#include "generator/skeleton.h"
#include "model/access_path.h"
#include "model/script_language.h"
#include "model/store.h"
#include "output/description.h"
#include "output/sources.h"
#include "script/analyse.h"
#include "script/environments.h"
#include "script/includes.h"
#include "script/keywords.h"
#include "script/reader.h"
#include "script/stubs.h"
#include "script/var_checks.h"
#include "script/variables.h"
#include "support/text.h"

namespace zenta::script {

using generator::setSuppressed;
using generator::suppressed;

namespace {

BlockState g_state;

bool contains(const std::vector<std::string>& list, const std::string& name) {
  return std::find(list.begin(), list.end(), name) != list.end();
}

void missing(MessageWord word) { diag::warning("MOTCLEABS", messageWord(word)); }
void missingError(MessageWord word) { diag::error("MOTCLEABS", messageWord(word)); }

const Selection& selection() { return passArguments().selection; }

// HEADER fields: blanks and tabs outside literals go, except one blank
// between two word characters; a field starting with '$' names an
// environment variable.
std::string headerField(const std::string& raw) {
  const std::string t = trim(raw);
  const std::string out = model::compressBlanksOutsideLiterals(t);
  if (!out.empty() && out[0] == '$') return support::environmentValue(out.substr(1).c_str(), std::string());
  return out;
}

// Discards what a level made: uses, environments (and their pool), structure
// definitions.
void discardLevel(int level) {
  model::popUses(level);
  model::discardEnvironments(level);
  discardStructures(level);
}

void closeInitializationAndTermination() {
  if (g_state.initializationOpen) {
    missing(MwEndInitialization);
    handleEndInitialization();
  }
  if (g_state.terminationOpen) {
    missing(MwEndTermination);
    handleEndTermination();
  }
}

void endTestCommon(bool explicitStatement);

// A block opened or closed in a false IF branch is not there for this
// build: its emptiness is not worth a message.
bool inFalseBranch(bool openedThere) { return openedThere || suppressed(generator::SuppressCondition); }

}  // namespace

BlockState& blockState() { return g_state; }
void resetBlockState() {
  g_state = BlockState{};
  generator::readBlockState(&g_state);
}

int currentLevel() {
  if (g_state.elementOpen) return model::LevelElement;
  if (g_state.testOpen) return model::LevelTest;
  if (g_state.serviceOpen) return model::LevelService;
  return model::LevelProgram;
}

std::string normaliseName(const std::string& text) {
  std::string out;
  bool blank = false;
  for (char c : text) {
    if (c == ' ' || c == '\t') {
      blank = true;
      continue;
    }
    if (blank && !out.empty()) out += ' ';
    blank = false;
    out += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  }
  return out;
}

void closeEnvironmentsAndDefinitions() {
  if (g_state.environmentOpen) {
    missing(MwEndEnvironment);
    handleEndEnvironmentStatement();
  }
  if (g_state.defineOpen || g_state.stubDefinitionOpen) {
    missing(MwEndDefine);
    handleEndDefine();
  }
}

void implicitBegin() {
  if (g_state.beginSeen) return;
  missing(MwBegin);
  handleBegin();
}

// 1. HEADER
void handleHeader(const std::string& rest, const std::string& statement) {
  if (g_state.headerSeen) {
    diag::warning("MOTDOUBLE", messageWord(MwHeader));
    return;
  }
  if (rest.empty()) return;
  g_state.headerSeen = true;
  std::vector<std::string> fields;
  std::size_t start = 0;
  while (fields.size() < 3) {
    const std::size_t comma = rest.find(',', start);
    if (comma == std::string::npos) break;
    fields.push_back(rest.substr(start, comma - start));
    start = comma + 1;
  }
  fields.push_back(rest.substr(start));
  if (fields.size() < 3) diag::warning("FORMENTET", statement);
  while (fields.size() < 3) fields.emplace_back();
  for (std::string& f : fields) f = headerField(f);
  const std::string& strver = cmdline::settings().strver;
  const std::string mismatch = output::description::versionMismatch(strver, fields[1], messageWord(MwOrigin));
  if (!mismatch.empty()) diag::warning("MISMNUVER", mismatch);
  generator::genHeader(fields[0], fields[1], fields[2], fields.size() > 3 ? &fields[3] : nullptr);
}

// 2. BEGIN
void handleBegin() {
  if (!g_state.headerSeen) diag::error("ENTETEERR", "");
  closeEnvironmentsAndDefinitions();
  if (g_state.beginSeen) {
    diag::warning("MOTDOUBLE", messageWord(MwBegin));
    return;
  }
  g_state.beginSeen = true;
  generator::genBegin();
}

// 3. INITIALIZATION and TERMINATION
void handleInitialization() {
  implicitBegin();
  if (g_state.serviceOpen) {
    missing(MwEndService);
    handleEndService();
  }
  g_state.initializationOpen = true;
  g_state.nativeAnalysis = false;
}

void handleTermination() {
  implicitBegin();
  if (g_state.serviceOpen) {
    missing(MwEndService);
    handleEndService();
  }
  g_state.terminationOpen = true;
  g_state.nativeAnalysis = false;
}

void handleEndInitialization() {
  if (!g_state.initializationOpen) {
    diag::warning("MAL_PLACE", messageWord(MwEndInitialization));
    return;
  }
  g_state.initializationOpen = false;
  g_state.nativeAnalysis = true;
}

void handleEndTermination() {
  if (!g_state.terminationOpen) {
    diag::warning("MAL_PLACE", messageWord(MwEndTermination));
    return;
  }
  g_state.terminationOpen = false;
  g_state.nativeAnalysis = true;
}

// 4. SERVICE
void handleService(const std::string& rest) {
  implicitBegin();
  closeInitializationAndTermination();
  if (g_state.serviceOpen) {
    missing(MwEndService);
    handleEndService();
  }
  closeEnvironmentsAndDefinitions();
  const std::string name = normaliseName(rest);
  const Selection& sel = selection();
  if (!sel.services.empty() && !contains(sel.services, name)) setSuppressed(generator::SuppressService, true);
  if (!sel.exServices.empty() && sel.exTests.empty() && sel.exFamilies.empty() && contains(sel.exServices, name))
    setSuppressed(generator::SuppressService, true);
  if (!g_state.services.insert(name).second && name != "INCONNUE") diag::warning("NOMOPEDBL", name);
  g_state.serviceOpen = true;
  g_state.serviceInFalseBranch = suppressed(generator::SuppressCondition);
  g_state.serviceName = name;
  g_state.testsInService = 0;
  g_state.generatedTestsInService = 0;
  g_state.testsOfService.clear();
  generator::genService();
}

// 5. END SERVICE
void handleEndService() {
  if (!g_state.serviceOpen) {
    diag::warning("MAL_PLACE", messageWord(MwEndService));
    return;
  }
  if (g_state.testOpen) {
    missing(MwEndTest);
    endTestCommon(false);
  }
  closeEnvironmentsAndDefinitions();
  if (inFalseBranch(g_state.serviceInFalseBranch)) {
    // Neither empty nor generated: not there for this build.
  } else if (g_state.testsInService == 0) {
    diag::warning("OPER_VIDE", g_state.serviceName);
  } else if (!suppressed(generator::SuppressService) && g_state.generatedTestsInService == 0 &&
             !contains(selection().exServices, g_state.serviceName)) {
    diag::information("OPERXVIDE", g_state.serviceName);
  }
  generator::genEndService();
  g_state.testsOfService.clear();
  discardLevel(model::LevelService);
  g_state.nativeAnalysis = true;
  g_state.serviceOpen = false;
  setSuppressed(generator::SuppressService, false);
}

namespace {

// What may stand on either side of the loop word.
bool loopSeparator(char c) { return std::strchr(" \t\n(),[]", c) != nullptr && c != '\0'; }

// Finds the loop word as a whole word: after a separator, and followed by
// one or by the end. Returns its position or npos.
std::size_t findLoopWord(const std::string& text, const char* word) {
  const std::size_t n = std::char_traits<char>::length(word);
  for (std::size_t i = 1; i + n <= text.size(); ++i) {
    if (!loopSeparator(text[i - 1])) continue;
    bool same = true;
    for (std::size_t k = 0; k < n && same; ++k)
      same = std::toupper(static_cast<unsigned char>(text[i + k])) == word[k];
    if (!same) continue;
    if (i + n == text.size() || loopSeparator(text[i + n])) return i;
  }
  return std::string::npos;
}

bool g_testFromNextTest = false;

void openTest(const std::string& rest, const std::string& statement) {
  if (!g_state.serviceOpen) {
    missingError(MwService);
    handleService("INCONNUE");
  }
  if (g_state.testOpen) {
    missing(MwEndTest);
    endTestCommon(false);
  }
  closeEnvironmentsAndDefinitions();
  g_state.nativeAnalysis = false;
  resetTestVariables();

  const bool french = model::scriptLanguage() != model::LangEnglish;
  std::string nameText = rest;
  std::string loop;
  const std::size_t at = findLoopWord(rest, french ? "BOUCLE" : "LOOP");
  if (at != std::string::npos) {
    loop = trim(rest.substr(at + (french ? 6 : 4)));
    nameText = rest.substr(0, at);
    if (loop.empty()) diag::warning("INDBOUINC", statement);
  }
  std::string name = normaliseName(nameText);
  while (!name.empty() && name.back() == ' ') name.pop_back();

  const Selection& sel = selection();
  if (!sel.tests.empty() && !contains(sel.tests, name)) setSuppressed(generator::SuppressTest, true);
  if (!sel.exTests.empty() && contains(sel.exTests, name)) setSuppressed(generator::SuppressTest, true);
  else if (!sel.exServices.empty() && contains(sel.exServices, g_state.serviceName))
    setSuppressed(generator::SuppressTest, true);

  if (g_state.testsOfService.insert(name).second) g_state.allTests.push_back(name);
  else if (name != "INCONNU") diag::warning("NOMTSTDBL", name);

  g_state.testOpen = true;
  g_state.testName = name;
  g_state.loopExpression = loop;
  ++g_state.testNumber;
  ++g_state.testsInService;
  g_state.elementNumber = 0;
  g_state.testHadException = false;
  g_state.testInFalseBranch = suppressed(generator::SuppressCondition);
  if (!g_testFromNextTest) {
    std::string word, tail;
    splitWord(trim(rest), word, tail);
    g_state.phaseBase = word.empty() ? name : word;
    g_state.phaseNumber = 1;
  }
  g_state.familyStatementGiven = false;
  generator::genTest();
}

// Closes the open test (END TEST, NEXT_TEST and the implicit closings).
void endTestCommon(bool explicitStatement) {
  if (g_state.elementOpen) {
    missing(MwEndElement);
    handleEndElement();
  }
  if (g_state.familyOpen) {
    missing(MwEndFamily);
    handleEndFamily();
  }
  closeEnvironmentsAndDefinitions();
  if (!inFalseBranch(g_state.testInFalseBranch)) {
    if (!g_state.elementSeenInTest) diag::warning("BLOC_ABST", messageWord(MwElement));
    if (!g_state.testHasContent && !g_state.testHadException) diag::warning("TEST_VIDE", g_state.testName);
  }
  // Generated: no reason at all (selection, family, condition, simulation)
  // kept the test out of the harness.
  const bool generated = !generator::generationSuppressed();
  if (generated) {
    ++g_state.generatedTests;
    ++g_state.generatedTestsInService;
  }
  generator::genEndTest();
  discardLevel(model::LevelTest);
  g_state.familyGiven = false;
  g_state.elementSeenInTest = false;
  g_state.testHasContent = false;
  g_state.families.clear();
  g_state.familyText = "INCONNUE";
  setSuppressed(generator::SuppressTest, false);
  setSuppressed(generator::SuppressFamily, false);
  g_state.testOpen = false;
  if (explicitStatement) {
    g_state.phaseBase.clear();
    g_state.phaseNumber = 0;
  }
}

}  // namespace

// 6. TEST
void handleTest(const std::string& rest, const std::string& statement) {
  g_testFromNextTest = false;
  openTest(rest, statement);
}

// 7. NEXT_TEST
void handleNextTest(const std::string& rest) {
  std::string family;
  bool hadFamily = false;
  if (!g_state.phaseBase.empty()) {
    hadFamily = g_state.familyStatementGiven;
    family = g_state.familyText;
    if (g_state.testOpen) endTestCommon(false);
    ++g_state.phaseNumber;
  } else {
    missing(MwTest);
    g_state.phaseBase = "TEST";
    g_state.phaseNumber = 1;
  }
  const std::string argument =
      trim(g_state.phaseBase + "_PHASE_" + std::to_string(g_state.phaseNumber) + " " + rest);
  g_testFromNextTest = true;
  openTest(argument, argument);
  g_testFromNextTest = false;
  if (hadFamily) handleFamily(family);
}

// 8. END TEST
void handleEndTest() {
  if (!g_state.testOpen) {
    if (!g_state.serviceOpen) {
      diag::warning("MAL_PLACE", messageWord(MwEndTest));
    } else {
      missing(MwTest);
      diag::information("MAL_PLACE", messageWord(MwEndTest));
    }
    return;
  }
  endTestCommon(true);
}

// 9. FAMILY
void handleFamily(const std::string& rest) {
  if (!g_state.testOpen || g_state.elementOpen || g_state.familyOpen || g_state.familyGiven) {
    diag::warning("MAL_PLACE", messageWord(MwFamily));
    return;
  }
  closeEnvironmentsAndDefinitions();
  std::vector<std::string> names;
  std::size_t start = 0;
  while (start <= rest.size()) {
    std::size_t comma = rest.find(',', start);
    if (comma == std::string::npos) comma = rest.size();
    const std::string name = normaliseName(trim(rest.substr(start, comma - start)));
    if (!name.empty()) names.push_back(name);
    start = comma + 1;
  }
  for (const std::string& n : names) {
    g_state.families.push_back(n);
    if (g_state.familySet.insert(n).second) g_state.allFamilies.push_back(n);
  }
  const Selection& sel = selection();
  if (!sel.families.empty() &&
      std::none_of(names.begin(), names.end(), [&](const std::string& n) { return contains(sel.families, n); }))
    setSuppressed(generator::SuppressFamily, true);
  if (!sel.exFamilies.empty() &&
      std::all_of(names.begin(), names.end(), [&](const std::string& n) { return contains(sel.exFamilies, n); }))
    setSuppressed(generator::SuppressFamily, true);
  g_state.familyGiven = true;
  g_state.familyOpen = true;
  g_state.familyText = rest;
  g_state.familyStatementGiven = true;
  generator::genFamily();
}

// 10. END FAMILY
void handleEndFamily() {
  closeEnvironmentsAndDefinitions();
  if (!g_state.familyOpen || !g_state.testOpen || g_state.elementOpen) {
    diag::warning("MAL_PLACE", messageWord(MwEndFamily));
    return;
  }
  g_state.familyOpen = false;
}

// 11. ELEMENT
void handleElement() {
  if (!g_state.testOpen) {
    missingError(MwTest);
    handleTest("INCONNU", "INCONNU");
  }
  if (g_state.elementOpen) {
    missing(MwEndElement);
    handleEndElement();
  }
  closeEnvironmentsAndDefinitions();
  if (!g_state.familyGiven) {
    if (!inFalseBranch(g_state.testInFalseBranch)) diag::warning("BLOC_ABST", messageWord(MwFamily));
    g_state.familyGiven = true;
  }
  ++g_state.elementNumber;
  g_state.elementOpen = true;
  g_state.elementSeenInTest = true;
  g_state.testHasContent = true;
  g_state.elementVariables = 0;
  model::openElementStore();
  generator::genElement();
}

// 12. END ELEMENT
void handleEndElement() {
  closeEnvironmentsAndDefinitions();
  if (!g_state.elementOpen) {
    if (g_state.testOpen) {
      missing(MwElement);
      diag::information("MAL_PLACE", messageWord(MwEndElement));
    } else {
      diag::warning("MAL_PLACE", messageWord(MwEndElement));
    }
    return;
  }
  // The environments in use give their defaults first: an element whose
  // variables all come from them has variables to edit.
  applyEnvironments();
  const model::VariableStore* store = model::elementStore();
  const bool noVariable = g_state.elementVariables == 0 && (!store || store->empty());
  // An element that only expects an exception has nothing to edit but is
  // not empty: the exception is what it checks.
  const bool expectsException = store && !store->expectedException.empty();
  if (noVariable && !expectsException && !g_state.sequenceMode && !generator::generationSuppressed())
    diag::warning("ELMT_VIDE", std::to_string(g_state.elementNumber));
  if (expectsException) g_state.testHadException = true;
  generator::genEndElement();
  model::closeElementStore();
  discardLevel(model::LevelElement);
  g_state.elementOpen = false;
}

// 13. VAR, ARRAY, STR
void handleVariableStatement(int kind, const std::string& rest) {
  const bool array = kind == KArray || kind == KStructure;
  const bool structured = kind == KStructure;
  if (g_state.environmentOpen) {
    // The variables of an environment block give defaults to the elements.
    if (!generator::generationSuppressed()) environmentVariable(rest, array, structured);
    return;
  }
  bool wrapped = false;
  if (!g_state.elementOpen) {
    if (g_state.sequenceMode) {
      // Every variable is an element of its own; the element is implicit.
      if (!g_state.testOpen) {
        missingError(MwTest);
        handleTest("INCONNU", "INCONNU");
      }
      handleElement();
      wrapped = true;
    } else {
      if (g_state.testOpen) missing(MwElement);
      handleElement();
    }
  }
  // In a false IF branch the code the variable names may not exist: the
  // statement is kept but not analysed.
  if (suppressed(generator::SuppressCondition)) ++g_state.elementVariables;
  else if (handleVar(rest, array, structured)) ++g_state.elementVariables;
  g_state.testHasContent = true;
  if (wrapped) handleEndElement();
}

// 14. IF
void handleIf(const std::string& rest) {
  ConditionalFrame frame;
  const bool enclosingFalse = !g_state.conditionals.empty() && g_state.conditionals.back().conditionFalse;
  bool any = false;
  std::size_t start = 0;
  while (!any && start <= rest.size()) {
    std::size_t comma = rest.find(',', start);
    if (comma == std::string::npos) comma = rest.size();
    const std::string condition = trim(rest.substr(start, comma - start));
    if (!condition.empty()) any = conditionTrue(condition);
    start = comma + 1;
  }
  frame.ifBranchTrue = any;
  frame.conditionFalse = enclosingFalse || !any;
  g_state.conditionals.push_back(frame);
  setSuppressed(generator::SuppressCondition, frame.conditionFalse);
}

// 15. ELSE
void handleElse() {
  if (g_state.elseCount >= static_cast<int>(g_state.conditionals.size()) || g_state.conditionals.empty() ||
      g_state.conditionals.back().inElse) {
    diag::error("TROPSINON", "");
    return;
  }
  ConditionalFrame& top = g_state.conditionals.back();
  top.inElse = true;
  ++g_state.elseCount;
  const bool enclosingFalse =
      g_state.conditionals.size() > 1 && g_state.conditionals[g_state.conditionals.size() - 2].conditionFalse;
  top.conditionFalse = enclosingFalse || top.ifBranchTrue;
  setSuppressed(generator::SuppressCondition, top.conditionFalse);
}

// 16. END IF
void handleEndIf() {
  if (g_state.conditionals.empty()) {
    diag::warning("TROPFINSI", "");
    return;
  }
  if (g_state.conditionals.back().inElse) --g_state.elseCount;
  g_state.conditionals.pop_back();
  setSuppressed(generator::SuppressCondition,
                !g_state.conditionals.empty() && g_state.conditionals.back().conditionFalse);
}

// 17. SIMUL
void handleSimul() {
  if (g_state.simulOpen) {
    diag::warning("MOTDOUBLE", messageWord(MwSimul));
    return;
  }
  g_state.simulOpen = true;
  if (passArguments().dropSimulation) setSuppressed(generator::SuppressSimulation, true);
}

// 18. ELSE_SIMUL
void handleElseSimul() {
  if (!g_state.simulOpen) {
    missing(MwSimul);
    return;
  }
  if (g_state.elseSimulSeen) {
    diag::warning("MOTDOUBLE", messageWord(MwElseSimul));
    return;
  }
  g_state.elseSimulSeen = true;
  setSuppressed(generator::SuppressSimulation, !passArguments().dropSimulation);
}

// 19. END SIMUL
void handleEndSimul() {
  if (!g_state.simulOpen) {
    missing(MwSimul);
    return;
  }
  g_state.simulOpen = false;
  g_state.elseSimulSeen = false;
  setSuppressed(generator::SuppressSimulation, false);
}

// 20. SEQUENCE and END SEQUENCE
void handleSequence(bool on) { g_state.sequenceMode = on; }

// 21. COMMENT
void handleComment(const std::string& rest) {
  if (generator::generationSuppressed()) return;
  generator::genComment(rest);
}

// 22. EXCEPTION
void handleException(const std::string& rest) {
  if (generator::generationSuppressed()) return;
  const std::string exception = trim(rest);
  if (g_state.elementOpen) {
    model::VariableStore* store = model::elementStore();
    if (store && model::setExpectedException(*store, exception)) {
      g_state.testHadException = true;
      generator::genException(exception);
    }
  } else if (g_state.environmentOpen) {
    environmentException(exception);
  } else {
    missing(MwElement);
  }
}

// ENVIRONMENT, END ENVIRONMENT, USE
void handleEnvironmentStatement(const std::string& rest) {
  implicitBegin();
  if (g_state.initializationOpen || g_state.terminationOpen) closeInitializationAndTermination();
  if (g_state.environmentOpen) {
    missing(MwEndEnvironment);
    handleEndEnvironmentStatement();
  }
  // An exception the element expected before the block is forgotten: the
  // EXCEPTION statements that follow belong to the environment.
  if (g_state.elementOpen) {
    if (model::VariableStore* store = model::elementStore()) store->expectedException.clear();
    generator::clearException();
  }
  if (!generator::generationSuppressed()) {
    const output::SourceFrame* f = output::currentSource();
    defineEnvironment(rest, currentLevel(), f ? f->includeNumber : 0, f ? f->line : diag::currentLine());
  }
  g_state.environmentOpen = true;
}

void handleEndEnvironmentStatement() {
  if (!g_state.environmentOpen) {
    if (!generator::generationSuppressed()) missingError(MwEnvironment);
    return;
  }
  g_state.environmentOpen = false;
  endEnvironment();
}

void handleUseStatement(const std::string& rest) {
  implicitBegin();
  closeEnvironmentsAndDefinitions();
  if (g_state.segmentOpen || g_state.environmentOpen) {
    diag::error("UTILISERR", ": " + useName(rest));
    return;
  }
  if (!generator::generationSuppressed()) useEnvironment(rest, currentLevel());
}

// CONST
void handleConstStatement(const std::string& rest) {
  if (generator::generationSuppressed()) return;
  implicitBegin();
  defineConstant(rest, !g_state.services.empty());
}

// DEFINE STRUCTURE, FIELD
void handleDefineStructureStatement(const std::string& rest) {
  closeInitializationAndTermination();
  implicitBegin();
  closeEnvironmentsAndDefinitions();
  defineStructure(rest, currentLevel());
  g_state.defineOpen = true;
}

void handleFieldStatement(const std::string& rest) {
  if (!g_state.defineOpen) {
    diag::warning("MOTCLEABS", messageWord(MwDefineStructure));
    return;
  }
  structureField(rest);
}

// 24. DEFINE STUB
void handleDefineStubStatement(const std::string& rest) {
  closeInitializationAndTermination();
  implicitBegin();
  closeEnvironmentsAndDefinitions();
  if (g_state.serviceOpen) diag::warning("MUETSERVI", "");
  if (rest.empty()) {
    diag::warning("STXMETAIN", messageWord(MwDefineStub));
    return;
  }
  std::string name, capacity;
  const std::size_t blank = rest.find_first_of(" \t");
  name = rest.substr(0, blank);
  if (blank != std::string::npos) capacity = trim(rest.substr(blank));
  g_state.stubDefinitionOpen = true;
  defineStub(name, capacity);
}

// 23. END DEFINE
void handleEndDefine() {
  if (g_state.defineOpen) {
    g_state.defineOpen = false;
    endStructure();
    return;
  }
  if (g_state.stubDefinitionOpen) {
    g_state.stubDefinitionOpen = false;
    endStubDefinition(takeStubNativeCode());
    return;
  }
  missingError(MwDefine);
}

void handleSegment(bool open) { g_state.segmentOpen = open; }

// End of the script.
void endOfScript() {
  if (g_state.serviceOpen) {
    missing(MwEndService);
    handleEndService();
  }
  if (!g_state.conditionals.empty()) {
    missing(MwEndIf);
    g_state.conditionals.clear();
    g_state.elseCount = 0;
    setSuppressed(generator::SuppressCondition, false);
  }
  closeInitializationAndTermination();
  if (g_state.simulOpen) {
    missing(MwEndSimul);
    g_state.simulOpen = false;
    g_state.elseSimulSeen = false;
    setSuppressed(generator::SuppressSimulation, false);
  }
  closeEnvironmentsAndDefinitions();
  if (g_state.services.empty()) diag::error("PROG_VIDE", "");
  else if (g_state.generatedTests == 0) diag::error("PROGXVIDE", "");
  // Names of the selection and exclusion lists that the program never met.
  // Test names are only looked for when the services were not chosen by name
  // and the last service is not excluded (its tests were all read).
  const Selection& sel = selection();
  const auto reportUnmatched = [](const std::vector<std::string>& list, const auto& met, const char* code) {
    for (const std::string& name : list)
      if (std::find(met.begin(), met.end(), name) == met.end()) diag::warning(code, name);
  };
  reportUnmatched(sel.services, g_state.services, "OPER_INEX");
  reportUnmatched(sel.exServices, g_state.services, "OPER_INEX");
  if (sel.services.empty() && !contains(sel.exServices, g_state.serviceName)) {
    reportUnmatched(sel.tests, g_state.allTests, "TEST_INEX");
    reportUnmatched(sel.exTests, g_state.allTests, "TEST_INEX");
  }
  reportUnmatched(sel.families, g_state.allFamilies, "FAMI_INEX");
  reportUnmatched(sel.exFamilies, g_state.allFamilies, "FAMI_INEX");
}

}  // namespace zenta::script

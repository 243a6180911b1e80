#include "script/variables.h"

#include "analyser/interface.h"
#include "diag/report.h"
#include "generator/skeleton.h"
#include "model/access_path.h"
#include "model/store.h"
#include "model/script_language.h"
#include "output/sources.h"
#include "script/analyse.h"
#include "script/keywords.h"
#include "script/structure.h"
#include "script/var_checks.h"
#include "script/var_qualifiers.h"
#include "script/var_split.h"

namespace zenta::script {

namespace {

constexpr int kCppLanguage = 6;

// A variable text that is in fact a qualifier written without a variable:
// INIT, or the expected-value word of the script language, followed by `=`,
// a blank, `(` or `[`.
bool isQualifierWithoutVariable(const std::string& text) {
  const std::string evWord = model::scriptLanguage() == model::LangEnglish ? "EV" : "VA";
  return startsWithWord(text, "INIT", "=([") || startsWithWord(text, evWord, "=([");
}

bool isQualifierWord(const std::string& piece) {
  std::string word, rest;
  splitWord(piece, word, rest);
  return findQualifier(word) != nullptr;
}

// The store of the environment uses pushed at one level.
template <typename F>
void forEachUseStore(int level, F&& visit) {
  const int from = level == 0 ? 1 : model::useMark(level - 1) + 1;
  for (int p = model::useMark(level); p >= from; --p)
    if (const model::UseEntry* u = model::useAt(p); u != nullptr && u->definition != nullptr)
      if (visit(u->definition->store)) return;
}

}  // namespace

std::string declaredTypeOf(const std::string& variable) {
  model::AccessPath path;
  model::parseAccessPath(variable, model::LevelElement, path);
  const std::string root = path.rootText();
  if (root.empty()) return {};
  std::string found;
  bool done = false;
  auto look = [&](const model::VariableStore& store) {
    const model::VariableNode* n = model::findVariable(store, root);
    if (n == nullptr || !n->description) return false;
    found = n->description->declaredType;
    done = true;
    return true;
  };
  if (const model::VariableStore* store = model::elementStore(); store != nullptr && look(*store)) return found;
  for (int level = currentLevel(); level >= 0 && !done; --level) forEachUseStore(level, look);
  return found;
}

bool handleVar(const std::string& rest, bool array, bool structured, bool fromEnvironment) {
  model::VariableStore* store = model::elementStore();
  if (!store) return false;
  const int harnessLanguage = passArguments().harnessLanguage;
  const bool cpp = harnessLanguage == kCppLanguage;
  const int errorsBefore = diag::errorCount();

  // 1. The variable text.
  std::string variable, qualifiers;
  if (splitTopLevel(rest, variable, qualifiers) == SplitResult::Unbalanced) {
    diag::error("ERRPARENT", rest);
    diag::error("STXERRTYP", rest);
    return false;
  }
  variable = trim(variable);
  if (variable.empty() || isQualifierWithoutVariable(upper(variable))) {
    diag::error("VARNAMMSG", "");
    return false;
  }
  auto description = std::make_shared<model::VariableDescription>();
  model::VariableDescription& d = *description;
  d.statementKind = structured ? model::VariableStructured : array ? model::VariableArray : model::VariableScalar;
  // 2. Preprocessed with the C++ harness language.
  if (cpp) variable = analyser::preprocessScriptText(variable, diag::currentFile(), diag::currentLine());
  // An array named without bounds takes those of its declaration.
  analyser::VariablePeek type;
  if (analysisAllowed()) type = analyser::peekVariable(variable);
  if (array && type.array && variable.find('[') == std::string::npos) {
    variable = analyser::completeArrayBounds(variable);
    type = analyser::peekVariable(variable);
  }
  model::setBoundedText(d.variableText, variable);
  // Where the statement stands, for its description lines: the position its
  // messages carry.
  if (const output::SourceFrame* f = output::currentSource(); f != nullptr && f->line > 0) {
    d.fileNumber = f->includeNumber;
    d.scriptLine = f->line;
  }

  // 3. The declared type: a first piece that is not a qualifier.
  std::vector<std::string> pieces;
  splitList(qualifiers, pieces);
  std::size_t first = 0;
  if (!pieces.empty() && !pieces[0].empty() && !isQualifierWord(pieces[0])) {
    if (pieces[0].size() <= model::kMaxDeclaredType) d.declaredType = pieces[0];
    first = 1;
  } else {
    d.declaredType = declaredTypeOf(d.variableText);
  }

  // 4. The qualifiers, piece by piece.
  QualifierState state{d, harnessLanguage};
  for (std::size_t k = first; k < pieces.size(); ++k) {
    const std::string& piece = pieces[k];
    if (piece.empty()) continue;
    std::string word, text;
    splitWord(piece, word, text);
    const QualifierEntry* entry = findQualifier(word);
    if (entry == nullptr) {
      diag::error("INVMOTCLE", word.empty() ? piece : word);
      continue;
    }
    entry->handler(word, trim(text), state);
  }

  // 5. The checks, with the type the analyser gives.
  if (type.typed) {
    d.analyserFlags |= model::FlagTyped;
    if (!type.assignable) d.analyserFlags |= model::FlagNoInitNeeded;
    if (type.constant) d.analyserFlags |= model::FlagConstant;
  }
  checkConsistency(d, type);
  if (structured) checkStructured(d, type);
  checkLinkedLists(d);
  if (!fromEnvironment) checkOverload(d);
  if (diag::errorCount() - state.toleratedErrors != errorsBefore || !countTestLimits(d)) return false;

  // A variable that the analyser does not know but whose type the script
  // gives (one declared in the native code of a test, which is not
  // analysed) is generated from that type without asking further.
  const bool askAnalyser = analysisAllowed() && (type.typed || d.declaredType.empty());
  if (askAnalyser) {
    analyser::VariableValues values;
    if (d.initPresent && d.initForm == model::InitValue) values.init = d.initText;
    if (d.evKind == model::EvPlain) values.ev = d.evText;
    if (d.minPresent) values.min = d.minText;
    if (d.maxPresent) values.max = d.maxText;
    const analyser::TestedVariable tested = analyser::analyseTestedVariable(d.variableText, values);
    if (tested.type != nullptr) {
      model::recordTestedVariable(d, tested);
      if (!tested.tested) return false;  // "VARNOTEST": nothing to generate
      d.analyserFlags |= model::FlagTested;
    }
  }

  model::AccessPath path;
  model::parseAccessPath(d.variableText, model::LevelElement, path);
  // An environment's variable is placed among the element's variables of
  // the same array by its indexes (ARRINDENV for an index without bounds).
  model::insertVariable(*store, path, model::intern(model::LevelElement, rest), description, fromEnvironment);
  return true;
}

}  // namespace zenta::script

#include "diag/report.h"
#include "generator/skeleton.h"
#include "output/sources.h"
#include "script/analyse.h"
#include "script/includes.h"
#include "script/keywords.h"
#include "script/lists.h"
#include "script/reader.h"
#include "script/structure.h"
#include "script/stubs.h"

namespace zenta::script {
namespace {

// The second word of END, INCLUDE and DEFINE: its entry, or nullptr after
// "STXMETAIN" quoting the first keyword in the script language.
const SecondWordEntry* secondWord(SecondWordTable table, MessageWord first, const std::string& rest,
                                  std::string& tail) {
  std::string word;
  splitWord(rest, word, tail);
  tail = trim(tail);
  const SecondWordEntry* entry = findSecondWord(table, word);
  if (!entry || !languageCheck(entry->language)) {
    diag::warning("STXMETAIN", std::string(messageWord(first)) + " " + rest);
    return nullptr;
  }
  return entry;
}

void handleEnd(const std::string& rest) {
  std::string tail;
  const SecondWordEntry* entry = secondWord(EndWords, MwEnd, rest, tail);
  if (!entry) return;
  switch (entry->subKind) {
    case EndService: handleEndService(); break;
    case EndTest: handleEndTest(); break;
    case EndFamily: handleEndFamily(); break;
    case EndElement: handleEndElement(); break;
    case EndSimul: handleEndSimul(); break;
    case EndEnvironment: handleEndEnvironmentStatement(); break;
    case EndSegment: handleSegment(false); break;
    case EndFar: case EndNear: break;
    case EndDefine: handleEndDefine(); break;
    case EndIf: handleEndIf(); break;
    case EndInitialization: handleEndInitialization(); break;
    case EndTermination: handleEndTermination(); break;
    case EndSequence: handleSequence(false); break;
    default: diag::error("ERRINTFCT", "gene_fin "); break;
  }
}

void handleInclude(const std::string& rest) {
  std::string tail;
  const SecondWordEntry* entry = secondWord(IncludeWords, MwInclude, rest, tail);
  if (!entry) return;
  if (generator::generationSuppressed()) return;
  if (entry->subKind != IncludeSegment && tail.empty()) {
    const output::SourceFrame* frame = output::currentSource();
    diag::warning("INC_NVIDE", frame ? frame->path : diag::currentFile());
    return;
  }
  switch (entry->subKind) {
    case IncludeCode: includeCode(tail); break;
    case IncludePtu: includePtu(tail); break;
    default: diag::warning("STXMETAIN", messageWord(MwIncludeSegment)); break;
  }
}

void handleDefine(const std::string& rest) {
  std::string tail;
  const SecondWordEntry* entry = secondWord(DefineWords, MwDefine, rest, tail);
  if (!entry) return;
  if (entry->subKind == DefineStub) {
    if (!analysisAllowed()) {
      diag::warning("MOTCLEANA", messageWord(MwDefineStub));
      return;
    }
    handleDefineStubStatement(tail);
    return;
  }
  handleDefineStructureStatement(tail);
}

void route(const KeywordEntry& entry, const std::string& rest, const std::string& statement) {
  switch (entry.kind) {
    case KConst: handleConstStatement(rest); break;
    case KHeader: handleHeader(rest, statement); break;
    case KService: handleService(rest); break;
    case KEndService: handleEndService(); break;
    case KTest: handleTest(rest, statement); break;
    case KEndTest: handleEndTest(); break;
    case KFamily: handleFamily(rest); break;
    case KEndFamily: handleEndFamily(); break;
    case KElement: handleElement(); break;
    case KEndElement: handleEndElement(); break;
    case KVar: case KArray: case KStructure: handleVariableStatement(entry.kind, rest); break;
    case KRegister: break;
    case KSimul: handleSimul(); break;
    case KEndSimul: handleEndSimul(); break;
    case KElseSimul: handleElseSimul(); break;
    case KComment: handleComment(rest); break;
    case KEnvironment: handleEnvironmentStatement(rest); break;
    case KEndEnvironment: handleEndEnvironmentStatement(); break;
    case KUse: handleUseStatement(rest); break;
    case KSegment: handleSegment(true); break;
    case KEndSegment: handleSegment(false); break;
    case KBegin: handleBegin(); break;
    case KServiceType: generator::genServiceType(rest); break;
    case KEnd: handleEnd(rest); break;
    case KException: handleException(rest); break;
    case KInclude: handleInclude(rest); break;
    case KDefine: handleDefine(rest); break;
    case KField: handleFieldStatement(rest); break;
    case KIf: handleIf(rest); break;
    case KElse: handleElse(); break;
    case KEndIf: handleEndIf(); break;
    case KInitialization: handleInitialization(); break;
    case KTermination: handleTermination(); break;
    case KFormat: formatStatement(rest); break;
    case KStub: stubStatement(rest); break;
    case KNextTest: handleNextTest(rest); break;
    case KSequence: handleSequence(true); break;
    case KList: listStatement(rest); break;
    case KRequirement: generator::genRequirement(rest); break;
    // Statements of other harness languages and database testing: accepted.
    default: break;
  }
}

}  // namespace

void dispatchStatement(const std::string& text) {
  const std::string statement = trim(text);
  std::string word, rest;
  splitWord(statement, word, rest);
  rest = trim(rest);
  const KeywordEntry* entry = findKeyword(word);
  if (!entry || !languageCheck(entry->language)) {
    diag::warning("STXMETAIN", statement);
    return;
  }
  if (rest.empty()) {
    if (entry->argumentRequired) diag::error("STXVALEXP", statement);
    else if (entry->argumentExpected) diag::warning("STXVALEXP", statement);
  } else if (entry->kind != KComment && statement.back() == ';') {
    diag::warning("LIGNERRON", statement);
  }
  handOnNativeCode();
  if (rest.empty() && (entry->argumentRequired || entry->kind == KEnd || entry->kind == KInclude ||
                       entry->kind == KDefine || entry->kind == KHeader))
    return;
  if (entry->kind == KCoverage) {
    diag::warning("STXMETAIN", statement);
    return;
  }
  if ((entry->kind == KFormat || entry->kind == KStub) && !analysisAllowed()) {
    diag::warning("MOTCLEANA", entry->word);
    return;
  }
  route(*entry, rest, statement);
}

}  // namespace zenta::script

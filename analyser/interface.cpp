#include "analyser/interface.h"

#include "analyser/ast/context.h"
#include "analyser/ast/symbols.h"
#include "analyser/basic/dialect.h"
#include "analyser/lex/preprocessor.h"
#include "analyser/parse/decl_parser.h"
#include "cmdline/settings.h"
#include "diag/catalogue.h"
#include "diag/report.h"

namespace zenta::analyser {

namespace {
struct RunTables {
  AstContext context;
  SymbolTable symbols{context};
  DeclarationLog log;
  bool logging = false;
};

RunTables& runTables() {
  static RunTables tables;
  return tables;
}
}  // namespace

AstContext& analyserContext() { return runTables().context; }
SymbolTable& analyserSymbols() { return runTables().symbols; }

void analyserMessageHook(int severity, const char* code, const std::string& argument,
                         const std::string& file, int line) {
  // The position of an analysed header is shown with the message only; the
  // script's own position is put back afterwards.
  std::string savedFile = diag::currentFile();
  int savedLine = diag::currentLine();
  diag::reportAt(severity, code, argument, file, line);
  diag::setCurrentFile(savedFile);
  diag::setCurrentLine(savedLine);
}

namespace {
std::string translateAnalyserText(const char* context, const char* text) {
  return diag::translate(context, text);
}
}  // namespace

void startAnalyser() {
  const cmdline::Settings& s = cmdline::settings();
  if (!s.analysis) return;
  // The language name is "C++" or the name of a dialect ("C++17").
  Dialect d = Dialect::Classic;
  if (!dialectFromName(s.languageName, &d)) d = Dialect::Classic;
  startAnalyser(s.includeDirectories, s.definitions, s.standardDefinitions, d);
}

void startAnalyser(const std::vector<std::string>& includeDirs,
                   const std::vector<std::string>& defines, const std::string& stdDefineFile,
                   Dialect analysedDialect) {
  // The dialect holds for the whole analysis: preprocessor, lexers, parser.
  setDialect(analysedDialect);
  // Each analysis starts from empty tables.
  analyserSymbols().clear();
  runTables().log.clear();
  // #error and #warning lines are reported with their own text.
  if (!diag::catalogueText("WARNERR")) diag::registerMessage("WARNERR", "%1%2");
  setPreprocessorHook(analyserMessageHook);
  analyserContext().setMessageHook(analyserMessageHook);
  setTextTranslator(&translateAnalyserText);
  // Words registered by `#pragma zenta type_modifier` become type modifiers
  // of the type tables.
  analyserContext().setTypeModifierSource(&isPreprocessorTypeModifier);
  init_preprocessor(false, false, 0, defines, includeDirs, std::string(), preprocessorMacroTable(),
                    true);
  std::string output;
  preprocess_text("#define ZENTA 1\n", false, std::string(), 0, output, preprocessorMacroTable(),
                  analyserMessageHook);
  if (!stdDefineFile.empty()) {
    output.clear();
    preprocess_text("#include \"" + stdDefineFile + "\"", false, std::string(), 0, output,
                    preprocessorMacroTable(), analyserMessageHook);
    if (!output.empty()) analyseDeclarations(output);
  }
  output.clear();
  preprocess_text(
      "#ifndef STUBINACTIVE\n"
      "#define STUBINACTIVE \n"
      "#endif",
      false, std::string(), 0, output, preprocessorMacroTable(), analyserMessageHook);
}

bool analyserMacroDefined(const std::string& name) { return preprocessorMacroDefined(name); }

std::string preprocessNativeCode(const std::string& text, const std::string& file, int line, bool analyse) {
  std::string output;
  preprocess_text(text, false, file, line - 1, output, preprocessorMacroTable(), analyserMessageHook);
  if (analyse) analyseDeclarations(output);
  return output;
}

std::string preprocessScriptText(const std::string& text, const std::string& file, int line) {
  std::string output;
  preprocess_text(text, false, file, line - 1, output, preprocessorMacroTable(), analyserMessageHook);
  std::string result;
  std::size_t i = 0;
  while (i < output.size()) {
    std::size_t nl = output.find('\n', i);
    std::size_t end = nl == std::string::npos ? output.size() : nl;
    if (output.compare(i, 6, "#line ") != 0) {
      std::size_t b = output.find_first_not_of(" \t", i);
      std::size_t e = output.find_last_not_of(" \t", end == 0 ? 0 : end - 1);
      if (b < end && e != std::string::npos && e >= b) {
        if (!result.empty()) result += ' ';
        result.append(output, b, e - b + 1);
      }
    }
    i = end + 1;
  }
  return result;
}

void analyseDeclarations(const std::string& preprocessed) {
  if (preprocessed.empty()) return;
  RunTables& t = runTables();
  DeclarationRequest request;
  request.buffer = preprocessed;
  request.scope = t.symbols.currentScope();
  request.hook = analyserMessageHook;
  request.log = t.logging ? &t.log : nullptr;
  analyseDeclarations(t.context, t.symbols, request);
}

void keepDeclarationLog(bool keep) { runTables().logging = keep; }

const DeclarationLog& declarationLog() { return runTables().log; }

void closeAnalyser() { close_preprocessor(); }

const std::vector<std::string>& analysedFiles() { return preprocessorFilesRead(); }

}  // namespace zenta::analyser

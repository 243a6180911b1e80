// zentacpp: runs the analyser's preprocessor on a file or on standard input
// and prints the result on standard output.
//
//   zentacpp [-std=c++NN] [-I DIR]... [-D NAME[=VALUE]]... [-U NAME]...
//            [-std-define=FILE] [-P] [-analyse [-dump] [-expr TEXT]...] [FILE | -]
//
// It starts like the compiler's analyser: the dialect of -std (c++11, c++14,
// c++17, c++20, c++23, their gnu++ forms and the names of the standards
// before their year, such as c++1z; the classic language without it or with
// c++98), the include directories and definitions of the options, ZENTA, the
// standard-definitions file (the -std-define file, else the dialect's file
// under $ZNTTGT/ana when ZNTTGT is set: znus_c.def, znus_cxx17.def ...) and
// STUBINACTIVE. Messages are the compiler's message lines; the exit status is
// the compiler's (0 clean, 3 warnings, 5 errors, 7 fatal). -P leaves out the
// line markers.
//
// -analyse runs the declaration analysis on the preprocessed text instead of
// printing it: only messages are shown. -dump adds every recorded declaration
// on standard output, one per line (kind, qualified name, arity, image,
// tab-separated). Each -expr TEXT is then parsed and typed at file scope and
// printed as one line (tools/zentacpp/expr_lines.h).
#include <QCoreApplication>

#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <iterator>
#include <string>
#include <vector>

#include "analyser/interface.h"
#include "analyser/lex/preprocessor.h"
#include "diag/catalogue.h"
#include "diag/report.h"
#include "tools/zentacpp/expr_lines.h"

namespace {

bool readAll(std::FILE* f, std::string& text) {
  char chunk[65536];
  std::size_t got;
  while ((got = std::fread(chunk, 1, sizeof chunk, f)) > 0) text.append(chunk, got);
  return std::ferror(f) == 0;
}

void writeOutput(const std::string& out, bool markers) {
  if (markers) {
    std::fwrite(out.data(), 1, out.size(), stdout);
    return;
  }
  std::size_t i = 0;
  while (i < out.size()) {
    std::size_t nl = out.find('\n', i);
    std::size_t end = nl == std::string::npos ? out.size() : nl + 1;
    if (out.compare(i, 6, "#line ") != 0) std::fwrite(out.data() + i, 1, end - i, stdout);
    i = end;
  }
}

// The file of the target package with the standard definitions of a dialect.
std::string standardDefinitionsName(zenta::analyser::Dialect d) {
  using zenta::analyser::Dialect;
  switch (d) {
    case Dialect::Classic: break;
    case Dialect::Cxx11: return "znus_cxx11.def";
    case Dialect::Cxx14: return "znus_cxx14.def";
    case Dialect::Cxx17: return "znus_cxx17.def";
    case Dialect::Cxx20: return "znus_cxx20.def";
    case Dialect::Cxx23: return "znus_cxx23.def";
  }
  return "znus_c.def";
}

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  zenta::diag::installTranslations();
  zenta::diag::registerCatalogues();
  zenta::diag::installSupportHooks();
  zenta::diag::openListFile(std::string());  // messages on the standard error stream

  std::vector<std::string> includes, defines, undefines, expressions;
  std::string stdDefine, input;
  bool stdDefineGiven = false, markers = true, inputGiven = false;
  bool analyse = false, dump = false;
  zenta::analyser::Dialect dialect = zenta::analyser::Dialect::Classic;
  for (int i = 1; i < argc; ++i) {
    std::string a = argv[i];
    auto value = [&](std::size_t prefix) -> std::string {
      if (a.size() > prefix) return a.substr(prefix);
      if (i + 1 < argc) return argv[++i];
      zenta::diag::fatal("CMDERREUR", a);
    };
    if (a.rfind("-I", 0) == 0) includes.push_back(value(2));
    else if (a.rfind("-D", 0) == 0) defines.push_back(value(2));
    else if (a.rfind("-U", 0) == 0) undefines.push_back(value(2));
    else if (a.rfind("-std=", 0) == 0) {
      // gnu++NN is the same dialect as c++NN.
      std::string name = a.substr(5);
      if (name.rfind("gnu++", 0) == 0) name = "c++" + name.substr(5);
      if (!zenta::analyser::dialectFromName(name, &dialect) || name.rfind("c++", 0) != 0)
        zenta::diag::fatal("CMDERREUR", a);
    } else if (a.rfind("-std-define=", 0) == 0) {
      stdDefine = a.substr(12);
      stdDefineGiven = true;
    } else if (a == "-P") markers = false;
    else if (a == "-analyse") analyse = true;
    else if (a == "-dump") analyse = dump = true;
    else if (a == "-expr") expressions.push_back(value(5));
    else if (a == "-" || a.empty() || a[0] != '-') {
      if (inputGiven) zenta::diag::fatal("CMDERREUR", a);
      input = a;
      inputGiven = true;
    } else {
      zenta::diag::fatal("CMDERREUR", a);
    }
  }
  if (!stdDefineGiven) {
    if (const char* target = std::getenv("ZNTTGT"))
      stdDefine = std::string(target) + "/ana/" + standardDefinitionsName(dialect);
  }

  std::string text;
  std::string name;
  if (!inputGiven || input == "-") {
    if (!readAll(stdin, text)) zenta::diag::fatal("IMPOUVFIC", "<stdin>");
    name = "<stdin>";
  } else {
    std::FILE* f = std::fopen(input.c_str(), "rb");
    if (!f || !readAll(f, text)) zenta::diag::fatal("IMPOUVFIC", input);
    std::fclose(f);
    name = input;
  }

  zenta::analyser::startAnalyser(includes, defines, stdDefine, dialect);
  std::string out;
  for (const auto& u : undefines) {
    zenta::analyser::preprocess_text("#undef " + u, true, std::string(), 0, out,
                                     zenta::analyser::preprocessorMacroTable(),
                                     zenta::analyser::analyserMessageHook);
  }
  out.clear();
  zenta::analyser::preprocess_text(text, false, name, 0, out, zenta::analyser::preprocessorMacroTable(),
                                   zenta::analyser::analyserMessageHook);
  if (analyse) {
    zenta::analyser::keepDeclarationLog(dump);
    zenta::analyser::analyseDeclarations(out);
    if (dump) {
      const std::string listing = zenta::analyser::dumpDeclarations(zenta::analyser::declarationLog(),
                                                                    zenta::analyser::analyserSymbols());
      std::fwrite(listing.data(), 1, listing.size(), stdout);
    }
    zentacpp::printExpressionLines(expressions);
  } else {
    writeOutput(out, markers);
  }
  std::fflush(stdout);
  zenta::analyser::closeAnalyser();
  zenta::diag::endOfRun();
}

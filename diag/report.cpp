#include "diag/report.h"

#include <cstdio>
#include <cstdlib>

#include "diag/catalogue.h"
#include "support/report_hook.h"

namespace zenta::diag {
namespace {

struct State {
  int errors = 0;
  int warnings = 0;
  int errorLimit = 60;
  int warningLimit = 120;
  bool display = true;
  bool hidden = false;
  std::string lastCode;
  std::string lastFile;
  int lastLine = 0;
  bool haveLast = false;
  std::string file;
  int line = 0;
  std::string listName;
  FILE* list = nullptr;
  CleanupHook cleanup = nullptr;
};

State& state() {
  static State s;
  return s;
}

const char kLetters[] = "SFEWI";

char letterOf(int severity) { return (severity >= 0 && severity <= 4) ? kLetters[severity] : 'I'; }

std::string positionPrefix() {
  const State& s = state();
  if (!s.file.empty()) return "[" + s.file + ":" + std::to_string(s.line) + "] ";
  if (s.line != 0) return "[" + std::to_string(s.line) + "] ";
  return {};
}

void replaceFirst(std::string& text, const char* marker, const std::string& by) {
  auto at = text.find(marker);
  if (at != std::string::npos) text.replace(at, 2, by);
}

void writeLine(const std::string& line, bool show) {
  State& s = state();
  if (s.display && show) {
    std::fputs(line.c_str(), stderr);
  } else {
    s.hidden = true;
  }
  if (s.list) std::fputs(line.c_str(), s.list);
}

[[noreturn]] void terminate(int status) {
  closeListFile();
  std::fflush(stderr);
  std::fflush(stdout);
  std::exit(status);
}

}  // namespace

std::string formatLine(int severity, const char* code, const std::string& argument) {
  const std::string prefix = positionPrefix();
  const std::string c = code ? code : "";
  if (c == "FEADA95") return std::string("Quarto-") + letterOf(severity) + "-" + prefix + argument;
  std::string line = std::string("Quarto-") + letterOf(severity) + "-" + c + ",  ";
  if (const std::string* text = catalogueText(c)) {
    std::string body = *text;
    // The argument may itself contain "%1"; replace the prefix marker first.
    auto p1 = body.find("%1");
    if (p1 != std::string::npos) {
      body.replace(p1, 2, prefix);
      auto p2 = body.find("%2", p1 + prefix.size());
      if (p2 == std::string::npos) p2 = body.find("%2");
      if (p2 != std::string::npos) body.replace(p2, 2, argument);
    } else {
      replaceFirst(body, "%2", argument);
    }
    line += body;
  } else {
    line += prefix + " " + argument;
  }
  return line + "\n";
}

void report(int severity, const char* code, const std::string& argument) {
  State& s = state();
  if (severity == Severe || severity == Fatal) runExitCleanup();
  const bool repeat = s.haveLast && s.lastCode == code && s.lastFile == s.file && s.lastLine == s.line;
  s.haveLast = true;
  s.lastCode = code;
  s.lastFile = s.file;
  s.lastLine = s.line;
  bool show = true;
  if (severity == Error) {
    ++s.errors;
    if (s.errors > s.errorLimit || repeat) show = false;
  } else if (severity == Warning) {
    ++s.warnings;
    if (s.warnings > s.warningLimit || repeat) show = false;
  }
  writeLine(formatLine(severity, code, argument), show);
  if (severity == Severe) terminate(9);
  if (severity == Fatal) terminate(7);
}

void severe(const char* code, const std::string& argument) {
  report(Severe, code, argument);
  std::exit(9);
}
void fatal(const char* code, const std::string& argument) {
  report(Fatal, code, argument);
  std::exit(7);
}
void error(const char* code, const std::string& argument) { report(Error, code, argument); }
void warning(const char* code, const std::string& argument) { report(Warning, code, argument); }
void information(const char* code, const std::string& argument) { report(Information, code, argument); }

void reportAt(int severity, const char* code, const std::string& argument, const std::string& file,
              int line) {
  setCurrentFile(file);
  setCurrentLine(line);
  report(severity, code, argument);
}

void setCurrentFile(const std::string& name) { state().file = name.substr(0, 999); }
void setCurrentLine(int line) { state().line = line; }
const std::string& currentFile() { return state().file; }
int currentLine() { return state().line; }
int errorCount() { return state().errors; }
int warningCount() { return state().warnings; }
bool hiddenMessages() { return state().hidden; }

void setDisplayLimits(int errors, int warnings) {
  if (errors > 0) state().errorLimit = errors;
  if (warnings > 0) state().warningLimit = warnings;
}

void openListFile(const std::string& name) {
  State& s = state();
  s.listName = name;
  s.display = true;
  if (name.empty()) return;
  s.list = std::fopen(name.c_str(), "w");
  if (!s.list) fatal("FICERROPN", name);
}

const std::string& listFileName() { return state().listName; }
bool listFileOpen() { return state().list != nullptr; }

void writeToListFile(const std::string& text) {
  if (state().list) std::fputs(text.c_str(), state().list);
}

void writeToListFileWrapped(const std::string& text) {
  if (!state().list) return;
  std::size_t start = 0;
  while (start <= text.size()) {
    std::size_t nl = text.find('\n', start);
    std::string piece = text.substr(start, nl == std::string::npos ? std::string::npos : nl - start);
    do {
      std::string chunk = piece.substr(0, 80);
      writeToListFile(chunk + "\n");
      piece.erase(0, chunk.size());
    } while (!piece.empty());
    if (nl == std::string::npos) break;
    start = nl + 1;
    if (start == text.size()) break;
  }
}

void closeListFile() {
  State& s = state();
  if (!s.list) return;
  FILE* f = s.list;
  s.list = nullptr;
  if (std::fclose(f) != 0) {
    std::fprintf(stderr, "FATAL ERROR on '%s',\n Please contact your administrative.\n", "fclose");
    std::fflush(stderr);
    std::exit(7);
  }
}

void setExitCleanup(CleanupHook hook) { state().cleanup = hook; }

void runExitCleanup() {
  CleanupHook hook = state().cleanup;
  state().cleanup = nullptr;  // run once, even when the cleanup itself reports
  if (hook) hook();
}

void endOfRun() {
  runExitCleanup();
  State& s = state();
  const int e = s.errors;
  const int w = s.warnings;
  const char* code = "ENDNOENWR";
  int status = 0;
  if (e > 0) {
    code = w > 0 ? "ENDERRWAR" : "ENDERRNWR";
    status = 5;
  } else if (w > 0) {
    code = "ENDNOEWAR";
    status = 3;
  }
  if ((e > 0 || w > 0) && s.hidden) {
    std::string text = *catalogueText("MORERWALI");
    replaceFirst(text, "%1", s.listName);
    writeLine("Quarto-I-MORERWALI,  " + text + "\n", true);
  }
  std::string summary = catalogueText(code) ? *catalogueText(code) : std::string(code);
  replaceFirst(summary, "%1", e > 0 ? std::to_string(e) : std::string());
  replaceFirst(summary, "%2", w > 0 ? std::to_string(w) : std::string());
  const bool saveDisplay = s.display;
  s.display = true;
  writeLine(std::string("Quarto-I-") + code + ",  " + summary + "\n", true);
  s.display = saveDisplay;
  closeListFile();
  if (status == 0 && !s.listName.empty()) std::remove(s.listName.c_str());
  std::fflush(stderr);
  std::fflush(stdout);
  std::exit(status);
}

namespace {
void supportReporter(int severity, const char* code, const std::string& argument) {
  report(severity, code, argument);
}
std::string supportTranslator(const char* context, const char* text) { return translate(context, text); }
}  // namespace

void installSupportHooks() {
  support::setReportHook(&supportReporter);
  support::setTranslateHook(&supportTranslator);
}

void resetForTests() {
  closeListFile();
  State& s = state();
  CleanupHook keep = nullptr;
  s = State{};
  s.cleanup = keep;
}

}  // namespace zenta::diag

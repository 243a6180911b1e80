#include "diag/report.h"

#include <cstdio>
#include <cstdlib>

#include "diag/catalogue.h"
#include "support/report_hook.h"

namespace zenta::diag {
namespace {

constexpr int kDefaultErrorLimit = 60;
constexpr int kDefaultWarningLimit = 120;
constexpr std::size_t kFileNameBuffer = 1000;

// The statement being handled (see beginStatement in the header).
using Statement = StatementContext;

struct State {
  int errors = 0;
  int warnings = 0;
  int errorLimit = kDefaultErrorLimit;
  int warningLimit = kDefaultWarningLimit;
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
  MessageForm form = MessageForm::Classic;
  Statement statement;
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

// Replaces "%1" by first (when the text has it), then "%2" by second (when
// the text has it). A marker that the first value brings in is not touched.
std::string substitute(const std::string& text, const std::string& first, const std::string& second) {
  std::string body = text;
  std::size_t searchFrom = 0;
  const auto p1 = body.find("%1");
  if (p1 != std::string::npos) {
    body.replace(p1, 2, first);
    searchFrom = p1 + first.size();
  }
  auto p2 = body.find("%2", searchFrom);
  if (p2 == std::string::npos && p1 != std::string::npos) {
    p2 = body.find("%2");  // a "%2" before the first marker
    if (p2 != std::string::npos && p2 + 2 > p1) p2 = std::string::npos;
  }
  if (p2 != std::string::npos) body.replace(p2, 2, second);
  return body;
}

// The words of the IDE form, by severity: gcc's own, so that the matchers
// of editors and build tools recognise them.
const char* ideWord(int severity) {
  switch (severity) {
    case Severe:
    case Fatal: return "fatal error";
    case Error: return "error";
    case Warning: return "warning";
    default: return "note";
  }
}

// A message text on one line, without blanks at either end.
std::string oneLine(std::string text) {
  for (char& c : text)
    if (c == '\n' || c == '\r' || c == '\t') c = ' ';
  const std::size_t b = text.find_first_not_of(' ');
  if (b == std::string::npos) return {};
  return text.substr(b, text.find_last_not_of(' ') - b + 1);
}

// "file:line: ", "file: " or the program name when there is no file. While a
// statement is being handled, the positions that belong to it show its first
// line.
std::string idePosition() {
  const State& s = state();
  std::string file = s.file;
  int line = s.line;
  const Statement& st = s.statement;
  if (st.open) {
    const bool handledAt = st.handled && file == st.handledFile && line == st.handledLine;
    const bool inside = file == st.file && line >= st.first && line <= st.last;
    if (handledAt || inside) {
      file = st.file;
      line = st.first;
    }
  }
  if (file.empty()) return "zentaprepro: ";
  if (line > 0) return file + ":" + std::to_string(line) + ": ";
  return file + ": ";
}

std::string ideLine(const std::string& position, int severity, const std::string& text, const char* code) {
  std::string line = position + ideWord(severity) + ": " + oneLine(text);
  if (code && *code) line += std::string(" [") + code + "]";
  return line + "\n";
}

// Shows one message: the line of the chosen form on the standard error
// stream (when shown), the classic line in the list file.
void writeLine(const std::string& classic, const std::string& ide, bool show) {
  State& s = state();
  if (s.display && show) {
    const std::string& line = s.form == MessageForm::Ide ? ide : classic;
    std::fputs(line.c_str(), stderr);
  } else {
    s.hidden = true;
  }
  if (s.list) std::fputs(classic.c_str(), s.list);
}

void flushStreams() {
  std::fflush(stderr);
  std::fflush(stdout);
}

[[noreturn]] void terminate(int status) {
  closeListFile();
  flushStreams();
  std::exit(status);
}

// Records the identity of the message and counts it; returns whether it is
// to be shown on the standard error stream.
bool account(int severity, const char* code) {
  State& s = state();
  const bool repeat = s.haveLast && s.lastCode == code && s.lastFile == s.file && s.lastLine == s.line;
  s.haveLast = true;
  s.lastCode = code;
  s.lastFile = s.file;
  s.lastLine = s.line;
  if (severity == Error) {
    ++s.errors;
    return s.errors <= s.errorLimit && !repeat;
  }
  if (severity == Warning) {
    ++s.warnings;
    return s.warnings <= s.warningLimit && !repeat;
  }
  return true;
}

// The messages that this module issues itself fill "%1" and "%2" with their
// own two values instead of the position prefix and the argument.
std::string ownBody(const char* code, const std::string& first, const std::string& second) {
  const std::string* text = catalogueText(code);
  return text ? substitute(*text, first, second) : first + second;
}
std::string ownLine(int severity, const char* code, const std::string& first, const std::string& second) {
  return std::string("Quarto-") + letterOf(severity) + "-" + code + ",  " + ownBody(code, first, second) + "\n";
}
void writeOwnLine(int severity, const char* code, const std::string& first, const std::string& second) {
  writeLine(ownLine(severity, code, first, second),
            ideLine("zentaprepro: ", severity, ownBody(code, first, second), code), true);
}

}  // namespace

std::string formatLine(int severity, const char* code, const std::string& argument) {
  const std::string prefix = positionPrefix();
  const std::string c = code ? code : "";
  if (c == "FEADA95") return std::string("Quarto-") + letterOf(severity) + "-" + prefix + argument;
  std::string line = std::string("Quarto-") + letterOf(severity) + "-" + c + ",  ";
  if (const std::string* text = catalogueText(c)) {
    line += substitute(*text, prefix, argument);
  } else {
    line += prefix + " " + argument;
  }
  return line + "\n";
}

std::string formatIdeLine(int severity, const char* code, const std::string& argument) {
  const std::string c = code ? code : "";
  if (c == "FEADA95") return ideLine(idePosition(), severity, argument, nullptr);
  const std::string* text = catalogueText(c);
  return ideLine(idePosition(), severity, text ? substitute(*text, {}, argument) : argument, c.c_str());
}

void setMessageForm(MessageForm form) { state().form = form; }
MessageForm messageForm() { return state().form; }

void beginStatement(const std::string& file, int firstLine) {
  Statement& st = state().statement;
  st = Statement{};
  st.open = true;
  st.file = file.substr(0, kFileNameBuffer - 1);  // compared with the current file
  st.first = firstLine;
  st.last = firstLine;
}

void extendStatement(int line) {
  Statement& st = state().statement;
  if (st.open && line > st.last) st.last = line;
}

void statementHandledAt(const std::string& file, int line) {
  Statement& st = state().statement;
  if (!st.open) return;
  st.handled = true;
  st.handledFile = file.substr(0, kFileNameBuffer - 1);
  st.handledLine = line;
}

void endStatement() { state().statement = Statement{}; }
StatementContext statementContext() { return state().statement; }
void setStatementContext(const StatementContext& context) { state().statement = context; }

void report(int severity, const char* code, const std::string& argument) {
  if (!code) code = "";
  if (severity == Severe || severity == Fatal) runExitCleanup();
  const bool show = account(severity, code);
  writeLine(formatLine(severity, code, argument),
            state().form == MessageForm::Ide ? formatIdeLine(severity, code, argument) : std::string(), show);
  if (severity == Severe) terminate(9);
  if (severity == Fatal) terminate(7);
}

void severe(const char* code, const std::string& argument) {
  report(Severe, code, argument);
  std::exit(9);  // not reached
}
void fatal(const char* code, const std::string& argument) {
  report(Fatal, code, argument);
  std::exit(7);  // not reached
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

void setCurrentFile(const std::string& name) { state().file = name.substr(0, kFileNameBuffer - 1); }
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

int errorDisplayLimit() { return state().errorLimit; }
int warningDisplayLimit() { return state().warningLimit; }

void openListFile(const std::string& name) {
  State& s = state();
  if (s.list) closeListFile();
  s.listName = name;
  s.display = true;
  if (name.empty()) return;
  s.list = std::fopen(name.c_str(), "w");
  if (!s.list) {
    runExitCleanup();
    account(Fatal, "FICERROPN");
    writeOwnLine(Fatal, "FICERROPN", name, {});
    terminate(7);
  }
}

const std::string& listFileName() { return state().listName; }
bool listFileOpen() { return state().list != nullptr; }

void writeToListFile(const std::string& text) {
  if (state().list) std::fputs(text.c_str(), state().list);
}

void writeToListFileWrapped(const std::string& text) {
  if (!state().list) return;
  std::size_t start = 0;
  for (;;) {
    const std::size_t nl = text.find('\n', start);
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
    const std::string message =
        substitute(translate("Fatal Error (cstsyst)", "FATAL ERROR on '%1',\n Please contact your administrative."),
                   "fclose", {});
    std::fputs(message.c_str(), stderr);
    std::fputs("\n", stderr);
    flushStreams();
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
  // The closing lines are information messages: never counted, never
  // hidden by the display limits.
  s.display = true;
  if (status != 0 && s.hidden) {
    account(Information, "MORERWALI");
    writeOwnLine(Information, "MORERWALI", s.listName, {});
  }
  account(Information, code);
  writeOwnLine(Information, code, e > 0 ? std::to_string(e) : std::string(), w > 0 ? std::to_string(w) : std::string());
  closeListFile();
  if (status == 0 && !s.listName.empty()) std::remove(s.listName.c_str());
  flushStreams();
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
  state() = State{};
}

}  // namespace zenta::diag

// Message reporting: the formatting of message lines, the current position,
// counting with display limits, the list file and the end of the run.
//
// Every diagnostic of the program goes through these operations. The severity
// is chosen by the operation called; the text comes from the catalogue
// (diag/catalogue.h) by code. Texts are 8-bit strings.
#pragma once

#include <string>

namespace zenta::diag {

enum Severity { Severe = 0, Fatal = 1, Error = 2, Warning = 3, Information = 4 };

// Report operations. Severe and Fatal first run the exit cleanup (closing and
// deleting the work files), then write the line, close the list file, flush
// both standard streams and exit with status 9 or 7.
[[noreturn]] void severe(const char* code, const std::string& argument = {});
[[noreturn]] void fatal(const char* code, const std::string& argument = {});
void error(const char* code, const std::string& argument = {});
void warning(const char* code, const std::string& argument = {});
void information(const char* code, const std::string& argument = {});
// Severity as a number (0 S, 1 F, 2 E, 3 W, 4 I); file and line first become
// the current position. This is the analyser's message hook.
void reportAt(int severity, const char* code, const std::string& argument, const std::string& file,
              int line);
void report(int severity, const char* code, const std::string& argument);

// The line a report would produce, without side effects on counters (used by
// tests and by the analyser's message listing).
std::string formatLine(int severity, const char* code, const std::string& argument);

// The form of the lines shown on the standard error stream. Classic is
// "Quarto-<letter>-<code>,  [file:line] text"; Ide is the form that editors
// and build tools link, "file:line: severity: text [CODE]", with the
// severity words "error", "warning", "note" and "fatal error" (fatal and
// severe). The list file always receives the classic form.
enum class MessageForm { Classic, Ide };
void setMessageForm(MessageForm form);
MessageForm messageForm();

// The line a report would show in the IDE form, without side effects.
std::string formatIdeLine(int severity, const char* code, const std::string& argument);

// The statement being handled. The classic prefix shows the reader's
// position, which is already the line after a statement when the statement
// is handled; the IDE form shows the statement's own first line instead.
// beginStatement is called at the statement's first line, extendStatement
// at each continuation line, statementHandledAt when it is handed to its
// handler (with the position that the classic prefix then shows), and
// endStatement when the handler is done. While a statement is open, a
// message placed at the handled-at position or inside the statement's own
// lines is shown in the IDE form at the statement's file and first line.
void beginStatement(const std::string& file, int firstLine);
void extendStatement(int line);
void statementHandledAt(const std::string& file, int line);
void endStatement();

// The statement being handled as a value, saved and put back around the
// messages about another statement (the variable statements of an
// environment are analysed again where each element that uses it ends).
struct StatementContext {
  bool open = false;
  std::string file;
  int first = 0;
  int last = 0;
  bool handled = false;
  std::string handledFile;
  int handledLine = 0;
};
StatementContext statementContext();
void setStatementContext(const StatementContext& context);

// Current position shown in the message prefix.
void setCurrentFile(const std::string& name);
void setCurrentLine(int line);
const std::string& currentFile();
int currentLine();

int errorCount();
int warningCount();
bool hiddenMessages();

// Display limits of errors and warnings; a value not greater than zero keeps
// the current limit.
void setDisplayLimits(int errors, int warnings);
int errorDisplayLimit();
int warningDisplayLimit();

// The list file. OpenListFile switches the display on and, when the name is
// not empty, creates the file (failure: fatal "FICERROPN" naming it, exit 7).
// The header box is written separately (diag/list_header.h).
void openListFile(const std::string& name);
const std::string& listFileName();
bool listFileOpen();
void writeToListFile(const std::string& text);
// Cuts the text into lines of at most 80 characters, breaking also at each
// newline, each written with a final "\n".
void writeToListFileWrapped(const std::string& text);
void closeListFile();

// Cleanup run before every way out (severe, fatal, end of run, crash handler):
// closes and deletes the work files. Installed by the output module.
using CleanupHook = void (*)();
void setExitCleanup(CleanupHook hook);
void runExitCleanup();

// The end-of-run routine: summary line, list file closed (and deleted on a
// clean run), streams flushed, exit with 0, 3 or 5. Never returns.
[[noreturn]] void endOfRun();

// Installs this module as the reporter of the support library.
void installSupportHooks();

// Resets all reporting state (counters, position, list file, last message).
// For tests only.
void resetForTests();

}  // namespace zenta::diag

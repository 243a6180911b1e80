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

// The compiler's entry points into the C/C++ analyser.
#pragma once

#include <string>
#include <vector>

namespace zenta::analyser {

class AstContext;
class SymbolTable;

// The type tables and the symbol table of the run: made on first use, kept
// until the process ends. The declaration analysis fills them; the compiler
// reads them through this interface.
AstContext& analyserContext();
SymbolTable& analyserSymbols();

// Starts the analyser from the command-line settings: include directories and
// definitions of the options, the predefined ZENTA, the standard-definitions
// file and STUBINACTIVE. Does nothing when the analysis switch is off.
void startAnalyser();

// The same from plain lists (used by startAnalyser and by tools that have no
// command-line settings). An empty stdDefineFile feeds no include line.
void startAnalyser(const std::vector<std::string>& includeDirs,
                   const std::vector<std::string>& defines, const std::string& stdDefineFile);

// The compiler's message hook: maps an analyser diagnostic onto the
// reporting of the compiler (diag::reportAt).
void analyserMessageHook(int severity, const char* code, const std::string& argument,
                         const std::string& file, int line);

// True when `name` is a macro of the analysed code (IF conditions of the
// script).
bool analyserMacroDefined(const std::string& name);

// The one road of native code to the analyser: the script's native-code
// lines, its constants and the runtime header's include line. Runs `text`
// through the preprocessor as a buffer of `file` whose first line is the
// script line `line`, hands the result (line markers included) to the
// declaration analysis when `analyse` is set, and gives it back.
std::string preprocessNativeCode(const std::string& text, const std::string& file, int line,
                                 bool analyse = true);

// Runs a short script text (a variable name, an INIT or EV value) through
// the preprocessor at the given script position and gives back the expanded
// text alone: no line marker, blanks at either end removed, lines joined by
// blanks.
std::string preprocessScriptText(const std::string& text, const std::string& file, int line);

// Declaration analysis of preprocessed code (filled in by the declaration
// parser; does nothing until then).
void analyseDeclarations(const std::string& preprocessed);

// End of the analysis, once at the end of the run: reports the conditionals
// still open and clears the macro table.
void closeAnalyser();

}  // namespace zenta::analyser

// The C/C++ preprocessor of the analyser.
//
// It turns the headers that a test script names into one flat text for the
// declaration parser: it reads files, follows #include, keeps a macro table,
// evaluates conditionals, expands macros (with square-bracket parameter lists
// as an extension) and writes "#line N \"file\"" markers so that the parser
// can tell the file and line of every declaration. It never writes a file and
// never prints: every diagnostic goes through the message hook.
//
// All state is process-wide (macro table, include chain, conditional stack,
// pragma aliases, type modifiers, analysis switch) and lives for the run.
#pragma once

#include <string>
#include <vector>

#include "analyser/basic/message_hook.h"

namespace zenta::analyser {

// Diagnostics leave through the MessageHook, with the file and line of the
// innermost input frame that has a file name (empty and 0 when none has).

// The macro table. There is one per process; the handle exists so that the
// calls keep the shape the analyser front expects. A null handle means the
// process table too.
struct MacroTable;
MacroTable* preprocessorMacroTable();

// Installs the hook used from now on (init_preprocessor has no hook of its
// own; preprocess_text installs its argument). Without a hook diagnostics are
// dropped.
void setPreprocessorHook(MessageHook hook);

// Prepares the tables: clears the macro table; when useIncludeDirs is set,
// appends includeDirs, then $ZNUTGT/lib (else $ZNTTGT/lib), then /usr/include
// and /usr/local/include when ZNW_ADD_USR_INCLUDE is set; defines ZNT_WIN32,
// USE_ZNU and ZNT_CPLUSPLUS_LANGUAGE, and __cplusplus with the value of the
// dialect (analyser/basic/dialect.h) unless it is Classic; installs the
// special names (__LINE__,
// __FILE__, ..., __STDC__ unless traditional); applies each `defines` entry
// ("NAME" or "NAME=VALUE"); then, when `file` is not empty, preprocesses it as
// the main file (its output is dropped, its definitions stay).
void init_preprocessor(bool pedantic, bool traditional, int language,
                       const std::vector<std::string>& defines,
                       const std::vector<std::string>& includeDirs, const std::string& file,
                       MacroTable* macroTable, bool useIncludeDirs);

// Preprocesses `text` as a buffer named `fileName` whose first line is
// `line`, appending the result to `output` (which starts with a line marker).
// `force` ignores the analysis switch. `report` becomes the message hook.
// Returns the number of severity-2 messages raised during the call.
int preprocess_text(const std::string& text, bool force, const std::string& fileName, int line,
                    std::string& output, MacroTable* macroTable, MessageHook report);

// The closing operation, once at the end of the run: reports every
// conditional still open ("UNTERCOND"), removes every macro and empties the
// type modifier list.
void close_preprocessor();

// Back to the state before any set-up: macros, include chain, conditionals,
// pragma aliases, type modifiers, analysis switch and hook (tests, tools).
void resetPreprocessor();

// Whether a header whose content is one `#ifndef GUARD` ... `#endif` group is
// passed over without a scan when it is included again while GUARD is
// defined (on by default). The output is the same either way; the switch
// exists so that tests and benchmarks can compare the two.
void setPreprocessorGuardSkip(bool enabled);

// Queries for the rest of the analyser and the script.
bool preprocessorMacroDefined(const std::string& name);
bool preprocessorAnalysisOn();
// Names registered with `#pragma zenta type_modifier = NAME`, in order.
const std::vector<std::string>& preprocessorTypeModifiers();
bool isPreprocessorTypeModifier(const std::string& name);
// Directories of the include chain, in search order.
std::vector<std::string> preprocessorIncludeChain();
// Every file the preprocessor read since its last reset (the main file,
// headers, the standard-definitions file), each once, in the order first
// read, with the paths as they were opened.
const std::vector<std::string>& preprocessorFilesRead();

}  // namespace zenta::analyser

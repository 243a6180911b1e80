// The script reader: physical lines of the current source file and of the
// PTU files it includes, assembled into statements (continuations with '&',
// comment lines "--" inside statements, comments split off outside string
// and character literals), native-code lines ('#', '@', '!') collected for
// the analyser and written to the harness, and the dispatch of each
// statement to the handler of its keyword.
#pragma once

#include <string>
#include <string_view>

namespace zenta::script {

// Longest physical line and longest statement, in bytes with the terminator.
constexpr std::size_t kLineLimit = 20480;

// Splits a line at the first comment opener outside string and character
// literals. For the C++ harness an apostrophe opens a literal that runs to
// the next apostrophe; for language index 0 it only opens a literal of three
// characters ('x') or four ('\x'). Returns whether a comment was found.
bool splitComment(std::string_view line, std::string_view opener, int harnessLanguage, std::string& code,
                  std::string& comment);

// Reads and dispatches every statement of the current source file and its
// included PTU files (the reading loop), then the final pending statement.
// Ends the run with "AUCUNMETA" when no statement was dispatched.
void readScript();

// Dispatches one assembled statement: keyword look-up, language check,
// argument checks, native code hand-on, handler.
void dispatchStatement(const std::string& statement);

// Whether a statement is an include of another PTU file.
bool isIncludePtu(std::string_view statement);

// The native-code buffer: collected lines keep their distance in lines.
void collectNativeCode(const std::string& code, int line);
const std::string& collectedNativeCode();
// Hands the collected code to the preprocessor and the declaration analysis
// (before each statement); kept while a DEFINE STUB block is open.
void handOnNativeCode();
// The code collected in a DEFINE STUB block (the buffer is emptied).
std::string takeStubNativeCode();

// Whether an IF condition is true: with the C++ harness a macro that the
// preprocessor has defined (-DEFINE options, CONST statements, native code);
// for other harness languages a name of the -DEFINE list.
bool conditionTrue(const std::string& condition);

void resetReader();

}  // namespace zenta::script

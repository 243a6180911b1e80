// The test-description (tdc) file's basic writer: one operation appends a
// line, the results line number counter, and the suspension flag used by the
// second generation pass of a variable.
//
// The file itself is the output destination Description (output/files.h);
// the processing chain opens and closes it.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace zenta::output::tdc {

// Appends one line when the file is open and writing is not suspended.
void writeLine(std::string_view text);

// The results line number: the number the next numbered line will carry
// (starts at 1).
int current();
// Returns the current number and advances the counter by one.
int nextNumber();
// Sets the counter (for tests and for the restore of a suspended pass).
void setCurrent(int number);

// Writes a numbered line: tag, current number, " ", text; then advances the
// counter (also while suspended, so both passes count alike). Returns the
// number used.
int writeNumbered(char tag, std::string_view text);

// Suspension: begin saves the counter and stops writing; end restores the
// counter and resumes writing. Nested begin/end pairs are not supported; a
// begin while suspended keeps the first saved value.
void beginSuspension();
void endSuspension();
bool suspended();

// What the opening lines read.
struct OpeningInfo {
  std::string scriptFullPath;   // "E11 0 " + path
  std::string commandText;      // COMMAND override, else the canonical text
  std::string runDate;          // "H0 "
  std::string target;           // "E7 ", "indefinie" when none is known
  std::string version = "8.3.0.1.342.020";
  std::string languageName = "C++";
  int languageCompanion = 5;
  std::string scriptBase;       // "E6  "
  std::string sourceBase;       // "E4  " (the separate source file's base name)
};
// The nine opening lines in their order (no "\n").
std::vector<std::string> openingLines(const OpeningInfo& info);
// The "E5" code: the last three characters of the separate source file's
// base name when it is longer than three characters and its third- and
// second-last characters are digits; otherwise empty.
std::string sourceCode(const std::string& sourceBase);
// Writes the opening lines.
void writeOpeningLines(const OpeningInfo& info);

// Position line: tag, " ", file number, " ", line (e.g. "E17 0 12").
void writePosition(const char* tag, int fileNumber, int line);

// Counter back to 1, suspension off; for tests and a new run.
void resetDescription();

}  // namespace zenta::output::tdc

// The TSF file (TSF option): its opening lines and the quoting of its texts.
// The file is the output destination Tsf (output/files.h); the processing
// chain opens it with the header comment whose lines begin with "US ".
#pragma once

#include <string>
#include <vector>

namespace zenta::output::tsf {

// The text between double quotes, each double quote and backslash in it
// preceded by a backslash.
std::string quoted(const std::string& text);

// The lines written right after the header: the tracer database, the script
// source, its file name and the two parameter texts.
std::vector<std::string> openingLines(const std::string& scriptPath, const std::string& scriptFileName);
void writeOpeningLines(const std::string& scriptPath, const std::string& scriptFileName);

// Appends one line to the TSF file when it is open.
void writeLine(const std::string& text);

}  // namespace zenta::output::tsf

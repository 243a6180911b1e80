// The box written at the top of the list file, right after it is opened.
#pragma once

#include <string>
#include <vector>

namespace zenta::diag {

// The lines of the box, each without its final newline:
//   78 asterisks
//   "<title> <version>" framed
//   an empty framed line
//   "* COMMANDE : <command text>" (cut at 63 columns, further pieces under it)
//   "* FICHIER : <script name>"
//   "* DATE : <run date>"
//   an empty framed line
//   78 asterisks
// A framed line is padded with blanks to 77 characters and closed by "*";
// a line that already reaches 77 characters gets " *" instead.
std::vector<std::string> listHeaderLines(const std::string& commandText, const std::string& scriptName,
                                         const std::string& runDate);

// Writes the box to the list file through the 80-column writer (nothing when
// no list file is open).
void writeListHeader(const std::string& commandText, const std::string& scriptName, const std::string& runDate);

}  // namespace zenta::diag

// A fault of an input file, named by file and line, with a short code:
// unreadable or inconsistent input ends the run with status 2 and this
// message, in the usual "file:line: error: text [CODE]" form.
#pragma once

#include <string>

namespace zenta::report {

struct Problem {
  std::string file;
  long line = 0;  // 0: the file as a whole
  std::string code;
  std::string text;
};

inline std::string formatProblem(const Problem& p) {
  std::string out = p.file;
  if (p.line > 0) out += ":" + std::to_string(p.line);
  return out + ": error: " + p.text + " [" + p.code + "]";
}

// Input files are read whole; `false` with the problem set when the file
// cannot be opened (code IMPOUVFIC).
bool readFile(const std::string& path, std::string& text, Problem& problem);

}  // namespace zenta::report

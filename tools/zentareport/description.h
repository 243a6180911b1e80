// The test-description file as the report needs it: the numbered lines by
// number, the script files, and the services, tests and elements they
// describe, each with the position of its statement in the script.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "tools/zentareport/problem.h"

namespace zenta::report {

// Where a statement stands: the number of its file (0 the script, then the
// included files) and its line there.
struct Position {
  int file = -1;
  long line = 0;
};

struct DescribedLine {
  char tag = 0;
  long number = 0;
  std::string text;  // continuation lines ("&") joined
  Position position;  // from the position line before it, when it has one
  long fileLine = 0;  // its line in the description file
  int service = -1, test = -1, element = -1;  // what it belongs to
};

struct Element {
  std::string label;  // the element's number within its test, as written
  long number = 0;
  Position position;
  int test = -1;
};

struct Test {
  std::string name;
  std::string family;
  long number = 0;
  Position position;
  int service = -1;
  std::vector<int> elements;
};

struct Service {
  std::string name;
  long number = 0;
  Position position;
  std::vector<int> tests;
};

struct Description {
  std::string path;  // of the description file
  std::string script;  // the script's base name
  std::map<int, std::string> files;  // file number -> path
  std::vector<DescribedLine> lines;  // numbered lines; lines[k] has number k + 1
  std::vector<Service> services;
  std::vector<Test> tests;
  std::vector<Element> elements;

  // The numbered line with this number, or null.
  const DescribedLine* line(long number) const;
  // "path:line" of a position; the path as the description names it.
  std::string where(const Position& p) const;
};

// Reads the text of a description file; false with the problem set when a
// line has no known form or the numbering is broken.
bool readDescription(const std::string& text, const std::string& path, Description& out, Problem& problem);

// The parts of a variable line ("V"): the variable as written, and the
// expected part of the script ("VA=3", "VA IN (2) (4, 5)"), empty if none.
std::string variableText(const std::string& lineText);
std::string expectedText(const std::string& lineText);

}  // namespace zenta::report

// The results file that a harness writes through its runtime: one record a
// line, a keyword, then fields separated by one blank; texts are between
// double quotes with their quotes, backslashes and control characters
// escaped. The reader checks the form of every record; what the records
// mean is the join's (run.h).
#pragma once

#include <string>
#include <vector>

#include "tools/zentareport/problem.h"

namespace zenta::report {

struct Field {
  std::string text;  // unescaped
  bool quoted = false;
};

struct Record {
  std::string keyword;  // "OP", "TS", "CHECK", ...
  std::vector<Field> fields;  // after the keyword
  long fileLine = 0;

  // The leading number of most records (the description line number).
  long number() const;
  // The field at `k` as a number (0 when it is not one: the reader has
  // checked the fields that must be numbers).
  long numberAt(std::size_t k) const;
};

struct Results {
  std::string path;
  std::vector<Record> records;  // from the record after "ZRIO 1" to "END"
  long checks = 0, passed = 0, failed = 0;  // the totals of the END record
};

// Reads the text of a results file; false with the problem set when it is
// not a results file, a record is malformed, or the file stops before its
// END record.
bool readResults(const std::string& text, const std::string& path, Results& out, Problem& problem);

}  // namespace zenta::report

// One script's run: its description and its results joined. Every verdict
// of the results file is attached to the described line it names, and
// through it to its service, test and element; the passes of a test are
// the times the harness declared it (once, or once per repetition).
#pragma once

#include <string>
#include <vector>

#include "tools/zentareport/description.h"
#include "tools/zentareport/results.h"

namespace zenta::report {

enum class Verdict { Pass, Fail, NotRun };

// One verdict, or a value only recorded (`recorded`: no verdict).
struct Outcome {
  enum Kind { Check, Exception, ListItem, Structure } kind = Check;
  bool passed = false;
  bool recorded = false;  // a value recorded without a check
  bool error = false;  // an exception that nobody expected, rather than a failed check
  std::string what;  // the variable (with its index), the list, or the exception
  std::string obtained;  // for checks: the value obtained
  std::string expected;  // the value or the bounds expected
  std::string scriptText;  // the expected part as the script writes it
  Position position;  // of the statement in the script
  int element = -1;  // -1: the test (or the service) as a whole
  long resultsLine = 0;

  // One line: what, obtained and expected values.
  std::string message() const;
};

struct Pass {
  int test = -1;
  int index = 1;  // 1 for the first declaration of the test
  long long micros = 0;  // time of its elements' calls
  std::vector<Outcome> outcomes;
};

struct Run {
  Description description;
  std::string resultsPath;
  std::string timestamp;  // when the results file was written, ISO 8601 local time; may be empty
  std::vector<Pass> passes;
  std::vector<std::vector<int>> testPasses;  // per test, its passes in order
  std::vector<std::vector<Outcome>> serviceOutcomes;  // per service, exceptions that escaped it
  long checks = 0, passed = 0, failed = 0;  // verdicts of the results file

  int passCount(int test) const { return static_cast<int>(testPasses[static_cast<std::size_t>(test)].size()); }
  Verdict testVerdict(int test) const;
  Verdict elementVerdict(int element) const;
  Verdict serviceVerdict(int service) const;
};

// Joins a results file with its description; false with the problem set
// when a record names a line that is not described or describes something
// else, or when the END totals disagree with the verdicts.
bool joinRun(const Description& description, const Results& results, Run& out, Problem& problem);

// Totals over several runs.
struct Totals {
  long verdicts = 0, passed = 0, failed = 0;
  long tests = 0, testsPassed = 0, testsFailed = 0, testsNotRun = 0;
  long passes = 0;  // test passes run
  long services = 0;
};
Totals totalsOf(const std::vector<Run>& runs);

const char* verdictWord(Verdict v);  // "PASS", "FAIL", "NOT RUN"

}  // namespace zenta::report

// JUnit XML as CI servers read it: a test suite per service of each
// script, a test case per test pass, a failure (or an error, for an
// exception nobody expected) per failed verdict, a skipped test case per
// test that did not run.
#pragma once

#include <ostream>
#include <vector>

#include "tools/zentareport/run.h"

namespace zenta::report {

void writeJunit(std::ostream& out, const std::vector<Run>& runs);

}  // namespace zenta::report

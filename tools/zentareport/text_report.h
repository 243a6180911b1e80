// The readable report on standard output: per script its services, tests
// and elements with their verdicts, every failed verdict with the value
// obtained and the value expected and the script's file and line, then the
// totals. Colours (ANSI) only when asked.
#pragma once

#include <ostream>
#include <vector>

#include "tools/zentareport/run.h"

namespace zenta::report {

void writeText(std::ostream& out, const std::vector<Run>& runs, bool colour);

}  // namespace zenta::report

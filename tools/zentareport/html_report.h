// A standalone HTML page: a summary of the totals, then per script a table
// per service with a row per verdict, failed verdicts first. Inline style
// only; no script, no external resource.
#pragma once

#include <ostream>
#include <vector>

#include "tools/zentareport/run.h"

namespace zenta::report {

void writeHtml(std::ostream& out, const std::vector<Run>& runs);

}  // namespace zenta::report

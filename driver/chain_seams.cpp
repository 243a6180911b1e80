// Seams of the processing chain that the script front end fills: the
// analysis of the test script and the include processing of the separate
// source file. Until then a run writes the opening and closing parts only.
#include "driver/chain.h"

#include "script/analyse.h"

namespace zenta::driver {

void runScriptAnalysis() { script::analyseScript(script::passArgumentsFromSettings()); }

void processIncludeLine(const std::string&) {}

}  // namespace zenta::driver

// The processing chain: open the script and the outputs, write the opening
// description lines, analyse the script statement by statement, complete the
// harness, and close every file (deleting generated outputs after errors).
#pragma once

#include <string>

namespace zenta::driver {

void runProcessingChain();

// The statement-by-statement analysis of the test script (chain step 7),
// run with the script as the current source file, rewound to its start and
// with the message line set to -1. The script reader provides it.
void runScriptAnalysis();

// One line of the separate source file (SOURCE option) that begins with "#":
// handed to the include processing while the chain scans that file (step 4).
// The file is the current source file during the scan (output/sources.h).
void processIncludeLine(const std::string& line);

}  // namespace zenta::driver

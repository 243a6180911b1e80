// The dependency file of the run (option DEPFILE), written at the end of a
// run that kept its harness.
#pragma once

#include <string>
#include <vector>

namespace zenta::driver {

// The files the run read to write the harness, absolute and cleaned, each
// once: the test script, the files it included (PTU files, INCLUDE CODE
// files, the separate source file) and every file the analyser read.
std::vector<std::string> runDependencies();

// When a dependency file is asked for and no error was counted, writes the
// rule "<harness>: <dependencies>" to it; a file that cannot be written is
// the fatal "IMPOUVFIC" naming it.
void writeRunDependencies();

}  // namespace zenta::driver

// The entry point of the script front end: reads the test script (already
// open as the current source file) statement by statement and runs every
// statement's checks and generation handlers, then the end-of-script checks.
#pragma once

#include <string>
#include <vector>

namespace zenta::script {

// The command-line selections: names are compared upper-cased with runs of
// blanks made one blank.
struct Selection {
  std::vector<std::string> services;    // services to generate
  std::vector<std::string> exServices;  // services to exclude
  std::vector<std::string> tests;
  std::vector<std::string> exTests;
  std::vector<std::string> families;
  std::vector<std::string> exFamilies;
};

// What the processing chain passes down to every statement handler.
struct PassArguments {
  int harnessLanguage = 6;  // language index; 6 is C++
  Selection selection;
  bool dropSimulation = false;  // SIMUL parts are not generated, ELSE_SIMUL parts are
};

// The arguments from the run's settings (selection lists, NOSIMULATION).
PassArguments passArgumentsFromSettings();

// Analyses the current source file to its end (with the PTU files it
// includes). Fatal messages (LINETOLON, AUCUNMETA) end the run.
void analyseScript(const PassArguments& arguments);

// The arguments of the analysis in progress (defaults outside one).
const PassArguments& passArguments();

// Whether the harness language lets native code and FORMAT/STUB be analysed.
bool analysisAllowed();

// Puts the reader, the block state and the model back to their start; for
// tests and for a second analysis in one process.
void resetFrontEnd();

}  // namespace zenta::script

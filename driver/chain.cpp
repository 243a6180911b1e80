#include "driver/chain.h"

#include <string>

#include "cmdline/filenames.h"
#include "cmdline/settings.h"
#include "diag/report.h"
#include "diag/run_info.h"
#include "generator/skeleton.h"
#include "output/files.h"
#include "output/sources.h"
#include "output/tdc.h"
#include "output/tsf.h"

namespace zenta::driver {

namespace {

// Steps 1 to 3: the script, the outputs and the opening description lines.
bool openScriptAndOutputs() {
  const cmdline::Settings& s = cmdline::settings();
  const cmdline::FileNames& n = cmdline::names();

  output::OutputContext context;
  context.headerLanguage = diag::headerLanguage();
  context.commandText = s.commandText;
  context.runDate = diag::runDate();
  context.toolLog = s.toolLog;
  context.languageIndex = s.languageIndex;
  output::setOutputContext(context);
  output::installExitCleanup();

  // 1. The test script; opening the first source file names the work files.
  if (!output::openSource(n.scriptPath, output::F_PTU)) return false;

  // 2. The outputs, each with its header comment.
  const output::CommentDelimiters harness = output::commentDelimiters(s.languageIndex);
  output::openOutput(output::Harness, n.harnessPath, harness.start, harness.end);
  output::openOutput(output::Description, n.descriptionPath, "", "");
  output::openOutput(output::Intermediate, n.intermediatePath, harness.start, harness.end);
  if (s.constantsFileGiven && !s.constantsFile.empty()) {
    output::openOutput(output::Constants, s.constantsFile, harness.start, harness.end);
  }
  if (s.tsf && !n.tsfPath.empty()) {
    output::openOutput(output::Tsf, n.tsfPath, "US ", "");
    output::tsf::writeOpeningLines(n.scriptPath, n.scriptFileName);
  }
  output::setCurrentOutput(output::Harness);

  // 3. The opening lines of the test-description file.
  output::tdc::OpeningInfo info;
  info.scriptFullPath = output::fullPath(n.scriptPath);
  info.commandText = s.commandOverride.empty() ? s.commandText : s.commandOverride;
  info.runDate = diag::runDate();
  info.target = s.target;
  info.languageName = s.languageName;
  info.languageCompanion = s.languageCompanion;
  info.scriptBase = n.scriptBase;
  info.sourceBase = s.sourceFile.empty() ? std::string() : cmdline::splitPath(s.sourceFile).base;
  output::tdc::writeOpeningLines(info);
  return true;
}

// Step 4: the separate source file is opened on the stack and its include
// lines are processed; it stays open, parked, until the end of the chain.
bool scanSeparateSource() {
  const std::string& source = cmdline::settings().sourceFile;
  if (source.empty()) return true;
  if (!output::fileOperation(output::A_OUVRIR, output::F_SOURCE, source)) return false;
  std::string line;
  while (output::readSourceLine(line)) {
    if (!line.empty() && line[0] == '#') processIncludeLine(line);
  }
  output::parkSeparateSource();
  return true;
}

// The closing sequence: always run. Outputs that carry generated code are
// deleted when errors were counted (the TSF file is kept); the others are
// put in place together once all are closed. The list file is not touched
// here.
void closeEverything() {
  const bool drop = diag::errorCount() != 0;
  while (output::currentSource() != nullptr) output::closeCurrentSource();
  output::closeOutputs({
      {output::Intermediate, drop},
      {output::Constants, drop},
      {output::ClassDeclaration, drop},
      {output::Description, drop},
      {output::Tsf, false},
      {output::Harness, drop},
      {output::AlternateHarness, drop},
      {output::Segment, drop},
  });
  output::closeSeparateSource();
}

}  // namespace

void runProcessingChain() {
  if (openScriptAndOutputs() && scanSeparateSource()) {
    // 5. Back to the first line of the script.
    output::rewindCurrentSource();
    // 6. The generation state.
    generator::prepareGeneration();
    // 7. The analysis, statement by statement.
    diag::setCurrentLine(-1);
    runScriptAnalysis();
    // 8. The end of the program completes the harness.
    generator::genEndOfProgram();
  }
  closeEverything();
}

}  // namespace zenta::driver

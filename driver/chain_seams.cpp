// The parts of the processing chain that the script front end provides: the
// analysis of the test script and the include lines of the separate source
// file.
#include "driver/chain.h"

#include <cctype>

#include "analyser/interface.h"
#include "cmdline/settings.h"
#include "output/sources.h"
#include "script/analyse.h"

namespace zenta::driver {

void runScriptAnalysis() { script::analyseScript(script::passArgumentsFromSettings()); }

namespace {

// "#", blanks, then the word "include".
bool isIncludeDirective(const std::string& line) {
  std::size_t i = line.find_first_not_of(" \t");
  if (i == std::string::npos || line[i] != '#') return false;
  i = line.find_first_not_of(" \t", i + 1);
  if (i == std::string::npos || line.compare(i, 7, "include") != 0) return false;
  const std::size_t after = i + 7;
  return after == line.size() ||
         !(std::isalnum(static_cast<unsigned char>(line[after])) || line[after] == '_');
}

}  // namespace

// The declarations that the code under test includes become known to the
// analyser before the script names its variables. The line is run where it
// stands in the source file, so that a quoted name is looked for beside it.
void processIncludeLine(const std::string& line) {
  if (!cmdline::settings().analysis || !isIncludeDirective(line)) return;
  const output::SourceFrame* source = output::currentSource();
  if (!source) return;
  analyser::preprocessNativeCode(line, source->path, source->line);
}

}  // namespace zenta::driver

#include "script/includes.h"

#include <unistd.h>

#include "cmdline/settings.h"
#include "diag/report.h"
#include "generator/skeleton.h"
#include "output/sources.h"
#include "script/analyse.h"
#include "script/native_code.h"
#include "script/keywords.h"

namespace zenta::script {

std::string locateInclude(const std::string& name) {
  if (name.empty()) return {};
  if (::access(name.c_str(), R_OK) == 0) return name;
  for (const std::string& dir : cmdline::settings().includeDirectories) {
    std::string candidate = dir;
    if (!candidate.empty() && candidate.back() != '/') candidate += '/';
    candidate += name;
    if (::access(candidate.c_str(), R_OK) == 0) return candidate;
  }
  return {};
}

// The copy to the harness and the analysis of included code belong to the
// include processing; here only the file's existence is checked.
void includeCode(const std::string& name) {
  if (locateInclude(name).empty()) diag::error("FICINCINC", name);
}

bool includePtu(const std::string& name) {
  const std::string path = locateInclude(name);
  if (path.empty()) {
    diag::error("FICINCINC", name);
    return false;
  }
  return output::openSource(path, output::F_INC);
}

// The constant becomes a macro of the preprocessor for the rest of the
// script (IF conditions, native code, variables) and a #define of the
// harness. The checks of the statement (placement, name, value) belong to
// the constant handling.
void defineConstant(const std::string& rest) {
  const std::size_t eq = rest.find('=');
  if (eq == std::string::npos) return;
  const std::string name = trim(rest.substr(0, eq));
  const std::string value = trim(rest.substr(eq + 1));
  if (name.empty()) return;
  const std::string line = "#define " + name + " " + value;
  const std::string file = diag::currentFile();
  const int at = diag::currentLine();
  if (analysisAllowed()) preprocessNativeCode(line, file, at - 1);
  diag::setCurrentFile(file);
  diag::setCurrentLine(at);
  generator::genNativeLine(line);
}

void defineStructure(const std::string&, int) {}
void structureField(const std::string&) {}
void endStructure() {}
void discardStructures(int) {}

}  // namespace zenta::script

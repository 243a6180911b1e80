#include "script/includes.h"

#include <unistd.h>

#include "analyser/interface.h"
#include "cmdline/settings.h"
#include "diag/report.h"
#include "generator/skeleton.h"
#include "output/description.h"
#include "output/sources.h"
#include "script/analyse.h"
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

namespace {

// The "I" record of an include, written before the file is read: the name
// as written, the directory where it was found and the including file.
void recordInclude(const std::string& name, const std::string& path) {
  const std::size_t slash = path.rfind('/');
  std::string directory;
  if (slash != std::string::npos) directory = slash == 0 ? std::string("/") : path.substr(0, slash);
  const output::SourceFrame* including = output::currentSource();
  output::description::writeInclude(
      output::description::includeText(name, directory, including ? including->path : std::string()));
}

}  // namespace

bool includePtu(const std::string& name) {
  const std::string path = locateInclude(name);
  if (path.empty()) {
    diag::error("FICINCINC", name);
    return false;
  }
  recordInclude(name, path);
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
  if (analysisAllowed()) analyser::preprocessNativeCode(line, file, at, false);
  diag::setCurrentFile(file);
  diag::setCurrentLine(at);
  generator::genNativeLine(line);
}

void defineStructure(const std::string&, int) {}
void structureField(const std::string&) {}
void endStructure() {}
void discardStructures(int) {}

}  // namespace zenta::script

#include "script/includes.h"

#include <unistd.h>

#include <cctype>

#include "cmdline/settings.h"
#include "diag/report.h"
#include "output/sources.h"
#include "script/keywords.h"
#include "script/structure.h"

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

// The constant's name is remembered for IF conditions; the #define line for
// the preprocessor and the harness is written by the constant handling.
void defineConstant(const std::string& rest) {
  const std::size_t eq = rest.find('=');
  std::string name = trim(rest.substr(0, eq));
  std::size_t end = 0;
  while (end < name.size() && (std::isalnum(static_cast<unsigned char>(name[end])) || name[end] == '_')) ++end;
  name = name.substr(0, end);
  if (!name.empty()) blockState().constants.push_back(name);
}

void defineStructure(const std::string&, int) {}
void structureField(const std::string&) {}
void endStructure() {}
void discardStructures(int) {}

}  // namespace zenta::script

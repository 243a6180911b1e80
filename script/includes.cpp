#include "script/includes.h"

#include <unistd.h>

#include <fstream>
#include <vector>

#include "analyser/interface.h"
#include "cmdline/settings.h"
#include "diag/report.h"
#include "generator/skeleton.h"
#include "model/script_language.h"
#include "output/depfile.h"
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

// The file is copied line by line to the harness and, with the C++ harness,
// its declarations are analysed through an include line of the
// preprocessor, so that the statements after it can name them.
void includeCode(const std::string& name) {
  const std::string path = locateInclude(name);
  std::ifstream in(path.empty() ? std::string() : path, std::ios::binary);
  if (path.empty() || !in) {
    diag::error("FICINCINC", name);
    return;
  }
  recordInclude(name, path);
  output::noteDependency(path);
  const std::string file = diag::currentFile();
  const int at = diag::currentLine();
  std::string line;
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    generator::genNativeLine(line);
  }
  if (analysisAllowed()) {
    analyser::preprocessNativeCode("#include \"" + path + "\"", file, at, true);
    diag::setCurrentFile(file);
    diag::setCurrentLine(at);
  }
}

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
// harness. Constants belong to the program's head: after the first SERVICE
// they are refused.
void defineConstant(const std::string& rest, bool afterService) {
  if (afterService) {
    diag::error("FORWCONST", rest);
    return;
  }
  const std::size_t eq = rest.find('=');
  if (eq == std::string::npos) {
    diag::error("EGALABSEN", rest);
    diag::information("LIGNERRON", "CONST " + rest);
    return;
  }
  const std::string name = trim(rest.substr(0, eq));
  const std::string value = trim(rest.substr(eq + 1));
  const bool french = model::scriptLanguage() != model::LangEnglish;
  if (name.empty()) {
    diag::error("SYNTAXERO", french ? "NOM constante" : "Constant NAME");
    return;
  }
  if (value.empty()) {
    diag::error("SYNTAXERO", french ? "VALEUR constante" : "Constant VALUE");
    return;
  }
  if (!analysisAllowed()) return;
  const std::string line = "#define " + name + " " + value;
  const std::string file = diag::currentFile();
  const int at = diag::currentLine();
  analyser::preprocessNativeCode(line, file, at, false);
  diag::setCurrentFile(file);
  diag::setCurrentLine(at);
  generator::genNativeLine(line);
}

namespace {

struct Field {
  std::string name;
  std::string type;
};

struct StructureDefinition {
  std::string name;
  int level = 0;
  std::vector<Field> fields;
};

std::vector<StructureDefinition> g_structures;
StructureDefinition* g_openStructure = nullptr;

// Runs of blanks and tabs become one blank; none at either end.
std::string collapsed(const std::string& text) {
  std::string out;
  for (char c : text) {
    if (c == ' ' || c == '\t') {
      if (!out.empty() && out.back() != ' ') out += ' ';
    } else {
      out += c;
    }
  }
  if (!out.empty() && out.back() == ' ') out.pop_back();
  return out;
}

// The first '=' outside brackets, or npos.
std::size_t topLevelEqual(const std::string& text) {
  int depth = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (c == '(' || c == '[' || c == '{' || c == '<') ++depth;
    else if ((c == ')' || c == ']' || c == '}' || c == '>') && depth > 0) --depth;
    else if (c == '=' && depth == 0) return i;
  }
  return std::string::npos;
}

}  // namespace

void defineStructure(const std::string& rest, int level) {
  const std::string text = collapsed(rest);
  const std::size_t blank = text.find(' ');
  const std::string name = text.substr(0, blank);
  // The aggregate flag only means something to other harness languages.
  if (blank != std::string::npos) diag::warning("STXMETAIN", text.substr(blank + 1));
  g_openStructure = nullptr;
  if (name.empty()) diag::warning("STRUCTNOM", "");
  for (const StructureDefinition& s : g_structures) {
    if (!name.empty() && s.name == name) {
      diag::error("DUPSTRNAM", name);
      return;
    }
  }
  g_structures.push_back({name, level, {}});
  g_openStructure = &g_structures.back();
}

void structureField(const std::string& rest) {
  const std::size_t eq = topLevelEqual(rest);
  const std::string name = eq == std::string::npos ? std::string() : trim(rest.substr(0, eq));
  const std::string type = eq == std::string::npos ? std::string() : trim(rest.substr(eq + 1));
  if (name.empty() || type.empty()) {
    diag::error("STXERRTYP", rest);
    return;
  }
  if (!g_openStructure) return;
  for (const Field& f : g_openStructure->fields) {
    if (f.name == name) {
      diag::error("DUPNOMCHP", name);
      return;
    }
  }
  // A type name is what a cast can be made to.
  if (analysisAllowed() && !analyser::isOneExpression("(" + type + ")0")) {
    diag::error("TYPEINCON", type);
    return;
  }
  g_openStructure->fields.push_back({name, type});
}

void endStructure() {
  if (g_openStructure && g_openStructure->fields.empty()) diag::warning("BLSTRVIDE", g_openStructure->name);
  g_openStructure = nullptr;
}

void discardStructures(int level) {
  g_openStructure = nullptr;
  std::erase_if(g_structures, [level](const StructureDefinition& s) { return s.level >= level; });
}

}  // namespace zenta::script

#include "output/depfile.h"

#include <unistd.h>

#include <cstdio>

namespace zenta::output {

namespace {
std::vector<std::string>& noted() {
  static std::vector<std::string> files;
  return files;
}
}  // namespace

void noteDependency(const std::string& path) { noted().push_back(path); }
const std::vector<std::string>& notedDependencies() { return noted(); }
void clearNotedDependencies() { noted().clear(); }

std::string makeEscaped(const std::string& path) {
  std::string out;
  out.reserve(path.size() + 8);
  for (std::size_t i = 0; i < path.size(); ++i) {
    const char c = path[i];
    switch (c) {
      case ' ':
      case '\t':
        // Make reads "\\ " as a backslash then a separator: the backslashes
        // before a blank are doubled so that they stay in the name.
        for (std::size_t k = i; k > 0 && path[k - 1] == '\\'; --k) out += '\\';
        out += '\\';
        out += c;
        break;
      case '$':
        out += "$$";
        break;
      case '#':
        out += "\\#";
        break;
      default:
        out += c;
    }
  }
  return out;
}

std::string dependencyRule(const std::string& target, const std::vector<std::string>& dependencies) {
  std::string rule = makeEscaped(target) + ":";
  for (const std::string& d : dependencies) rule += " \\\n  " + makeEscaped(d);
  return rule + "\n";
}

bool writeDependencyFile(const std::string& path, const std::string& target,
                         const std::vector<std::string>& dependencies) {
  const std::string temporary = path + ".tmp" + std::to_string(::getpid());
  std::FILE* f = std::fopen(temporary.c_str(), "w");
  if (f == nullptr) return false;
  const std::string rule = dependencyRule(target, dependencies);
  const bool written = std::fwrite(rule.data(), 1, rule.size(), f) == rule.size();
  const bool closed = std::fclose(f) == 0;
  if (!written || !closed || std::rename(temporary.c_str(), path.c_str()) != 0) {
    std::remove(temporary.c_str());
    return false;
  }
  return true;
}

}  // namespace zenta::output

// The directories a host compiler searches for #include <...>, in its order,
// read from what it prints with -v (between "#include <...>" and "End of
// search list"). `compiler` is the command that preprocesses, language
// included: "gcc -E -x c", "g++ -E -x c++".
#pragma once

#include <cstdio>
#include <string>
#include <vector>

namespace testkit {

inline std::vector<std::string> hostDirectories(const std::string& compiler) {
  std::vector<std::string> dirs;
  FILE* p = popen((compiler + " -v /dev/null 2>&1 >/dev/null").c_str(), "r");
  if (!p) return dirs;
  char line[4096];
  bool in = false;
  while (std::fgets(line, sizeof line, p)) {
    const std::string l = line;
    if (l.rfind("#include <...>", 0) == 0) in = true;
    else if (l.rfind("End of search list", 0) == 0) in = false;
    else if (in) {
      const std::size_t b = l.find_first_not_of(' ');
      dirs.push_back(l.substr(b, l.find_last_not_of(" \n") + 1 - b));
    }
  }
  pclose(p);
  return dirs;
}

}  // namespace testkit

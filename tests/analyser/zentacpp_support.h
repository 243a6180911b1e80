// Runs the staged zentacpp tool as the compiler's analyser is set up: the
// staged target package (standard definitions, translations), no user
// include variables.
#pragma once

#include <sstream>
#include <string>
#include <vector>

#include "tests/testkit/process.h"

namespace zentacpptest {

inline testkit::EnvChanges stagedEnvironment() {
  return {{"QUARTODIR", testkit::stageDir()},
          {"ZNTTGT", testkit::stageDir()},
          {"ZNUTGT", std::nullopt},
          {"ZNW_ADD_USR_INCLUDE", std::nullopt},
          {"ZENTALAN", std::nullopt}};
}

inline testkit::Result zentacpp(std::vector<std::string> args, const std::string& input = {},
                                testkit::EnvChanges env = stagedEnvironment()) {
  args.insert(args.begin(), testkit::stageBin("zentacpp"));
  return testkit::run(args, env, {}, input);
}

// The message lines of a run (warnings, errors, fatal and severe errors).
inline std::vector<std::string> messageLines(const std::string& err) {
  std::vector<std::string> out;
  std::istringstream in(err);
  std::string line;
  while (std::getline(in, line)) {
    for (const char* tag : {"-W-", "-E-", "-F-", "-S-"}) {
      if (line.find(tag) != std::string::npos) {
        out.push_back(line);
        break;
      }
    }
  }
  return out;
}

// One line of `-analyse -expr`, cut at its tabs: image, class, word, C type
// and size; only the text and "-" for an expression that did not type.
inline std::vector<std::string> cutLine(const std::string& line) {
  std::vector<std::string> fields;
  std::size_t b = 0;
  for (;;) {
    std::size_t t = line.find('\t', b);
    fields.push_back(line.substr(b, t == std::string::npos ? std::string::npos : t - b));
    if (t == std::string::npos) return fields;
    b = t + 1;
  }
}

inline std::vector<std::string> outputLines(const std::string& out) {
  std::vector<std::string> lines;
  std::istringstream in(out);
  std::string line;
  while (std::getline(in, line)) lines.push_back(line);
  return lines;
}

}  // namespace zentacpptest

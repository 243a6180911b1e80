// The verdicts of a results file counted per variable line of the
// test-description file, keyed "TEST variable": what the end-to-end tests
// compare with tables worked out by hand.
#pragma once

#include <gtest/gtest.h>

#include <cctype>
#include <cstdio>
#include <map>
#include <regex>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "tests/testkit/process.h"

namespace e2e {

// Builds `sources` into `exe` by `compiler` with -std=c++17 -Wall -Wextra,
// the include folders and the further flags given; its diagnostics in `output`.
inline bool compileWithWarnings(const std::string& compiler, const std::vector<std::string>& sources,
                                const std::vector<std::string>& includes, const std::string& exe,
                                std::string& output, const std::vector<std::string>& flags = {}) {
  std::vector<std::string> argv = {"/usr/bin/" + compiler, "-std=c++17", "-Wall", "-Wextra"};
  for (const std::string& i : includes) argv.insert(argv.end(), {"-I", i});
  argv.insert(argv.end(), sources.begin(), sources.end());
  argv.insert(argv.end(), flags.begin(), flags.end());
  argv.insert(argv.end(), {"-o", exe});
  const testkit::Result r = testkit::run(argv);
  output = r.err;
  return r.status == 0;
}

// Builds the harness t.cc of `dir` with the module `moduleCpp` of `data`
// (none when empty) against the staged runtime header.
inline bool buildHarness(const testkit::ScratchDir& dir, const std::string& compiler, const std::string& data,
                         const std::string& moduleCpp, std::string& output) {
  std::remove(dir.file("t.rio").c_str());
  std::vector<std::string> sources = {dir.file("t.cc")};
  if (!moduleCpp.empty()) sources.push_back(data + "/" + moduleCpp);
  return compileWithWarnings(compiler, sources, {data, testkit::stageDir() + "/lib"}, dir.file("t.exe"),
                             output);
}

// Runs the built harness in `dir`; its results file (empty when none) in `results`.
inline testkit::Result runHarness(const testkit::ScratchDir& dir, std::string& results) {
  testkit::Result r = testkit::run({dir.file("t.exe")}, {{"ZENTA_RESULTS", {}}}, dir.path().string());
  results = dir.exists("t.rio") ? dir.read("t.rio") : std::string();
  return r;
}

// (PASS count, FAIL count) per "TEST variable".
using Verdicts = std::map<std::string, std::pair<int, int>>;

inline std::vector<std::string> lines(const std::string& text) {
  std::vector<std::string> out;
  std::istringstream in(text);
  for (std::string l; std::getline(in, l);) out.push_back(l);
  return out;
}

// The variable lines of a description file: number -> "TEST variable".
inline std::map<int, std::string> variableLines(const std::string& tdc) {
  std::map<int, std::string> keys;
  static const std::regex variable("^V([0-9]+) (\\S+(?: \\S+)*?) RA=.*$");
  std::string test;
  for (const std::string& l : lines(tdc)) {
    std::smatch m;
    if (l.size() > 1 && l[0] == 'T' && std::isdigit(static_cast<unsigned char>(l[1])))
      test = l.substr(l.find(' ') + 1);
    else if (std::regex_match(l, m, variable))
      keys[std::stoi(m[1])] = test + " " + m[2].str();
  }
  return keys;
}

// The number of the variable line "TEST variable"; -1 when there is none.
inline int variableLine(const std::string& tdc, const std::string& key) {
  for (const auto& [n, k] : variableLines(tdc))
    if (k == key) return n;
  return -1;
}

// With `everyLine`, variable lines that got no verdict are in the map too,
// at (0, 0). A check whose number is no variable line fails the test.
inline Verdicts verdictsPerVariableLine(const std::string& tdc, const std::string& results, bool everyLine) {
  const std::map<int, std::string> keys = variableLines(tdc);
  Verdicts out;
  if (everyLine)
    for (const auto& [n, key] : keys) out[key];
  static const std::regex check("^CHECK ([0-9]+) (PASS|FAIL|EDIT) .*$");
  for (const std::string& l : lines(results)) {
    std::smatch m;
    if (!std::regex_match(l, m, check)) continue;
    const auto key = keys.find(std::stoi(m[1]));
    if (key == keys.end()) {
      ADD_FAILURE() << "a check on no variable line: " << l;
      continue;
    }
    if (m[2] == "PASS") ++out[key->second].first;
    if (m[2] == "FAIL") ++out[key->second].second;
  }
  return out;
}

}  // namespace e2e

// The verdicts of a results file counted per variable line of the
// test-description file, keyed "TEST variable": what the end-to-end tests
// compare with tables worked out by hand.
#pragma once

#include <gtest/gtest.h>

#include <cctype>
#include <map>
#include <regex>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

namespace e2e {

// (PASS count, FAIL count) per "TEST variable".
using Verdicts = std::map<std::string, std::pair<int, int>>;

inline std::vector<std::string> lines(const std::string& text) {
  std::vector<std::string> out;
  std::istringstream in(text);
  for (std::string l; std::getline(in, l);) out.push_back(l);
  return out;
}

// With `everyLine`, variable lines that got no verdict are in the map too,
// at (0, 0). A check whose number is no variable line fails the test.
inline Verdicts verdictsPerVariableLine(const std::string& tdc, const std::string& results, bool everyLine) {
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

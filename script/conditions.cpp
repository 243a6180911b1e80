#include <algorithm>
#include <cctype>

#include "analyser/interface.h"
#include "cmdline/settings.h"
#include "script/analyse.h"
#include "script/reader.h"

namespace zenta::script {
namespace {

std::string upper(std::string s) {
  for (char& c : s) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return s;
}

// The name part of a -DEFINE entry ("NAME" or "NAME=VALUE").
std::string definedName(const std::string& entry) {
  const std::size_t eq = entry.find('=');
  std::string name = entry.substr(0, eq);
  while (!name.empty() && (name.back() == ' ' || name.back() == '\t')) name.pop_back();
  return name;
}

}  // namespace

bool conditionTrue(const std::string& condition) {
  const auto& definitions = cmdline::settings().definitions;
  if (passArguments().harnessLanguage == 6) return analyser::analyserMacroDefined(condition);
  const std::string name = upper(condition);
  return std::any_of(definitions.begin(), definitions.end(),
                     [&](const std::string& d) { return upper(definedName(d)) == name; });
}

}  // namespace zenta::script

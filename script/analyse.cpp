#include "script/analyse.h"

#include "cmdline/settings.h"
#include "generator/skeleton.h"
#include "model/store.h"
#include "script/environments.h"
#include "script/includes.h"
#include "script/reader.h"
#include "script/structure.h"

namespace zenta::script {
namespace {

PassArguments g_arguments;

// Selection names are compared as test and service names are recorded.
std::vector<std::string> normalised(const std::vector<std::string>& a, const std::vector<std::string>& b = {}) {
  std::vector<std::string> out;
  for (const auto* list : {&a, &b})
    for (const std::string& name : *list) {
      const std::string n = normaliseName(name);
      if (!n.empty()) out.push_back(n);
    }
  return out;
}

}  // namespace

PassArguments passArgumentsFromSettings() {
  const cmdline::Settings& s = cmdline::settings();
  PassArguments p;
  p.harnessLanguage = s.languageIndex;
  p.selection.services = normalised(s.operations, s.services);
  p.selection.exServices = normalised(s.exOperations, s.exServices);
  p.selection.tests = normalised(s.tests);
  p.selection.exTests = normalised(s.exTests);
  p.selection.families = normalised(s.families);
  p.selection.exFamilies = normalised(s.exFamilies);
  p.dropSimulation = s.noSimulation;
  return p;
}

const PassArguments& passArguments() { return g_arguments; }

bool analysisAllowed() { return g_arguments.harnessLanguage == 6; }

void resetFrontEnd() {
  resetReader();
  resetBlockState();
  forgetOpenEnvironment();
  discardStructures(0);
  model::resetModel();
  generator::resetSuppression();
}

void analyseScript(const PassArguments& arguments) {
  g_arguments = arguments;
  resetFrontEnd();
  readScript();
  endOfScript();
}

}  // namespace zenta::script

// A generation run driven through the handlers directly: outputs opened
// through the output API in a scratch folder, the handlers called as the
// script front end would call them, and the files read back.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "analyser/interface.h"
#include "cmdline/filenames.h"
#include "cmdline/settings.h"
#include "cmdline/target.h"
#include "diag/catalogue.h"
#include "diag/report.h"
#include "generator/frame.h"
#include "generator/skeleton.h"
#include "model/access_path.h"
#include "model/blocks.h"
#include "model/store.h"
#include "model/variable.h"
#include "output/description.h"
#include "output/files.h"
#include "output/sources.h"
#include "output/tdc.h"
#include "tests/e2e/verdicts.h"
#include "tests/testkit/process.h"

namespace zenta::generator::testing_support {

using e2e::lines;

inline int count(const std::string& text, const std::string& what) {
  int n = 0;
  for (std::size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + what.size())) ++n;
  return n;
}

// Index of the first line equal to `line` at or after `from`; -1 when absent.
inline int findLine(const std::vector<std::string>& ls, const std::string& line, int from = 0) {
  for (int i = from; i < static_cast<int>(ls.size()); ++i)
    if (ls[i] == line) return i;
  return -1;
}

// Expects `order` among `ls`, each line after the one before.
inline void expectInOrder(const std::vector<std::string>& ls, const std::vector<std::string>& order) {
  int at = -1;
  for (const std::string& l : order) {
    const int next = findLine(ls, l, at + 1);
    ASSERT_NE(next, -1) << "missing after line " << at << ": " << l;
    at = next;
  }
}

// The script front end's part, reduced to the block state: a block opens in
// the state before its handler runs and closes after, and an open block of
// the same or a deeper level is closed first (with INCONNUE and INCONNU for
// a missing service or test), as the front end does.
inline model::BlockState& scriptBlocks() {
  static model::BlockState state;
  return state;
}
inline void closeElement() {
  if (!scriptBlocks().elementOpen) return;
  genEndElement();
  scriptBlocks().elementOpen = false;
}
inline void closeTest() {
  model::BlockState& b = scriptBlocks();
  if (!b.testOpen) return;
  closeElement();
  genEndTest();
  b.testOpen = b.familyOpen = false;
  b.families.clear();
}
inline void closeService() {
  if (!scriptBlocks().serviceOpen) return;
  closeTest();
  genEndService();
  scriptBlocks().serviceOpen = false;
}
inline void openService(const std::string& name) {
  model::BlockState& b = scriptBlocks();
  closeService();
  b.serviceOpen = true;
  b.serviceName = name;
  b.services.insert(name);
  b.testsInService = 0;
  genService();
}
inline void openTest(const std::string& name, const std::string& loop) {
  model::BlockState& b = scriptBlocks();
  if (!b.serviceOpen) openService("INCONNUE");
  closeTest();
  b.testOpen = true;
  b.testName = name;
  b.loopExpression = loop;
  ++b.testsInService;
  b.elementNumber = 0;
  genTest();
}
inline void family(const std::vector<std::string>& names) {
  model::BlockState& b = scriptBlocks();
  b.families = names;
  b.allFamilies.insert(b.allFamilies.end(), names.begin(), names.end());
  b.familyOpen = true;
  genFamily();
}
inline void openElement() {
  model::BlockState& b = scriptBlocks();
  if (!b.testOpen) openTest("INCONNU", "");
  closeElement();
  ++b.elementNumber;
  b.elementOpen = true;
  genElement();
}

// Plays the handlers of a script written as steps: "begin", "service NAME",
// "test NAME" or "test NAME|LOOP", "family NAME", "element", "end test",
// "end service", "native CODE", "comment TEXT", "requirement TEXT",
// "type TEXT", "exception VALUE", and "hide" or "show" with "service",
// "test" or "code" for the exclusions and false conditions.
inline void play(const std::vector<std::string>& steps) {
  using Handler = std::function<void(const std::string&)>;
  const auto suppress = [](bool on) {
    return [on](const std::string& what) {
      setSuppressed(what == "service" ? SuppressService : what == "test" ? SuppressTest : SuppressCondition, on);
    };
  };
  const std::map<std::string, Handler> handlers = {
      {"begin", [](const std::string&) { genBegin(); }},
      {"element", [](const std::string&) { openElement(); }},
      {"end", [](const std::string& what) { what == "test" ? closeTest() : closeService(); }},
      {"service", [](const std::string& name) { openService(name); }},
      {"test",
       [](const std::string& r) {
         const std::size_t bar = r.find('|');
         openTest(r.substr(0, bar), bar == std::string::npos ? "" : r.substr(bar + 1));
       }},
      {"family", [](const std::string& name) { family({name}); }},
      {"native", [](const std::string& code) { genNativeLine(code); }},
      {"comment", [](const std::string& text) { genComment(text); }},
      {"requirement", [](const std::string& text) { genRequirement(text); }},
      {"type", [](const std::string& text) { genServiceType(text); }},
      {"exception", [](const std::string& value) { genException(value); }},
      {"hide", suppress(true)},
      {"show", suppress(false)},
  };
  for (const std::string& step : steps) {
    const std::size_t blank = step.find(' ');
    const auto handler = handlers.find(step.substr(0, blank));
    if (handler == handlers.end()) ADD_FAILURE() << "unknown step: " << step;
    else handler->second(blank == std::string::npos ? "" : step.substr(blank + 1));
  }
}

using Description = std::shared_ptr<model::VariableDescription>;

// A variable as the script front end leaves it, typed as a whole.
inline Description scalar(const std::string& text, int cls, const std::string& word, const std::string& cType,
                          int size, const std::string& init, const std::string& ev) {
  auto d = std::make_shared<model::VariableDescription>();
  d->variableText = text;
  d->typeClass = cls;
  d->classWord = word;
  d->cType = cType;
  d->typeSize = size;
  d->initText = init;
  d->initPresent = !init.empty();
  d->evText = ev;
  d->evPresent = !ev.empty();
  return d;
}

// One element of the open test: its variables, then its call lines.
inline void elementWith(const std::vector<Description>& variables, const std::vector<std::string>& call) {
  openElement();
  model::openElementStore();
  for (const Description& d : variables) {
    model::AccessPath path;
    model::parseAccessPath(d->variableText, model::LevelElement, path);
    model::insertVariable(*model::elementStore(), path, model::intern(model::LevelElement, d->variableText),
                          d, false);
  }
  for (const std::string& l : call) genNativeLine(l);
  closeElement();
  model::closeElementStore();
}

class GenerationTest : public ::testing::Test {
 protected:
  void SetUp() override {
    diag::resetForTests();
    diag::registerCatalogues();
    diag::installSupportHooks();
    cmdline::resetSettings();
    output::resetOutputsForTests();
    output::resetSourcesForTests();
    output::tdc::resetDescription();
    resetSuppression();
    model::resetModel();
    scriptBlocks() = model::BlockState();
    readBlockState(&scriptBlocks());
    // The runtime header's include line reaches the analyser, which finds
    // the header in the runtime's folder.
    analyser::startAnalyser({std::string(ZENTA_SOURCE_DIR) + "/target/lib"}, {}, "");
    cmdline::TargetConfiguration target;
    target.runtimeHeader = "\"TP.h\"";
    target.packageFound = true;
    cmdline::setTargetConfigurationForTests(target);
    cmdline::FileNames& n = cmdline::mutableNames();
    n = cmdline::FileNames();
    n.harnessDirectory = dir_.path().string() + "/";
    n.harnessBase = "h";
    n.harnessPath = dir_.file("h.cc");
    n.descriptionPath = dir_.file("h.tdc");
    n.resultsPath = dir_.file("h.rio");
  }
  void TearDown() override {
    analyser::closeAnalyser();
    readBlockState(nullptr);
    output::closeAndDeleteWorkFiles();
    output::resetOutputsForTests();
    output::resetSourcesForTests();
    model::resetModel();
    cmdline::resetSettings();
    diag::resetForTests();
  }

  // Runs prepareGeneration, the body (the handlers of a script) and the end
  // of the program, then reads the harness, the class declaration file and
  // the description file back.
  void generate(const std::function<void()>& body) {
    output::OutputContext context;
    output::setOutputContext(context);
    output::makeWorkFileNames(dir_.file("at"));
    output::openOutput(output::Harness, dir_.file("h.cc"), nullptr, nullptr);
    output::openOutput(output::Description, dir_.file("h.tdc"), nullptr, nullptr);
    output::setCurrentOutput(output::Harness);
    prepareGeneration();
    body();
    closeService();
    genEndOfProgram();
    output::closeOutput(output::ClassDeclaration, false);
    output::closeOutput(output::Description, false);
    output::closeOutput(output::Harness, false);
    harness = dir_.read("h.cc");
    classFile = dir_.read("h_zcls.h");
    tdc = dir_.read("h.tdc");
  }

  void generate(const std::vector<std::string>& steps) {
    generate([&] { play(steps); });
  }

  // A service of one test of one element whose native code is `code`.
  static void oneElement(const std::string& service, const std::string& test, const std::string& code) {
    openService(service);
    openTest(test, "");
    openElement();
    if (!code.empty()) genNativeLine(code);
    closeService();
  }
  // A program of the declarations, then service S, test T and one element
  // of the variables and call lines given.
  void generateElement(const std::vector<Description>& variables,
                       const std::vector<std::string>& declarations = {},
                       const std::vector<std::string>& call = {}) {
    generate([&] {
      genBegin();
      for (const std::string& l : declarations) genNativeLine(l);
      openService("S");
      openTest("T", "");
      elementWith(variables, call);
    });
  }

  // Compiles the harness against the runtime header; true when it compiles.
  // With `clean`, warnings are on (and the harness is sanitized when the
  // tests are); the compiler's output is kept in `compilerOutput`.
  bool compile(const std::string& compiler = "g++", bool clean = false) {
    std::vector<std::string> flags;
    if (!clean) flags.push_back("-w");
#ifdef __SANITIZE_ADDRESS__
    else
      flags = {"-fsanitize=address,undefined", "-fno-sanitize-recover=undefined"};
#endif
    return e2e::compileWithWarnings(compiler, {dir_.file("h.cc")},
                                    {std::string(ZENTA_SOURCE_DIR) + "/target/lib", dir_.path().string()},
                                    dir_.file("h.exe"), compilerOutput, flags);
  }
  // Runs the compiled harness; its results file is h.rio.
  testkit::Result runHarness() { return testkit::run({dir_.file("h.exe")}, {}, dir_.path().string()); }
  std::string results() { return dir_.read("h.rio"); }

  testkit::ScratchDir dir_;
  std::string harness, classFile, tdc, compilerOutput;
};

}  // namespace zenta::generator::testing_support

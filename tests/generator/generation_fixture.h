// A generation run driven through the handlers directly: outputs opened
// through the output API in a scratch folder, the handlers called as the
// script front end would call them, and the files read back.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <sstream>
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
#include "model/blocks.h"
#include "output/description.h"
#include "output/files.h"
#include "output/sources.h"
#include "output/tdc.h"
#include "tests/testkit/process.h"

namespace zenta::generator::testing_support {

inline std::vector<std::string> lines(const std::string& text) {
  std::vector<std::string> out;
  std::istringstream in(text);
  std::string l;
  while (std::getline(in, l)) out.push_back(l);
  return out;
}

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

  // A service of one test of one element whose native code is `code`.
  static void oneElement(const std::string& service, const std::string& test, const std::string& code) {
    openService(service);
    openTest(test, "");
    openElement();
    if (!code.empty()) genNativeLine(code);
    closeElement();
    closeTest();
    closeService();
  }

  // Compiles the harness against the runtime header with a compiler; true
  // when it compiles. The compiler's output is kept in `compilerOutput`.
  bool compile(const std::string& compiler = "g++") {
    const testkit::Result r =
        testkit::run({"/usr/bin/" + compiler, "-std=c++17", "-w", "-I", std::string(ZENTA_SOURCE_DIR) + "/target/lib",
                      "-I", dir_.path().string(), dir_.file("h.cc"), "-o", dir_.file("h.exe")});
    compilerOutput = r.err;
    return r.status == 0;
  }
  // Runs the compiled harness; its results file is h.rio.
  testkit::Result runHarness() { return testkit::run({dir_.file("h.exe")}, {}, dir_.path().string()); }
  std::string results() { return dir_.read("h.rio"); }

  testkit::ScratchDir dir_;
  std::string harness, classFile, tdc, compilerOutput;
};

}  // namespace zenta::generator::testing_support

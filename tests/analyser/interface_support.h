// Shared set-up of the tests of the compiler's interface to the analyser:
// the run's tables, the message catalogues, and the messages read from the
// standard error stream as the compiler reports them.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <regex>
#include <string>

#include "analyser/ast/symbols.h"
#include "analyser/basic/dialect.h"
#include "analyser/basic/target_widths.h"
#include "analyser/interface.h"
#include "diag/catalogue.h"
#include "diag/report.h"

namespace interfacetest {

using namespace zenta::analyser;
namespace diag = zenta::diag;

class InterfaceTest : public ::testing::Test {
 protected:
  void SetUp() override {
    diag::resetForTests();
    diag::registerCatalogues();
    diag::setCurrentFile("t.ptu");
    analyserSymbols().clear();
  }
  void TearDown() override {
    closeAnalyser();
    analyserSymbols().clear();
    setDialect(Dialect::Classic);
    resetTargetWidths();  // set by standard definitions
    diag::resetForTests();
  }

  // Starts the analyser in dialect `d` with the staged standard definitions
  // that configure the host's library as g++ does; false when they are
  // missing.
  static bool startWithStandardDefinitions(Dialect d) {
    const std::string defs = std::string(ZENTA_STAGE_DIR) + "/ana/" +
                             (d == Dialect::Classic ? std::string("znus_c") : "znus_cxx" + dialectName(d).substr(3)) +
                             ".def";
    if (!std::filesystem::exists(defs)) return false;
    startAnalyser({}, {}, defs, d);
    return true;
  }

  // Runs a request on a line of its own and gives the codes it reported.
  template <class F>
  std::string codesOf(F request) {
    diag::setCurrentLine(++line_);
    ::testing::internal::CaptureStderr();
    request();
    const std::string err = ::testing::internal::GetCapturedStderr();
    std::string out;
    static const std::regex code("Quarto-[SFEWI]-([A-Z_0-9]+),");
    for (auto it = std::sregex_iterator(err.begin(), err.end(), code); it != std::sregex_iterator(); ++it)
      out += (out.empty() ? "" : " ") + (*it)[1].str();
    return out;
  }

  // The components of a tested variable: "access:class", structures in
  // braces, arrays in brackets with their index variable and bounds.
  static std::string components(const TestedVariable& v) {
    std::string out;
    for (const TestedComponent& c : v.components) {
      static const char* const kMarks[] = {"", "{", "}", "[", "]"};
      out += (out.empty() ? "" : " ") + std::string(kMarks[static_cast<int>(c.kind)]);
      if (c.kind == ComponentKind::Element) out += c.access + ":" + std::to_string(c.typeClass.value);
      if (c.kind == ComponentKind::OpenArray) out += c.indexVariable + "=" + c.lower + ".." + c.upper;
    }
    return out;
  }

  // The class of a tested variable or expression of the script.
  static int classOf(const std::string& name) {
    return analyseTestedVariable(name, {"1", "1", "", ""}).typeClass.value;
  }

  int line_ = 0;
};

}  // namespace interfacetest

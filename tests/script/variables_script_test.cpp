// Variable statements inside whole scripts: the per-test limits and the
// variables met twice, which start again at every TEST; sequence mode; a
// false IF branch.
#include <gtest/gtest.h>

#include "var_support.h"

namespace {

std::string codes(const std::vector<scripttest::Message>& ms) {
  std::string s;
  for (const auto& m : ms) s += std::string(1, m.severity) + ":" + m.code + " ";
  return s;
}

// A script of one service whose tests hold the given bodies, each in one
// element.
std::string script(const std::vector<std::string>& tests) {
  std::string s = "HEADER m, 1, x\nBEGIN\n#int i, j;\nSERVICE s\n";
  int n = 0;
  for (const std::string& body : tests)
    s += "TEST t" + std::to_string(++n) + "\nFAMILY f\nELEMENT\n" + body + "END ELEMENT\nEND FAMILY\nEND TEST\n";
  return s + "END SERVICE\n";
}

// `count` VAR statements on distinct variables, each with the qualifiers.
std::string variables(int count, const std::string& qualifiers) {
  std::string s;
  for (int k = 1; k <= count; ++k) s += "VAR v" + std::to_string(k) + ", int, " + qualifiers + "\n";
  return s;
}

TEST(VariableScripts, DynamicInitialisationsPerTest) {
  EXPECT_EQ(codes(scripttest::analyse(script({variables(8, "INIT IN (1, 2), EV = 0")}))), "");
  // The ninth of a test: INIT IN and INIT FROM count together.
  const auto ms = scripttest::analyse(
      script({variables(5, "INIT IN (1, 2), EV = 0") + "VAR w1, int, INIT FROM 0 TO 4 STEP 1, EV = 0\n" +
              "VAR w2, int, INIT FROM 0 TO 4 NB_TIMES 2, EV = 0\nVAR w3, int, INIT FROM 0 TO 4 NB_RANDOM 2, EV = 0\n" +
              "VAR w4, int, INIT IN (1, 2), EV = 0\n"}));
  EXPECT_EQ(codes(ms), "E:NBINITDYN ");
  ASSERT_EQ(ms.size(), 1u);
  EXPECT_NE(ms[0].text.find("w4"), std::string::npos);
  // Counted again from the next TEST.
  EXPECT_EQ(codes(scripttest::analyse(script({variables(8, "INIT IN (1, 2), EV = 0"),
                                              variables(8, "INIT IN (1, 2), EV = 0")}))),
            "");
}

TEST(VariableScripts, EvInChecksPerTest) {
  EXPECT_EQ(codes(scripttest::analyse(script({variables(64, "INIT = 0, EV IN (1, 2)")}))), "");
  EXPECT_EQ(codes(scripttest::analyse(script({variables(65, "INIT = 0, EV IN (1, 2)")}))), "E:NBVAINOVE ");
  EXPECT_EQ(codes(scripttest::analyse(script({variables(40, "INIT = 0, EV IN (1, 2)"),
                                              variables(40, "INIT = 0, EV IN (1, 2)")}))),
            "");
}

TEST(VariableScripts, VariablesMetTwicePerTest) {
  // Two elements of one test.
  EXPECT_EQ(codes(scripttest::analyse(script({"VAR i, INIT = 1, EV = 1\nEND ELEMENT\nELEMENT\nVAR i, INIT = 2, EV = 2\n"}))),
            "W:NOMVARDBL ");
  // Two tests.
  EXPECT_EQ(codes(scripttest::analyse(script({"VAR i, INIT = 1, EV = 1\n", "VAR i, INIT = 2, EV = 2\n"}))), "");
}

TEST(VariableScripts, SequenceModeAndFalseBranches) {
  EXPECT_EQ(codes(scripttest::analyse("HEADER m, 1, x\nBEGIN\n#int i, j;\nSEQUENCE\nSERVICE s\nTEST t\nFAMILY f\n"
                                      "VAR i, INIT = 1, EV = 1\nVAR j, INIT = 1, EV = 1\nEND FAMILY\nEND TEST\n"
                                      "END SERVICE\n")),
            "");
  // A statement of a false branch is kept without being analysed.
  EXPECT_EQ(codes(scripttest::analyse(script({"IF NOT_DEFINED_HERE\nVAR nowhere, INIT (\nEND IF\n"}))), "");
  // The statement in the true branch is.
  EXPECT_EQ(codes(scripttest::analyse(script({"IF ZENTA\nVAR i, INIT = 1\nEND IF\n"}))), "E:VAMIMAABS W:ELMT_VIDE ");
}

TEST(VariableScripts, FrenchScript) {
  scripttest::Options o;
  o.language = zenta::model::LangFrench;
  EXPECT_EQ(codes(scripttest::analyse("ENTETE m, 1, x\nDEBUT\n#int i, j;\nSERVICE s\nTEST t\nFAMILLE f\nELEMENT\n"
                                      "VAR i, INIT DANS (1, 2), VA DANS (3, 4)\n"
                                      "VAR j, INIT DE 0 A 9 NB_VALEURS 2, VA = 0\n"
                                      "FIN ELEMENT\nFIN FAMILLE\nFIN TEST\nFIN SERVICE\n",
                                      o)),
            "");
}

}  // namespace

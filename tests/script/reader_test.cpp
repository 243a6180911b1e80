// The reader: comments, the script language, native code collection,
// statement texts, phases, and PTU includes.
#include <gtest/gtest.h>

#include "model/script_language.h"
#include "script/keywords.h"
#include "script/reader.h"
#include "script/structure.h"
#include "script_runner.h"

using namespace zenta;
using scripttest::analyse;
using scripttest::brief;
using scripttest::joined;

namespace {

TEST(SplitComment, RespectsStringAndCharacterLiterals) {
  struct Row {
    const char* line;
    int language;
    const char* code;
    bool found;
  } rows[] = {
      {"VAR x -- c", 6, "VAR x ", true},
      {"VAR s, INIT = \"a--b\" -- c", 6, "VAR s, INIT = \"a--b\" ", true},
      {"VAR s, INIT = \"a\\\"--b\"", 6, "VAR s, INIT = \"a\\\"--b\"", false},
      {"VAR c, INIT = '-' -- c", 6, "VAR c, INIT = '-' ", true},
      {"VAR c, INIT = 'a--b'", 6, "VAR c, INIT = 'a--b'", false},
      {"X 'a--b' -- c", 0, "X 'a", true},
      {"X '-' -- c", 0, "X '-' ", true},
      {"X \"unterminated -- no comment", 6, "X \"unterminated -- no comment", false},
      {"--all comment", 6, "", true},
  };
  for (const Row& r : rows) {
    std::string code, comment;
    EXPECT_EQ(script::splitComment(r.line, "--", r.language, code, comment), r.found) << r.line;
    EXPECT_EQ(code, r.code) << r.line;
  }
}

TEST(Language, EnglishScriptUnderFrenchSwitchesAndRefusesFrenchLater) {
  scripttest::Options o;
  o.language = model::LangFrench;
  const auto got = brief(analyse("HEADER m, 1, x\nBEGIN\nSERVICE s\nTEST t\nFAMILY f\nELEMENT\nVAR x, int, INIT = 1, EV = 1\n"
                                 "END ELEMENT\nFIN TEST\nEND SERVICE\n",
                                 o));
  EXPECT_EQ(joined(got), joined({"I:LANSWITCH:2", "W:STXMETAIN:10", "W:MOTCLEABS:10", "W:MOTCLEABS:10"}));
  EXPECT_EQ(model::scriptLanguage(), model::LangEnglish);
}

TEST(Language, FrenchScriptUnderEnglishSwitches) {
  const auto ms = analyse("ENTETE m, 1, x\nDEBUT\nSERVICE s\nTEST t\nFAMILLE f\nELEMENT\nVAR x, int, INIT = 1, EV = 1\n"
                          "FIN ELEMENT\nFIN FAMILLE\nFIN TEST\nFIN SERVICE\nEND SERVICE\n");
  EXPECT_EQ(joined(brief(ms)), joined({"I:LANSWITCH:2", "W:STXMETAIN:12"}));
  ASSERT_FALSE(ms.empty());
  EXPECT_NE(ms[0].text.find("it should be 'FR'"), std::string::npos);
  EXPECT_EQ(model::scriptLanguage(), model::LangFrench);
}

TEST(Language, MessagesQuoteKeywordsInTheScriptLanguage) {
  scripttest::Options o;
  o.language = model::LangFrench;
  const auto ms = analyse("ENTETE m, 1, x\nDEBUT\nSERVICE s\nTEST t\nFAMILLE f\nELEMENT\nVAR x, int, INIT = 1, EV = 1\n", o);
  ASSERT_EQ(ms.size(), 4u);
  EXPECT_NE(ms[0].text.find(" FIN SERVICE"), std::string::npos);
  EXPECT_NE(ms[1].text.find("FIN TEST"), std::string::npos);
  EXPECT_NE(ms[2].text.find("FIN ELEMENT"), std::string::npos);
  EXPECT_NE(ms[3].text.find("FIN FAMILLE"), std::string::npos);
}

TEST(Reader, StatementTextsInMessages) {
  const auto ms = analyse(
      "HEADER m, 1, x\nBEGIN\nFOO \"a--b\" 'c--d' -- gone\nBAR one\n&   two -- gone\n-- comment line\n& three\n"
      "\n\nSERVICE s\nTEST t\nFAMILY f\nELEMENT\nVAR x, int, INIT = 1, EV = 1\nEND ELEMENT\nEND FAMILY\nEND TEST\nEND SERVICE\n");
  ASSERT_EQ(ms.size(), 2u);
  EXPECT_EQ(ms[0].line, 4);
  EXPECT_NE(ms[0].text.find("FOO \"a--b\" 'c--d'"), std::string::npos) << ms[0].text;
  EXPECT_EQ(ms[0].text.find("gone"), std::string::npos);
  EXPECT_EQ(ms[1].line, 8);
  EXPECT_NE(ms[1].text.find("BAR one two three"), std::string::npos) << ms[1].text;
}

TEST(Reader, NativeCodeKeepsLineDistances) {
  script::resetReader();
  script::collectNativeCode("int a;", 5);
  script::collectNativeCode("int b;", 8);
  script::collectNativeCode("int c;", 9);
  EXPECT_EQ(script::collectedNativeCode(), "int a;\n\n\nint b;\nint c;");
  EXPECT_EQ(script::takeStubNativeCode(), "int a;\n\n\nint b;\nint c;");
  EXPECT_EQ(script::collectedNativeCode(), "");
}

TEST(Reader, NextTestNamesPhases) {
  analyse("HEADER m, 1, x\nBEGIN\nSERVICE s\nTEST t first\nFAMILY f\nELEMENT\nVAR x, int, INIT = 1, EV = 1\nEND ELEMENT\nNEXT_TEST\n"
          "ELEMENT\nVAR x, int, INIT = 1, EV = 1\nEND ELEMENT\nNEXT_TEST more\nELEMENT\nVAR x, int, INIT = 1, EV = 1\nEND ELEMENT\nEND FAMILY\nEND TEST\nNEXT_TEST\n"
          "ELEMENT\nVAR x, int, INIT = 1, EV = 1\nEND ELEMENT\nEND FAMILY\nEND TEST\nEND SERVICE\n");
  const auto& tests = script::blockState().allTests;
  EXPECT_EQ(joined(tests), joined({"T FIRST", "T_PHASE_2", "T_PHASE_3 MORE", "TEST_PHASE_1"}));
}

TEST(Reader, NextTestRepeatsTheFamily) {
  scripttest::Options o;
  o.selection.families = {"F"};
  const auto got = brief(analyse("HEADER m, 1, x\nBEGIN\nSERVICE s\nTEST t\nFAMILY f\nELEMENT\nVAR x, int, INIT = 1, EV = 1\n"
                                 "END ELEMENT\nNEXT_TEST\nELEMENT\nVAR x, int, INIT = 1, EV = 1\nEND ELEMENT\nEND FAMILY\nEND TEST\nEND SERVICE\n",
                                 o));
  // NEXT_TEST closes the family block as END TEST does; the second phase
  // keeps family F: no missing-family warning, no empty program.
  EXPECT_EQ(joined(got), "W:MOTCLEABS:10 ");
  EXPECT_EQ(script::blockState().generatedTests, 2);
}

TEST(Reader, SequenceModeElements) {
  analyse("HEADER m, 1, x\nBEGIN\nSEQUENCE\nSERVICE s\nTEST t\nFAMILY f\nVAR a, int, INIT = 1, EV = 1\nVAR b, int, INIT = 1, EV = 1\nEND TEST\nEND SERVICE\n");
  EXPECT_EQ(script::blockState().elementNumber, 2);
}

TEST(Include, PtuFileContinuesTheBlockStructure) {
  scripttest::writeFile("inc.ptu", "TEST t\nFAMILY f\nELEMENT\nVAR x, int, INIT = 1, EV = 1\nEND ELEMENT\nEND FAMILY\nEND TEST\nBOGUS\n");
  const std::string main = scripttest::writeFile(
      "main.ptu", "HEADER m, 1, x\nBEGIN\nSERVICE s\nINCLUDE PTU " + scripttest::scratchDir() +
                      "/inc.ptu\nOTHER\nEND SERVICE\n");
  const auto got = scripttest::analyseFile(main);
  ASSERT_EQ(got.size(), 2u) << joined(brief(got));
  EXPECT_EQ(got[0].code, "STXMETAIN");
  // The last statement of the included file ends with the including file's
  // next line, and carries that line.
  EXPECT_NE(got[0].text.find("main.ptu:5"), std::string::npos) << got[0].text;
  EXPECT_NE(got[0].text.find("BOGUS"), std::string::npos) << got[0].text;
  EXPECT_EQ(got[1].code, "STXMETAIN");
  EXPECT_NE(got[1].text.find("main.ptu:6"), std::string::npos) << got[1].text;
}

// A chain of 150 included files whose last includes the first again, and a
// script including itself: both refused, the rest read through.
TEST(Include, NestedChainsAndCyclesAreRefused) {
  const std::string dir = scripttest::scratchDir();
  const int depth = 150;
  for (int i = 0; i < depth; ++i)
    scripttest::writeFile("nest" + std::to_string(i) + ".ptu", "COMMENT level " + std::to_string(i) +
                                                                 "\nINCLUDE PTU " + dir + "/nest" +
                                                                 std::to_string((i + 1) % depth) + ".ptu\n");
  const std::string main = scripttest::writeFile(
      "nestmain.ptu", scripttest::program("INCLUDE PTU " + dir + "/nest0.ptu\nINCLUDE PTU " + dir + "/nestmain.ptu\n"));
  EXPECT_EQ(joined(brief(scripttest::analyseFile(main))), "W:LIGNTRAIT:2 W:LIGNTRAIT:5 ");
}
}  // namespace

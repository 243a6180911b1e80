// ENVIRONMENT and USE: the messages of small scripts, and the replacement of
// parameters by whole words.
#include <gtest/gtest.h>

#include "script/environments.h"
#include "script_runner.h"

using scripttest::analyse;
using scripttest::brief;
using scripttest::joined;

namespace {

struct Case {
  const char* name;
  std::string script;
  std::vector<std::string> expected;
  scripttest::Options options = {};
};

scripttest::Options french() {
  scripttest::Options o;
  o.language = zenta::model::LangFrench;
  return o;
}

scripttest::Options excluding(const std::string& test) {
  scripttest::Options o;
  o.selection.exTests = {test};
  return o;
}

// A program whose head holds `head`, whose test begins with `test` and whose
// one element holds `element`.
std::string program(const std::string& head, const std::string& test = "",
                    const std::string& element = "VAR x, int, INIT = 1, EV = 1\n") {
  return "HEADER m, 1, x\n##int x, y;\nBEGIN\n" + head + "SERVICE s\nTEST t\n" + test + "FAMILY f\nELEMENT\n" +
         element + "END ELEMENT\nEND FAMILY\nEND TEST\nEND SERVICE\n";
}

const std::string kEnv = "ENVIRONMENT e(p)\nVAR y, int, INIT = p, EV = p\nEND ENVIRONMENT\n";

std::vector<Case> cases() {
  return {
      {"environment used with its argument", program(kEnv + "USE e(3)\n"), {}},
      {"use of an undefined name", program("USE nosuch\n"), {"E:ENV_INCON:5"}},
      {"two arguments for one parameter", program(kEnv + "USE e(1, 2)\n"), {"E:NBPARADIF:8"}},
      {"arguments without parentheses", program(kEnv + "USE e 3\n"), {"E:UTIPARAME:8"}},
      {"parameter that is not an identifier",
       program("ENVIRONMENT f(1p)\nVAR y, INIT = 1, EV = 1\nEND ENVIRONMENT\n"), {"E:PARAMENVI:5"}},
      {"parameters without parentheses",
       program("ENVIRONMENT f p, q\nVAR y, INIT = 1, EV = 1\nEND ENVIRONMENT\n"), {"E:ENVPARAME:5"}},
      {"environment without variables", program("ENVIRONMENT f\nEND ENVIRONMENT\n"), {"W:BLENVVIDE:6"}},
      {"environment defined twice", program(kEnv + kEnv), {"E:DUPENVNAM:8"}},
      {"environment defined again in a test", program(kEnv, "ENVIRONMENT E\nVAR y, int, INIT = 1, EV = 1\nEND ENVIRONMENT\n"),
       {"E:DUPENVNAM:10"}},
      {"parameters of an environment defined twice still checked", program(kEnv + "ENVIRONMENT e p\nEND ENVIRONMENT\n"),
       {"E:DUPENVNAM:8", "E:ENVPARAME:8"}},
      {"use in a test left out of the run", program("", "USE nosuch\n"), {"I:OPERXVIDE:13", "E:PROGXVIDE:13"},
       excluding("T")},
      {"end of an environment never opened", program("END ENVIRONMENT\n"), {"E:MOTCLEABS:5"}},
      {"use inside a test", program(kEnv, "USE e(2)\n"), {}},
      {"use of a test's environment after its test",
       "HEADER m, 1, x\n##int x, y;\nBEGIN\nSERVICE s\nTEST t\n" + kEnv +
           "USE e(1)\nFAMILY f\nELEMENT\nVAR x, int, INIT = 1, EV = 1\nEND ELEMENT\nEND FAMILY\nEND TEST\n"
           "TEST u\nUSE e(1)\nFAMILY f\nELEMENT\nVAR x, int, INIT = 1, EV = 1\nEND ELEMENT\nEND FAMILY\nEND TEST\n"
           "END SERVICE\n",
       {"E:ENV_INCON:18"}},
      {"environment of an element ends with it",
       program("", "", "ENVIRONMENT g\nVAR y, int, INIT = 1, EV = 1\nEND ENVIRONMENT\nUSE g\nVAR x, int, INIT = 1, EV = 1\n"
               "END ELEMENT\nELEMENT\nUSE g\nVAR y, int, INIT = 2, EV = 2\n"),
       {"E:ENV_INCON:16"}},
      {"array of an environment used with other indexes by the element",
       program("ENVIRONMENT a\nARRAY t[0..1], int, INIT = 0, EV = 0\nVAR u[1], int, INIT = 0, EV = 0\nEND ENVIRONMENT\n"
               "USE a\n",
               "", "VAR t[1], int, INIT = 1, EV = 1\nVAR u[1], int, INIT = 1, EV = 1\nVAR w[0], int, INIT = 1, EV = 1\n"),
       {"W:INDTABDIF:6"}},
      // Messages about an environment's variable point at its statement.
      {"environment variable without expected value",
       program("ENVIRONMENT f\nVAR y, int, INIT = 1\nEND ENVIRONMENT\nUSE f\n"), {"E:VAMIMAABS:6"}},
      {"element's array index overloaded by an environment's index without bounds",
       program("ENVIRONMENT a\nVAR t[k], int, INIT = 0, EV = 0\nEND ENVIRONMENT\nUSE a\n", "",
               "VAR t[1], int, INIT = 1, EV = 1\n"),
       {"W:INDTABDIF:6", "W:ARRINDENV:6"}},
      {"environment's index without bounds beside another environment's",
       program("ENVIRONMENT a\nVAR t[0], int, INIT = 0, EV = 0\nEND ENVIRONMENT\nENVIRONMENT b\n"
               "VAR t[k], int, INIT = 0, EV = 0\nEND ENVIRONMENT\nUSE b\nUSE a\n"),
       {"W:INDTABDIF:9", "W:ARRINDENV:9"}},
      {"environment opened in an element forgets the exception expected before it",
       program("", "", "EXCEPTION oops\nENVIRONMENT g\nVAR y, int, INIT = 1, EV = 1\nEND ENVIRONMENT\n"
               "EXCEPTION again\nVAR x, int, INIT = 1, EV = 1\n"),
       {}},
      {"environment with only an exception", program("ENVIRONMENT f\nEXCEPTION oops\nEND ENVIRONMENT\n"),
       {"W:BLENVVIDE:7"}},
      {"french keywords",
       "ENTETE m, 1, x\n##int x, y;\nDEBUT\nENVIRONNEMENT e(p)\nVAR y, int, INIT = p, EV = p\nFIN ENVIRONNEMENT\n"
       "UTILISE e(4)\nSERVICE s\nTEST t\nFAMILLE f\nELEMENT\nVAR x, int, INIT = 1, EV = 1\nFIN ELEMENT\nFIN FAMILLE\n"
       "FIN TEST\nFIN SERVICE\n",
       {}, french()},
      {"french end word without parameters",
       "ENTETE m, 1, x\nDEBUT\nENVIRONNEMENT e\nFENVIR\nSERVICE s\nTEST t\nFAMILLE f\nELEMENT\n"
       "VAR x, int, INIT = 1, EV = 1\nFIN ELEMENT\nFIN FAMILLE\nFIN TEST\nFIN SERVICE\n",
       {"W:BLENVVIDE:5"}, french()},
  };
}

class EnvironmentCases : public ::testing::TestWithParam<Case> {};

TEST_P(EnvironmentCases, GivesExactlyTheseMessages) {
  const Case& c = GetParam();
  EXPECT_EQ(joined(brief(analyse(c.script, c.options))), joined(c.expected)) << c.name;
}

INSTANTIATE_TEST_SUITE_P(Scripts, EnvironmentCases, ::testing::ValuesIn(cases()),
                         [](const ::testing::TestParamInfo<Case>& info) {
                           std::string n;
                           for (const char* p = info.param.name; *p; ++p)
                             n += std::isalnum(static_cast<unsigned char>(*p)) ? *p : '_';
                           return n;
                         });

// An environment of an included file: its variable's messages carry that
// file and line; the element's end the script's again.
TEST(EnvironmentMessages, PointAtTheIncludedStatement) {
  const std::string included =
      scripttest::writeFile("env.ptu", "ENVIRONMENT f\nVAR y, int, INIT = 1\nEND ENVIRONMENT\n");
  const auto ms = analyse(program("INCLUDE PTU " + included + "\nUSE f\n", "", ""));
  ASSERT_EQ(joined(brief(ms)), "E:VAMIMAABS:3 W:ELMT_VIDE:11 ");
  EXPECT_NE(ms[0].text.find("env.ptu:3]"), std::string::npos) << ms[0].text;
  EXPECT_NE(ms[1].text.find("script.ptu:11]"), std::string::npos) << ms[1].text;
}

// In the IDE form the message shows the environment statement's own first
// line, a continued statement included.
TEST(EnvironmentMessages, IdeFormShowsTheStatementsFirstLine) {
  scripttest::Options ide;
  ide.ideMessages = true;
  testing::internal::CaptureStderr();
  analyse(program("ENVIRONMENT f\nVAR y, int,\n& INIT = 1\nEND ENVIRONMENT\nUSE f\n"), ide);
  const std::string err = testing::internal::GetCapturedStderr();
  EXPECT_NE(err.find("script.ptu:5: error: No EV, MIN, nor MAX keywords for y [VAMIMAABS]"), std::string::npos)
      << err;
}

TEST(EnvironmentParameters, ReplacedAsWholeWordsOutsideLiterals) {
  const struct {
    const char* text;
    const char* expected;
  } cases[] = {
      {"VAR x, INIT = P + 1, EV = PX", "VAR x, INIT = 3 + 1, EV = PX"},
      {"VAR t[P], INIT = Q*P", "VAR t[3], INIT = n*3"},
      {"VAR s, INIT = \"P\", EV = 'P'", "VAR s, INIT = \"P\", EV = 'P'"},
      {"VAR P_1, INIT = _P", "VAR P_1, INIT = _P"},
  };
  for (const auto& c : cases)
    EXPECT_EQ(zenta::script::substituteParameters(c.text, {"P", "Q"}, {"3", "n"}), c.expected) << c.text;
}

}  // namespace

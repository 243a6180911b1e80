// Small scripts with the exact messages each must give (severity, code and
// the line that ended the statement), and nothing else.
#include <gtest/gtest.h>

#include "script/structure.h"
#include "script_runner.h"

using scripttest::analyse;
using scripttest::brief;
using scripttest::joined;
using scripttest::Options;

namespace {

struct Case {
  const char* name;
  std::string script;
  std::vector<std::string> expected;
  Options options = {};
};

const char* kClean =
    "HEADER mod, 1.0, x\n"
    "BEGIN\n"
    "SERVICE s1\n"
    "TEST t1\n"
    "FAMILY nominal\n"
    "ELEMENT\n"
    "VAR x, int, INIT = 1, EV = 1\n"
    "END ELEMENT\nEND FAMILY\n"
    "END TEST\n"
    "END SERVICE\n";

Options french() {
  Options o;
  o.language = zenta::model::LangFrench;
  return o;
}

Options strver(const char* version) {
  Options o;
  o.strver = version;
  return o;
}

// A service of one test whose statement is given, with one element.
std::string oneTest(const char* test, const char* before = "") {
  return std::string("HEADER m, 1, x\nBEGIN\n") + before + "SERVICE s\n" + test +
         "\nFAMILY f\nELEMENT\nVAR x, int, INIT = 1, EV = 1\nEND ELEMENT\nEND FAMILY\nEND TEST\nEND SERVICE\n";
}

Options selecting(zenta::script::Selection s) {
  Options o;
  o.selection = std::move(s);
  return o;
}

std::vector<Case> cases() {
  return {
      {"clean", kClean, {}},
      {"lower case keywords", "header m, 1, x\nbegin\nservice s\ntest t\nfamily f\nelement\nvar x, int, init = 1, ev = 1\n"
                              "end element\nend family\nend test\nend service\n", {}},
      {"continuations join with blanks and skip comment lines",
       "HEADER m, 1, x\nBEGIN\nSERVICE s\nTEST t\nFAMILY f\nELEMENT\nVAR x, int,\n& INIT = 1\n-- between\n& , EV = 1;\n"
       "END ELEMENT\nEND FAMILY\nEND TEST\nEND SERVICE\n",
       // The ';' ends the EV value: that value is not one expression.
       {"W:LIGNERRON:11", "E:SYNTAXERO:11", "W:ELMT_VIDE:12"}},
      {"unknown keyword", "HEADER m, 1, x\nBEGIN\nFOO bar\nSERVICE s\nTEST t\nFAMILY f\nELEMENT\nVAR x, int, INIT = 1, EV = 1\n"
                          "END ELEMENT\nEND FAMILY\nEND TEST\nEND SERVICE\n", {"W:STXMETAIN:4"}},
      {"coverage is unknown, register accepted",
       "HEADER m, 1, x\nBEGIN\nCOV all\nREGISTER r\nSERVICE s\nTEST t\nFAMILY f\nELEMENT\nVAR x, int, INIT = 1, EV = 1\n"
       "END ELEMENT\nEND FAMILY\nEND TEST\nEND SERVICE\n", {"W:STXMETAIN:4"}},
      {"header without argument, test without name",
       "HEADER\nHEADER m, 1, x\nBEGIN\nSERVICE s\nTEST\nTEST t\nFAMILY f\nELEMENT\nVAR x, int, INIT = 1, EV = 1\nEND ELEMENT\nEND FAMILY\nEND TEST\n"
       "END SERVICE\n",
       {"W:STXVALEXP:2", "E:STXVALEXP:6"}},
      {"header with two fields", "HEADER m, 1\nBEGIN\nSERVICE s\nTEST t\nFAMILY f\nELEMENT\nVAR x, int, INIT = 1, EV = 1\nEND ELEMENT\nEND FAMILY\n"
                                 "END TEST\nEND SERVICE\n", {"W:FORMENTET:2"}},
      {"test ending with semicolon is still opened",
       "HEADER m, 1, x\nBEGIN\nSERVICE s\nTEST t;\nFAMILY f\nELEMENT\nVAR x, int, INIT = 1, EV = 1\nEND ELEMENT\nEND FAMILY\nEND TEST\nEND SERVICE\n",
       {"W:LIGNERRON:5"}},
      {"test before service opens INCONNUE",
       "HEADER m, 1, x\nBEGIN\nTEST t\nFAMILY f\nELEMENT\nVAR x, int, INIT = 1, EV = 1\nEND ELEMENT\nEND FAMILY\nEND TEST\nEND SERVICE\n",
       {"E:MOTCLEABS:4"}},
      {"service before begin", "HEADER m, 1, x\nSERVICE s\nTEST t\nFAMILY f\nELEMENT\nVAR x, int, INIT = 1, EV = 1\nEND ELEMENT\nEND FAMILY\n"
                               "END TEST\nEND SERVICE\n", {"W:MOTCLEABS:3"}},
      {"begin without header", "BEGIN\nSERVICE s\nTEST t\nFAMILY f\nELEMENT\nVAR x, int, INIT = 1, EV = 1\nEND ELEMENT\nEND FAMILY\nEND TEST\n"
                               "END SERVICE\n", {"E:ENTETEERR:2"}},
      {"element without test opens INCONNU",
       "HEADER m, 1, x\nBEGIN\nSERVICE s\nELEMENT\nVAR x, int, INIT = 1, EV = 1\nEND ELEMENT\nEND TEST\nEND SERVICE\n",
       {"E:MOTCLEABS:5", "W:BLOC_ABST:5"}},
      {"element without family", "HEADER m, 1, x\nBEGIN\nSERVICE s\nTEST t\nELEMENT\nVAR x, int, INIT = 1, EV = 1\nEND ELEMENT\n"
                                 "ELEMENT\nVAR y, int, INIT = 1, EV = 1\nEND ELEMENT\nEND TEST\nEND SERVICE\n", {"W:BLOC_ABST:6"}},
      {"duplicate test in one service, same name in another accepted",
       "HEADER m, 1, x\nBEGIN\nSERVICE s1\nTEST t\nFAMILY f\nELEMENT\nVAR x, int, INIT = 1, EV = 1\nEND ELEMENT\nEND FAMILY\nEND TEST\n"
       "TEST  T\nFAMILY f\nELEMENT\nVAR x, int, INIT = 1, EV = 1\nEND ELEMENT\nEND FAMILY\nEND TEST\nEND SERVICE\n"
       "SERVICE s2\nTEST t\nFAMILY f\nELEMENT\nVAR x, int, INIT = 1, EV = 1\nEND ELEMENT\nEND FAMILY\nEND TEST\nEND SERVICE\n",
       {"W:NOMTSTDBL:12"}},
      {"duplicate service", "HEADER m, 1, x\nBEGIN\nSERVICE s\nTEST t\nFAMILY f\nELEMENT\nVAR x, int, INIT = 1, EV = 1\nEND ELEMENT\nEND FAMILY\n"
                            "END TEST\nEND SERVICE\nSERVICE S\nTEST t\nFAMILY f\nELEMENT\nVAR x, int, INIT = 1, EV = 1\nEND ELEMENT\nEND FAMILY\n"
                            "END TEST\nEND SERVICE\n", {"W:NOMOPEDBL:13"}},
      {"service names that are no identifiers", "HEADER m, 1, x\nBEGIN\nSERVICE my-service\nTEST t\nFAMILY f\n"
       "ELEMENT\nVAR x, int, INIT = 1, EV = 1\nEND ELEMENT\nEND FAMILY\nEND TEST\nEND SERVICE\nSERVICE caf\xc3\xa9\nTEST t\nFAMILY f\nELEMENT\nVAR x, int, INIT = 1, EV = 1\n"
       "END ELEMENT\nEND FAMILY\nEND TEST\nEND SERVICE\n", {"W:NOMOPEINV:4", "W:NOMOPEINV:13"}},
      {"empty loop", "HEADER m, 1, x\nBEGIN\nSERVICE s\nTEST t LOOP\nFAMILY f\nELEMENT\nVAR x, int, INIT = 1, EV = 1\nEND ELEMENT\nEND FAMILY\n"
                     "END TEST\nEND SERVICE\n", {"W:INDBOUINC:5"}},
      {"loop with expression", "HEADER m, 1, x\nBEGIN\nSERVICE s\nTEST t loop 3\nFAMILY f\nELEMENT\nVAR x, int, INIT = 1, EV = 1\n"
                               "END ELEMENT\nEND FAMILY\nEND TEST\nEND SERVICE\n", {}},
      // The count is checked when the test is declared, at its first element.
      {"negative loop count", oneTest("TEST t LOOP -2"), {"E:VALBOUCER:7"}},
      {"zero loop count in brackets", oneTest("TEST t LOOP (0)"), {"E:VALBOUCER:7"}},
      {"zero loop count after a bracket", oneTest("TEST t LOOP(0)"), {"E:VALBOUCER:7"}},
      {"loop count folded to zero", oneTest("TEST t LOOP 2 - 2*1"), {"E:VALBOUCER:7"}},
      {"loop count from a constant", oneTest("TEST t LOOP N", "CONST N = -1\n"), {"E:VALBOUCER:8"}},
      {"positive loop counts", oneTest("TEST t LOOP (0x1)"), {}},
      {"loop count of a variable", oneTest("TEST t LOOP count"), {}},
      {"french loop word", "ENTETE m, 1, x\nDEBUT\nSERVICE s\nTEST t BOUCLE\nFAMILLE f\nELEMENT\nVAR x, int, INIT = 1, EV = 1\n"
                           "FIN ELEMENT\nFIN FAMILLE\nFIN TEST\nFIN SERVICE\n", {"W:INDBOUINC:5"}, french()},
      {"end test outside a test inside a service",
       "HEADER m, 1, x\nBEGIN\nSERVICE s\nEND TEST\nTEST t\nFAMILY f\nELEMENT\nVAR x, int, INIT = 1, EV = 1\nEND ELEMENT\nEND FAMILY\nEND TEST\n"
       "END SERVICE\n",
       {"W:MOTCLEABS:5", "I:MAL_PLACE:5"}},
      {"end test and end service outside", "HEADER m, 1, x\nBEGIN\nEND TEST\nEND SERVICE\nSERVICE s\nTEST t\n"
                                           "FAMILY f\nELEMENT\nVAR x, int, INIT = 1, EV = 1\nEND ELEMENT\nEND FAMILY\nEND TEST\nEND SERVICE\n",
       {"W:MAL_PLACE:4", "W:MAL_PLACE:5"}},
      {"test without element", "HEADER m, 1, x\nBEGIN\nSERVICE s\nTEST t\nFAMILY f\nEND TEST\nEND SERVICE\n",
       {"W:MOTCLEABS:7", "W:BLOC_ABST:7", "W:TEST_VIDE:7"}},
      {"empty element", "HEADER m, 1, x\nBEGIN\nSERVICE s\nTEST t\nFAMILY f\nELEMENT\nEND ELEMENT\nEND FAMILY\nEND TEST\n"
                        "END SERVICE\n", {"W:ELMT_VIDE:8"}},
      {"element expecting an exception has no variable and is not empty",
       "HEADER m, 1, x\nBEGIN\nSERVICE s\nTEST t\nFAMILY f\nELEMENT\nEXCEPTION std::bad_alloc()\nEND ELEMENT\n"
       "END FAMILY\nEND TEST\nEND SERVICE\n", {}},
      {"exception in a second element does not excuse the first",
       "HEADER m, 1, x\nBEGIN\nSERVICE s\nTEST t\nFAMILY f\nELEMENT\nEND ELEMENT\nELEMENT\nEXCEPTION e\n"
       "END ELEMENT\nEND FAMILY\nEND TEST\nEND SERVICE\n", {"W:ELMT_VIDE:8"}},
      {"service without test", "HEADER m, 1, x\nBEGIN\nSERVICE s\nEND SERVICE\n",
       {"W:OPER_VIDE:4", "E:PROGXVIDE:4"}},
      {"no service", "HEADER m, 1, x\nBEGIN\n", {"E:PROG_VIDE:2"}},
      {"misplaced family", "HEADER m, 1, x\nBEGIN\nSERVICE s\nFAMILY f\nTEST t\nFAMILY f\nFAMILY g\nELEMENT\n"
                           "FAMILY h\nVAR x, int, INIT = 1, EV = 1\nEND ELEMENT\nEND FAMILY\nEND TEST\nEND SERVICE\n",
       {"W:MAL_PLACE:5", "W:MAL_PLACE:8", "W:MAL_PLACE:10"}},
      {"implicit closings at the end of the script",
       "HEADER m, 1, x\nBEGIN\nSERVICE s\nTEST t\nFAMILY f\nELEMENT\nVAR x, int, INIT = 1, EV = 1\n",
       {"W:MOTCLEABS:7", "W:MOTCLEABS:7", "W:MOTCLEABS:7", "W:MOTCLEABS:7"}},
      {"element closes element, test closes test",
       "HEADER m, 1, x\nBEGIN\nSERVICE s\nTEST t\nFAMILY f\nELEMENT\nVAR x, int, INIT = 1, EV = 1\nELEMENT\nVAR y, int, INIT = 1, EV = 1\nTEST u\nFAMILY f\n"
       "ELEMENT\nVAR z, int, INIT = 1, EV = 1\nEND ELEMENT\nEND FAMILY\nEND TEST\nEND SERVICE\n",
       {"W:MOTCLEABS:9", "W:MOTCLEABS:11", "W:MOTCLEABS:11", "W:MOTCLEABS:11"}},
      {"else and end if without if", "HEADER m, 1, x\nBEGIN\nELSE\nEND IF\nSERVICE s\nTEST t\nFAMILY f\n"
                                     "ELEMENT\nVAR x, int, INIT = 1, EV = 1\nEND ELEMENT\nEND FAMILY\nEND TEST\nEND SERVICE\n",
       {"E:TROPSINON:4", "W:TROPFINSI:5"}},
      {"second else on one if", "HEADER m, 1, x\nBEGIN\nIF A\nELSE\nELSE\nEND IF\nSERVICE s\nTEST t\nFAMILY f\n"
                                "ELEMENT\nVAR x, int, INIT = 1, EV = 1\nEND ELEMENT\nEND FAMILY\nEND TEST\nEND SERVICE\n", {"E:TROPSINON:6"}},
      {"unclosed if", "HEADER m, 1, x\nBEGIN\nSERVICE s\nTEST t\nFAMILY f\nELEMENT\nVAR x, int, INIT = 1, EV = 1\nEND ELEMENT\nEND FAMILY\n"
                      "END TEST\nEND SERVICE\nIF A\n", {"W:MOTCLEABS:12"}},
      {"exception outside an element only in generated branches",
       "HEADER m, 1, x\nBEGIN\nIF UNDEFINED_NAME\nEXCEPTION a\nIF KNOWN\nEXCEPTION b\nEND IF\nELSE\n"
       "EXCEPTION c\nEND IF\nSERVICE s\nTEST t\nFAMILY f\nELEMENT\nVAR x, int, INIT = 1, EV = 1\nEND ELEMENT\nEND FAMILY\nEND TEST\nEND SERVICE\n",
       {"W:MOTCLEABS:10"},
       [] {
         Options o;
         o.defines = {"KNOWN=1"};
         return o;
       }()},
      {"constants and native macros answer IF",
       "HEADER m, 1, x\nBEGIN\nCONST LIMIT = 3\n##define FROM_NATIVE 1\nIF LIMIT\nEXCEPTION a\nEND IF\n"
       "IF FROM_NATIVE\nEXCEPTION b\nEND IF\nIF NOT_DEFINED, FROM_NATIVE\nEXCEPTION c\nEND IF\n"
       "IF NOT_DEFINED\nEXCEPTION d\nEND IF\n"
       "SERVICE s\nTEST t\nFAMILY f\nELEMENT\nVAR x, int, INIT = 1, EV = 1\nEND ELEMENT\nEND FAMILY\nEND TEST\nEND SERVICE\n",
       {"W:MOTCLEABS:7", "W:MOTCLEABS:10", "W:MOTCLEABS:13"}},
      {"simulation blocks", "HEADER m, 1, x\nBEGIN\nELSE_SIMUL\nEND SIMUL\nSIMUL\nSIMUL\nELSE_SIMUL\nELSE_SIMUL\n"
                            "SERVICE s\nTEST t\nFAMILY f\nELEMENT\nVAR x, int, INIT = 1, EV = 1\nEND ELEMENT\nEND FAMILY\nEND TEST\nEND SERVICE\n",
       // The test lies in the ELSE_SIMUL part, which is not generated here.
       {"W:MOTCLEABS:4", "W:MOTCLEABS:5", "W:MOTDOUBLE:7", "W:MOTDOUBLE:9", "I:OPERXVIDE:17", "W:MOTCLEABS:17",
        "E:PROGXVIDE:17"}},
      {"double exception in an element", "HEADER m, 1, x\nBEGIN\nSERVICE s\nTEST t\nFAMILY f\nELEMENT\n"
                                         "EXCEPTION a\nEXCEPTION b\nVAR x, int, INIT = 1, EV = 1\nEND ELEMENT\nEND FAMILY\nEND TEST\nEND SERVICE\n",
       {"W:DBL_EXCEP:9"}},
      {"sequence mode makes one element per variable",
       "HEADER m, 1, x\nBEGIN\nSEQUENCE\nSERVICE s\nTEST t\nFAMILY f\nVAR a, int, INIT = 1, EV = 1\nVAR b, int, INIT = 1, EV = 1\nEND FAMILY\nEND TEST\nEND SERVICE\n"
       "END SEQUENCE\n", {}},
      {"variable outside an element", "HEADER m, 1, x\nBEGIN\nSERVICE s\nTEST t\nFAMILY f\nVAR a, int, INIT = 1, EV = 1\nEND ELEMENT\nEND FAMILY\n"
                                      "END TEST\nEND SERVICE\n", {"W:MOTCLEABS:7"}},
      {"end environment and end define without block",
       "HEADER m, 1, x\nBEGIN\nEND ENVIRONMENT\nEND DEFINE\nSERVICE s\nTEST t\nFAMILY f\nELEMENT\nVAR x, int, INIT = 1, EV = 1\n"
       "END ELEMENT\nEND FAMILY\nEND TEST\nEND SERVICE\n",
       {"E:MOTCLEABS:4", "E:MOTCLEABS:5"}},
      {"unknown end word", "HEADER m, 1, x\nBEGIN\nEND WHATEVER\nSERVICE s\nTEST t\nFAMILY f\nELEMENT\nVAR x, int, INIT = 1, EV = 1\n"
                           "END ELEMENT\nEND FAMILY\nEND TEST\nEND SERVICE\n", {"W:STXMETAIN:4"}},
      {"header version from an unset variable is empty: no version mismatch",
       "HEADER m, $ZENTA_SURELY_UNSET_VAR, x\nBEGIN\n"
       "SERVICE s\nTEST t\nFAMILY f\nELEMENT\nVAR x, int, INIT = 1, EV = 1\nEND ELEMENT\nEND FAMILY\nEND TEST\nEND SERVICE\n",
       {"W:NOLOGIDEF:2"}, strver("2.0")},
      {"version mismatch", kClean, {"W:MISMNUVER:2"}, strver("2.0")},
      {"same version", kClean, {}, strver("1.0")},
      {"second header and second begin", "HEADER m, 1, x\nBEGIN\nHEADER n, 2, y\nBEGIN\nSERVICE s\nTEST t\n"
       "FAMILY f\nELEMENT\nVAR x, int, INIT = 1, EV = 1\nEND ELEMENT\nEND FAMILY\nEND TEST\nEND SERVICE\n",
       {"W:MOTDOUBLE:4", "W:MOTDOUBLE:5"}},
      {"comment may end with a semicolon", "HEADER m, 1, x\nBEGIN\nCOMMENT text;\nSERVICE s\nTEST t\nFAMILY f\n"
       "ELEMENT\nVAR x, int, INIT = 1, EV = 1\nEND ELEMENT\nEND FAMILY\nEND TEST\nEND SERVICE\n", {}},
      {"initialization closes the service", "HEADER m, 1, x\nBEGIN\nSERVICE s\nTEST t\nFAMILY f\nELEMENT\n"
       "VAR x, int, INIT = 1, EV = 1\nEND ELEMENT\nEND FAMILY\nEND TEST\nINITIALIZATION\n#int a;\nEND INITIALIZATION\nTERMINATION\n",
       {"W:MOTCLEABS:12", "W:MOTCLEABS:14"}},
      {"stub definition inside a service", "HEADER m, 1, x\nBEGIN\nSERVICE s\nDEFINE STUB blk 10\n#int f(int);\n"
       "END DEFINE\nTEST t\nFAMILY f\nELEMENT\nVAR x, int, INIT = 1, EV = 1\nEND ELEMENT\nEND FAMILY\nEND TEST\nEND SERVICE\n",
       {"W:MUETSERVI:5"}},
      {"open environment closed by the next block", "HEADER m, 1, x\nBEGIN\nENVIRONMENT e\nVAR a, int, INIT = 1, EV = 1\nSERVICE s\n"
       "TEST t\nFAMILY f\nELEMENT\nVAR x, int, INIT = 1, EV = 1\nEND ELEMENT\nEND FAMILY\nEND TEST\nEND SERVICE\n",
       {"W:MOTCLEABS:6"}},
      {"environment names are unique", "HEADER m, 1, x\nBEGIN\nENVIRONMENT e\nEND ENVIRONMENT\nENVIRONMENT E\n"
       "END ENVIRONMENT\nUSE nothere\nSERVICE s\nTEST t\nFAMILY f\nELEMENT\nVAR x, int, INIT = 1, EV = 1\nEND ELEMENT\nEND FAMILY\n"
       "END TEST\nEND SERVICE\n",
       {"W:BLENVVIDE:5", "E:DUPENVNAM:6", "E:ENV_INCON:8"}},
      {"french with accented messages accepts french keywords", "ENTETE m, 1, x\nDEBUT\nSERVICE s\nTEST t\n"
       "FAMILLE f\nELEMENT\nVAR x, int, INIT = 1, EV = 1\nFEL\nFFAM\nFTEST\nFSERV\n", {},
       [] {
         Options o;
         o.language = zenta::model::LangFrenchAccented;
         return o;
       }()},
      {"other harness languages refuse FORMAT and STUB and take IF names from the options",
       "HEADER m, 1, x\nBEGIN\nFORMAT x\nDEFINE STUB s 1\nIF KNOWN\nEXCEPTION a\nEND IF\nSERVICE s\nTEST t\n"
       "FAMILY f\nELEMENT\nVAR x, int, INIT = 1, EV = 1\nEND ELEMENT\nEND FAMILY\nEND TEST\nEND SERVICE\n",
       {"W:MOTCLEANA:4", "W:MOTCLEANA:5", "W:MOTCLEABS:7"},
       [] {
         Options o;
         o.harnessLanguage = 3;
         o.defines = {"known=1"};
         return o;
       }()},
      {"include ignored in a false branch", "HEADER m, 1, x\nBEGIN\nIF UNDEFINED_NAME\nINCLUDE PTU /nonexistent/x.ptu\n"
       "END IF\nSERVICE s\nTEST t\nFAMILY f\nELEMENT\nVAR x, int, INIT = 1, EV = 1\nEND ELEMENT\nEND FAMILY\nEND TEST\nEND SERVICE\n", {}},
      {"simulation part generated without drop-simulation", "HEADER m, 1, x\nBEGIN\nSIMUL\nEXCEPTION a\nELSE_SIMUL\n"
       "EXCEPTION b\nEND SIMUL\nSERVICE s\nTEST t\nFAMILY f\nELEMENT\nVAR x, int, INIT = 1, EV = 1\nEND ELEMENT\nEND FAMILY\nEND TEST\n"
       "END SERVICE\n", {"W:MOTCLEABS:5"}},
      {"alternative part generated with drop-simulation", "HEADER m, 1, x\nBEGIN\nSIMUL\nEXCEPTION a\nELSE_SIMUL\n"
       "EXCEPTION b\nEND SIMUL\nSERVICE s\nTEST t\nFAMILY f\nELEMENT\nVAR x, int, INIT = 1, EV = 1\nEND ELEMENT\nEND FAMILY\nEND TEST\n"
       "END SERVICE\n", {"W:MOTCLEABS:7"},
       [] {
         Options o;
         o.dropSimulation = true;
         return o;
       }()},
      {"statements of a false branch raise nothing", "HEADER m, 1, x\nBEGIN\nIF UNDEFINED_NAME\nSERVICE hidden\n"
       "END SERVICE\nEND IF\nSERVICE s\nTEST t\nFAMILY f\nELEMENT\nVAR x, int, INIT = 1, EV = 1\nEND ELEMENT\nEND FAMILY\nEND TEST\n"
       "END SERVICE\n", {}},
      {"a service of a false branch is no generated service", "HEADER m, 1, x\nBEGIN\nIF UNDEFINED_NAME\n"
       "SERVICE hidden\nTEST t\nFAMILY f\nELEMENT\nVAR x, int, INIT = 1, EV = 1\nEND ELEMENT\nEND FAMILY\nEND TEST\nEND SERVICE\nEND IF\n"
       "SERVICE s\nTEST t\nFAMILY f\nELEMENT\nVAR x, int, INIT = 1, EV = 1\nEND ELEMENT\nEND FAMILY\nEND TEST\nEND SERVICE\n", {}},
      {"empty tests of a false branch raise nothing", "HEADER m, 1, x\nBEGIN\nSERVICE s\nIF UNDEFINED_NAME\n"
       "TEST hidden\nELEMENT\nEND ELEMENT\nEND TEST\nTEST hidden2\nEND TEST\nEND IF\nTEST t\nFAMILY f\nELEMENT\nVAR x, int, INIT = 1, EV = 1\nEND ELEMENT\nEND FAMILY\nEND TEST\n"
       "END SERVICE\n", {}},
      {"a test in a false branch is not generated", "HEADER m, 1, x\nBEGIN\nSERVICE s\nIF UNDEFINED_NAME\nTEST t\n"
       "FAMILY f\nELEMENT\nVAR x, int, INIT = 1, EV = 1\nEND ELEMENT\nEND FAMILY\nEND TEST\nEND IF\nEND SERVICE\n",
       {"I:OPERXVIDE:13", "E:PROGXVIDE:13"}},
      {"test exclusion", kClean, {"I:OPERXVIDE:11", "E:PROGXVIDE:11"}, selecting({{}, {}, {}, {"T1"}, {}, {}})},
      {"service selection", kClean, {"E:PROGXVIDE:11", "W:OPER_INEX:11"},
       selecting({{"S2"}, {}, {}, {}, {}, {}})},
      {"test selection", kClean, {"W:TEST_INEX:11"}, selecting({{}, {}, {"T1", "T9"}, {}, {}, {}})},
      {"family selection", kClean, {"I:OPERXVIDE:11", "E:PROGXVIDE:11", "W:FAMI_INEX:11"},
       selecting({{}, {}, {}, {}, {"F9"}, {}})},
      {"family exclusion", kClean, {"I:OPERXVIDE:11", "E:PROGXVIDE:11"},
       selecting({{}, {}, {}, {}, {}, {"NOMINAL"}})},
      {"service exclusion", kClean, {"E:PROGXVIDE:11"}, selecting({{}, {"S1"}, {}, {}, {}, {}})},
      {"unmatched service exclusion", kClean, {"E:PROGXVIDE:11", "W:OPER_INEX:11"},
       selecting({{}, {"S1", "S9"}, {}, {}, {}, {}})},
      {"unmatched test exclusion", kClean, {"W:TEST_INEX:11"}, selecting({{}, {}, {}, {"T9"}, {}, {}})},
      {"unmatched family exclusion", kClean, {"W:FAMI_INEX:11"}, selecting({{}, {}, {}, {}, {}, {"F9"}})},
      {"tests not looked for when services are chosen by name", kClean, {"I:OPERXVIDE:11", "E:PROGXVIDE:11"},
       selecting({{"S1"}, {}, {"T9"}, {}, {}, {}})},
      {"tests not looked for when the last service is excluded", kClean, {"E:PROGXVIDE:11"},
       selecting({{}, {"S1"}, {}, {"T9"}, {}, {}})},
  };
}

// Prints a case by its name in failure reports.
void PrintTo(const Case& c, std::ostream* os) { *os << c.name; }

// The version mismatch names the option value and the HEADER version, with
// the origin word of the script language.
TEST(StructureMessages, VersionMismatchArgument) {
  Options english = strver("2.0");
  Options french = strver("2.0");
  french.language = zenta::model::LangFrench;
  const auto en = analyse(kClean, english);
  ASSERT_EQ(en.size(), 1u);
  EXPECT_NE(en[0].text.find("Origin : 2.0 / PTU : 1.0"), std::string::npos) << en[0].text;
  const auto fr = analyse("ENTETE mod, 1.0, x\nDEBUT\nSERVICE s1\nTEST t1\nFAMILLE f\nELEMENT\nVAR x, int, INIT = 1, EV = 1\n"
                          "FIN ELEMENT\nFIN FAMILLE\nFIN TEST\nFIN SERVICE\n",
                          french);
  ASSERT_EQ(fr.size(), 1u);
  EXPECT_NE(fr[0].text.find("Source : 2.0 / PTU : 1.0"), std::string::npos) << fr[0].text;
}

class StructureCases : public ::testing::TestWithParam<Case> {};

TEST_P(StructureCases, GivesExactlyTheseMessages) {
  const Case& c = GetParam();
  const auto got = brief(analyse(c.script, c.options));
  EXPECT_EQ(joined(got), joined(c.expected)) << c.name;
}

INSTANTIATE_TEST_SUITE_P(Scripts, StructureCases, ::testing::ValuesIn(cases()),
                         [](const ::testing::TestParamInfo<Case>& info) {
                           std::string n;
                           for (const char* p = info.param.name; *p; ++p)
                             n += std::isalnum(static_cast<unsigned char>(*p)) ? *p : '_';
                           return n;
                         });

}  // namespace

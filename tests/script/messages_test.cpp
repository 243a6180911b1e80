// Small scripts with the exact messages each must give (severity, code and
// the line that ended the statement), and nothing else: the block
// structure, selections, CONST, INCLUDE, DEFINE STRUCTURE, ENVIRONMENT and USE.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

#include "script/environments.h"
#include "script/structure.h"
#include "script_runner.h"

using scripttest::analyse;
using scripttest::brief;
using scripttest::joined;
using scripttest::Options;
using scripttest::program;

namespace {

struct Case {
  const char* name;
  std::string script;
  std::vector<std::string> expected;
  Options options = {};
};

const char* kClean =
    "HEADER mod, 1.0, x\nBEGIN\nSERVICE s1\nTEST t1\nFAMILY nominal\nELEMENT\nVAR x, int, INIT = 1, EV = 1\n"
    "END ELEMENT\nEND FAMILY\nEND TEST\nEND SERVICE\n";

Options with(const std::function<void(Options&)>& change) {
  Options o;
  change(o);
  return o;
}

Options french() {
  return with([](Options& o) { o.language = zenta::model::LangFrench; });
}

Options strver(const char* version) {
  Options o;
  o.strver = version;
  return o;
}

Options selecting(zenta::script::Selection s) {
  Options o;
  o.selection = std::move(s);
  return o;
}

// A service of one test whose statement is given, with one element.
std::string oneTest(const char* test, const char* before = "") {
  return std::string("HEADER m, 1, x\nBEGIN\n") + before + "SERVICE s\n" + test +
         "\nFAMILY f\nELEMENT\nVAR x, int, INIT = 1, EV = 1\nEND ELEMENT\nEND FAMILY\nEND TEST\nEND "
         "SERVICE\n";
}

// program("") with its first `from` replaced by `to`.
std::string edited(const std::string& from, const std::string& to) {
  std::string s = program("");
  return s.replace(s.find(from), from.size(), to);
}

// A program declaring x and y, whose head holds `head`, whose test begins
// with `test` and whose one element holds `element`.
std::string envProgram(const std::string& head, const std::string& test = "",
                       const std::string& element = "VAR x, int, INIT = 1, EV = 1\n") {
  return "HEADER m, 1, x\n##int x, y;\nBEGIN\n" + head + "SERVICE s\nTEST t\n" + test +
         "FAMILY f\nELEMENT\n" + element + "END ELEMENT\nEND FAMILY\nEND TEST\nEND SERVICE\n";
}

const std::string kEnv = "ENVIRONMENT e(p)\nVAR y, int, INIT = p, EV = p\nEND ENVIRONMENT\n";

std::vector<Case> cases() {
  return {
      {"clean", kClean, {}},
      {"lower case keywords", "header m, 1, x\nbegin\nservice s\ntest t\nfamily f\nelement\nvar x, int, init = 1, ev = 1\n"
                              "end element\nend family\nend test\nend service\n", {}},
      {"continuations join with blanks and skip comment lines",
       program("", "VAR x, int,\n& INIT = 1\n-- between\n& , EV = 1;\n"),
       // The ';' ends the EV value: that value is not one expression.
       {"W:LIGNERRON:11", "E:SYNTAXERO:11", "W:ELMT_VIDE:12"}},
      {"unknown keyword", program("FOO bar\n"), {"W:STXMETAIN:4"}},
      {"coverage is unknown, register accepted", program("COV all\nREGISTER r\n"), {"W:STXMETAIN:4"}},
      {"header without argument, test without name",
       "HEADER\nHEADER m, 1, x\nBEGIN\nSERVICE s\nTEST\nTEST t\nFAMILY f\nELEMENT\nVAR x, int, INIT = 1, EV = 1\nEND ELEMENT\nEND FAMILY\nEND TEST\n"
       "END SERVICE\n", {"W:STXVALEXP:2", "E:STXVALEXP:6"}},
      {"header with two fields", edited("HEADER m, 1, x\n", "HEADER m, 1\n"), {"W:FORMENTET:2"}},
      {"test ending with semicolon is still opened", edited("TEST t\n", "TEST t;\n"), {"W:LIGNERRON:5"}},
      {"test before service opens INCONNUE", edited("SERVICE s\n", ""), {"E:MOTCLEABS:4"}},
      {"service before begin", edited("BEGIN\n", ""), {"W:MOTCLEABS:3"}},
      {"begin without header", edited("HEADER m, 1, x\n", ""), {"E:ENTETEERR:2"}},
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
      {"empty loop", edited("TEST t\n", "TEST t LOOP\n"), {"W:INDBOUINC:5"}},
      {"loop with expression", edited("TEST t\n", "TEST t loop 3\n"), {}},
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
      {"end test outside a test inside a service", edited("SERVICE s\n", "SERVICE s\nEND TEST\n"),
       {"W:MOTCLEABS:5", "I:MAL_PLACE:5"}},
      {"end test and end service outside", program("END TEST\nEND SERVICE\n"), {"W:MAL_PLACE:4", "W:MAL_PLACE:5"}},
      {"test without element", "HEADER m, 1, x\nBEGIN\nSERVICE s\nTEST t\nFAMILY f\nEND TEST\nEND SERVICE\n",
       {"W:MOTCLEABS:7", "W:BLOC_ABST:7", "W:TEST_VIDE:7"}},
      {"empty element", program("", ""), {"W:ELMT_VIDE:8"}},
      {"element expecting an exception has no variable and is not empty",
       program("", "EXCEPTION std::bad_alloc()\n"), {}},
      {"exception in a second element does not excuse the first",
       edited("VAR x, int, INIT = 1, EV = 1\n", "END ELEMENT\nELEMENT\nEXCEPTION e\n"), {"W:ELMT_VIDE:8"}},
      {"service without test", "HEADER m, 1, x\nBEGIN\nSERVICE s\nEND SERVICE\n", {"W:OPER_VIDE:4", "E:PROGXVIDE:4"}},
      {"no service", "HEADER m, 1, x\nBEGIN\n", {"E:PROG_VIDE:2"}},
      {"misplaced family", edited("TEST t\nFAMILY f\nELEMENT\n", "FAMILY f\nTEST t\nFAMILY f\nFAMILY g\nELEMENT\nFAMILY h\n"),
       {"W:MAL_PLACE:5", "W:MAL_PLACE:8", "W:MAL_PLACE:10"}},
      {"implicit closings at the end of the script", edited("END ELEMENT\nEND FAMILY\nEND TEST\nEND SERVICE\n", ""),
       {"W:MOTCLEABS:7", "W:MOTCLEABS:7", "W:MOTCLEABS:7", "W:MOTCLEABS:7"}},
      {"element closes element, test closes test",
       "HEADER m, 1, x\nBEGIN\nSERVICE s\nTEST t\nFAMILY f\nELEMENT\nVAR x, int, INIT = 1, EV = 1\nELEMENT\nVAR y, int, INIT = 1, EV = 1\nTEST u\nFAMILY f\n"
       "ELEMENT\nVAR z, int, INIT = 1, EV = 1\nEND ELEMENT\nEND FAMILY\nEND TEST\nEND SERVICE\n",
       {"W:MOTCLEABS:9", "W:MOTCLEABS:11", "W:MOTCLEABS:11", "W:MOTCLEABS:11"}},
      {"else and end if without if", program("ELSE\nEND IF\n"), {"E:TROPSINON:4", "W:TROPFINSI:5"}},
      {"second else on one if", program("IF A\nELSE\nELSE\nEND IF\n"), {"E:TROPSINON:6"}},
      {"unclosed if", edited("END SERVICE\n", "END SERVICE\nIF A\n"), {"W:MOTCLEABS:12"}},
      {"exception outside an element only in generated branches",
       program("IF UNDEFINED_NAME\nEXCEPTION a\nIF KNOWN\nEXCEPTION b\nEND IF\nELSE\nEXCEPTION c\nEND IF\n"),
       {"W:MOTCLEABS:10"}, with([](Options& o) { o.defines = {"KNOWN=1"}; })},
      {"constants and native macros answer IF",
       program("CONST LIMIT = 3\n##define FROM_NATIVE 1\nIF LIMIT\nEXCEPTION a\nEND IF\nIF FROM_NATIVE\nEXCEPTION b\nEND IF\nIF NOT_DEFINED, FROM_NATIVE\nEXCEPTION c\nEND IF\nIF NOT_DEFINED\nEXCEPTION d\nEND IF\n"),
       {"W:MOTCLEABS:7", "W:MOTCLEABS:10", "W:MOTCLEABS:13"}},
      {"simulation blocks", program("ELSE_SIMUL\nEND SIMUL\nSIMUL\nSIMUL\nELSE_SIMUL\nELSE_SIMUL\n"),
       // The test lies in the ELSE_SIMUL part, which is not generated here.
       {"W:MOTCLEABS:4", "W:MOTCLEABS:5", "W:MOTDOUBLE:7", "W:MOTDOUBLE:9", "I:OPERXVIDE:17", "W:MOTCLEABS:17",
        "E:PROGXVIDE:17"}},
      {"double exception in an element", program("", "EXCEPTION a\nEXCEPTION b\nVAR x, int, INIT = 1, EV = 1\n"),
       {"W:DBL_EXCEP:9"}},
      {"sequence mode makes one element per variable",
       "HEADER m, 1, x\nBEGIN\nSEQUENCE\nSERVICE s\nTEST t\nFAMILY f\nVAR a, int, INIT = 1, EV = 1\nVAR b, int, INIT = 1, EV = 1\nEND FAMILY\nEND TEST\nEND SERVICE\n"
       "END SEQUENCE\n", {}},
      {"variable outside an element", edited("ELEMENT\nVAR x, int, INIT = 1, EV = 1\n", "VAR a, int, INIT = 1, EV = 1\n"), {"W:MOTCLEABS:7"}},
      {"end environment and end define without block", program("END ENVIRONMENT\nEND DEFINE\n"),
       {"E:MOTCLEABS:4", "E:MOTCLEABS:5"}},
      {"unknown end word", program("END WHATEVER\n"), {"W:STXMETAIN:4"}},
      {"header version from an unset variable is empty: no version mismatch",
       "HEADER m, $ZENTA_SURELY_UNSET_VAR, x\nBEGIN\n"
       "SERVICE s\nTEST t\nFAMILY f\nELEMENT\nVAR x, int, INIT = 1, EV = 1\nEND ELEMENT\nEND FAMILY\nEND TEST\nEND SERVICE\n",
       {"W:NOLOGIDEF:2"}, strver("2.0")},
      {"version mismatch", kClean, {"W:MISMNUVER:2"}, strver("2.0")},
      {"same version", kClean, {}, strver("1.0")},
      {"second header and second begin", program("HEADER n, 2, y\nBEGIN\n"), {"W:MOTDOUBLE:4", "W:MOTDOUBLE:5"}},
      {"comment may end with a semicolon", program("COMMENT text;\n"), {}},
      {"initialization closes the service", edited("END SERVICE\n", "INITIALIZATION\n#int a;\nEND INITIALIZATION\nTERMINATION\n"),
       {"W:MOTCLEABS:12", "W:MOTCLEABS:14"}},
      {"stub definition inside a service", program("", "VAR x, int, INIT = 1, EV = 1\n", "DEFINE STUB blk 10\n#int f(int);\nEND DEFINE\n"),
       {"W:MUETSERVI:5"}},
      {"open environment closed by the next block", program("ENVIRONMENT e\nVAR a, int, INIT = 1, EV = 1\n"),
       {"W:MOTCLEABS:6"}},
      {"environment names are unique", program("ENVIRONMENT e\nEND ENVIRONMENT\nENVIRONMENT E\nEND ENVIRONMENT\nUSE nothere\n"),
       {"W:BLENVVIDE:5", "E:DUPENVNAM:6", "E:ENV_INCON:8"}},
      {"french with accented messages accepts french keywords", "ENTETE m, 1, x\nDEBUT\nSERVICE s\nTEST t\n"
       "FAMILLE f\nELEMENT\nVAR x, int, INIT = 1, EV = 1\nFEL\nFFAM\nFTEST\nFSERV\n", {},
       with([](Options& o) { o.language = zenta::model::LangFrenchAccented; })},
      {"other harness languages refuse FORMAT and STUB and take IF names from the options",
       program("FORMAT x\nDEFINE STUB s 1\nIF KNOWN\nEXCEPTION a\nEND IF\n"),
       {"W:MOTCLEANA:4", "W:MOTCLEANA:5", "W:MOTCLEABS:7"},
       with([](Options& o) { o.harnessLanguage = 3; o.defines = {"known=1"}; })},
      {"include ignored in a false branch", program("IF UNDEFINED_NAME\nINCLUDE PTU /nonexistent/x.ptu\nEND IF\n"), {}},
      {"simulation part generated without drop-simulation", program("SIMUL\nEXCEPTION a\nELSE_SIMUL\nEXCEPTION b\nEND SIMUL\n"), {"W:MOTCLEABS:5"}},
      {"alternative part generated with drop-simulation", program("SIMUL\nEXCEPTION a\nELSE_SIMUL\nEXCEPTION b\nEND SIMUL\n"), {"W:MOTCLEABS:7"},
       with([](Options& o) { o.dropSimulation = true; })},
      {"statements of a false branch raise nothing", program("IF UNDEFINED_NAME\nSERVICE hidden\nEND SERVICE\nEND IF\n"), {}},
      {"a service of a false branch is no generated service", program("IF UNDEFINED_NAME\nSERVICE hidden\nTEST t\nFAMILY f\nELEMENT\nVAR x, int, INIT = 1, EV = 1\nEND ELEMENT\nEND FAMILY\nEND TEST\nEND SERVICE\nEND IF\n"), {}},
      {"empty tests of a false branch raise nothing", "HEADER m, 1, x\nBEGIN\nSERVICE s\nIF UNDEFINED_NAME\n"
       "TEST hidden\nELEMENT\nEND ELEMENT\nEND TEST\nTEST hidden2\nEND TEST\nEND IF\nTEST t\nFAMILY f\nELEMENT\nVAR x, int, INIT = 1, EV = 1\nEND ELEMENT\nEND FAMILY\nEND TEST\n"
       "END SERVICE\n", {}},
      {"a test in a false branch is not generated", "HEADER m, 1, x\nBEGIN\nSERVICE s\nIF UNDEFINED_NAME\nTEST t\n"
       "FAMILY f\nELEMENT\nVAR x, int, INIT = 1, EV = 1\nEND ELEMENT\nEND FAMILY\nEND TEST\nEND IF\nEND SERVICE\n",
       {"I:OPERXVIDE:13", "E:PROGXVIDE:13"}},
      {"test exclusion", kClean, {"I:OPERXVIDE:11", "E:PROGXVIDE:11"}, selecting({{}, {}, {}, {"T1"}, {}, {}})},
      {"service selection", kClean, {"E:PROGXVIDE:11", "W:OPER_INEX:11"}, selecting({{"S2"}, {}, {}, {}, {}, {}})},
      {"test selection", kClean, {"W:TEST_INEX:11"}, selecting({{}, {}, {"T1", "T9"}, {}, {}, {}})},
      {"family selection", kClean, {"I:OPERXVIDE:11", "E:PROGXVIDE:11", "W:FAMI_INEX:11"},
       selecting({{}, {}, {}, {}, {"F9"}, {}})},
      {"family exclusion", kClean, {"I:OPERXVIDE:11", "E:PROGXVIDE:11"}, selecting({{}, {}, {}, {}, {}, {"NOMINAL"}})},
      {"service exclusion", kClean, {"E:PROGXVIDE:11"}, selecting({{}, {"S1"}, {}, {}, {}, {}})},
      {"unmatched service exclusion", kClean, {"E:PROGXVIDE:11", "W:OPER_INEX:11"},
       selecting({{}, {"S1", "S9"}, {}, {}, {}, {}})},
      {"unmatched test exclusion", kClean, {"W:TEST_INEX:11"}, selecting({{}, {}, {}, {"T9"}, {}, {}})},
      {"unmatched family exclusion", kClean, {"W:FAMI_INEX:11"}, selecting({{}, {}, {}, {}, {}, {"F9"}})},
      {"tests not looked for when services are chosen by name", kClean, {"I:OPERXVIDE:11", "E:PROGXVIDE:11"},
       selecting({{"S1"}, {}, {"T9"}, {}, {}, {}})},
      {"tests not looked for when the last service is excluded", kClean, {"E:PROGXVIDE:11"},
       selecting({{}, {"S1"}, {}, {"T9"}, {}, {}})},

      // CONST, INCLUDE and DEFINE STRUCTURE: the messages come on the line
      // after the statement, where the reader stands once it knows the
      // statement is not continued. The second include directory holds counter.h.
      {"constant before the first service names a value",
       program("CONST N = 3\n", "VAR x, int, INIT = N, EV = N + 0\n"), {}},
      {"constant after a service", program("", "VAR x, int, INIT = 1, EV = 1\n", "CONST N = 3\n"), {"E:FORWCONST:5"}},
      {"constant without equal sign", program("CONST N 3\n"), {"E:EGALABSEN:4", "I:LIGNERRON:4"}},
      {"constant without name", program("CONST = 3\n"), {"E:SYNTAXERO:4"}},
      {"constant without value", program("CONST N =\n"), {"E:SYNTAXERO:4"}},
      {"included code found in the second directory is analysed",
       program("INCLUDE CODE counter.h\n", "VAR counter, INIT = 1, EV = 1\n"), {}},
      {"messages after included code carry the script's lines",
       program("INCLUDE CODE counter.h\nCONST = 3\n"), {"E:SYNTAXERO:5"}},
      {"included code not found", program("INCLUDE CODE nosuch.h\n"), {"E:FICINCINC:4"}},
      {"included segment refused", program("INCLUDE SEGMENT seg\n"), {"W:STXMETAIN:4"}},
      {"structure with typed fields",
       program("INCLUDE CODE counter.h\nDEFINE STRUCTURE rec\nFIELD a = int\nFIELD p = pair_t\nEND DEFINE\n"), {}},
      {"structure defined twice",
       program("DEFINE STRUCTURE rec\nFIELD a = int\nEND DEFINE\nDEFINE STRUCTURE rec\nFIELD a = int\nEND DEFINE\n"),
       {"E:DUPSTRNAM:7"}},
      {"field named twice", program("DEFINE STRUCTURE rec\nFIELD a = int\nFIELD a = long\nEND DEFINE\n"),
       {"E:DUPNOMCHP:6"}},
      {"field of an unknown type", program("DEFINE STRUCTURE rec\nFIELD a = nosuch_t\nEND DEFINE\n"),
       {"E:TYPEINCON:5", "W:BLSTRVIDE:6"}},
      {"field without type", program("DEFINE STRUCTURE rec\nFIELD a\nFIELD b = int\nEND DEFINE\n"), {"E:STXERRTYP:5"}},
      {"structure without fields", program("DEFINE STRUCTURE rec\nEND DEFINE\n"), {"W:BLSTRVIDE:5"}},
      {"structure without name", program("DEFINE STRUCTURE\nFIELD a = int\nEND DEFINE\n"), {"W:STRUCTNOM:4"}},
      {"aggregate flag refused", program("DEFINE STRUCTURE rec AGGREGATE\nFIELD a = int\nEND DEFINE\n"),
       {"W:STXMETAIN:4"}},
      {"field outside a structure", program("FIELD a = int\n"), {"W:MOTCLEABS:4"}},

      // ENVIRONMENT and USE.
      {"environment used with its argument", envProgram(kEnv + "USE e(3)\n"), {}},
      {"use of an undefined name", envProgram("USE nosuch\n"), {"E:ENV_INCON:5"}},
      {"two arguments for one parameter", envProgram(kEnv + "USE e(1, 2)\n"), {"E:NBPARADIF:8"}},
      {"arguments without parentheses", envProgram(kEnv + "USE e 3\n"), {"E:UTIPARAME:8"}},
      {"parameter that is not an identifier",
       envProgram("ENVIRONMENT f(1p)\nVAR y, INIT = 1, EV = 1\nEND ENVIRONMENT\n"), {"E:PARAMENVI:5"}},
      {"parameters without parentheses",
       envProgram("ENVIRONMENT f p, q\nVAR y, INIT = 1, EV = 1\nEND ENVIRONMENT\n"), {"E:ENVPARAME:5"}},
      {"environment without variables", envProgram("ENVIRONMENT f\nEND ENVIRONMENT\n"), {"W:BLENVVIDE:6"}},
      {"environment defined twice", envProgram(kEnv + kEnv), {"E:DUPENVNAM:8"}},
      {"environment defined again in a test", envProgram(kEnv, "ENVIRONMENT E\nVAR y, int, INIT = 1, EV = 1\nEND ENVIRONMENT\n"),
       {"E:DUPENVNAM:10"}},
      {"parameters of an environment defined twice still checked", envProgram(kEnv + "ENVIRONMENT e p\nEND ENVIRONMENT\n"),
       {"E:DUPENVNAM:8", "E:ENVPARAME:8"}},
      {"use in a test left out of the run", envProgram("", "USE nosuch\n"), {"I:OPERXVIDE:13", "E:PROGXVIDE:13"},
       with([](Options& o) { o.selection.exTests = {"T"}; })},
      {"end of an environment never opened", envProgram("END ENVIRONMENT\n"), {"E:MOTCLEABS:5"}},
      {"use inside a test", envProgram(kEnv, "USE e(2)\n"), {}},
      {"use of a test's environment after its test", "HEADER m, 1, x\n##int x, y;\nBEGIN\nSERVICE s\nTEST t\n" + kEnv +
           "USE e(1)\nFAMILY f\nELEMENT\nVAR x, int, INIT = 1, EV = 1\nEND ELEMENT\nEND FAMILY\nEND TEST\n"
           "TEST u\nUSE e(1)\nFAMILY f\nELEMENT\nVAR x, int, INIT = 1, EV = 1\nEND ELEMENT\nEND FAMILY\nEND TEST\n"
           "END SERVICE\n", {"E:ENV_INCON:18"}},
      {"environment of an element ends with it",
       envProgram("", "", "ENVIRONMENT g\nVAR y, int, INIT = 1, EV = 1\nEND ENVIRONMENT\nUSE g\nVAR x, int, INIT = 1, EV = 1\n"
               "END ELEMENT\nELEMENT\nUSE g\nVAR y, int, INIT = 2, EV = 2\n"), {"E:ENV_INCON:16"}},
      {"array of an environment used with other indexes by the element",
       envProgram("ENVIRONMENT a\nARRAY t[0..1], int, INIT = 0, EV = 0\nVAR u[1], int, INIT = 0, EV = 0\nEND ENVIRONMENT\n"
               "USE a\n",
               "", "VAR t[1], int, INIT = 1, EV = 1\nVAR u[1], int, INIT = 1, EV = 1\nVAR w[0], int, INIT = 1, EV = 1\n"),
       {"W:INDTABDIF:6"}},
      // Messages about an environment's variable point at its statement.
      {"environment variable without expected value",
       envProgram("ENVIRONMENT f\nVAR y, int, INIT = 1\nEND ENVIRONMENT\nUSE f\n"), {"E:VAMIMAABS:6"}},
      {"element's array index overloaded by an environment's index without bounds",
       envProgram("ENVIRONMENT a\nVAR t[k], int, INIT = 0, EV = 0\nEND ENVIRONMENT\nUSE a\n", "",
               "VAR t[1], int, INIT = 1, EV = 1\n"), {"W:INDTABDIF:6", "W:ARRINDENV:6"}},
      {"environment's index without bounds beside another environment's",
       envProgram("ENVIRONMENT a\nVAR t[0], int, INIT = 0, EV = 0\nEND ENVIRONMENT\nENVIRONMENT b\n"
               "VAR t[k], int, INIT = 0, EV = 0\nEND ENVIRONMENT\nUSE b\nUSE a\n"), {"W:INDTABDIF:9", "W:ARRINDENV:9"}},
      {"environment opened in an element forgets the exception expected before it",
       envProgram("", "", "EXCEPTION oops\nENVIRONMENT g\nVAR y, int, INIT = 1, EV = 1\nEND ENVIRONMENT\n"
               "EXCEPTION again\nVAR x, int, INIT = 1, EV = 1\n"), {}},
      {"environment with only an exception", envProgram("ENVIRONMENT f\nEXCEPTION oops\nEND ENVIRONMENT\n"),
       {"W:BLENVVIDE:7"}},
      {"french keywords",
       "ENTETE m, 1, x\n##int x, y;\nDEBUT\nENVIRONNEMENT e(p)\nVAR y, int, INIT = p, EV = p\nFIN ENVIRONNEMENT\n"
       "UTILISE e(4)\nSERVICE s\nTEST t\nFAMILLE f\nELEMENT\nVAR x, int, INIT = 1, EV = 1\nFIN ELEMENT\nFIN FAMILLE\n"
       "FIN TEST\nFIN SERVICE\n", {}, french()},
      {"french end word without parameters",
       "ENTETE m, 1, x\nDEBUT\nENVIRONNEMENT e\nFENVIR\nSERVICE s\nTEST t\nFAMILLE f\nELEMENT\n"
       "VAR x, int, INIT = 1, EV = 1\nFIN ELEMENT\nFIN FAMILLE\nFIN TEST\nFIN SERVICE\n", {"W:BLENVVIDE:5"}, french()},
  };
}

// Prints a case by its name in failure reports.
void PrintTo(const Case& c, std::ostream* os) { *os << c.name; }

// Two include directories; the second holds counter.h.
std::vector<std::string> includeDirectories() {
  const std::string first = scripttest::scratchDir() + "/inc1";
  const std::string second = scripttest::scratchDir() + "/inc2";
  std::filesystem::create_directories(first);
  std::filesystem::create_directories(second);
  scripttest::writeFile("inc2/counter.h", "int counter;\ntypedef struct { int a; } pair_t;\n");
  return {first, second};
}

class ScriptCases : public ::testing::TestWithParam<Case> {};

TEST_P(ScriptCases, GivesExactlyTheseMessages) {
  const Case& c = GetParam();
  Options o = c.options;
  o.includeDirectories = includeDirectories();
  EXPECT_EQ(joined(brief(analyse(c.script, o))), joined(c.expected)) << c.name;
}

INSTANTIATE_TEST_SUITE_P(Scripts, ScriptCases, ::testing::ValuesIn(cases()),
                         [](const ::testing::TestParamInfo<Case>& info) {
                           std::string n;
                           for (const char* p = info.param.name; *p; ++p)
                             n += std::isalnum(static_cast<unsigned char>(*p)) ? *p : '_';
                           return n;
                         });

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

// An environment of an included file: its variable's messages carry that
// file and line; the element's end the script's again.
TEST(EnvironmentMessages, PointAtTheIncludedStatement) {
  const std::string included =
      scripttest::writeFile("env.ptu", "ENVIRONMENT f\nVAR y, int, INIT = 1\nEND ENVIRONMENT\n");
  const auto ms = analyse(envProgram("INCLUDE PTU " + included + "\nUSE f\n", "", ""));
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
  analyse(envProgram("ENVIRONMENT f\nVAR y, int,\n& INIT = 1\nEND ENVIRONMENT\nUSE f\n"), ide);
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

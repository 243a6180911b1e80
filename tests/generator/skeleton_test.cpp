// The harness skeleton: preamble, service functions, the element frame,
// loops, exceptions, selections and the options that change the frame; each
// harness is compiled, and run where its verdicts matter.
#include <functional>
#include <regex>

#include "tests/generator/generation_fixture.h"

namespace zenta::generator {
namespace {

using testing_support::closeElement;
using testing_support::closeTest;
using testing_support::count;
using testing_support::expectInOrder;
using testing_support::findLine;
using testing_support::GenerationTest;
using testing_support::lines;
using testing_support::openElement;
using testing_support::openService;
using testing_support::openTest;
using testing_support::scriptBlocks;

using SkeletonTest = GenerationTest;

TEST_F(SkeletonTest, OneServiceOneTestOneElementMakesACompleteHarness) {
  generate([] {
    genBegin();
    oneElement("SRV", "T1", "");
  });
  const auto h = lines(harness);
  ASSERT_GE(h.size(), 9u);
  EXPECT_EQ(h[0], "#ifndef USE_ZNU");
  // The runtime header, then the class declaration file at the first service.
  EXPECT_EQ(std::vector<std::string>(h.begin() + 6, h.begin() + 9),
            (std::vector<std::string>{"// PROGRAM h", "#include \"TP.h\"", "#include \"h_zcls.h\""}));
  // The analyser learns the runtime's declarations from the same line.
  EXPECT_TRUE(analyser::analyserMacroDefined("ZENTA_TP_H"));
  expectInOrder(h, {"void ZENTA::TEST_SRV (void) { ", "zenta_run.DCL_OP_CPP(1, \"SRV\");",
                    "zenta_run.DCL_TST_CPP(2, \"T1\");", "zenta_run.START_CHRONO_CPP();",
                    "zenta_run.OPF_CPP(\"" + dir_.file("h.rio") + "\");", "zenta.TEST_SRV();",
                    "ZNU_TRACES_FILE(\"" + dir_.file("h.rio") + "\")"});
  expectInOrder(
      h, {"#define exception exception_1_1_1", "zenta_run.NUM_TEST = 1;", "zenta_run.START_CHRONO_CPP();"});
  EXPECT_EQ(count(harness, "zenta_run.START_CHRONO_CPP();"), 1);
  expectInOrder(lines(classFile), {"class ZENTA {", "    void TEST_SRV();", "ZENTA zenta;"});
  ASSERT_TRUE(compile()) << compilerOutput << harness;
  EXPECT_EQ(runHarness().status, 0);
  EXPECT_NE(results().find("OP 1 \"SRV\"\nTS 2 \"T1\""), std::string::npos) << results();
}

TEST_F(SkeletonTest, TheElementFrameIsInTheDocumentedOrder) {
  generate({"begin", "service S", "test T", "element", "native call();"});
  expectInOrder(lines(harness), {"#define exception exception_1_1_1", "try {",
                                 "} catch (...) {zenta_run.EXCEP_CPP(1);}", "zenta_run.START_CHRONO_CPP();",
                                 "try {", "call();", "} catch (...) { zenta_run.EXCEP_CPP(2);}",
                                 "zenta_run.STOP_CHRONO_CPP();", "try {", "} catch (...) { zenta_run.EXCEP_CPP(3);}",
                                 "#undef exception", "} catch (...) { zenta_run.EXCEP_CPP(1);", "}",
                                 "} catch (...) { zenta_run.EXCEP_CPP(1);", "} ", "ZNU_END_TEST_CPP();"});
}

// Service names are cut to an identifier of at most 24 characters and made
// unique; a name that is no identifier warns. The description keeps the
// names as given.
TEST_F(SkeletonTest, ServiceNamesBecomeUniqueIdentifiers) {
  const struct {
    std::vector<std::string> given, functions;
    int warnings;
  } cases[] = {
      {{"NAME", "NAME", "NAME"}, {"TEST_NAME", "TEST_NAME_1", "TEST_NAME_2"}, 0},
      {{"ABCDEFGHIJKLMNOPQRSTUVWXY"}, {"TEST_ABCDEFGHIJKLMNOPQR"}, 0},
      {{"ABCDEFGHIJKLMNOPQ_RST"}, {"TEST_ABCDEFGHIJKLMNOPQ"}, 0},
      {{"ABCDEFGHIJKLMNOP__RST"}, {"TEST_ABCDEFGHIJKLMNOP_0"}, 0},
      {{"ABCDEFGHIJKLMNOPQRSTU", "ABCDEFGHIJKLMNOPQRSTV"}, {"TEST_ABCDEFGHIJKLMNOPQR", "TEST_ABCDEFGHIJKLMNOPQR_1"}, 0},
      {{"MY-SERVICE"}, {"TEST_MY_SERVICE"}, 1},
      {{"CAF\xc3\xa9"}, {"TEST_CAF__"}, 1},
      {{"A.B$C"}, {"TEST_A_B_C"}, 1},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.given[0]);
    SetUp();
    generate([&] {
      genBegin();
      for (const std::string& s : c.given) oneElement(s, "T", "");
    });
    EXPECT_EQ(diag::warningCount(), c.warnings);
    for (const std::string& f : c.functions) {
      EXPECT_NE(harness.find("void ZENTA::" + f + " (void)"), std::string::npos) << f << "\n" << harness;
      EXPECT_NE(harness.find("zenta." + f + "();"), std::string::npos) << f;
    }
    for (const std::string& s : c.given) EXPECT_NE(tdc.find(" " + s + "\n"), std::string::npos) << s;
    for (const char* compiler : {"g++", "clang++"}) EXPECT_TRUE(compile(compiler)) << compilerOutput;
  }
}

// Variants of a program: the settings, the script's handlers, and what the
// harness, the class declaration file and the description then hold. Each
// harness compiles and runs without a failed verdict.
TEST_F(SkeletonTest, ProgramVariants) {
  struct Variant {
    const char* name;
    std::function<void()> settings;
    std::vector<std::string> steps, harnessHas, harnessLacks, tdcHas, classHas, classLacks;
    bool noRuntimeCall = false;
  };
  const auto none = [] {};
  const std::vector<std::string> one = {"begin", "service S", "test T", "element"};
  const std::vector<std::string> two = {"begin", "service S", "test T", "element", "native int v = 1; (void)v;",
                                        "service S2", "test U|2", "element", "exception int(3)"};
  const Variant variants[] = {
      {"implicit service and test of a stray element", none, {"begin", "element"},
       {"void ZENTA::TEST_INCONNUE (void) { ", "zenta_run.DCL_TST_CPP(2, \"INCONNU\");"}, {},
       {"O1 INCONNUE\nT2 INCONNU\n"}, {}, {}},
      {"excluded service", none,
       {"begin", "service KEEP", "test T", "element", "hide service", "service DROP", "test T", "element",
        "end service", "show service"},
       {"zenta.TEST_KEEP();"}, {"TEST_DROP"}, {"O4 DROP\nT5 T\n"}, {}, {"TEST_DROP"}},
      {"excluded test", none,
       {"begin", "service S", "hide test", "test HIDDEN", "element", "end test", "show test", "test SHOWN",
        "element"},
       {"\"SHOWN\""}, {"HIDDEN"}, {"T2 HIDDEN"}, {}, {}},
      {"service without tests", none, {"begin", "service EMPTY", "service FULL", "test T", "element"},
       {"// BEGIN  PROCEDURE TEST_EMPTY"}, {}, {"O1 EMPTY\nE17 0 0\nE16 0 0\nO2 FULL\nT3 T\n"}, {}, {}},
      {"false condition", none,
       {"begin", "service S", "test T", "element", "hide code", "native this is not C++;", "show code",
        "native int kept = 1; (void)kept;", "hide code", "service HIDDEN", "test T", "element",
        "native neither is this;", "end service", "show code"},
       {"int kept = 1;"}, {"not C++", "HIDDEN"}, {"O4 HIDDEN"}, {}, {}},
      {"class option", [] { cmdline::mutableSettings().className = "MYTESTS"; }, one,
       {"void MYTESTS::TEST_S (void) { "}, {}, {}, {"MYTESTS zenta;"}, {}},
      {"with separate", [] { cmdline::mutableSettings().withSeparate = true; }, one,
       {"zenta_run.OPF_CPP(\"h.rio\");", "ZNU_TRACES_FILE(\"h.rio\")"}, {}, {}, {}, {}},
      // No runtime call at all; the frames and the numbers under NEEDS_NUM_TEST_OPE stay.
      {"NOEDIT", [] { cmdline::mutableSettings().noEdit = true; }, two,
       {"zenta_run.NUM_TEST = 1;", "try {", "} catch (...) { }", "#ifdef NEEDS_NUM_TEST_OPE"}, {}, {}, {}, {},
       true},
      {"NOEXCEP", [] { cmdline::mutableSettings().restrictions[cmdline::RestrictNoExcep] = true; }, two,
       {"zenta_run.DCL_TST_CPP"}, {"try", "catch"}, {}, {}, {"exception_"}},
  };
  for (const Variant& v : variants) {
    SCOPED_TRACE(v.name);
    SetUp();
    v.settings();
    generate(v.steps);
    for (const std::string& t : v.harnessHas)
      EXPECT_NE(harness.find(t), std::string::npos) << t << "\n" << harness;
    for (const std::string& t : v.harnessLacks) EXPECT_EQ(harness.find(t), std::string::npos) << t;
    for (const std::string& t : v.tdcHas) EXPECT_NE(tdc.find(t), std::string::npos) << t << "\n" << tdc;
    for (const std::string& t : v.classHas) EXPECT_NE(classFile.find(t), std::string::npos) << t;
    for (const std::string& t : v.classLacks) EXPECT_EQ(classFile.find(t), std::string::npos) << t;
    if (v.noRuntimeCall) {
      EXPECT_FALSE(std::regex_search(harness, std::regex("zenta_run\\.[A-Z_]+ *\\("))) << harness;
    }
    ASSERT_TRUE(compile("clang++")) << compilerOutput << harness;
    EXPECT_EQ(runHarness().status, 0);
  }
}

TEST_F(SkeletonTest, LoopWrapsTheTestAndTakesTheFirstIndex) {
  int nextIndex = 0;
  generate([&] {
    genBegin();
    genNativeLine("static int calls = 0;");
    openService("S");
    openTest("T", "3");
    openElement();
    nextIndex = nextLoopIndex();
    genNativeLine("calls++;");
  });
  // LOOP takes J1, a dynamic initialisation in the same test gets J2.
  EXPECT_EQ(nextIndex, 2);
  const auto h = lines(harness);
  const int loop = findLine(h, "for (J1 = 1 ; J1<=3;J1++ ){");
  ASSERT_NE(loop, -1) << harness;
  EXPECT_LT(findLine(h, "try {", loop - 1), loop);
  EXPECT_NE(findLine(h, "zenta_run.DCL_FAC_REP_CPP(3,3);"), -1);
  EXPECT_NE(tdc.find("T2 T\nR3 3\n"), std::string::npos) << tdc;
  EXPECT_NE(classFile.find("    int J1;"), std::string::npos);
  EXPECT_NE(classFile.find("    int J2;"), std::string::npos);
  ASSERT_TRUE(compile()) << compilerOutput << harness;
  EXPECT_EQ(runHarness().status, 0);
  EXPECT_EQ(count(results(), "TS 2 \"T\"\nREP 3 3\n"), 3) << results();
}

TEST_F(SkeletonTest, LoopCountsOfTheWrongKindAreErrors) {
  const std::pair<const char*, int> cases[] = {{"3", 0},   {"n", 0},     {"0", 1},
                                               {"1.5", 1}, {"\"x\"", 1}, {"0x10", 0}};
  for (const auto& [loop, errors] : cases) {
    SetUp();
    generate({"begin", "service S", std::string("test T|") + loop, "element"});
    EXPECT_EQ(diag::errorCount(), errors) << loop;
  }
}

TEST_F(SkeletonTest, ExpectedAndUnexpectedExceptions) {
  generate({"begin", "native struct Boom { int code; Boom(int c) : code(c) {} };", "service S", "test RAISED",
            "element", "exception Boom(0)", "native throw Boom(4);", "test NOT RAISED", "element",
            "exception Boom(1)", "test UNEXPECTED", "element", "native throw 3;"});
  EXPECT_NE(classFile.find("    Boom *exception_1_1_1;"), std::string::npos) << classFile;
  EXPECT_NE(classFile.find("    exception_1_1_1 = new Boom(0);"), std::string::npos);
  EXPECT_NE(classFile.find("    delete exception_1_2_1;"), std::string::npos);
  EXPECT_NE(harness.find("zenta_run.EXCEP_CPP(5,\"Boom\");"), std::string::npos);
  EXPECT_NE(harness.find(
                "} catch ( Boom  e ) { ZNW_EXCEP_REFCPY(exception, e);  zenta_run.EXCEP_CPP(6,\"Boom\"); }"),
            std::string::npos);
  ASSERT_TRUE(compile()) << compilerOutput << harness;
  const auto r = runHarness();
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.out.find("zenta: 3 checks, 1 passed, 2 failed"), std::string::npos) << r.out;
  const std::string rio = results();
  for (const char* record : {"EXCEP 2 PASS 6 \"Boom\"", "EXCEP 4 FAIL 5 \"Boom\"", "EXCEP 6 FAIL 2"})
    EXPECT_NE(rio.find(record), std::string::npos) << record << "\n" << rio;
}

TEST_F(SkeletonTest, InitializationAndTerminationCodeStandInMain) {
  generate([] {
    genBegin();
    genNativeLine("#include <cstdio>");
    scriptBlocks().initializationOpen = true;
    genNativeLine("std::puts(\"init\");");
    scriptBlocks().initializationOpen = false;
    scriptBlocks().terminationOpen = true;
    genNativeLine("std::puts(\"term\");");
    scriptBlocks().terminationOpen = false;
    oneElement("S", "T", "std::puts(\"call\");");
  });
  expectInOrder(lines(harness), {"int main(int argc, char ** argv)", "std::puts(\"init\");",
                                 "zenta.TEST_S();", "std::puts(\"term\");"});
  ASSERT_TRUE(compile()) << compilerOutput;
  EXPECT_EQ(runHarness().out.substr(0, 15), "init\ncall\nterm\n");
}

TEST_F(SkeletonTest, UnmatchedServiceSelectionIsListed) {
  const std::string list = dir_.file("run.lis");
  diag::openListFile(list);
  cmdline::mutableSettings().services = {"S", "NOSUCH"};
  generate([] {
    genBegin();
    oneElement("S", "T", "");
  });
  diag::closeListFile();
  EXPECT_NE(testkit::ScratchDir::slurp(list).find("liste totale des services \nS\n"
                                                  "liste des services en inclusion \nS\nNOSUCH\n"
                                                  "liste des services a executer \nS\n"),
            std::string::npos)
      << testkit::ScratchDir::slurp(list);
}

}  // namespace
}  // namespace zenta::generator

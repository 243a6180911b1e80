#include <regex>

#include "tests/generator/generation_fixture.h"

namespace zenta::generator {
namespace {

using testing_support::closeElement;
using testing_support::closeService;
using testing_support::closeTest;
using testing_support::count;
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
  // Preamble.
  ASSERT_GE(h.size(), 8u);
  EXPECT_EQ(h[0], "#ifndef USE_ZNU");
  EXPECT_EQ(h[6], "// PROGRAM h");
  EXPECT_EQ(h[7], "#include \"TP.h\"");
  // The class declaration file is included at the first service.
  EXPECT_EQ(h[8], "#include \"h_zcls.h\"");
  // The analyser learns the runtime's declarations from the same line.
  EXPECT_TRUE(analyser::analyserMacroDefined("ZENTA_TP_H"));
  EXPECT_NE(findLine(h, "void ZENTA::TEST_SRV (void) { "), -1);
  EXPECT_NE(findLine(h, "zenta_run.DCL_OP_CPP(1, \"SRV\");"), -1);
  EXPECT_NE(findLine(h, "zenta_run.DCL_TST_CPP(2, \"T1\");"), -1);
  EXPECT_NE(findLine(h, "#define exception exception_1_1_1"), -1);
  EXPECT_NE(findLine(h, "zenta.TEST_SRV();"), -1);
  EXPECT_NE(findLine(h, "zenta_run.OPF_CPP(\"" + dir_.file("h.rio") + "\");"), -1);
  EXPECT_NE(findLine(h, "ZNU_TRACES_FILE(\"" + dir_.file("h.rio") + "\")"), -1);
  EXPECT_EQ(count(harness, "zenta_run.START_CHRONO_CPP();"), 1);
  // The declaration precedes the test, which precedes the element frame.
  EXPECT_LT(findLine(h, "zenta_run.DCL_OP_CPP(1, \"SRV\");"), findLine(h, "zenta_run.DCL_TST_CPP(2, \"T1\");"));
  EXPECT_LT(findLine(h, "zenta_run.NUM_TEST = 1;"), findLine(h, "zenta_run.START_CHRONO_CPP();"));
  const auto k = lines(classFile);
  EXPECT_NE(findLine(k, "class ZENTA {"), -1);
  EXPECT_NE(findLine(k, "    void TEST_SRV();"), -1);
  EXPECT_NE(findLine(k, "ZENTA zenta;"), -1);
  EXPECT_TRUE(compile()) << compilerOutput << harness;
  const auto r = runHarness();
  EXPECT_EQ(r.status, 0) << r.out << r.err;
  EXPECT_NE(results().find("OP 1 \"SRV\""), std::string::npos);
  EXPECT_NE(results().find("TS 2 \"T1\""), std::string::npos);
}

TEST_F(SkeletonTest, TheElementFrameIsInTheDocumentedOrder) {
  generate([] {
    genBegin();
    oneElement("S", "T", "call();");
  });
  const auto h = lines(harness);
  const std::vector<std::string> order = {
      "#define exception exception_1_1_1",         "try {",
      "} catch (...) {zenta_run.EXCEP_CPP(1);}",   "zenta_run.START_CHRONO_CPP();",
      "try {",                                     "call();",
      "} catch (...) { zenta_run.EXCEP_CPP(2);}",  "zenta_run.STOP_CHRONO_CPP();",
      "try {",                                     "} catch (...) { zenta_run.EXCEP_CPP(3);}",
      "#undef exception",                          "} catch (...) { zenta_run.EXCEP_CPP(1);",
      "}",                                         "} catch (...) { zenta_run.EXCEP_CPP(1);",
      "} ",                                        "ZNU_END_TEST_CPP();",
  };
  int at = findLine(h, order[0]);
  ASSERT_NE(at, -1);
  for (std::size_t i = 1; i < order.size(); ++i) {
    const int next = findLine(h, order[i], at + 1);
    ASSERT_NE(next, -1) << "missing after line " << at << ": " << order[i] << "\n" << harness;
    at = next;
  }
}

TEST_F(SkeletonTest, ServiceNamesAreCutAndMadeUnique) {
  struct Case {
    std::vector<std::string> given;
    std::vector<std::string> functions;
  };
  const std::vector<Case> cases = {
      {{"NAME", "NAME", "NAME"}, {"TEST_NAME ", "TEST_NAME_1 ", "TEST_NAME_2 "}},
      {{"ABCDEFGHIJKLMNOPQRSTUVWXY"}, {"TEST_ABCDEFGHIJKLMNOPQR "}},
      {{"ABCDEFGHIJKLMNOPQ_RST"}, {"TEST_ABCDEFGHIJKLMNOPQ "}},
      {{"ABCDEFGHIJKLMNOP__RST"}, {"TEST_ABCDEFGHIJKLMNOP_0 "}},
      {{"ABCDEFGHIJKLMNOPQRSTU", "ABCDEFGHIJKLMNOPQRSTV"}, {"TEST_ABCDEFGHIJKLMNOPQR ", "TEST_ABCDEFGHIJKLMNOPQR_1 "}},
  };
  for (const Case& c : cases) {
    SetUp();
    generate([&] {
      genBegin();
      for (const std::string& s : c.given) oneElement(s, "T", "");
    });
    for (const std::string& f : c.functions) {
      EXPECT_NE(harness.find("void ZENTA::" + f + "(void)"), std::string::npos) << f << "\n" << harness;
      std::string call = f;
      call.pop_back();
      EXPECT_NE(harness.find("zenta." + call + "();"), std::string::npos) << call;
    }
    // The description keeps the names as given.
    for (const std::string& s : c.given) EXPECT_NE(tdc.find(" " + s + "\n"), std::string::npos) << s;
    EXPECT_TRUE(compile()) << compilerOutput;
  }
}

// A service name that is no identifier gives a warning and a member
// function whose name is one; the description keeps the name as given.
TEST_F(SkeletonTest, ServiceNamesThatAreNoIdentifiersAreMadeValid) {
  const std::pair<std::string, std::string> cases[] = {
      {"MY-SERVICE", "TEST_MY_SERVICE "}, {"CAF\xc3\xa9", "TEST_CAF__ "}, {"A.B$C", "TEST_A_B_C "}};
  for (const auto& [given, function] : cases) {
    SetUp();
    generate([&] {
      genBegin();
      oneElement(given, "T", "");
    });
    EXPECT_EQ(diag::warningCount(), 1) << given;
    EXPECT_NE(harness.find("void ZENTA::" + function + "(void)"), std::string::npos) << given << "\n" << harness;
    EXPECT_NE(tdc.find("O1 " + given + "\n"), std::string::npos) << tdc;
    for (const char* compiler : {"g++", "clang++"}) EXPECT_TRUE(compile(compiler)) << compilerOutput;
  }
}

TEST_F(SkeletonTest, ImplicitServiceAndTestOfAStrayElementAreDeclared) {
  generate([] {
    genBegin();
    openElement();
    closeElement();
    closeTest();
    closeService();
  });
  EXPECT_NE(harness.find("void ZENTA::TEST_INCONNUE (void) { "), std::string::npos);
  EXPECT_NE(harness.find("zenta_run.DCL_TST_CPP(2, \"INCONNU\");"), std::string::npos);
  EXPECT_NE(tdc.find("O1 INCONNUE\nT2 INCONNU\n"), std::string::npos) << tdc;
  EXPECT_TRUE(compile()) << compilerOutput;
}

TEST_F(SkeletonTest, NoEditLeavesNoRuntimeCallButKeepsTheFrames) {
  cmdline::mutableSettings().noEdit = true;
  generate([] {
    genBegin();
    oneElement("S", "T", "");
    openService("S2");
    openTest("U", "2");
    openElement();
    genException("int(3)");
    closeElement();
    closeService();
  });
  // No runtime call at all; the numbers under NEEDS_NUM_TEST_OPE stay.
  EXPECT_FALSE(std::regex_search(harness, std::regex("zenta_run\\.[A-Z_]+ *\\("))) << harness;
  EXPECT_NE(harness.find("zenta_run.NUM_TEST = 1;"), std::string::npos);
  EXPECT_GT(count(harness, "try {"), 0);
  EXPECT_NE(harness.find("} catch (...) { }"), std::string::npos);
  EXPECT_NE(harness.find("#ifdef NEEDS_NUM_TEST_OPE"), std::string::npos);
  EXPECT_TRUE(compile()) << compilerOutput << harness;
  EXPECT_EQ(runHarness().status, 0);
}

TEST_F(SkeletonTest, NoExcepLeavesNoTryNorCatch) {
  cmdline::mutableSettings().restrictions[cmdline::RestrictNoExcep] = true;
  generate([] {
    genBegin();
    oneElement("S", "T", "int v = 1; (void)v;");
    openService("S2");
    openTest("U", "2");
    openElement();
    genException("int(3)");
    closeElement();
    closeService();
  });
  EXPECT_EQ(harness.find("try"), std::string::npos) << harness;
  EXPECT_EQ(harness.find("catch"), std::string::npos) << harness;
  EXPECT_EQ(classFile.find("exception_"), std::string::npos);
  EXPECT_NE(harness.find("zenta_run.DCL_TST_CPP"), std::string::npos);
  EXPECT_TRUE(compile()) << compilerOutput << harness;
  const auto r = runHarness();
  EXPECT_EQ(r.status, 0) << r.out;
  EXPECT_NE(r.out.find("zenta: 0 checks"), std::string::npos) << r.out;
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
    closeElement();
    closeTest();
    closeService();
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
  // The loop's closing brace comes after the test body, before the catch.
  const int close = findLine(h, "}", findLine(h, "#undef exception"));
  EXPECT_GT(close, loop);
  ASSERT_TRUE(compile()) << compilerOutput << harness;
  const auto r = runHarness();
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(count(results(), "TS 2 \"T\""), 3) << results();
  EXPECT_EQ(count(results(), "REP 3 3"), 3);
}

TEST_F(SkeletonTest, LoopCountsOfTheWrongKindAreErrors) {
  struct Case {
    const char* count;
    int errors;
  };
  const Case cases[] = {{"3", 0}, {"n", 0}, {"0", 1}, {"1.5", 1}, {"\"x\"", 1}, {"0x10", 0}};
  for (const Case& c : cases) {
    SetUp();
    generate([&] {
      genBegin();
      openService("S");
      openTest("T", c.count);
      openElement();
      closeElement();
      closeService();
    });
    EXPECT_EQ(diag::errorCount(), c.errors) << c.count;
  }
}

TEST_F(SkeletonTest, ExcludedServiceLeavesOnlyItsDescription) {
  generate([] {
    genBegin();
    oneElement("KEEP", "T", "");
    setSuppressed(SuppressService, true);
    oneElement("DROP", "T", "");
    setSuppressed(SuppressService, false);
  });
  EXPECT_EQ(harness.find("TEST_DROP"), std::string::npos);
  EXPECT_EQ(classFile.find("TEST_DROP"), std::string::npos);
  EXPECT_NE(harness.find("zenta.TEST_KEEP();"), std::string::npos);
  EXPECT_NE(tdc.find("O4 DROP\nT5 T\n"), std::string::npos) << tdc;
  EXPECT_TRUE(compile()) << compilerOutput;
}

TEST_F(SkeletonTest, ExcludedTestLeavesTheServiceBalanced) {
  generate([] {
    genBegin();
    openService("S");
    setSuppressed(SuppressTest, true);
    openTest("HIDDEN", "");
    openElement();
    closeElement();
    closeTest();
    setSuppressed(SuppressTest, false);
    openTest("SHOWN", "");
    openElement();
    closeElement();
    closeTest();
    closeService();
  });
  EXPECT_EQ(harness.find("HIDDEN"), std::string::npos);
  EXPECT_NE(harness.find("\"SHOWN\""), std::string::npos);
  EXPECT_NE(tdc.find("T2 HIDDEN"), std::string::npos);
  EXPECT_TRUE(compile()) << compilerOutput << harness;
}

TEST_F(SkeletonTest, ExpectedExceptionIsCaughtAndCopied) {
  generate([] {
    genBegin();
    genNativeLine("struct Boom { int code; Boom(int c) : code(c) {} };");
    openService("S");
    openTest("RAISED", "");
    openElement();
    genException("Boom(0)");
    genNativeLine("throw Boom(4);");
    closeElement();
    closeTest();
    openTest("NOT RAISED", "");
    openElement();
    genException("Boom(1)");
    closeElement();
    closeTest();
    closeService();
  });
  EXPECT_NE(classFile.find("    Boom *exception_1_1_1;"), std::string::npos) << classFile;
  EXPECT_NE(classFile.find("    exception_1_1_1 = new Boom(0);"), std::string::npos);
  EXPECT_NE(classFile.find("    delete exception_1_2_1;"), std::string::npos);
  EXPECT_NE(harness.find("zenta_run.EXCEP_CPP(5,\"Boom\");"), std::string::npos);
  EXPECT_NE(harness.find("} catch ( Boom  e ) { ZNW_EXCEP_REFCPY(exception, e);  zenta_run.EXCEP_CPP(6,\"Boom\"); }"),
            std::string::npos);
  ASSERT_TRUE(compile()) << compilerOutput << harness;
  const auto r = runHarness();
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.out.find("zenta: 2 checks, 1 passed, 1 failed"), std::string::npos) << r.out;
  EXPECT_NE(results().find("EXCEP 2 PASS 6 \"Boom\""), std::string::npos) << results();
  EXPECT_NE(results().find("EXCEP 4 FAIL 5 \"Boom\""), std::string::npos) << results();
}

TEST_F(SkeletonTest, UnexpectedExceptionFailsTheCallPart) {
  generate([] {
    genBegin();
    oneElement("S", "T", "throw 3;");
  });
  ASSERT_TRUE(compile()) << compilerOutput;
  const auto r = runHarness();
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(results().find("EXCEP 2 FAIL 2"), std::string::npos) << results();
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
  const auto h = lines(harness);
  const int main = findLine(h, "int main(int argc, char ** argv)");
  const int init = findLine(h, "std::puts(\"init\");");
  const int call = findLine(h, "zenta.TEST_S();");
  const int term = findLine(h, "std::puts(\"term\");");
  ASSERT_NE(main, -1);
  EXPECT_LT(main, init);
  EXPECT_LT(init, call);
  EXPECT_LT(call, term);
  ASSERT_TRUE(compile()) << compilerOutput;
  const auto r = runHarness();
  EXPECT_EQ(r.out.substr(0, 15), "init\ncall\nterm\n") << r.out;
}

TEST_F(SkeletonTest, ServiceWithoutTestsIsStillBalanced) {
  generate([] {
    genBegin();
    openService("EMPTY");
    closeService();
    oneElement("FULL", "T", "");
  });
  EXPECT_NE(harness.find("// BEGIN  PROCEDURE TEST_EMPTY"), std::string::npos);
  EXPECT_NE(tdc.find("O1 EMPTY\nE17 0 0\nE16 0 0\nO2 FULL\nT3 T\n"), std::string::npos) << tdc;
  EXPECT_TRUE(compile()) << compilerOutput << harness;
}

TEST_F(SkeletonTest, FalseConditionDropsNativeLinesAndWholeServices) {
  generate([] {
    genBegin();
    openService("S");
    openTest("T", "");
    openElement();
    setSuppressed(SuppressCondition, true);
    genNativeLine("this is not C++;");
    setSuppressed(SuppressCondition, false);
    genNativeLine("int kept = 1; (void)kept;");
    closeElement();
    closeTest();
    closeService();
    setSuppressed(SuppressCondition, true);
    oneElement("HIDDEN", "T", "neither is this;");
    setSuppressed(SuppressCondition, false);
  });
  EXPECT_EQ(harness.find("not C++"), std::string::npos);
  EXPECT_NE(harness.find("int kept = 1;"), std::string::npos);
  EXPECT_EQ(harness.find("HIDDEN"), std::string::npos);
  EXPECT_NE(tdc.find("O4 HIDDEN"), std::string::npos) << tdc;
  EXPECT_TRUE(compile()) << compilerOutput << harness;
}

TEST_F(SkeletonTest, ClassOptionRenamesTheTestClass) {
  cmdline::mutableSettings().className = "MYTESTS";
  generate([] {
    genBegin();
    oneElement("S", "T", "");
  });
  EXPECT_NE(harness.find("void MYTESTS::TEST_S (void) { "), std::string::npos);
  EXPECT_NE(classFile.find("MYTESTS zenta;"), std::string::npos);
  EXPECT_TRUE(compile("clang++")) << compilerOutput;
}

TEST_F(SkeletonTest, WithSeparateKeepsOnlyTheTraceFileName) {
  cmdline::mutableSettings().withSeparate = true;
  generate([] {
    genBegin();
    oneElement("S", "T", "");
  });
  EXPECT_NE(harness.find("zenta_run.OPF_CPP(\"h.rio\");"), std::string::npos) << harness;
  EXPECT_NE(harness.find("ZNU_TRACES_FILE(\"h.rio\")"), std::string::npos);
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
  const std::string text = testkit::ScratchDir::slurp(list);
  EXPECT_NE(text.find("liste totale des services \nS\n"), std::string::npos) << text;
  EXPECT_NE(text.find("liste des services en inclusion \nS\nNOSUCH\n"), std::string::npos) << text;
  EXPECT_NE(text.find("liste des services a executer \nS\n"), std::string::npos) << text;
}

}  // namespace
}  // namespace zenta::generator

// The compiler's command: settings, checks with their messages, and the
// canonical command text.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "cmdline/options.h"
#include "cmdline/settings.h"
#include "diag/catalogue.h"
#include "diag/report.h"
#include "tests/cmdline/cmdline_testing.h"
#include "tests/testkit/process.h"

namespace zenta::cmdline {
namespace {

using testing_support::EnvGuard;
using testing_support::expectedLine;

struct Outcome {
  CommandResult result;
  std::string out;  // standard output
  std::string err;  // standard error (warnings)
  int warnings = 0;
};

Outcome runCommand(std::vector<std::string> args) {
  diag::resetForTests();
  args.insert(args.begin(), "zentaprepro");
  Outcome r;
  testing::internal::CaptureStdout();
  testing::internal::CaptureStderr();
  r.result = decodeCommand(args, [](const std::string&) {});
  r.err = testing::internal::GetCapturedStderr();
  r.out = testing::internal::GetCapturedStdout();
  r.warnings = diag::warningCount();
  return r;
}

class Options : public ::testing::Test {
 protected:
  void SetUp() override { diag::registerCatalogues(); }
  void TearDown() override {
    resetSettings();
    diag::resetForTests();
  }
  EnvGuard noTarget_{"ZNTTGT", std::nullopt};
};

TEST_F(Options, DefaultsWithoutOptions) {
  Outcome r = runCommand({"t.ptu", "t.cc"});
  ASSERT_EQ(r.result.outcome, CommandResult::Ok) << r.result.detail;
  const Settings& s = settings();
  EXPECT_EQ(s.commandText, "zentaprepro t.ptu t.cc /LANGUAGE=C++ /TARGET=indefinie /FAST");
  EXPECT_EQ(s.testScript + "|" + s.harness + "|" + s.resultsDirectory + "|" + s.languageName + "|" + s.systemName + "|" +
                s.target + "|" + s.version + "|" + s.className + "|" + s.databaseName + "|" + s.standardDefinitions,
            "t.ptu|t.cc||C++|PC/NT|indefinie||ZENTA|oracle|");
  EXPECT_EQ(s.languageIndex, 6);
  EXPECT_EQ(s.languageCompanion, 5);
  EXPECT_TRUE(s.analysis && s.fast);
  EXPECT_FALSE(s.compress || s.expand || s.subSystem || s.noSimulation || s.noEdit || s.noPath);
  EXPECT_EQ(s.compilerSystem, SysNt);
  EXPECT_TRUE(s.restricted(RestrictAnsi));
  EXPECT_FALSE(s.restricted(RestrictKr));
  EXPECT_EQ(s.errorDisplayLimit, 60);
  EXPECT_EQ(s.warningDisplayLimit, 120);
  EXPECT_EQ(r.warnings, 0);
  EXPECT_EQ(r.out, "");
  // The build options come after the classic ones in the usage text.
  EXPECT_NE(usageText().find("\t[-NOEDIT]\n\t[-DEPFILE=<dep_file>]\n\t[-MESSAGES=<CLASSIC|IDE>]\n\t[-LEARN|-NOLEARN]\n"),
            std::string::npos);
}

TEST_F(Options, LanguageValues) {
  // A dialect name is kept (canonical, upper-cased) and selects the dialect's
  // standard definitions; any other value beginning with C++ is plain C++.
  struct Case {
    const char* arg;
    const char* name;
    const char* definitions;
  };
  const Case cases[] = {
      {"-LANGUAGE=C++", "C++", "znus_c.def"},       {"-LANGUAGE=c++98", "C++", "znus_c.def"},
      {"-LANGUAGE=C++2026", "C++", "znus_c.def"},   {"-LANGUAGE=c++11", "C++11", "znus_cxx11.def"},
      {"-LANG=C++14", "C++14", "znus_cxx14.def"},  {"-LANG=C++17", "C++17", "znus_cxx17.def"},
      {"-LANGAGE=c++1z", "C++17", "znus_cxx17.def"}, {"-LANGUAGE=C++20", "C++20", "znus_cxx20.def"},
      {"-LANGUAGE=c++2a", "C++20", "znus_cxx20.def"}, {"-LANGUAGE=C++23", "C++23", "znus_cxx23.def"},
  };
  EnvGuard tgt("ZNTTGT", "/tgt");
  for (const Case& c : cases) {
    Outcome r = runCommand({"t.ptu", "t.cc", c.arg});
    EXPECT_EQ(r.result.outcome, CommandResult::Ok) << c.arg;
    EXPECT_EQ(settings().languageName, c.name) << c.arg;
    EXPECT_EQ(settings().standardDefinitions, std::string("/tgt/ana/") + c.definitions) << c.arg;
    EXPECT_EQ(settings().languageIndex, 6) << c.arg;
    EXPECT_EQ(settings().languageCompanion, 5) << c.arg;
  }
  for (const char* bad : {"C", "ADA", "c+"}) {
    Outcome r = runCommand({"t.ptu", "t.cc", std::string("-LANGUAGE=") + bad});
    EXPECT_EQ(r.result.outcome, CommandResult::UnknownLanguage) << bad;
    EXPECT_EQ(r.result.detail, bad);
  }
}

TEST_F(Options, NamesAreCasedAsTheirUseNeedsAndTextsKeptAsGiven) {
  Outcome r = runCommand({"t.ptu", "t.cc", "-VERSION=v1.2b", "-TARGET=linux64", "-CLASS=MyRunner", "-DBMS=PostGres",
                          "-COMMAND=build all", "-STRVER=7"});
  ASSERT_EQ(r.result.outcome, CommandResult::Ok);
  EXPECT_EQ(settings().version, "V1.2B");
  EXPECT_EQ(settings().target, "LINUX64");
  EXPECT_EQ(settings().className, "MyRunner");
  EXPECT_EQ(settings().databaseName, "postgres");
  EXPECT_EQ(settings().commandOverride, "build all");
  EXPECT_EQ(settings().strver, "7");
  EXPECT_EQ(r.warnings, 1);  // OPSGBDINP, checked below
  ASSERT_EQ(runCommand({"t.ptu", "t.cc", "-NOCOMMAND", "-NOSTRVER"}).result.outcome, CommandResult::Ok);
  EXPECT_EQ(settings().commandOverride, "");
  EXPECT_EQ(settings().strver, "");
}

// Each check that only warns: the arguments, the expected code and argument
// text in the line, and what the setting becomes.
TEST_F(Options, WarningChecks) {
  struct Case {
    std::vector<std::string> args;
    std::string code;
    std::string argument;
  };
  const std::vector<Case> cases = {
      {{"-LEARN"}, "OPTOBSOLET", "LEARN"},
      {{"-DATA=d.dat"}, "OPTOBSOLET", "DATA"},
      {{"-COMPRESS", "-EXPAND"}, "OPINCOMPA", "COMPRESS, EXPEND"},
      {{"-RENAME=r.txt"}, "OPTCETANA", "RENAME"},
      {{"-NOANALYZE", "-STD_DEFINE=s.def"}, "OPTCETCPP", "STD_DEFINE"},
      {{"-NOANALYZE", "-SYMBTAB=s.tab"}, "OPTIONANA", "SYMBTAB"},
      {{"-NOANALYZE", "-ADALINK=a.lnk"}, "OPTIONANA", "ADALINK"},
      {{"-NOANALYZE", "-STANDARD=std"}, "OPTIONANA", "STANDARD"},
      {{"-RESTRICTION=KR,ANSI"}, "CMDERREUR", "improper RESTR=KR option"},
      {{"-DBMS=x"}, "OPSGBDINP", ""},
  };
  for (const Case& c : cases) {
    std::vector<std::string> args = {"t.ptu", "t.cc"};
    args.insert(args.end(), c.args.begin(), c.args.end());
    Outcome r = runCommand(args);
    SCOPED_TRACE(c.code + " " + c.argument);
    ASSERT_EQ(r.result.outcome, CommandResult::Ok);
    EXPECT_EQ(r.warnings, 1);
    EXPECT_EQ(r.err, diag::formatLine(diag::Warning, c.code.c_str(), c.argument));
  }
}

TEST_F(Options, WarnedSettingsAreDroppedOrKeptAsStated) {
  runCommand({"t.ptu", "t.cc", "-COMPRESS", "-EXPAND"});
  EXPECT_TRUE(settings().compress);
  EXPECT_TRUE(settings().expand);
  runCommand({"t.ptu", "t.cc", "-NOANALYZE", "-STD_DEFINE=s.def", "-SYMBTAB=s.tab", "-ADALINK=a", "-STANDARD=b"});
  EXPECT_FALSE(settings().analysis);
  EXPECT_EQ(settings().standardDefinitions, "");
  EXPECT_EQ(settings().symbolTable, "");
  EXPECT_EQ(settings().adaLink, "");
  EXPECT_EQ(settings().standardFile, "");
  Outcome kept = runCommand({"t.ptu", "t.cc", "-STD_DEFINE=s.def", "-SYMBTAB=s.tab", "-ADALINK=a", "-STANDARD=b"});
  EXPECT_EQ(kept.warnings, 0);
  EXPECT_EQ(settings().standardDefinitions, "s.def");
  EXPECT_EQ(settings().symbolTable, "s.tab");
  EXPECT_EQ(settings().adaLink, "a");
  EXPECT_EQ(settings().standardFile, "b");
  Outcome kr = runCommand({"t.ptu", "t.cc", "-RESTRICTION=KR,ANSI"});
  for (int r = 0; r < RestrictionCount; ++r)
    EXPECT_EQ(settings().restricted(static_cast<Restriction>(r)), r == RestrictAnsi) << r;
  EXPECT_EQ(settings().restrictionValues, (std::vector<std::string>{"KR", "ANSI"}));
}

TEST_F(Options, StandardDefinitionsFromTheTargetDirectory) {
  {
    EnvGuard tgt("ZNTTGT", "/opt/zenta/tgt");
    Outcome r = runCommand({"t.ptu", "t.cc"});
    EXPECT_EQ(r.warnings, 0);
    EXPECT_EQ(settings().standardDefinitions, "/opt/zenta/tgt/ana/znus_c.def");
    // The option wins over the target directory.
    runCommand({"t.ptu", "t.cc", "-STD_DEFINE=mine.def"});
    EXPECT_EQ(settings().standardDefinitions, "mine.def");
    {
      EnvGuard slash("ZNTTGT", "/opt/zenta/tgt//");
      runCommand({"t.ptu", "t.cc"});
      EXPECT_EQ(settings().standardDefinitions, "/opt/zenta/tgt/ana/znus_c.def");
    }
    // Without analysis the target's file is not taken, and nothing is said.
    Outcome off = runCommand({"t.ptu", "t.cc", "-NOANALYZE"});
    EXPECT_EQ(off.warnings, 0);
    EXPECT_EQ(settings().standardDefinitions, "");
  }
  EnvGuard empty("ZNTTGT", "");
  runCommand({"t.ptu", "t.cc"});
  EXPECT_EQ(settings().standardDefinitions, "");
}

TEST_F(Options, FilesKeptAsGiven) {
  Outcome r = runCommand({"t.ptu", "t.cc", "\"out dir\"", "-CONST=consts", "-SOURCE=sep.c", "-VISTRA_LOG=tool.log",
                      "-RIONAME=r.rio", "-TSF=f.tsf"});
  ASSERT_EQ(r.result.outcome, CommandResult::Ok) << r.result.detail;
  const Settings& s = settings();
  EXPECT_EQ(s.resultsDirectory, "out dir");
  EXPECT_TRUE(s.constantsFileGiven);
  EXPECT_EQ(s.constantsFile, "consts.cc");
  EXPECT_EQ(s.sourceFile, "sep.c");
  EXPECT_EQ(s.toolLog, "tool.log");
  EXPECT_EQ(s.rioName, "r.rio");
  EXPECT_EQ(s.tsfFile, "f.tsf");
  EXPECT_TRUE(s.tsf);
  for (const auto& [given, kept] : std::vector<std::pair<std::string, std::string>>{
           {"c.h", "c.h"}, {"dir.d/consts", "dir.d/consts.cc"}, {"a/b.txt", "a/b.txt"}}) {
    runCommand({"t.ptu", "t.cc", "-CONST=" + given});
    EXPECT_EQ(settings().constantsFile, kept);
  }
  runCommand({"t.ptu", "t.cc", "res\""});
  EXPECT_EQ(settings().resultsDirectory, "res");
}

TEST_F(Options, ListsAndSelections) {
  Outcome r = runCommand({"t.ptu", "t.cc", "-SERVICE=(s1,s2)", "-TEST=t1", "-TEST=t2", "-EXFAMILY=slow", "-INCL=inc",
                      "-DEFINE=A=1,B"});
  ASSERT_EQ(r.result.outcome, CommandResult::Ok) << r.result.detail;
  const Settings& s = settings();
  EXPECT_EQ(s.services, (std::vector<std::string>{"s1", "s2"}));
  EXPECT_EQ(s.tests, (std::vector<std::string>{"t1", "t2"}));
  EXPECT_EQ(s.exFamilies, (std::vector<std::string>{"slow"}));
  EXPECT_EQ(s.includeDirectories, (std::vector<std::string>{"inc"}));
  EXPECT_EQ(s.definitions, (std::vector<std::string>{"A=1", "B"}));
  EXPECT_TRUE(s.operationSelection);
  EXPECT_FALSE(s.exclusionSelection);
  runCommand({"t.ptu", "t.cc", "-EXOPERATION=(x)"});
  EXPECT_EQ(settings().exOperations, (std::vector<std::string>{"x"}));
  EXPECT_FALSE(settings().operationSelection);
  EXPECT_TRUE(settings().exclusionSelection);
}

TEST_F(Options, SystemFlagsAndCompilerSystem) {
  for (const char* flag : {"-SUB_SYSTEM", "-SYSTEM", "-SS", "-SOUS"}) {
    runCommand({"t.ptu", "t.cc", flag});
    EXPECT_TRUE(settings().subSystem) << flag;
  }
  runCommand({"t.ptu", "t.cc", "-NOSS"});
  EXPECT_FALSE(settings().subSystem);
  const std::pair<const char*, int> systems[] = {{"UNIX", 0}, {"os2", 1}, {"DOS", 2}, {"V", 3}, {"NT", 4}};
  for (const auto& [name, code] : systems) {
    runCommand({"t.ptu", "t.cc", std::string("-SYSCOMP=") + name});
    EXPECT_EQ(settings().compilerSystem, code) << name;
    EXPECT_TRUE(settings().compilerSystemGiven);
  }
}

TEST_F(Options, TracesAndDisplayLimits) {
  Outcome r = runCommand({"t.ptu", "t.cc", "-XT=3,12", "-E=5", "-W=255"});
  ASSERT_EQ(r.result.outcome, CommandResult::Ok);
  EXPECT_EQ(r.out, "active trace 3\nactive trace 12\n");
  for (int n = -1; n < 20; ++n) EXPECT_EQ(traceOn(n), n == 3) << n;
  EXPECT_EQ(settings().errorDisplayLimit, 5);
  EXPECT_EQ(settings().warningDisplayLimit, 255);
  Outcome zero = runCommand({"t.ptu", "t.cc", "-XT=0,9"});
  EXPECT_TRUE(traceOn(0) && traceOn(9));
}

TEST_F(Options, DecoderErrorsAreReportedWithTheLine) {
  Outcome r = runCommand({"t.ptu", "t.cc", "-SERVICE=a", "-EXSERVICE=b"});
  EXPECT_EQ(r.result.outcome, CommandResult::DecoderError);
  EXPECT_EQ(r.result.detail, expectedLine("Illegal combination of command elements,", "SERVICE and EXSERVICE"));
  EXPECT_EQ(r.warnings, 0);
}

struct CanonicalCase {
  std::vector<std::string> args;
  std::optional<std::string> znttgt;
  std::string text;
};

TEST_F(Options, CanonicalCommandText) {
  const std::vector<CanonicalCase> cases = {
      {{"t.ptu", "t.cc"}, std::nullopt, "zentaprepro t.ptu t.cc /LANGUAGE=C++ /TARGET=indefinie /FAST"},
      {{"src/a.ptu", "out/a.cpp", "\"res dir\"", "-VERSION=v2.1", "-TARGET=host", "-SS", "-SOURCE=sep.c",
        "-STRVER=s1", "-NOFAST", "-COMPRESS", "-SERVICE=s1,s2", "-EXTEST=t9", "-FAMILY=nightly", "-INCL=inc1,inc2",
        "-DEFINE=A=1"},
       std::nullopt,
       "zentaprepro src/a.ptu out/a.cpp \"res dir\" /LANGUAGE=C++ /VERSION=V2.1 /TARGET=HOST /SUB_SYSTEM "
       "/SOURCE=sep.c /STRVER=s1 /COMPRESS /SERVICE=s1,s2 /FAMILY=nightly /EXTEST=t9 /INCL=inc1,inc2 /DEFINE=A=1"},
      {{"t.ptu", "t.cc", "-LANGUAGE=c++11", "-RESTRICTION=NOEXCEP,KR", "-SYSCOMP=unix", "-NOSIMULATION", "-NOEDIT",
        "-STD_DEFINE=std.def", "-SYMBTAB=sym.tab", "-STANDARD=std.txt", "-ADALINK=ada.lnk", "-EXPAND", "-NOPATH"},
       std::nullopt,
       "zentaprepro t.ptu t.cc /LANGUAGE=C++11 /TARGET=indefinie /FAST /EXPAND /RESTRICTION=NOEXCEP,KR /SYSCOMP=UNIX "
       "/NOSIMULATION /NOEDIT /STD_DEFINE=std.def /SYMBTAB=sym.tab /STANDARD=std.txt /ADALINK=ada.lnk"},
      {{"t.ptu", "t.cc", "-NOANALYZE", "-OPERATION=op", "-TEST=x,y", "-EXFAMILY=f"},
       std::string("/opt/tgt"),
       "zentaprepro t.ptu t.cc /LANGUAGE=C++ /TARGET=indefinie /FAST /OPERATION=op /TEST=x,y /EXFAMILY=f /NOANALYZE"},
      {{"t.ptu", "t.cc", "-EXOPERATION=a", "-EXSERVICE=b"}, std::string("/opt/tgt"), ""},  // refused combination
      {{"t.ptu", "t.cc", "-EXSERVICE=b", "-XT=1"},
       std::string("/opt/tgt"),
       "zentaprepro t.ptu t.cc /LANGUAGE=C++ /TARGET=indefinie /FAST /EXSERVICE=b "
       "/STD_DEFINE=/opt/tgt/ana/znus_c.def"},
      {{"t.ptu", "t.cc", "-LANGUAGE=c++20"},
       std::string("/opt/tgt"),
       "zentaprepro t.ptu t.cc /LANGUAGE=C++20 /TARGET=indefinie /FAST /STD_DEFINE=/opt/tgt/ana/znus_cxx20.def"},
  };
  for (const CanonicalCase& c : cases) {
    EnvGuard tgt("ZNTTGT", c.znttgt);
    Outcome r = runCommand(c.args);
    if (c.text.empty()) {
      EXPECT_EQ(r.result.outcome, CommandResult::DecoderError);
      continue;
    }
    ASSERT_EQ(r.result.outcome, CommandResult::Ok) << r.result.detail;
    EXPECT_EQ(settings().commandText, c.text);
  }
}

// The options for builds and editors: DEPFILE and MESSAGES.
struct BuildOptionCase {
  std::vector<std::string> args;
  bool ok;
  std::string dependencyFile;
  bool ide;
};

TEST_F(Options, DependencyFileAndMessageForm) {
  const std::string longPath = "/build/" + std::string(1000, 'd') + "/t.d";
  const std::vector<BuildOptionCase> cases = {
      {{"t.ptu", "t.cc"}, true, "", false},
      {{"t.ptu", "t.cc", "-DEPFILE=out/t.d"}, true, "out/t.d", false},
      {{"t.ptu", "t.cc", "-DEPFILE=" + longPath}, true, longPath, false},  // build trees are deep
      {{"t.ptu", "t.cc", "/depf=a b.d", "-MESSAGES=IDE"}, true, "a b.d", true},
      {{"t.ptu", "t.cc", "-messages=ide"}, true, "", true},
      {{"t.ptu", "t.cc", "-MES=I"}, true, "", true},
      {{"t.ptu", "t.cc", "-MESSAGES=CLASSIC"}, true, "", false},
      {{"t.ptu", "t.cc", "-MESSAGES=CLASSIQUE"}, true, "", false},
      {{"t.ptu", "t.cc", "-MESSAGES=GNU"}, false, "", false},
      {{"t.ptu", "t.cc", "-MESSAGES"}, false, "", false},
      {{"t.ptu", "t.cc", "-DEPFILE"}, false, "", false},
      {{"t.ptu", "t.cc", "-DEPFILE=a.d", "-DEPFILE=b.d"}, false, "", false},
  };
  for (const BuildOptionCase& c : cases) {
    Outcome r = runCommand(c.args);
    const std::string shown = c.args.back();
    if (!c.ok) {
      EXPECT_EQ(r.result.outcome, CommandResult::DecoderError) << shown;
      continue;
    }
    ASSERT_EQ(r.result.outcome, CommandResult::Ok) << shown << r.result.detail;
    EXPECT_EQ(settings().dependencyFile, c.dependencyFile) << shown;
    EXPECT_EQ(settings().ideMessages, c.ide) << shown;
    EXPECT_EQ(diag::messageForm(), c.ide ? diag::MessageForm::Ide : diag::MessageForm::Classic) << shown;
    // Neither changes what is generated: the command text does not show them.
    EXPECT_EQ(settings().commandText.find("DEPFILE"), std::string::npos) << shown;
    EXPECT_EQ(settings().commandText.find("MESSAGES"), std::string::npos) << shown;
  }
}

TEST(OptionsMessageForm, ReadAheadWithoutAnyEffect) {
  struct Case {
    std::vector<std::string> args;
    bool ide;
  };
  const std::vector<Case> cases = {
      {{"zentaprepro", "t.ptu", "t.cc", "-MESSAGES=IDE"}, true},
      {{"zentaprepro", "t.ptu", "t.cc", "-mes=ide", "-LEARN", "-XT=3"}, true},
      {{"zentaprepro", "t.ptu", "t.cc"}, false},
      {{"zentaprepro", "t.ptu", "t.cc", "-MESSAGES=IDE", "-NOPE"}, false},  // does not decode
  };
  for (const Case& c : cases) {
    std::vector<char*> argv;
    std::vector<std::string> copy = c.args;
    for (std::string& a : copy) argv.push_back(a.data());
    diag::resetForTests();
    testing::internal::CaptureStdout();
    testing::internal::CaptureStderr();
    EXPECT_EQ(ideMessagesRequested(static_cast<int>(argv.size()), argv.data()), c.ide) << c.args.back();
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
    EXPECT_EQ(diag::warningCount(), 0);
  }
}

// ---------------------------------------------------------------------------
// The fatal ends of the run.

TEST(OptionsDeathTest, DecoderErrorAndUnknownLanguageEndTheRun) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  const std::pair<const char*, const char*> cases[] = {
      {"-E=300", "Quartolab Command analysis : Arg value too large, -E=300\n.*CMDFATALE"},
      {"-LANGUAGE=C", "LANGINCON.*C"}};
  for (const auto& [option, pattern] : cases) {
    const char* argv[] = {"zentaprepro", "t.ptu", "t.cc", option};
    EXPECT_EXIT(
        {
          diag::registerCatalogues();
          analyseCommand(4, const_cast<char**>(argv));
        },
        testing::ExitedWithCode(7), pattern);
  }
}

TEST(OptionsAnalyse, ClearsTheSubSystemFlagAndSetsTheDisplayLimits) {
  diag::resetForTests();
  const char* argv[] = {"zentaprepro", "t.ptu", "t.cc", "-SS", "-E=1"};
  analyseCommand(5, const_cast<char**>(argv));
  EXPECT_FALSE(settings().subSystem);
  EXPECT_NE(settings().commandText.find("/SUB_SYSTEM"), std::string::npos);
  // The error limit is now 1: a second error is no longer displayed.
  testing::internal::CaptureStderr();
  diag::error("ERRINTFCT", "first");
  diag::error("ANAEXPERR", "second");
  const std::string err = testing::internal::GetCapturedStderr();
  EXPECT_NE(err.find("first"), std::string::npos);
  EXPECT_EQ(err.find("second"), std::string::npos);
  EXPECT_TRUE(diag::hiddenMessages());
  resetSettings();
  diag::resetForTests();
}

// ---------------------------------------------------------------------------
// The program itself, as installed.

TEST(OptionsProgram, DecoderLinesAndTraceLinesOfTheInstalledProgram) {
  testkit::ScratchDir dir;
  const testkit::EnvChanges env = {{"QUARTODIR", testkit::stageDir()}, {"ZENTA_SUPPRESS_COPYRIGHT", "1"}};
  auto r = testkit::run({testkit::stageBin("zentaprepro"), "t.ptu", "t.cc", "d", "extra"}, env, dir.path().string());
  EXPECT_EQ(r.status, 7);
  const std::string line = expectedLine("Too many arguments invalid argument,", "extra");
  const auto at = r.err.find(line);
  ASSERT_NE(at, std::string::npos) << r.err;
  EXPECT_NE(r.err.find("CMDFATALE", at + line.size()), std::string::npos) << r.err;
  // Trace lines go to the standard output.
  r = testkit::run({testkit::stageBin("zentaprepro"), "missing.ptu", "t.cc", "-XT=3,12"}, env, dir.path().string());
  EXPECT_NE(r.out.find("active trace 3\nactive trace 12\n"), std::string::npos) << r.out;
  EXPECT_EQ(r.err.find("Command analysis"), std::string::npos) << r.err;
}

}  // namespace
}  // namespace zenta::cmdline

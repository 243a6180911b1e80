// The compiler's command: settings, checks with their messages, and the
// canonical command text.
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "cmdline/options.h"
#include "cmdline/settings.h"
#include "diag/catalogue.h"
#include "diag/report.h"
#include "tests/cmdline/cmdline_testing.h"
#include "tests/testkit/fields.h"
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

std::string list(const std::vector<std::string>& values) {
  std::string s;
  for (const std::string& v : values) s += (s.empty() ? "" : ",") + v;
  return s;
}

// The settings that the rest of the run reads, as "key:value".
std::map<std::string, std::string> probe(const Settings& s) {
  const auto flag = [](bool b) { return std::string(b ? "1" : "0"); };
  std::string restricted, traces;
  for (int r = 0; r < RestrictionCount; ++r)
    if (s.restricted(static_cast<Restriction>(r))) restricted += std::to_string(r);
  for (int n = -1; n < 20; ++n)
    if (traceOn(n)) traces += std::to_string(n) + " ";
  return {{"script", s.testScript}, {"harness", s.harness}, {"results", s.resultsDirectory},
          {"language", s.languageName + " " + std::to_string(s.languageIndex) + "/" + std::to_string(s.languageCompanion)},
          {"system", s.systemName}, {"analysis", flag(s.analysis)}, {"target", s.target}, {"version", s.version},
          {"class", s.className}, {"dbms", s.databaseName}, {"fast", flag(s.fast)}, {"compress", flag(s.compress)},
          {"expand", flag(s.expand)}, {"ss", flag(s.subSystem)}, {"nosim", flag(s.noSimulation)},
          {"noedit", flag(s.noEdit)}, {"nopath", flag(s.noPath)},
          {"syscomp", std::to_string(s.compilerSystem) + (s.compilerSystemGiven ? " given" : "")},
          {"restricted", restricted}, {"restriction", list(s.restrictionValues)}, {"std", s.standardDefinitions},
          {"symbtab", s.symbolTable}, {"adalink", s.adaLink}, {"standard", s.standardFile},
          {"limits", std::to_string(s.errorDisplayLimit) + "/" + std::to_string(s.warningDisplayLimit)},
          {"command", s.commandOverride}, {"strver", s.strver},
          {"const", (s.constantsFileGiven ? "given " : "") + s.constantsFile}, {"source", s.sourceFile},
          {"toollog", s.toolLog}, {"rio", s.rioName}, {"tsf", s.tsfFile + (s.tsf ? " on" : "")},
          {"services", list(s.services)}, {"tests", list(s.tests)}, {"exfamilies", list(s.exFamilies)},
          {"exoperations", list(s.exOperations)}, {"incl", list(s.includeDirectories)}, {"define", list(s.definitions)},
          {"selection", flag(s.operationSelection) + flag(s.exclusionSelection)}, {"depfile", s.dependencyFile},
          {"ide", flag(s.ideMessages) + flag(diag::messageForm() == diag::MessageForm::Ide)}, {"traces", traces},
          {"text", s.commandText}};
}

struct Case {
  std::vector<std::string> args;  // after "t.ptu t.cc" unless they start with a script
  std::string fields;             // "key:value|..."
  const char* warning = nullptr;  // the code of the one warning expected, with its argument
  const char* argument = "";
  std::optional<std::string> znttgt = std::nullopt;
};

TEST_F(Options, Settings) {
  const std::string longPath = "/build/" + std::string(1000, 'd') + "/t.d";  // build trees are deep
  const std::vector<Case> cases = {
      {{}, "script:t.ptu|harness:t.cc|results:|language:C++ 6/5|system:PC/NT|analysis:1|target:indefinie|version:|"
       "class:ZENTA|dbms:oracle|fast:1|compress:0|expand:0|ss:0|nosim:0|noedit:0|nopath:0|syscomp:4|restricted:" +
           std::to_string(RestrictAnsi) + "|std:|limits:60/120|traces:|depfile:|ide:00|command:|strver:|"
           "text:zentaprepro t.ptu t.cc /LANGUAGE=C++ /TARGET=indefinie /FAST"},
      // Names are cased as their use needs.
      {{"-VERSION=v1.2b", "-TARGET=linux64", "-CLASS=MyRunner", "-DBMS=PostGres", "-COMMAND=build all", "-STRVER=7"},
       "version:V1.2B|target:LINUX64|class:MyRunner|dbms:postgres|command:build all|strver:7", "OPSGBDINP"},
      {{"-NOCOMMAND", "-NOSTRVER"}, "command:|strver:"},
      // Languages: a dialect name is kept and selects its standard
      // definitions; any other value beginning with C++ is plain C++.
      {{"-LANGUAGE=c++98"}, "language:C++ 6/5|std:/tgt/ana/znus_c.def", nullptr, "", "/tgt"},
      {{"-LANGUAGE=C++2026"}, "language:C++ 6/5|std:/tgt/ana/znus_c.def", nullptr, "", "/tgt"},
      {{"-LANGUAGE=c++11"}, "language:C++11 6/5|std:/tgt/ana/znus_cxx11.def", nullptr, "", "/tgt"},
      {{"-LANG=C++14"}, "language:C++14 6/5|std:/tgt/ana/znus_cxx14.def", nullptr, "", "/tgt"},
      {{"-LANG=C++17"}, "language:C++17 6/5|std:/tgt/ana/znus_cxx17.def", nullptr, "", "/tgt"},
      {{"-LANGAGE=c++1z"}, "language:C++17 6/5|std:/tgt/ana/znus_cxx17.def", nullptr, "", "/tgt"},
      {{"-LANGUAGE=C++20"}, "language:C++20 6/5|std:/tgt/ana/znus_cxx20.def", nullptr, "", "/tgt"},
      {{"-LANGUAGE=c++2a"}, "language:C++20 6/5|std:/tgt/ana/znus_cxx20.def", nullptr, "", "/tgt"},
      {{"-LANGUAGE=C++23"}, "language:C++23 6/5|std:/tgt/ana/znus_cxx23.def", nullptr, "", "/tgt"},
      // Standard definitions from the target directory; the option wins;
      // without analysis the target's file is not taken, and nothing is said.
      {{}, "std:/opt/zenta/tgt/ana/znus_c.def", nullptr, "", "/opt/zenta/tgt"},
      {{}, "std:/opt/zenta/tgt/ana/znus_c.def", nullptr, "", "/opt/zenta/tgt//"},
      {{"-STD_DEFINE=mine.def"}, "std:mine.def", nullptr, "", "/opt/zenta/tgt"},
      {{"-NOANALYZE"}, "std:|analysis:0", nullptr, "", "/opt/zenta/tgt"},
      {{}, "std:", nullptr, "", ""},
      // Checks that only warn, and what the setting becomes.
      {{"-LEARN"}, "", "OPTOBSOLET", "LEARN"},
      {{"-DATA=d.dat"}, "", "OPTOBSOLET", "DATA"},
      {{"-COMPRESS", "-EXPAND"}, "compress:1|expand:1", "OPINCOMPA", "COMPRESS, EXPEND"},
      {{"-RENAME=r.txt"}, "", "OPTCETANA", "RENAME"},
      {{"-NOANALYZE", "-STD_DEFINE=s.def"}, "analysis:0|std:", "OPTCETCPP", "STD_DEFINE"},
      {{"-NOANALYZE", "-SYMBTAB=s.tab"}, "symbtab:", "OPTIONANA", "SYMBTAB"},
      {{"-NOANALYZE", "-ADALINK=a.lnk"}, "adalink:", "OPTIONANA", "ADALINK"},
      {{"-NOANALYZE", "-STANDARD=std"}, "standard:", "OPTIONANA", "STANDARD"},
      {{"-STD_DEFINE=s.def", "-SYMBTAB=s.tab", "-ADALINK=a", "-STANDARD=b"}, "std:s.def|symbtab:s.tab|adalink:a|standard:b"},
      {{"-RESTRICTION=KR,ANSI"}, "restricted:" + std::to_string(RestrictAnsi) + "|restriction:KR,ANSI", "CMDERREUR",
       "improper RESTR=KR option"},
      {{"-DBMS=x"}, "", "OPSGBDINP"},
      // Files are kept as given; CONST gets the harness extension when it has none.
      {{"\"out dir\"", "-CONST=consts", "-SOURCE=sep.c", "-VISTRA_LOG=tool.log", "-RIONAME=r.rio", "-TSF=f.tsf"},
       "results:out dir|const:given consts.cc|source:sep.c|toollog:tool.log|rio:r.rio|tsf:f.tsf on"},
      {{"-CONST=c.h"}, "const:given c.h"},
      {{"-CONST=dir.d/consts"}, "const:given dir.d/consts.cc"},
      {{"-CONST=a/b.txt"}, "const:given a/b.txt"},
      {{"res\""}, "results:res"},
      // Lists and selections.
      {{"-SERVICE=(s1,s2)", "-TEST=t1", "-TEST=t2", "-EXFAMILY=slow", "-INCL=inc", "-DEFINE=A=1,B"},
       "services:s1,s2|tests:t1,t2|exfamilies:slow|incl:inc|define:A=1,B|selection:10"},
      {{"-EXOPERATION=(x)"}, "exoperations:x|selection:01"},
      // System flags and the compiler system.
      {{"-SUB_SYSTEM"}, "ss:1"}, {{"-SYSTEM"}, "ss:1"}, {{"-SS"}, "ss:1"}, {{"-SOUS"}, "ss:1"}, {{"-NOSS"}, "ss:0"},
      {{"-SYSCOMP=UNIX"}, "syscomp:0 given"}, {{"-SYSCOMP=os2"}, "syscomp:1 given"}, {{"-SYSCOMP=DOS"}, "syscomp:2 given"},
      {{"-SYSCOMP=V"}, "syscomp:3 given"}, {{"-SYSCOMP=NT"}, "syscomp:4 given"},
      // Traces and display limits.
      {{"-XT=3,12", "-E=5", "-W=255"}, "traces:3 |limits:5/255"},
      {{"-XT=0,9"}, "traces:0 9 "},
      // The options for builds and editors do not show in the command text.
      {{"-DEPFILE=out/t.d"}, "depfile:out/t.d|ide:00|text:zentaprepro t.ptu t.cc /LANGUAGE=C++ /TARGET=indefinie /FAST"},
      {{"-DEPFILE=" + longPath}, "depfile:" + longPath},
      {{"/depf=a b.d", "-MESSAGES=IDE"}, "depfile:a b.d|ide:11|text:zentaprepro t.ptu t.cc /LANGUAGE=C++ /TARGET=indefinie /FAST"},
      {{"-messages=ide"}, "ide:11"}, {{"-MES=I"}, "ide:11"}, {{"-MESSAGES=CLASSIC"}, "ide:00"},
      {{"-MESSAGES=CLASSIQUE"}, "ide:00"},
      // The canonical command text.
      {{"src/a.ptu", "out/a.cpp", "\"res dir\"", "-VERSION=v2.1", "-TARGET=host", "-SS", "-SOURCE=sep.c", "-STRVER=s1",
        "-NOFAST", "-COMPRESS", "-SERVICE=s1,s2", "-EXTEST=t9", "-FAMILY=nightly", "-INCL=inc1,inc2", "-DEFINE=A=1"},
       "text:zentaprepro src/a.ptu out/a.cpp \"res dir\" /LANGUAGE=C++ /VERSION=V2.1 /TARGET=HOST /SUB_SYSTEM "
       "/SOURCE=sep.c /STRVER=s1 /COMPRESS /SERVICE=s1,s2 /FAMILY=nightly /EXTEST=t9 /INCL=inc1,inc2 /DEFINE=A=1"},
      {{"-LANGUAGE=c++11", "-RESTRICTION=NOEXCEP,KR", "-SYSCOMP=unix", "-NOSIMULATION", "-NOEDIT", "-STD_DEFINE=std.def",
        "-SYMBTAB=sym.tab", "-STANDARD=std.txt", "-ADALINK=ada.lnk", "-EXPAND", "-NOPATH"},
       "nosim:1|noedit:1|nopath:1|expand:1|text:zentaprepro t.ptu t.cc /LANGUAGE=C++11 /TARGET=indefinie /FAST /EXPAND "
       "/RESTRICTION=NOEXCEP,KR /SYSCOMP=UNIX /NOSIMULATION /NOEDIT /STD_DEFINE=std.def /SYMBTAB=sym.tab "
       "/STANDARD=std.txt /ADALINK=ada.lnk", "CMDERREUR", "improper RESTR=KR option"},
      {{"-NOANALYZE", "-OPERATION=op", "-TEST=x,y", "-EXFAMILY=f"},
       "text:zentaprepro t.ptu t.cc /LANGUAGE=C++ /TARGET=indefinie /FAST /OPERATION=op /TEST=x,y /EXFAMILY=f "
       "/NOANALYZE", nullptr, "", "/opt/tgt"},
      {{"-EXSERVICE=b", "-XT=1"},
       "text:zentaprepro t.ptu t.cc /LANGUAGE=C++ /TARGET=indefinie /FAST /EXSERVICE=b /STD_DEFINE=/opt/tgt/ana/znus_c.def",
       nullptr, "", "/opt/tgt"},
      {{"-LANGUAGE=c++20"},
       "text:zentaprepro t.ptu t.cc /LANGUAGE=C++20 /TARGET=indefinie /FAST /STD_DEFINE=/opt/tgt/ana/znus_cxx20.def",
       nullptr, "", "/opt/tgt"},
  };
  for (const Case& c : cases) {
    std::vector<std::string> args = c.args;
    if (args.empty() || args[0].find(".ptu") == std::string::npos) args.insert(args.begin(), {"t.ptu", "t.cc"});
    SCOPED_TRACE(list(args));
    EnvGuard tgt("ZNTTGT", c.znttgt);
    Outcome r = runCommand(args);
    ASSERT_EQ(r.result.outcome, CommandResult::Ok) << r.result.detail;
    EXPECT_EQ(r.err, c.warning ? diag::formatLine(diag::Warning, c.warning, c.argument) : "");
    EXPECT_EQ(r.warnings, c.warning ? 1 : 0);
    testkit::expectFields(probe(settings()), c.fields);
  }
  EXPECT_EQ(runCommand({"t.ptu", "t.cc", "-XT=3,12"}).out, "active trace 3\nactive trace 12\n");
  // The build options come after the classic ones in the usage text.
  EXPECT_NE(usageText().find("\t[-NOEDIT]\n\t[-DEPFILE=<dep_file>]\n\t[-MESSAGES=<CLASSIC|IDE>]\n\t[-LEARN|-NOLEARN]\n"),
            std::string::npos);
}

TEST_F(Options, RefusedCommands) {
  const std::pair<std::vector<std::string>, CommandResult::Outcome> cases[] = {
      {{"-LANGUAGE=C"}, CommandResult::UnknownLanguage},     {{"-LANGUAGE=ADA"}, CommandResult::UnknownLanguage},
      {{"-LANGUAGE=c+"}, CommandResult::UnknownLanguage},    {{"-EXOPERATION=a", "-EXSERVICE=b"}, CommandResult::DecoderError},
      {{"-MESSAGES=GNU"}, CommandResult::DecoderError},      {{"-MESSAGES"}, CommandResult::DecoderError},
      {{"-DEPFILE"}, CommandResult::DecoderError},           {{"-DEPFILE=a.d", "-DEPFILE=b.d"}, CommandResult::DecoderError},
  };
  for (const auto& [options, outcome] : cases) {
    std::vector<std::string> args = {"t.ptu", "t.cc"};
    args.insert(args.end(), options.begin(), options.end());
    Outcome r = runCommand(args);
    EXPECT_EQ(r.result.outcome, outcome) << list(options);
    if (outcome == CommandResult::UnknownLanguage) {
      EXPECT_EQ("-LANGUAGE=" + r.result.detail, options[0]);
    }
  }
  // Decoder errors come back with their line, and no warning.
  Outcome r = runCommand({"t.ptu", "t.cc", "-SERVICE=a", "-EXSERVICE=b"});
  EXPECT_EQ(r.result.outcome, CommandResult::DecoderError);
  EXPECT_EQ(r.result.detail, expectedLine("Illegal combination of command elements,", "SERVICE and EXSERVICE"));
  EXPECT_EQ(r.warnings, 0);
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

// File naming: derivation order, extension overrides, the temporary base.
#include <gtest/gtest.h>

#include <unistd.h>

#include <regex>
#include <string>
#include <vector>

#include "cmdline/filenames.h"
#include "cmdline/settings.h"
#include "tests/cmdline/cmdline_testing.h"

namespace zenta::cmdline {
namespace {

using testing_support::EnvGuard;
using Field = std::string FileNames::*;

struct NameCase {
  const char* name;
  NameInputs in;
  std::vector<std::pair<Field, std::string>> expected;
};

NameInputs inputs(const std::string& script, const std::string& harness, const std::string& results = "",
                  const std::string& rio = "", int system = SysNt, const std::string& tsf = "") {
  NameInputs in;
  in.testScript = script;
  in.harness = harness;
  in.resultsDirectory = results;
  in.rioName = rio;
  in.compilerSystem = system;
  in.tsfFile = tsf;
  return in;
}

TEST(FileNames, Derivation) {
  const NameCase cases[] = {
      {"harness without extension", inputs("t.ptu", "out/test"), {{&FileNames::harnessPath, "out/test.cc"},
        {&FileNames::descriptionPath, "out/test.tdc"}, {&FileNames::resultsPath, "out/test.rio"},
        {&FileNames::segmentPath, "out/test.seg"},
        {&FileNames::intermediatePath, "out/test.icc"},  // SYSCOMP NT is the default
        {&FileNames::alternateHarnessPath, "out/ne_test.cc"}, {&FileNames::configHeaderPath, "out/zenta_cfg.h"},
        {&FileNames::harnessBase, "test"}, {&FileNames::harnessDirectory, "out/"}, {&FileNames::tsfPath, ""}}},
      {"intermediate without directory outside NT", inputs("t.ptu", "out/test", "", "", SysUnix),
       {{&FileNames::intermediatePath, "test.icc"}}},
      {"intermediate on VMS", inputs("t.ptu", "out/test", "", "", SysVms), {{&FileNames::intermediatePath, "test.icc"}}},
      {"harness extension kept", inputs("t.ptu", "gen/h.cpp"), {{&FileNames::harnessPath, "gen/h.cpp"},
        {&FileNames::alternateHarnessPath, "gen/ne_h.cpp"},
        {&FileNames::intermediatePath, "gen/h.icp"}}},  // first two letters of the extension
      {"harness directory normalised", inputs("t.ptu", "./a//b/../out/test"), {{&FileNames::harnessPath, "a/out/test.cc"}}},
      {"harness in the current directory", inputs("t.ptu", "test"), {{&FileNames::harnessPath, "./test.cc"}}},
      {"absolute harness", inputs("t.ptu", "/abs/dir/test.cc"), {{&FileNames::descriptionPath, "/abs/dir/test.tdc"}}},
      {"list file in the current directory", inputs("some/where/t.ptu", "out/test"), {{&FileNames::listFile, "t.lis"},
        {&FileNames::scriptPath, "some/where/t.ptu"}, {&FileNames::scriptFileName, "t.ptu"},
        {&FileNames::scriptBase, "t"}}},
      {"script without extension gets ptu", inputs("scripts/demo", "out/test"),
       {{&FileNames::scriptPath, "scripts/demo.ptu"}, {&FileNames::scriptFileName, "demo.ptu"}, {&FileNames::listFile, "demo.lis"}}},
      {"only the last dot separates the extension", inputs("a.b.c", "o"),
       {{&FileNames::scriptFileName, "a.b.c"}, {&FileNames::listFile, "a.b.lis"}}},
      {"results directory", inputs("t.ptu", "out/test", "res/"), {{&FileNames::resultsPath, "res/test.rio"}}},
      {"results directory gets its separator", inputs("t.ptu", "out/test", "res"), {{&FileNames::resultsPath, "res/test.rio"}}},
      {"rio name in the results directory", inputs("t.ptu", "out/test", "res", "mine.xyz"),
       {{&FileNames::resultsPath, "res/mine.xyz"}}},
      {"rio name beside the harness", inputs("t.ptu", "out/test", "", "mine.xyz"),
       {{&FileNames::resultsPath, "out/mine.xyz"}, {&FileNames::resultsName, "mine.xyz"}}},
      {"tsf names", inputs("t.ptu", "out/test", "", "", SysNt, "trace/run"), {{&FileNames::tsfPath, "trace/run.tsf"},
        {&FileNames::crossReference1, "trace/run.xrd"}, {&FileNames::crossReference2, "run.xrd"}}},
      {"tsf extension kept", inputs("t.ptu", "out/test", "", "", SysNt, "trace/run.abc"),
       {{&FileNames::tsfPath, "trace/run.abc"}}},
  };
  for (const NameCase& c : cases) {
    SCOPED_TRACE(c.name);
    const FileNames n = deriveNames(c.in);
    for (const auto& [field, value] : c.expected) EXPECT_EQ(n.*field, value);
  }
}

TEST(FileNames, ExtensionsDefaultsAndEnvironmentOverrides) {
  const std::pair<int, const char*> table[] = {
      {0, "tdc"},   {1, "ro"},    {2, "rio"},   {3, "ri2"}, {4, "ptu"},   {5, "seg"},  {6, "lis"}, {7, "smb"}, {8, "def"},
      {9, "c"},     {10, "h"},    {11, "cc"},   {12, "rod"}, {13, "ddt"}, {14, "mdt"}, {15, "i"}, {16, "16"}, {-1, "-1"}};
  for (const auto& [index, text] : table) EXPECT_EQ(extension(index), text) << index;
  // Overrides are cut to three characters; an empty one leaves the default.
  EnvGuard rio("ZENTARIO", "abcd"), rio2("ZENTARIO2", "xyz"), tdc("ZENTATDC", "de"), lis("ZENTALIS", "");
  EXPECT_EQ(extension(ExtResults), "abc");
  EXPECT_EQ(extension(ExtResults2), "xy");
  EXPECT_EQ(extension(ExtList), "lis");
  const FileNames n = deriveNames(inputs("t.ptu", "out/test"));
  EXPECT_EQ(n.resultsPath, "out/test.abc");
  EXPECT_EQ(n.descriptionPath, "out/test.de");
}

TEST(FileNames, TemporaryBaseInTempThenTmpdirThenTmp) {
  {
    EnvGuard temp("TEMP", "/scratch/here");
    const std::string base = temporaryBase();
    std::smatch m;
    ASSERT_TRUE(std::regex_match(base, m, std::regex(R"(/scratch/here/at[0-9a-f]+_([0-9a-f]+)\.tmp)"))) << base;
    EXPECT_EQ(std::stoul(m[1].str(), nullptr, 16), static_cast<unsigned long>(getpid()));
  }
  const std::pair<std::optional<std::string>, std::optional<std::string>> envs[] = {
      {"/scratch/slash/", std::nullopt}, {std::nullopt, "/other"}, {std::nullopt, std::nullopt}};
  const char* starts[] = {"/scratch/slash/at", "/other/at", "/tmp/at"};
  for (int i = 0; i < 3; ++i) {
    EnvGuard temp("TEMP", envs[i].first), tmpdir("TMPDIR", envs[i].second);
    EXPECT_EQ(temporaryBase().rfind(starts[i], 0), 0u) << starts[i];
  }
}

TEST(FileNames, DeriveAllNamesReadsTheSettings) {
  resetSettings();
  Settings& s = mutableSettings();
  s.testScript = "dir/script";
  s.harness = "gen/harness";
  s.resultsDirectory = "rio";
  s.rioName = "r.rio";
  s.compilerSystem = SysUnix;
  s.tsfFile = "x";
  s.tsf = true;
  deriveAllNames();
  EXPECT_EQ(names().scriptPath, "dir/script.ptu");
  EXPECT_EQ(names().harnessPath, "gen/harness.cc");
  EXPECT_EQ(names().resultsPath, "rio/r.rio");
  EXPECT_EQ(names().intermediatePath, "harness.icc");
  EXPECT_EQ(names().tsfPath, "./x.tsf");
  EXPECT_EQ(names().listFile, "script.lis");
  resetSettings();
}

}  // namespace
}  // namespace zenta::cmdline

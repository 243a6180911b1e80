// File naming: derivation order, extension overrides, the temporary base.
#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdlib>
#include <optional>
#include <regex>
#include <string>

#include "cmdline/filenames.h"
#include "cmdline/settings.h"

namespace zenta::cmdline {
namespace {

// Sets an environment variable for the lifetime of the object.
class EnvGuard {
 public:
  EnvGuard(const char* name, std::optional<std::string> value) : name_(name) {
    if (const char* old = std::getenv(name)) old_ = old;
    if (value) ::setenv(name, value->c_str(), 1);
    else ::unsetenv(name);
  }
  ~EnvGuard() {
    if (old_) ::setenv(name_, old_->c_str(), 1);
    else ::unsetenv(name_);
  }

 private:
  const char* name_;
  std::optional<std::string> old_;
};

NameInputs inputs(const std::string& script, const std::string& harness) {
  NameInputs in;
  in.testScript = script;
  in.harness = harness;
  return in;
}

TEST(FileNames, HarnessWithoutExtensionInCpp) {
  const FileNames n = deriveNames(inputs("t.ptu", "out/test"));
  EXPECT_EQ(n.harnessPath, "out/test.cc");
  EXPECT_EQ(n.descriptionPath, "out/test.tdc");
  EXPECT_EQ(n.resultsPath, "out/test.rio");
  EXPECT_EQ(n.segmentPath, "out/test.seg");
  EXPECT_EQ(n.intermediatePath, "out/test.icc");  // SYSCOMP NT is the default
  EXPECT_EQ(n.alternateHarnessPath, "out/ne_test.cc");
  EXPECT_EQ(n.configHeaderPath, "out/zenta_cfg.h");
  EXPECT_EQ(n.harnessBase, "test");
  EXPECT_EQ(n.harnessDirectory, "out/");
}

TEST(FileNames, IntermediateHasNoDirectoryOutsideNt) {
  NameInputs in = inputs("t.ptu", "out/test");
  for (int system : {SysUnix, SysOs2, SysDos, SysVms}) {
    in.compilerSystem = system;
    EXPECT_EQ(deriveNames(in).intermediatePath, "test.icc") << system;
  }
}

TEST(FileNames, HarnessExtensionIsKept) {
  const FileNames n = deriveNames(inputs("t.ptu", "gen/h.cpp"));
  EXPECT_EQ(n.harnessPath, "gen/h.cpp");
  EXPECT_EQ(n.alternateHarnessPath, "gen/ne_h.cpp");
  EXPECT_EQ(n.intermediatePath, "gen/h.icp");  // first two letters of the extension
}

TEST(FileNames, HarnessDirectoryIsNormalised) {
  EXPECT_EQ(deriveNames(inputs("t.ptu", "./a//b/../out/test")).harnessPath, "a/out/test.cc");
  EXPECT_EQ(deriveNames(inputs("t.ptu", "test")).harnessPath, "./test.cc");
  EXPECT_EQ(deriveNames(inputs("t.ptu", "/abs/dir/test.cc")).descriptionPath, "/abs/dir/test.tdc");
}

TEST(FileNames, ListFileIsInTheCurrentDirectory) {
  const FileNames n = deriveNames(inputs("some/where/t.ptu", "out/test"));
  EXPECT_EQ(n.listFile, "t.lis");
  EXPECT_EQ(n.scriptPath, "some/where/t.ptu");
  EXPECT_EQ(n.scriptFileName, "t.ptu");
  EXPECT_EQ(n.scriptBase, "t");
}

TEST(FileNames, ScriptWithoutExtensionGetsPtu) {
  const FileNames n = deriveNames(inputs("scripts/demo", "out/test"));
  EXPECT_EQ(n.scriptPath, "scripts/demo.ptu");
  EXPECT_EQ(n.scriptFileName, "demo.ptu");
  EXPECT_EQ(n.listFile, "demo.lis");
  // Only the last dot separates the extension.
  EXPECT_EQ(deriveNames(inputs("a.b.c", "o")).scriptFileName, "a.b.c");
  EXPECT_EQ(deriveNames(inputs("a.b.c", "o")).listFile, "a.b.lis");
}

TEST(FileNames, ResultsDirectoryAndRioName) {
  NameInputs in = inputs("t.ptu", "out/test");
  in.resultsDirectory = "res/";
  EXPECT_EQ(deriveNames(in).resultsPath, "res/test.rio");
  in.resultsDirectory = "res";  // a missing separator is added
  EXPECT_EQ(deriveNames(in).resultsPath, "res/test.rio");
  in.rioName = "mine.xyz";
  EXPECT_EQ(deriveNames(in).resultsPath, "res/mine.xyz");
  in.resultsDirectory.clear();
  EXPECT_EQ(deriveNames(in).resultsPath, "out/mine.xyz");  // the name only, not the directory
  EXPECT_EQ(deriveNames(in).resultsName, "mine.xyz");
}

TEST(FileNames, TsfNames) {
  NameInputs in = inputs("t.ptu", "out/test");
  EXPECT_TRUE(deriveNames(in).tsfPath.empty());
  in.tsfFile = "trace/run";
  FileNames n = deriveNames(in);
  EXPECT_EQ(n.tsfPath, "trace/run.tsf");
  EXPECT_EQ(n.crossReference1, "trace/run.xrd");
  EXPECT_EQ(n.crossReference2, "run.xrd");
  in.tsfFile = "trace/run.abc";
  EXPECT_EQ(deriveNames(in).tsfPath, "trace/run.abc");
}

TEST(Extension, DefaultsAndOutOfRangeIndexes) {
  const struct {
    int index;
    const char* text;
  } table[] = {{0, "tdc"}, {1, "ro"},  {2, "rio"}, {3, "ri2"},  {4, "ptu"},  {5, "seg"},
               {6, "lis"}, {7, "smb"}, {8, "def"}, {9, "c"},    {10, "h"},   {11, "cc"},
               {12, "rod"}, {13, "ddt"}, {14, "mdt"}, {15, "i"}, {16, "16"}, {-1, "-1"}};
  for (const auto& row : table) EXPECT_EQ(extension(row.index), row.text) << row.index;
}

TEST(Extension, EnvironmentOverridesAreTruncated) {
  EnvGuard rio("ZENTARIO", "abcd");
  EnvGuard rio2("ZENTARIO2", "xyz");
  EnvGuard tdc("ZENTATDC", "de");
  EnvGuard lis("ZENTALIS", "");  // empty: the default stays
  EXPECT_EQ(extension(ExtResults), "abc");
  EXPECT_EQ(extension(ExtResults2), "xy");
  EXPECT_EQ(extension(ExtDescription), "de");
  EXPECT_EQ(extension(ExtList), "lis");
  const FileNames n = deriveNames(inputs("t.ptu", "out/test"));
  EXPECT_EQ(n.resultsPath, "out/test.abc");
  EXPECT_EQ(n.descriptionPath, "out/test.de");
}

TEST(TemporaryBase, PlacedInTempThenTmpdirThenTmp) {
  const std::regex shape(R"(at[0-9a-f]+_([0-9a-f]+)\.tmp)");
  std::smatch m;
  {
    EnvGuard temp("TEMP", "/scratch/here");
    const std::string base = temporaryBase();
    ASSERT_EQ(base.rfind("/scratch/here/", 0), 0u) << base;
    const std::string name = base.substr(std::string("/scratch/here/").size());
    ASSERT_TRUE(std::regex_match(name, m, shape)) << name;
    EXPECT_EQ(std::stoul(m[1].str(), nullptr, 16), static_cast<unsigned long>(getpid()));
  }
  {
    EnvGuard temp("TEMP", "/scratch/slash/");
    EXPECT_EQ(temporaryBase().rfind("/scratch/slash/at", 0), 0u);
  }
  {
    EnvGuard temp("TEMP", std::nullopt);
    EnvGuard tmpdir("TMPDIR", "/other");
    EXPECT_EQ(temporaryBase().rfind("/other/at", 0), 0u);
  }
  {
    EnvGuard temp("TEMP", std::nullopt);
    EnvGuard tmpdir("TMPDIR", std::nullopt);
    EXPECT_EQ(temporaryBase().rfind("/tmp/at", 0), 0u);
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

// Target package lookup and the runtime header reference.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "cmdline/target.h"
#include "tests/testkit/process.h"

namespace zenta::cmdline {
namespace {

namespace fs = std::filesystem;

// Two target packages: "u" with an empty lib, "t" with both headers,
// "p" with provado.h only, "d" whose TP.h is a directory.
class TargetTest : public ::testing::Test {
 protected:
  void SetUp() override {
    fs::create_directories(scratch.path() / "u/lib");
    scratch.write("t/lib/TP.h", "// runtime\n");
    scratch.write("t/lib/provado.h", "// older runtime\n");
    scratch.write("p/lib/provado.h", "// older runtime\n");
    fs::create_directories(scratch.path() / "d/lib/TP.h");
    scratch.write("d/lib/provado.h", "// older runtime\n");
  }
  std::string dir(const char* name) const { return scratch.file(name); }
  testkit::ScratchDir scratch;
};

TEST_F(TargetTest, ZnutgtHidesZnttgt) {
  TargetInputs in;
  in.znutgt = dir("u");
  in.znttgt = dir("t");
  const TargetConfiguration c = settleTarget(in);
  EXPECT_FALSE(c.packageFound);
  EXPECT_EQ(c.targetDirectory, dir("u"));
  EXPECT_EQ(c.runtimeHeader, "\"TP.h\"");
}

TEST_F(TargetTest, ZnttgtIsUsedWhenZnutgtIsUnset) {
  TargetInputs in;
  in.znttgt = dir("t");
  const TargetConfiguration c = settleTarget(in);
  EXPECT_TRUE(c.packageFound);
  EXPECT_EQ(c.runtimeHeader, "\"" + dir("t") + "/lib/TP.h\"");
}

TEST_F(TargetTest, FirstHeaderWinsThenSecond) {
  TargetInputs in;
  in.znutgt = dir("t");
  EXPECT_EQ(settleTarget(in).runtimeHeaderPath, dir("t") + "/lib/TP.h");
  in.znutgt = dir("p");
  EXPECT_EQ(settleTarget(in).runtimeHeader, "\"" + dir("p") + "/lib/provado.h\"");
  in.znutgt = dir("d");  // a directory named TP.h is not a header
  EXPECT_EQ(settleTarget(in).runtimeHeader, "\"" + dir("d") + "/lib/provado.h\"");
  in.znutgt = dir("t") + "/";  // a trailing separator is not doubled
  EXPECT_EQ(settleTarget(in).runtimeHeaderPath, dir("t") + "/lib/TP.h");
}

TEST_F(TargetTest, RelativeTargetGivesAnAbsoluteCleanReference) {
  const std::string expected = dir("t") + "/lib/TP.h";
  const std::vector<std::string> forms = {
      fs::relative(dir("t"), fs::current_path()).string(),  // relative to the current folder
      "./" + fs::relative(dir("t"), fs::current_path()).string() + "/",
      dir("u") + "/../t",  // absolute with a ".." part
      dir("t") + "//./",
  };
  for (const std::string& form : forms) {
    TargetInputs in;
    in.znttgt = form;
    const TargetConfiguration c = settleTarget(in);
    EXPECT_TRUE(c.packageFound) << form;
    EXPECT_EQ(c.runtimeHeader, "\"" + expected + "\"") << form;
    EXPECT_EQ(c.runtimeHeaderPath, expected) << form;
    in.withSeparate = true;  // the bare name stays bare
    EXPECT_EQ(settleTarget(in).runtimeHeader, "\"TP.h\"") << form;
  }
}

TEST_F(TargetTest, WithSeparateKeepsTheBareName) {
  TargetInputs in;
  in.znutgt = dir("t");
  in.withSeparate = true;
  EXPECT_EQ(settleTarget(in).runtimeHeader, "\"TP.h\"");
  in.znutgt = dir("p");
  EXPECT_EQ(settleTarget(in).runtimeHeader, "\"provado.h\"");
}

TEST_F(TargetTest, NoTargetDirectory) {
  const TargetConfiguration c = settleTarget(TargetInputs{});
  EXPECT_FALSE(c.packageFound);
  EXPECT_TRUE(c.targetDirectory.empty());
  EXPECT_EQ(c.runtimeHeader, "\"TP.h\"");
  TargetInputs in;
  in.znutgt = "";  // an empty value counts as unset
  in.znttgt = dir("t");
  EXPECT_TRUE(settleTarget(in).packageFound);
}

TEST_F(TargetTest, CppIncludeOverride) {
  TargetInputs in;
  in.znutgt = dir("t");
  in.cppIncludeOverride = "";  // ignored
  EXPECT_EQ(settleTarget(in).runtimeHeader, "\"" + dir("t") + "/lib/TP.h\"");
  in.cppIncludeOverride = "my/rt.h";
  EXPECT_EQ(settleTarget(in).runtimeHeader, "\"my/rt.h\"");
  // A missing package still wants its warning under the override.
  in.znutgt = dir("u");
  const TargetConfiguration c = settleTarget(in);
  EXPECT_EQ(c.runtimeHeader, "\"my/rt.h\"");
  EXPECT_FALSE(c.packageFound);
}

}  // namespace
}  // namespace zenta::cmdline

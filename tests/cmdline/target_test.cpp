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

struct Case {
  const char* name;
  std::optional<std::string> znutgt, znttgt, override;  // "@" stands for the scratch folder
  bool withSeparate;
  bool found;
  std::string header;  // the reference, without its quotes
};

// Packages: "u" with an empty lib, "t" with both headers, "p" with provado.h
// only, "d" whose TP.h is a directory.
TEST(Target, PackageLookupAndRuntimeHeader) {
  testkit::ScratchDir scratch;
  fs::create_directories(scratch.path() / "u/lib");
  scratch.write("t/lib/TP.h", "// runtime\n");
  for (const char* p : {"t", "p", "d"}) scratch.write(std::string(p) + "/lib/provado.h", "// older runtime\n");
  fs::create_directories(scratch.path() / "d/lib/TP.h");
  const std::string relative = fs::relative(scratch.file("t"), fs::current_path()).string();
  const std::string t = "@/t/lib/TP.h";
  const std::vector<Case> cases = {
      {"nothing set", {}, {}, {}, false, false, "TP.h"},
      {"ZNUTGT hides ZNTTGT", "@/u", "@/t", {}, false, false, "TP.h"},
      {"ZNTTGT when ZNUTGT is unset", {}, "@/t", {}, false, true, t},
      {"an empty ZNUTGT counts as unset", "", "@/t", {}, false, true, t},
      {"the first header wins", "@/t", {}, {}, false, true, t},
      {"then the second", "@/p", {}, {}, false, true, "@/p/lib/provado.h"},
      {"a directory named TP.h is not a header", "@/d", {}, {}, false, true, "@/d/lib/provado.h"},
      {"a trailing separator is not doubled", "@/t/", {}, {}, false, true, t},
      {"relative to the current folder", {}, relative, {}, false, true, t},
      {"relative with dots", {}, "./" + relative + "/", {}, false, true, t},
      {"absolute with a dot-dot part", {}, "@/u/../t", {}, false, true, t},
      {"doubled separators", {}, "@/t//./", {}, false, true, t},
      {"a separate source keeps the bare name", "@/t", {}, {}, true, true, "TP.h"},
      {"bare name of the second header", "@/p", {}, {}, true, true, "provado.h"},
      {"an empty override is ignored", "@/t", {}, "", false, true, t},
      {"an override wins", "@/t", {}, "my/rt.h", false, true, "my/rt.h"},
      {"a missing package keeps its warning under an override", "@/u", {}, "my/rt.h", false, false, "my/rt.h"},
  };
  const auto place = [&](std::optional<std::string> v) {
    if (v && v->rfind("@", 0) == 0) v->replace(0, 1, scratch.path().string());
    return v;
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TargetInputs in;
    in.znutgt = place(c.znutgt);
    in.znttgt = place(c.znttgt);
    in.cppIncludeOverride = c.override;
    in.withSeparate = c.withSeparate;
    const TargetConfiguration got = settleTarget(in);
    const std::string header = *place(c.header);
    EXPECT_EQ(got.packageFound, c.found);
    EXPECT_EQ(got.runtimeHeader, "\"" + header + "\"");
    if (c.found && !c.withSeparate && !c.override) {
      EXPECT_EQ(got.runtimeHeaderPath, header);
    }
  }
  EXPECT_TRUE(settleTarget(TargetInputs{}).targetDirectory.empty());
  TargetInputs hidden;
  hidden.znutgt = scratch.file("u");
  hidden.znttgt = scratch.file("t");
  EXPECT_EQ(settleTarget(hidden).targetDirectory, scratch.file("u"));
}

}  // namespace
}  // namespace zenta::cmdline

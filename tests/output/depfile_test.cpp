// The dependency file: paths escaped as Make reads them, checked against GNU
// Make itself, and the file put in place whole.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "output/depfile.h"
#include "tests/testkit/process.h"

namespace zenta::output {
namespace {

struct EscapeCase {
  const char* path;
  const char* escaped;
};

TEST(DependencyFile, PathsEscapedForMake) {
  const EscapeCase cases[] = {
      {"/usr/include/stdio.h", "/usr/include/stdio.h"},
      {"/p/with space/a.h", "/p/with\\ space/a.h"},
      {"two  blanks", "two\\ \\ blanks"},
      {"tab\tname", "tab\\\tname"},
      {"odd\\ name", "odd\\\\\\ name"},  // a backslash before a blank stays one
      {"cost$1.h", "cost$$1.h"},
      {"issue#16.h", "issue\\#16.h"},
      {"back\\slash.h", "back\\slash.h"},  // a backslash elsewhere is kept as it is
  };
  for (const EscapeCase& c : cases) EXPECT_EQ(makeEscaped(c.path), c.escaped) << c.path;
}

TEST(DependencyFile, OneRuleOneDependencyALine) {
  EXPECT_EQ(dependencyRule("/b/t.cc", {"/s/t.ptu", "/s/a b.h"}), "/b/t.cc: \\\n  /s/t.ptu \\\n  /s/a\\ b.h\n");
  EXPECT_EQ(dependencyRule("/b/t.cc", {}), "/b/t.cc:\n");
}

// GNU Make reads the rule: the target is up to date until one of the
// dependencies, odd names included, is newer; a misread name would be a
// missing file and an error.
TEST(DependencyFile, MakeReadsTheNamesBack) {
  testkit::ScratchDir dir;
  const std::vector<std::string> names = {"dir with space/a.h", "hash#name.h", "dollar$name.h", "odd\\ name.h",
                                          "plain.h"};
  std::vector<std::string> deps;
  for (const std::string& n : names) {
    dir.write(n, "// header\n");
    deps.push_back(dir.file(n));
  }
  dir.write("out.cc", "// harness\n");
  const std::string target = dir.file("out.cc");
  // Every dependency a minute older than the harness.
  const auto now = std::filesystem::last_write_time(target);
  for (const std::string& d : deps) std::filesystem::last_write_time(d, now - std::chrono::minutes(1));
  ASSERT_TRUE(writeDependencyFile(dir.file("out.d"), target, deps));
  dir.write("Makefile", "include out.d\n" + target + ":\n\ttouch $@\n");
  const std::string root = dir.path().string();

  auto upToDate = testkit::run({"/usr/bin/env", "make", "-q", "-f", "Makefile", target}, {}, root);
  EXPECT_EQ(upToDate.status, 0) << upToDate.out << upToDate.err << dir.read("out.d");
  for (const std::string& d : deps) {
    std::filesystem::last_write_time(d, now + std::chrono::minutes(1));
    auto stale = testkit::run({"/usr/bin/env", "make", "-q", "-f", "Makefile", target}, {}, root);
    EXPECT_EQ(stale.status, 1) << d << "\n" << stale.err;
    std::filesystem::last_write_time(d, now - std::chrono::minutes(1));
  }
}

TEST(DependencyFile, WrittenWholeOrNotAtAll) {
  testkit::ScratchDir dir;
  const std::string path = dir.file("r.d");
  ASSERT_TRUE(writeDependencyFile(path, "/t.cc", {"/a.h"}));
  EXPECT_EQ(dir.read("r.d"), "/t.cc: \\\n  /a.h\n");
  // Nothing but the file itself is left in the directory.
  int entries = 0;
  for (const auto& e : std::filesystem::directory_iterator(dir.path())) entries += e.is_regular_file();
  EXPECT_EQ(entries, 1);
  EXPECT_FALSE(writeDependencyFile(dir.file("missing/r.d"), "/t.cc", {"/a.h"}));
  EXPECT_FALSE(dir.exists("missing"));
}

}  // namespace
}  // namespace zenta::output

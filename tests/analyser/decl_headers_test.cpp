// Real headers through the staged zentacpp -analyse: the common C++ standard
// headers at once, and every C header of /usr/include that gcc accepts on
// its own, each with no message and exit status 0; the dump of -dump.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "tests/testkit/process.h"

namespace {

testkit::EnvChanges stagedEnvironment() {
  return {{"QUARTODIR", testkit::stageDir()},
          {"ZNTTGT", testkit::stageDir()},
          {"ZNUTGT", std::nullopt},
          {"ZNW_ADD_USR_INCLUDE", std::nullopt},
          {"ZENTALAN", std::nullopt}};
}

testkit::Result zentacpp(std::vector<std::string> args, const std::string& input = {}) {
  args.insert(args.begin(), testkit::stageBin("zentacpp"));
  return testkit::run(args, stagedEnvironment(), {}, input);
}

class DeclHeaders : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!std::filesystem::exists(testkit::stageBin("zentacpp"))) GTEST_SKIP() << "zentacpp is not built";
  }
};

// As a script names them: the standard-definitions file gives the library the
// configuration a C++98 compiler would (the analyser defines no __cplusplus).
TEST_F(DeclHeaders, CommonStandardHeadersAtOnce) {
  testkit::ScratchDir d;
  std::string text;
  for (const char* h : {"string", "vector", "map", "list", "set", "deque", "algorithm", "memory", "iostream",
                        "sstream", "fstream", "stdexcept", "cstdio", "cstring", "cmath", "utility", "iterator",
                        "functional", "queue", "stack"})
    text += std::string("#include <") + h + ">\n";
  text += "std::vector<std::string> names;\nstd::map<int, double> table;\n";
  d.write("all.cpp", text);
  testkit::Result r = zentacpp({"-dump", d.file("all.cpp")});
  EXPECT_EQ(r.status, 0) << r.err.substr(0, 3000);
  EXPECT_EQ(r.err.find("-W-"), std::string::npos) << r.err.substr(0, 3000);
  for (const char* line : {"method\tstd::vector::push_back\t1\t", "function\tprintf\t1+\t",
                           "variable\tnames\t-\tstd::vector<std::string> names", "template\tstd::basic_string\t"})
    EXPECT_NE(r.out.find(line), std::string::npos) << line;
}

// Each header of /usr/include that gcc accepts alone. <tgmath.h> stops the
// preprocessor with its own #error for a compiler that is not GNU.
TEST_F(DeclHeaders, EveryCHeaderThatGccAccepts) {
  if (!std::filesystem::exists("/usr/include/stdio.h")) GTEST_SKIP() << "no /usr/include";
  testkit::ScratchDir d;
  int analysed = 0;
  std::vector<std::string> names;
  for (const auto& e : std::filesystem::directory_iterator("/usr/include"))
    if (e.path().extension() == ".h" && e.is_regular_file()) names.push_back(e.path().filename().string());
  std::sort(names.begin(), names.end());
  for (const std::string& h : names) {
    if (h == "tgmath.h") continue;
    d.write("h.c", "#include <" + h + ">\n");
    if (testkit::run({"/usr/bin/gcc", "-fsyntax-only", d.file("h.c")}).status != 0) continue;
    ++analysed;
    testkit::Result r = zentacpp({"-analyse", d.file("h.c")});
    EXPECT_EQ(r.status, 0) << h << "\n" << r.err.substr(0, 2000);
  }
  EXPECT_GT(analysed, 50);
}

TEST_F(DeclHeaders, DumpAndMessagesOfTheTool) {
  testkit::Result r = zentacpp({"-analyse", "-dump", "-"},
                               "namespace inv { class Registry { public: void add(int); }; }\n"
                               "struct z_stream_s { char *next_in; };\nint x; double x;\n");
  EXPECT_EQ(r.status, 3) << r.err;
  EXPECT_NE(r.err.find("REDEFSYMB"), std::string::npos) << r.err;
  EXPECT_NE(r.out.find("method\tinv::Registry::add\t1\tvoid add(int)\n"), std::string::npos) << r.out;
  EXPECT_NE(r.out.find("field\tz_stream_s::next_in\t-\tchar *next_in\n"), std::string::npos) << r.out;
  // -analyse alone prints no declaration and no preprocessed text.
  r = zentacpp({"-analyse", "-"}, "int y;\n");
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, "");
  r = zentacpp({"-analyse", "-"}, "int f(\n");
  EXPECT_EQ(r.status, 5) << r.err;
  EXPECT_NE(r.err.find("UNEXP_EOF"), std::string::npos) << r.err;
}

}  // namespace

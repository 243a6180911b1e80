// The staged zentacpp tool: start-up like the compiler's analyser, the
// standard-definitions file, messages and exit statuses.
#include <gtest/gtest.h>

#include <filesystem>

#include "zentacpp_support.h"

namespace {

using zentacpptest::messageLines;
using zentacpptest::stagedEnvironment;
using zentacpptest::zentacpp;

class Zentacpp : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!std::filesystem::exists(testkit::stageBin("zentacpp")))
      GTEST_SKIP() << "zentacpp is not built";
    ASSERT_TRUE(std::filesystem::exists(testkit::stageDir() + "/ana/znus_c.def"));
  }
};

TEST_F(Zentacpp, CommonStandardHeadersGiveNoMessage) {
  testkit::ScratchDir d;
  const char* headers[] = {"stdexcept", "string",  "vector",   "map",     "iostream", "cstdio",    "cstring",
                           "stdint.h",  "cstdlib", "list",     "set",     "algorithm", "sstream",  "memory",
                           "cmath",     "cassert", "climits",  "ctime",   "deque",    "utility",   "stdio.h",
                           "string.h",  "stdlib.h", "limits.h", "stddef.h", "stdarg.h"};
  std::string text;
  for (const char* h : headers) text += std::string("#include <") + h + ">\n";
  text += "int64_t tested_width;\n";
  d.write("all.cpp", text);
  testkit::Result r = zentacpp({d.file("all.cpp")});
  EXPECT_EQ(r.status, 0) << r.err.substr(0, 2000);
  EXPECT_EQ(messageLines(r.err), std::vector<std::string>{});
  EXPECT_NE(r.out.find("#line 1 \"" + d.file("all.cpp") + "\""), std::string::npos);
  EXPECT_NE(r.out.find("int64_t tested_width;"), std::string::npos);
  EXPECT_NE(r.out.find("typedef signed long int __int64_t;"), std::string::npos);  // __WORDSIZE 64
  EXPECT_EQ(r.out.find("__attribute__"), std::string::npos);
  EXPECT_EQ(r.out.find("__extension__"), std::string::npos);
}

TEST_F(Zentacpp, StandardInputWithDefinitionsAndDirectories) {
  testkit::ScratchDir d;
  d.write("inc/h.h", "from_h\n");
  testkit::Result r = zentacpp({"-DA=5", "-D", "B", "-UB", "-I", d.file("inc"), "-P"},
                               "#include <h.h>\nA B __FILE__\n#if defined(ZENTA) && defined(STUBINACTIVE)\n"
                               "started\n#endif\n");
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out.find("#line"), std::string::npos);
  EXPECT_NE(r.out.find("from_h"), std::string::npos);
  EXPECT_NE(r.out.find("5 B \"<stdin>\""), std::string::npos) << r.out;
  EXPECT_NE(r.out.find("started"), std::string::npos);
}

// -std selects the dialect: __cplusplus has the standard's value, none in
// the classic language; gnu++NN is c++NN; anything else is refused.
TEST_F(Zentacpp, StdOptionSelectsTheDialect) {
  const std::string probe = "#ifdef __cplusplus\n__cplusplus\n#else\nclassic\n#endif\n";
  const std::pair<const char*, const char*> cases[] = {
      {"", "classic"},          {"-std=c++98", "classic"},      {"-std=c++11", "201103L"},
      {"-std=gnu++14", "201402L"}, {"-std=c++17", "201703L"},    {"-std=c++1z", "201703L"},
      {"-std=gnu++20", "202002L"}, {"-std=c++2a", "202002L"},    {"-std=c++23", "202302L"},
  };
  for (const auto& [option, expected] : cases) {
    std::vector<std::string> args = {"-P", "-std-define=/dev/null"};
    if (*option) args.push_back(option);
    testkit::Result r = zentacpp(args, probe);
    EXPECT_EQ(r.status, 0) << option << r.err;
    EXPECT_NE(r.out.find(expected), std::string::npos) << option << r.out;
  }
  for (const char* bad : {"-std=c++42", "-std=c17", "-std=cpp17", "-std="}) {
    testkit::Result r = zentacpp({"-P", "-std-define=/dev/null", bad}, probe);
    EXPECT_EQ(r.status, 7) << bad;
    EXPECT_NE(r.err.find("CMDERREUR"), std::string::npos) << bad << r.err;
  }
}

TEST_F(Zentacpp, StandardDefinitionsFileChoice) {
  const std::string probe = "#ifdef __x86_64__\nhost\n#else\nplain\n#endif\n";
  EXPECT_NE(zentacpp({"-P"}, probe).out.find("host"), std::string::npos);
  EXPECT_NE(zentacpp({"-P", "-std-define=/dev/null"}, probe).out.find("plain"), std::string::npos);
  // Its width pragmas reach `sizeof` in #if.
  const std::string width = "#if sizeof(long) == 8\nlong64\n#endif\n";
  EXPECT_NE(zentacpp({"-P"}, width).out.find("long64"), std::string::npos);
  EXPECT_EQ(zentacpp({"-P", "-std-define=/dev/null"}, width).out.find("long64"), std::string::npos);
  auto env = stagedEnvironment();
  env["ZNTTGT"] = std::nullopt;
  EXPECT_NE(zentacpp({"-P"}, probe, env).out.find("plain"), std::string::npos);
}

// The exit status and what the messages say: 3 for a warning, 7 when the
// run cannot go on.
TEST_F(Zentacpp, ExitStatusesAndMessages) {
  testkit::ScratchDir d;
  d.write("bad.h", "\n\n#if 1/0\n#endif\n");
  auto noHome = stagedEnvironment();
  noHome["QUARTODIR"] = std::nullopt;
  const struct {
    std::vector<std::string> args;
    std::string input;
    testkit::EnvChanges env;
    int status;
    std::vector<std::string> inErr;
  } cases[] = {
      {{}, "#warning look\n", stagedEnvironment(), 3, {"WARNERR", "#warning look"}},
      {{}, "\n#include \"no-such-header.h\"\n", stagedEnvironment(), 7, {"IMPOUVFIC", "no-such-header.h"}},
      {{"/no/such/input.c"}, "", stagedEnvironment(), 7, {}},
      {{"--bogus"}, "", stagedEnvironment(), 7, {}},
      {{}, "x\n", noHome, 7, {"QUARTODIR"}},
      {{"-I", d.path().string()}, "#include \"bad.h\"\n", stagedEnvironment(), 3,
       {"DIVISZERO", "[" + d.file("bad.h") + ":3]"}},
      {{"-P"}, "#ifdef X\n", stagedEnvironment(), 3, {"UNTERCOND"}},
  };
  for (const auto& c : cases) {
    const testkit::Result r = zentacpp(c.args, c.input, c.env);
    EXPECT_EQ(r.status, c.status) << c.input;
    for (const std::string& text : c.inErr) EXPECT_NE(r.err.find(text), std::string::npos) << text << "\n" << r.err;
  }
  EXPECT_NE(zentacpp({}, "#warning look\n").out.find("#warning look"), std::string::npos);
}

}  // namespace

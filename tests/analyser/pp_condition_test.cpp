// #if arithmetic, includes, pragmas and the analysis switch.
#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>

#include "analyser/lex/preprocessor.h"
#include "analyser/basic/target_widths.h"
#include "pp_support.h"
#include "tests/testkit/process.h"

using namespace pptest;

namespace {

struct Condition { const char* expression; bool taken; };

class IfValue : public ::testing::TestWithParam<Condition> {};

TEST_P(IfValue, SelectsTheGroup) {
  const Condition& c = GetParam();
  fresh();
  std::string out = flat(run(std::string("#define ONE 1\n#if ") + c.expression + "\nyes\n#else\nno\n#endif\n"));
  EXPECT_EQ(out, c.taken ? "yes" : "no") << c.expression;
  EXPECT_TRUE(messages().empty()) << c.expression << ": " << messages().front().code;
}

// The arithmetic that gcc shares is compared with it (data/pp/conditionals.c).
const Condition kConditions[] = {
    {"1", true}, {"0", false}, {"UNKNOWN == 0", true},
    {"sizeof(long) == 4 && sizeof(int) == 4 && sizeof(short) == 2 && sizeof(char) == 1", true},
    {"sizeof(double) == 0", true}, {"sizeof[int] == 4", true},
    {"#machine(ONE) && !#machine(TWO)", true},  // a machine is a name defined
};

INSTANTIATE_TEST_SUITE_P(Preprocessor, IfValue, ::testing::ValuesIn(kConditions));

// ---------------------------------------------------------------- pragmas

TEST(PreprocessorPragma, IncludeChainTypeModifiersAndAnalysisSwitch) {
  fresh();
  run("#pragma zenta incl /x/y, /z\n#pragma zenta type_modifier = far\n#pragma zenta type_modifier = near\n"
      "#pragma zenta type_modifier = far\n");  // keywords match by prefix
  EXPECT_TRUE(messages().empty());
  EXPECT_EQ(zenta::analyser::preprocessorIncludeChain(), (std::vector<std::string>{"/x/y", "/z"}));
  EXPECT_EQ(zenta::analyser::preprocessorTypeModifiers().size(), 2u);
  EXPECT_TRUE(zenta::analyser::isPreprocessorTypeModifier("near"));
  EXPECT_FALSE(zenta::analyser::isPreprocessorTypeModifier("huge"));
  // The analysis switched off lasts across calls unless the call forces it.
  run("#pragma zenta stop_analyze\n");
  EXPECT_FALSE(zenta::analyser::preprocessorAnalysisOn());
  EXPECT_EQ(flat(run("x\n")), "");
  EXPECT_EQ(flat(run("#define F 1\nF\n", "t.c", true)), "1");
  run("#pragma zenta start_analyze\n");
  EXPECT_TRUE(zenta::analyser::preprocessorAnalysisOn());
  EXPECT_EQ(flat(run("y\n")), "y");
  zenta::analyser::close_preprocessor();
  EXPECT_TRUE(zenta::analyser::preprocessorTypeModifiers().empty());
}

// ---------------------------------------------------------------- includes

// Headers written in a scratch directory, the include chain, the main text
// (in src/main.c) and its flattened output.
TEST(PreprocessorInclude, SearchOrderAndForms) {
  const struct {
    std::vector<std::pair<const char*, const char*>> files;
    std::vector<const char*> chain;
    const char* main;
    const char* expected;
  } cases[] = {
      // The chain comes before the includer's own directory.
      {{{"one/h.h", "one\n"}, {"two/h.h", "two\n"}, {"two/only2.h", "only2\n"}, {"src/h.h", "src\n"},
        {"src/local.h", "local\n"}},
       {"one", "two"}, "#include \"h.h\"\n#include <only2.h>\n#include \"local.h\"\n", "one only2 local"},
      {{{"a/h.h", "a1\n#include_next <h.h>\n"}, {"b/h.h", "b1\n#include_next <h.h>\n"}, {"c/h.h", "c1\n"}},
       {"a", "b", "c"}, "#include <h.h>\n", "a1 b1 c1"},
      {{{"v2.h", "version2\n"}}, {""},
       "#define str(s) # s\n#define xstr(s) str(s)\n#define INCFILE(n) v ## n\n#include xstr(INCFILE(2).h)\n",
       "version2"},
      {{{"t.h", "#pragma once\nT\n"}}, {""}, "#include \"t.h\"\n#include \"t.h\"\n", "T T"},  // read twice
      {{{"open.h", "#if 0\n"}}, {""}, "#include \"open.h\"\nhidden\n#endif\nshown\n", "shown"},
  };
  for (const auto& c : cases) {
    testkit::ScratchDir d;
    for (const auto& [name, text] : c.files) d.write(name, text);
    std::vector<std::string> dirs;
    for (const char* dir : c.chain) dirs.push_back(*dir ? d.file(dir) : d.path().string());
    fresh({}, dirs);
    EXPECT_EQ(flat(run(c.main, d.file("src/main.c"))), c.expected) << c.main;
    EXPECT_TRUE(messages().empty()) << c.main;
  }
  // A name as written comes first.
  testkit::ScratchDir d;
  d.write("inc/abs.h", "chain\n");
  d.write("abs.h", "written\n");
  fresh({}, {d.file("inc")});
  EXPECT_EQ(flat(run("#include \"" + d.file("abs.h") + "\"\n")), "written");
}

TEST(PreprocessorInclude, MarkersAndPositionsOfIncludedFilesAndLineDirectives) {
  testkit::ScratchDir d;
  d.write("h.h", "\n\nint h;\n#if 1/0\n#endif\n");
  fresh({}, {d.path().string()});
  std::string out = run("a\n#include \"h.h\"\nb\n", "m.c");
  const std::string h = d.file("h.h");
  EXPECT_EQ(out, "#line 1 \"m.c\"\na\n#line 3 \"" + h + "\"\nint h;\n#line 3 \"m.c\"\nb\n");
  ASSERT_EQ(messages().size(), 1u);
  EXPECT_EQ(messages()[0].file, h);
  EXPECT_EQ(messages()[0].line, 4);
  fresh();
  out = run("#line 100 \"other.c\"\n__LINE__ __FILE__\n#line 7\n#if 1/0\n#endif\n", "m.c");
  EXPECT_NE(out.find("#line 100 \"other.c\"\n100 \"other.c\""), std::string::npos) << out;
  ASSERT_EQ(messages().size(), 1u);
  EXPECT_EQ(messages()[0].line, 7);
  EXPECT_EQ(messages()[0].file, "other.c");
}

}  // namespace

namespace {

// ---------------------------------------------------------------- set-up

class EnvironmentVariable {
 public:
  EnvironmentVariable(const char* name, const char* value) : name_(name) {
    if (const char* old = std::getenv(name)) old_ = old;
    if (value) ::setenv(name, value, 1);
    else ::unsetenv(name);
  }
  ~EnvironmentVariable() {
    if (old_) ::setenv(name_, old_->c_str(), 1);
    else ::unsetenv(name_);
  }

 private:
  const char* name_;
  std::optional<std::string> old_;
};

// The include chain: the options' directories, then those of the
// environment when it is read.
TEST(PreprocessorSetUp, IncludeChainFromOptionsAndEnvironment) {
  const struct {
    const char* znu;  // nullptr: not set
    const char* usr;
    std::vector<std::string> dirs;
    bool environment;
    std::vector<std::string> chain;
  } cases[] = {
      {"/target/u", "", {"/opt/a", ""}, true, {"/opt/a", "", "/target/u/lib", "/usr/include", "/usr/local/include"}},
      {nullptr, nullptr, {}, true, {"/target/t/lib"}},
      {nullptr, nullptr, {"/ignored"}, false, {}},
  };
  for (const auto& c : cases) {
    EnvironmentVariable znu("ZNUTGT", c.znu), znt("ZNTTGT", "/target/t"), usr("ZNW_ADD_USR_INCLUDE", c.usr);
    zenta::analyser::resetPreprocessor();
    zenta::analyser::init_preprocessor(false, false, 0, {}, c.dirs, std::string(), nullptr, c.environment);
    EXPECT_EQ(zenta::analyser::preprocessorIncludeChain(), c.chain);
  }
}

TEST(PreprocessorSetUp, MainFileDefinitionsStay) {
  using namespace zenta::analyser;
  testkit::ScratchDir d;
  d.write("main.h", "#define FROM_MAIN 1\ntext is dropped\n");
  messages().clear();
  resetPreprocessor();
  setPreprocessorHook(capture);
  init_preprocessor(false, false, 0, {}, {}, d.file("main.h"), nullptr, false);
  EXPECT_TRUE(preprocessorMacroDefined("FROM_MAIN"));
  init_preprocessor(false, false, 0, {}, {}, d.file("absent.h"), nullptr, false);
  ASSERT_NE(find("IMPOUVFIC"), nullptr);
  EXPECT_EQ(find("IMPOUVFIC")->severity, 1);
  EXPECT_FALSE(preprocessorMacroDefined("FROM_MAIN"));  // the table was cleared
}

}  // namespace

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

struct Condition {
  const char* expression;
  bool taken;
};

class IfValue : public ::testing::TestWithParam<Condition> {};

TEST_P(IfValue, SelectsTheGroup) {
  const Condition& c = GetParam();
  fresh();
  std::string out = flat(run(std::string("#define ONE 1\n#if ") + c.expression + "\nyes\n#else\nno\n#endif\n"));
  EXPECT_EQ(out, c.taken ? "yes" : "no") << c.expression;
  EXPECT_TRUE(messages().empty()) << c.expression << ": " << messages().front().code;
}

const Condition kConditions[] = {
    {"1", true}, {"0", false}, {"ONE + 1 == 2", true}, {"UNKNOWN", false}, {"UNKNOWN == 0", true},
    {"-1 < 0", true},
    {"-1 > 0u", true},                       // unsigned comparison
    {"-1 < 0u", false},
    {"0xffffffffffffffff == -1", true},      // 64-bit wrap
    {"0x7fffffffffffffff + 1 < 0", true},    // signed 64-bit overflow wraps
    {"18446744073709551615 > 0", true},      // too big for signed: unsigned
    {"4294967296 == 0x100000000", true},     // 64-bit, not 32
    {"(1 << 63) < 0", true}, {"(1u << 63) > 0", true}, {"-8 >> 1 == -4", true}, {"1 << 64 == 0", true},
    {"7 / 2 == 3 && -7 / 2 == -3 && -7 % 2 == -1", true},
    {"010 == 8 && 0x1F == 31 && 10L == 10 && 3ULL == 3", true}, {"~0 == -1 && !0 && !!5 == 1", true},
    {"(1, 0)", false}, {"1 ? 2 : 0", true}, {"0 ? 1 : 0 ? 1 : 3", true}, {"1 ? 0 ? 5 : 0 : 1", false},
    {"(2 | 1) == 3 && (6 & 3) == 2 && (6 ^ 3) == 5", true}, {"1 + 2 * 3 == 7 && (1 + 2) * 3 == 9", true},
    {"3 > 2 > 1", false}, {"'a' == 97 && '\\n' == 10 && '\\x41' == 65 && '\\101' == 65", true},
    {"'\\377' < 0", true},                   // plain char is signed
    {"'ab' == 24930", true}, {"L'\\377' == 255", true},
    {"sizeof(long) == 4 && sizeof(int) == 4 && sizeof(short) == 2 && sizeof(char) == 1", true},
    {"sizeof(double) == 0", true}, {"sizeof[int] == 4", true},
    {"true", false},                         // identifiers are 0, C++ words too
    {"#machine(ONE) && !#machine(TWO)", true}, {"#lint(on)", false},
    {"defined ONE && defined(ONE) && !defined(TWO) && !defined TWO", true},
    {"defined __LINE__ && defined __STDC__", true},
};

INSTANTIATE_TEST_SUITE_P(Preprocessor, IfValue, ::testing::ValuesIn(kConditions));

TEST(PreprocessorIf, UnsignedCharMacroChangesCharacterSign) {
  fresh({"__CHAR_UNSIGNED__"});
  EXPECT_EQ(flat(run("#if '\\377' > 0\nyes\n#endif\n")), "yes");
}

TEST(PreprocessorIf, SizeofFollowsTheTargetWidths) {
  fresh();
  zenta::analyser::setTargetWidth(zenta::analyser::BaseWidth::Long, 64);
  std::string out = flat(run("#if sizeof(long) == 8\nyes\n#endif\n"));
  zenta::analyser::resetTargetWidths();
  EXPECT_EQ(out, "yes");
}

TEST(PreprocessorIf, WidthPragmasReachTheEvaluatorAtOnce) {
  fresh();
  std::string out = flat(run("#pragma zenta sizeof long = 64\n#if sizeof(long) == 8\nlong64\n#endif\n"
                             "#pragma zenta sizeof lint = 16\n#if sizeof(long) == 8\nstill\n#endif\n"
                             "#pragma zenta signof char = unsigned\n#if '\\377' > 0\nuchar\n#endif\n"));
  int longBits = zenta::analyser::targetWidth(zenta::analyser::BaseWidth::Long);
  zenta::analyser::resetTargetWidths();
  // The lines still reach the lexer; a name that may be a typedef is left to it.
  EXPECT_EQ(out, "#pragma zenta sizeof long = 64 long64 #pragma zenta sizeof lint = 16 still "
                 "#pragma zenta signof char = unsigned uchar");
  EXPECT_EQ(longBits, 64);
}

TEST(PreprocessorIf, IncrementAndDecrementAreNoOperators) {
  // `++` and `--` are single tokens that no expression takes; operators that
  // meet only through an expansion stay two tokens.
  for (const char* e : {"1 ++ 1", "2 --1", "+ +1 ++", "-- 1"}) {
    EXPECT_EQ(expand(std::string("#if ") + e + "\nyes\n#endif\n"), "") << e;
    EXPECT_EQ(codes(), std::vector<std::string>{"EXPERRONE"}) << e;
  }
  EXPECT_EQ(expand("#define M -1\n#define N(x) -x\n#if 2 -M == 3 && 2 N(-1) == 3 && - -1 == 1\nyes\n#endif\n"),
            "yes");
  EXPECT_TRUE(messages().empty());
}

TEST(PreprocessorIf, DeeplyNestedParenthesesNeedNoStack) {
  fresh();
  std::string e(100000, '(');
  e += "1";
  e += std::string(100000, ')');
  EXPECT_EQ(flat(run("#if " + e + "\nyes\n#endif\n")), "yes");
  EXPECT_TRUE(messages().empty());
}

TEST(PreprocessorIf, DeeplyNestedUnaryOperatorsNeedNoStack) {
  fresh();
  EXPECT_EQ(flat(run("#if " + std::string(199999, '!') + "0\nyes\n#endif\n")), "yes");
}

// ---------------------------------------------------------------- pragmas

TEST(PreprocessorPragma, KeywordsMatchByPrefix) {
  fresh();
  run("#pragma zenta incl /x/y, /z\n");
  auto chain = zenta::analyser::preprocessorIncludeChain();
  ASSERT_EQ(chain.size(), 2u);
  EXPECT_EQ(chain[0], "/x/y");
  EXPECT_EQ(chain[1], "/z");
  EXPECT_TRUE(messages().empty());
}

TEST(PreprocessorPragma, AnalysisSwitch) {
  fresh();
  std::string out = flat(run("a\n#pragma zenta stop\n#define HIDDEN 1\n#if 1\nb\n"
                             "#pragma zenta start\nc HIDDEN\n"));
  EXPECT_EQ(out, "a c HIDDEN");
  EXPECT_FALSE(zenta::analyser::preprocessorMacroDefined("HIDDEN"));
  zenta::analyser::close_preprocessor();
  EXPECT_TRUE(messages().empty()) << messages().front().code;
}

TEST(PreprocessorPragma, AnalysisOffLastsAcrossCallsUnlessForced) {
  fresh();
  run("#pragma zenta stop_analyze\n");
  EXPECT_FALSE(zenta::analyser::preprocessorAnalysisOn());
  EXPECT_EQ(flat(run("x\n")), "");
  EXPECT_EQ(flat(run("#define F 1\nF\n", "t.c", true)), "1");
  run("#pragma zenta start_analyze\n");
  EXPECT_TRUE(zenta::analyser::preprocessorAnalysisOn());
  EXPECT_EQ(flat(run("y\n")), "y");
}

TEST(PreprocessorPragma, SizeofAndSignofReachTheOutput) {
  fresh();
  std::string out = body(run("#pragma zenta sizeof int = 4\n#pragma zenta signof char = unsigned\n"
                             "#pragma zenta stop_analyse\n#pragma zenta start_analyse\n#pragma once\n"));
  EXPECT_EQ(out, "#pragma zenta sizeof int = 4\n#pragma zenta signof char = unsigned\n");
}

TEST(PreprocessorPragma, TypeModifiers) {
  fresh();
  run("#pragma zenta type_modifier = far\n#pragma zenta type_modifier = near\n"
      "#pragma zenta type_modifier = far\n");
  ASSERT_EQ(zenta::analyser::preprocessorTypeModifiers().size(), 2u);
  EXPECT_TRUE(zenta::analyser::isPreprocessorTypeModifier("near"));
  EXPECT_FALSE(zenta::analyser::isPreprocessorTypeModifier("huge"));
  zenta::analyser::close_preprocessor();
  EXPECT_TRUE(zenta::analyser::preprocessorTypeModifiers().empty());
}

TEST(PreprocessorPragma, AliasRunsItsTextWithoutOutput) {
  fresh();
  std::string out = flat(run("#pragma zenta pragma setup #define ALIASED 7\n#pragma setup\nALIASED\n"
                             "#pragma zenta pragma setup #define ALIASED 8\n#pragma setup\nALIASED\n"));
  EXPECT_EQ(out, "7 8");
}

TEST(PreprocessorPragma, AliasCanRestartAnalysis) {
  fresh();
  std::string out = flat(run("#pragma zenta pragma go #pragma zenta start_analyse\n"
                             "#pragma zenta stop_analyse\nhidden\n#pragma go\nseen\n"));
  EXPECT_EQ(out, "seen");
}

// ---------------------------------------------------------------- includes

TEST(PreprocessorInclude, SearchOrder) {
  testkit::ScratchDir d;
  d.write("one/h.h", "one\n");
  d.write("two/h.h", "two\n");
  d.write("two/only2.h", "only2\n");
  d.write("src/h.h", "src\n");
  d.write("src/local.h", "local\n");
  d.write("src/main.c", "#include \"h.h\"\n#include <only2.h>\n#include \"local.h\"\n");
  fresh({}, {d.file("one"), d.file("two")});
  std::string main = testkit::ScratchDir::slurp(d.file("src/main.c"));
  // The chain comes before the includer's own directory.
  EXPECT_EQ(flat(run(main, d.file("src/main.c"))), "one only2 local");
  EXPECT_TRUE(messages().empty());
}

TEST(PreprocessorInclude, NameAsWrittenComesFirst) {
  testkit::ScratchDir d;
  d.write("inc/abs.h", "chain\n");
  d.write("abs.h", "written\n");
  fresh({}, {d.file("inc")});
  EXPECT_EQ(flat(run("#include \"" + d.file("abs.h") + "\"\n")), "written");
}

TEST(PreprocessorInclude, IncludeNextContinuesAfterTheCurrentEntry) {
  testkit::ScratchDir d;
  d.write("a/h.h", "a1\n#include_next <h.h>\n");
  d.write("b/h.h", "b1\n#include_next <h.h>\n");
  d.write("c/h.h", "c1\n");
  fresh({}, {d.file("a"), d.file("b"), d.file("c")});
  EXPECT_EQ(flat(run("#include <h.h>\n")), "a1 b1 c1");
  EXPECT_TRUE(messages().empty());
}

TEST(PreprocessorInclude, MacroNamedHeader) {
  testkit::ScratchDir d;
  d.write("v2.h", "version2\n");
  fresh({}, {d.path().string()});
  EXPECT_EQ(flat(run("#define str(s) # s\n#define xstr(s) str(s)\n#define INCFILE(n) v ## n\n"
                     "#include xstr(INCFILE(2).h)\n")),
            "version2");
}

TEST(PreprocessorInclude, MarkersAndPositionsOfIncludedFiles) {
  testkit::ScratchDir d;
  d.write("h.h", "\n\nint h;\n#if 1/0\n#endif\n");
  fresh({}, {d.path().string()});
  std::string out = run("a\n#include \"h.h\"\nb\n", "m.c");
  std::string h = d.file("h.h");
  EXPECT_EQ(out, "#line 1 \"m.c\"\na\n#line 3 \"" + h + "\"\nint h;\n#line 3 \"m.c\"\nb\n");
  ASSERT_EQ(messages().size(), 1u);
  EXPECT_EQ(messages()[0].file, h);
  EXPECT_EQ(messages()[0].line, 4);
}

TEST(PreprocessorInclude, IncludedTwiceIsReadTwice) {
  testkit::ScratchDir d;
  d.write("t.h", "#pragma once\nT\n");
  fresh({}, {d.path().string()});
  EXPECT_EQ(flat(run("#include \"t.h\"\n#include \"t.h\"\n")), "T T");
}

TEST(PreprocessorInclude, LineDirective) {
  fresh();
  std::string out = run("#line 100 \"other.c\"\n__LINE__ __FILE__\n#line 7\n#if 1/0\n#endif\n", "m.c");
  EXPECT_EQ(flat(out), "100 \"other.c\"");
  EXPECT_NE(out.find("#line 100 \"other.c\"\n100"), std::string::npos) << out;
  ASSERT_EQ(messages().size(), 1u);
  EXPECT_EQ(messages()[0].line, 7);
  EXPECT_EQ(messages()[0].file, "other.c");
}

TEST(PreprocessorInclude, ConditionalsStayOpenAcrossFiles) {
  testkit::ScratchDir d;
  d.write("open.h", "#if 0\n");
  fresh({}, {d.path().string()});
  EXPECT_EQ(flat(run("#include \"open.h\"\nhidden\n#endif\nshown\n")), "shown");
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

TEST(PreprocessorSetUp, IncludeChainFromOptionsAndEnvironment) {
  using namespace zenta::analyser;
  EnvironmentVariable znu("ZNUTGT", "/target/u");
  EnvironmentVariable znt("ZNTTGT", "/target/t");
  EnvironmentVariable usr("ZNW_ADD_USR_INCLUDE", "");
  resetPreprocessor();
  init_preprocessor(false, false, 0, {}, {"/opt/a", ""}, std::string(), nullptr, true);
  std::vector<std::string> expected = {"/opt/a", "", "/target/u/lib", "/usr/include", "/usr/local/include"};
  EXPECT_EQ(preprocessorIncludeChain(), expected);
}

TEST(PreprocessorSetUp, TargetDirectoryWithoutUserIncludes) {
  using namespace zenta::analyser;
  EnvironmentVariable znu("ZNUTGT", nullptr);
  EnvironmentVariable znt("ZNTTGT", "/target/t");
  EnvironmentVariable usr("ZNW_ADD_USR_INCLUDE", nullptr);
  resetPreprocessor();
  init_preprocessor(false, false, 0, {}, {}, std::string(), nullptr, true);
  EXPECT_EQ(preprocessorIncludeChain(), std::vector<std::string>{"/target/t/lib"});
  resetPreprocessor();
  init_preprocessor(false, false, 0, {}, {"/ignored"}, std::string(), nullptr, false);
  EXPECT_TRUE(preprocessorIncludeChain().empty());
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

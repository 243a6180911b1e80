// Macro expansion, reading and scanning of the preprocessor.
#include <gtest/gtest.h>

#include "pp_support.h"

using namespace pptest;

namespace {

struct Case {
  const char* name;
  const char* input;
  const char* expected;  // flattened output
};

class Expansion : public ::testing::TestWithParam<Case> {};

TEST_P(Expansion, GivesTheExpectedText) {
  const Case& c = GetParam();
  EXPECT_EQ(expand(c.input), c.expected) << c.input;
  EXPECT_TRUE(messages().empty()) << messages().front().code;
}

const Case kCases[] = {
    {"SquareBracketMacro", "#define F[a] a+1\nF[2] F(2)\n", "2+1 F(2)"},
    {"SquareCallKeepsParenthesisedCommas", "#define G[a] <a>\nG[f(1,2)]\n", "<f(1,2)>"},
    {"ObjectLike", "#define N 10\nint a[N];\n", "int a[10];"},
    {"SelfReferenceStops", "#define z z[0]\nz\n", "z[0]"},
    {"MutualReferenceStops", "#define a b\n#define b a\na b\n", "a b"},
    {"NameWithoutParenthesisIsKept", "#define f(x) x\nint f;\n", "int f;"},
    {"CallOnNextLine", "#define f(x) <x>\nf\n(1)\n", "<1>"},
    {"CallThroughObjectMacro", "#define f(x) <x>\n#define g f\ng(2)\n", "<2>"},
    {"RescanFindsLaterArguments", "#define f(a) a*g\n#define g(a) f(a)\nf(2)(9)\n", "2*9*g"},
    {"ArgumentsExpandedFirst", "#define ONE 1\n#define id(x) x\nid(ONE)\n", "1"},
    {"PasteUsesRawArgument", "#define ONE 1\n#define cat(a,b) a ## b\ncat(ONE, 2)\n", "ONE2"},
    {"PasteOfLiterals", "#define cat(a,b) a##b\ncat(x,y) cat(1,2)\n", "xy 12"},
    {"PastedSlashesAreNoComment", "#define cat(a,b) a##b\ncat(/,/) x cat(/,*) y\n", "// x /* y"},
    {"PasteInObjectMacro", "#define xy 5\n#define P x ## y\nP\n", "5"},
    {"PasteWithEmptyArguments", "#define t(x,y,z) x ## y ## z\nt(1,2,3) t(,4,5) t(6,,7) t(,,)\n",
     "123 45 67"},
    {"Stringise", "#define s(x) #x\ns(  a   +  b  )\n", "\"a + b\""},
    {"StringiseEscapesLiterals", "#define s(x) #x\ns(\"a\\n\" '\\'')\n", "\"\\\"a\\\\n\\\" '\\\\''\""},
    {"StringiseEmpty", "#define s2(a,b) #a # b\ns2(,)\n", "\"\" \"\""},
    {"VariadicBare", "#define d(...) f(__VA_ARGS__)\nd(1, 2,3)\n", "f(1, 2,3)"},
    {"VariadicNamed", "#define e(fmt, args...) p(fmt, args)\ne(\"x\", 1, 2)\n", "p(\"x\", 1, 2)"},
    {"VariadicMissingIsEmpty", "#define d(a, ...) f(a __VA_ARGS__)\nd(1)\n", "f(1 )"},
    {"CommaBeforeEmptyVariadicGoes", "#define e(fmt, ...) p(fmt, ## __VA_ARGS__)\ne(x)\ne(x,1)\n",
     "p(x) p(x,1)"},
    {"StringiseVariadic", "#define l(...) #__VA_ARGS__\nl(a, b,  c)\n", "\"a, b, c\""},
    {"NestedCalls", "#define f(x) (x)\nf(f(f(1)))\n", "(((1)))"},
    {"ParenthesesInArguments", "#define two(a,b) a|b\ntwo((1,2),3)\n", "(1,2)|3"},
    {"CommentsRemoved", "a /* x\ny */ b // z\nc\n", "a b c"},
    {"CommentsInsideLiteralsKept", "\"/* no */\" '//'\n", "\"/* no */\" '//'"},
    {"MacroNamesInLiteralsKept", "#define X 1\n\"X\" 'X'\n", "\"X\" 'X'"},
    {"NumbersAreNotNames", "#define e 9\n#define x0 8\n1e5 0x0 e\n", "1e5 0x0 9"},
    {"UnknownDirectiveIsText", "#define V 3\n#ident \"x\" V\n", "#ident \"x\" 3"},
    {"HashAloneIgnored", "#\na\n", "a"}, {"SpliceJoinsLines", "#define A 1 \\\n + 2\nA\n", "1 + 2"},
    {"SpliceInsideIdentifier", "in\\\nt x;\n", "int x;"},
    {"TrigraphDirective", "?\?=define T 7\nT ?\?( ?\?)\n", "7 [ ]"},
    {"DigraphsAreTextual", "a<:1:> <%%> %:define D 4\n", "a[1] {} #define D 4"},
    {"MissingFinalNewline", "#define L 2\nL", "2"}, {"NoAccidentalPaste", "#define M -1\n-M\n", "- -1"},
    {"EmptyMacroKeepsApart", "#define E\na E b\nx E-E-y\n", "a b x - -y"}, {"StdcIsOne", "__STDC__\n", "1"},
    {"NoCplusplus", "__cplusplus\n", "__cplusplus"},
    {"OwnPredefinedNames", "ZNT_WIN32 USE_ZNU ZNT_CPLUSPLUS_LANGUAGE\n", "1 1 1"},
    {"LineAndFile", "\n__LINE__ __FILE__ __BASE_FILE__ __INCLUDE_LEVEL__\n", "2 \"t.c\" \"t.c\" 0"},
    {"UndefRemoves", "#define U 1\n#undef U\nU\n", "U"},
    {"IfdefAndElse", "#define D\n#ifdef D\nyes\n#else\nno\n#endif\n#ifndef D\nno2\n#endif\n", "yes"},
    {"ElifChain", "#if 0\na\n#elif 0\nb\n#elif 1\nc\n#elif 1\nd\n#else\ne\n#endif\n", "c"},
    {"SkippedGroupKeepsNesting", "#if 0\n#if 1\na\n#else\nb\n#endif\n#else\nc\n#endif\n", "c"},
    {"HashInSkippedCommentIgnored", "#if 0\n/*\n#else\n*/\nx\n#endif\ny\n", "y"},
    {"MachineAndLint", "#define X\n#if #machine(X) && !#lint(on)\nok\n#endif\n", "ok"},
    {"DefinedForms", "#define A\n#if defined A && defined(A) && !defined B\nok\n#endif\n", "ok"},
    {"DefinedThroughMacro", "#define A\n#define HAS_A defined(A)\n#if HAS_A\nok\n#endif\n", "ok"},
};

INSTANTIATE_TEST_SUITE_P(Preprocessor, Expansion, ::testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(PreprocessorScan, DigraphLineKeepsItsLength) {
  fresh();
  std::string out = body(run("a<:1:>\n"));
  EXPECT_EQ(out, "a[1]  \n");
}

TEST(PreprocessorScan, TrigraphLineKeepsItsLengthAndSplice) {
  fresh();
  // `??/` followed by blanks is a splice: the two lines join.
  std::string out = flat(run("#define S ab ?\?/  \ncd\nS\n"));
  EXPECT_EQ(out, "ab cd");
}

TEST(PreprocessorScan, ReadingStopsAtNul) {
  fresh();
  std::string text = "a\nb";
  text += '\0';
  text += "c\n";
  EXPECT_EQ(flat(run(text)), "a b");
}

TEST(PreprocessorScan, LineMarkersFollowTheInput) {
  fresh();
  std::string out = run("a\n#if 0\n\n\n\n\n\n\n\n\n\n#endif\nb\n#define X\nc\n", "m.c");
  EXPECT_EQ(out, "#line 1 \"m.c\"\na\n#line 13 \"m.c\"\nb\n\nc\n");
}

TEST(PreprocessorScan, LineMarkersGiveTheFirstLine) {
  fresh();
  std::string out;
  zenta::analyser::preprocess_text("x\n", false, "s.ptu", 41, out, nullptr, capture);
  EXPECT_EQ(out, "#line 42 \"s.ptu\"\nx\n");
}

TEST(PreprocessorScan, MultiLineCallKeepsLaterLines) {
  fresh();
  std::string out = run("#define f(a,b) a+b\nf(1,\n2)\n__LINE__\n", "m.c");
  // Line 4 of the input is line 4 of the output.
  std::string b = out.substr(out.find('\n') + 1);
  std::size_t at = b.find("4");
  ASSERT_NE(at, std::string::npos) << out;
  int lines = 1;
  for (std::size_t i = 0; i < at; ++i) lines += b[i] == '\n';
  EXPECT_EQ(lines, 4) << out;
}

TEST(PreprocessorScan, DefinitionsPersistBetweenCalls) {
  fresh();
  run("#define KEEP 5\n");
  EXPECT_EQ(flat(run("KEEP\n")), "5");
  EXPECT_TRUE(zenta::analyser::preprocessorMacroDefined("KEEP"));
  EXPECT_FALSE(zenta::analyser::preprocessorMacroDefined("GONE"));
}

TEST(PreprocessorScan, CommandLineDefinitions) {
  fresh({"A", "B=2", "C(x)=x*3", "=bad", "9x"});
  EXPECT_EQ(flat(run("A B C(4)\n")), "1 2 4*3");
  ASSERT_EQ(messages().size(), 2u);
  for (const auto& m : messages()) {
    EXPECT_EQ(m.code, "MALFOROPT");
    EXPECT_EQ(m.severity, 3);
    EXPECT_EQ(m.file, "*Initialization*");
  }
  EXPECT_EQ(messages()[0].argument, "=bad");
}

TEST(PreprocessorScan, DateAndTimeAreLiterals) {
  fresh();
  std::string out = body(run("__DATE__ __TIME__\n"));
  ASSERT_EQ(out.size(), 13u + 1 + 10u + 1) << out;
  EXPECT_EQ(out[0], '"');
  EXPECT_EQ(out[12], '"');
  EXPECT_EQ(out[17], ':');
}

TEST(PreprocessorScan, InternalBytesOfTheInputAreKept) {
  // The scanner marks some places of the texts it rescans with bytes of its
  // own; the same bytes in the input are plain bytes wherever they go.
  const struct {
    const char* input;
    const char* expected;
  } cases[] = {
      {"\"a\x01b\" 'c\x02' d\x01\x02e\n", "\"a\x01b\" 'c\x02' d\x01\x02e"},
      {"#define S \"a\x01b\" \x01 x\x02y\nS\n", "\"a\x01b\" \x01 x\x02y"},
      {"#define F(x) x\nF(\"a\x01\x02\") F(\x01X) F(F(\x02))\n", "\"a\x01\x02\" \x01X \x02"},
      {"#define Q(x) #x\n#define R(x) Q(x)\nQ(\"a\x01\") R(\"\x02\")\n", "\"\\\"a\\001\\\"\" \"\\\"\\002\\\"\""},
      {"#line 7 \"f\x01.h\"\n#define F(x) x\nF(__FILE__)\n", "\"f\x01.h\""},
  };
  for (const auto& c : cases) EXPECT_EQ(expand(c.input), c.expected) << c.input;
}

TEST(PreprocessorScan, TraditionalHasNoStdcAndAcceptsEmptyCall) {
  fresh({}, {}, true);
  EXPECT_EQ(flat(run("__STDC__\n#define q(x) [x]\nq()\n")), "__STDC__ []");
  EXPECT_TRUE(messages().empty());
}

}  // namespace

// Macro expansion, conditionals, pragmas, reading and scanning of the
// preprocessor: one text each, its output and its messages.
#include <gtest/gtest.h>

#include <algorithm>

#include "analyser/basic/target_widths.h"
#include "pp_support.h"

using namespace pptest;

namespace {

struct Case {
  const char* name;
  std::string input;
  const char* expected;    // flattened output
  const char* codes = "";  // the messages, nullptr: not checked
};

class Expansion : public ::testing::TestWithParam<Case> {};

TEST_P(Expansion, GivesTheExpectedTextAndMessages) {
  const Case& c = GetParam();
  EXPECT_EQ(expand(c.input), c.expected) << c.input;
  zenta::analyser::close_preprocessor();
  zenta::analyser::resetTargetWidths();
  if (c.codes) {
    EXPECT_EQ(codes(), c.codes) << c.input;
  }
}

const std::string kNul("a\nb\0c\n", 6);

// The plain standard behaviours (rescanning, pasting, stringising, variadic
// calls, comments, splices, conditionals) are compared with gcc in
// pp_conformance_test; these are the cases of this preprocessor's own.
const Case kCases[] = {
    {"SquareBracketMacro", "#define F[a] a+1\nF[2] F(2)\n", "2+1 F(2)"},
    {"SquareCallKeepsParenthesisedCommas", "#define G[a] <a>\nG[f(1,2)]\n", "<f(1,2)>"},
    {"ObjectLike", "#define N 10\nint a[N];\n", "int a[10];"},
    {"NameWithoutParenthesisIsKept", "#define f(x) x\nint f;\n", "int f;"},
    {"PastedSlashesAreNoComment", "#define cat(a,b) a##b\ncat(/,/) x cat(/,*) y\n", "// x /* y"},
    {"MacroNamesInLiteralsKept", "#define X 1\n\"X\" 'X'\n", "\"X\" 'X'"},
    {"NumbersAreNotNames", "#define e 9\n#define x0 8\n1e5 0x0 e\n", "1e5 0x0 9"},
    {"UnknownDirectiveIsText", "#define V 3\n#ident \"x\" V\n", "#ident \"x\" 3"},
    {"HashAloneIgnored", "#\na\n", "a"}, {"SpliceJoinsLines", "#define A 1 \\\n + 2\nA\n", "1 + 2"},
    {"TrigraphDirective", "?\?=define T 7\nT ?\?( ?\?)\n", "7 [ ]"},
    {"DigraphsAreTextual", "a<:1:> <%%> %:define D 4\n", "a[1] {} #define D 4"},
    {"MissingFinalNewline", "#define L 2\nL", "2"}, {"NoAccidentalPaste", "#define M -1\n-M\n", "- -1"},
    {"EmptyMacroKeepsApart", "#define E\na E b\nx E-E-y\n", "a b x - -y"}, {"StdcIsOne", "__STDC__\n", "1"},
    {"NoCplusplus", "__cplusplus\n", "__cplusplus"},
    {"OwnPredefinedNames", "ZNT_WIN32 USE_ZNU ZNT_CPLUSPLUS_LANGUAGE\n", "1 1 1"},
    {"LineAndFile", "\n__LINE__ __FILE__ __BASE_FILE__ __INCLUDE_LEVEL__\n", "2 \"t.c\" \"t.c\" 0"},
    {"UndefRemoves", "#define U 1\n#undef U\nU\n", "U"},
    {"SkippedGroupKeepsNesting", "#if 0\n#if 1\na\n#else\nb\n#endif\n#else\nc\n#endif\n", "c"},
    {"HashInSkippedCommentIgnored", "#if 0\n/*\n#else\n*/\nx\n#endif\ny\n", "y"},
    {"DefinedThroughMacro", "#define A\n#define HAS_A defined(A)\n#if HAS_A\nok\n#endif\n", "ok"},
    // Scanning.
    {"TrigraphSplice", "#define S ab ?\?/  \ncd\nS\n", "ab cd"},  // `??/` and blanks: a splice
    {"ReadingStopsAtNul", kNul, "a b"},
    // The scanner marks some places of the texts it rescans with bytes of
    // its own; the same bytes in the input are plain bytes wherever they go.
    {"InternalBytesInText", "\"a\x01b\" 'c\x02' d\x01\x02e\n", "\"a\x01b\" 'c\x02' d\x01\x02e"},
    {"InternalBytesInMacro", "#define S \"a\x01b\" \x01 x\x02y\nS\n", "\"a\x01b\" \x01 x\x02y"},
    {"InternalBytesInArguments", "#define F(x) x\nF(\"a\x01\x02\") F(\x01X) F(F(\x02))\n", "\"a\x01\x02\" \x01X \x02"},
    {"InternalBytesStringised", "#define Q(x) #x\n#define R(x) Q(x)\nQ(\"a\x01\") R(\"\x02\")\n",
     "\"\\\"a\\001\\\"\" \"\\\"\\002\\\"\""},
    {"InternalBytesInFileName", "#line 7 \"f\x01.h\"\n#define F(x) x\nF(__FILE__)\n", "\"f\x01.h\""},
    // #if: plain char signedness, widths, operators that are no operators,
    // nesting that needs no stack.
    {"UnsignedCharMacro", "#define __CHAR_UNSIGNED__\n#if '\\377' > 0\nyes\n#endif\n", "yes"},
    {"WidthPragmasReachTheEvaluator",
     "#pragma zenta sizeof long = 64\n#if sizeof(long) == 8\nlong64\n#endif\n#pragma zenta sizeof lint = 16\n"
     "#if sizeof(long) == 8\nstill\n#endif\n#pragma zenta signof char = unsigned\n#if '\\377' > 0\nuchar\n#endif\n",
     "#pragma zenta sizeof long = 64 long64 #pragma zenta sizeof lint = 16 still "
     "#pragma zenta signof char = unsigned uchar"},
    {"IncrementIsNoOperator", "#if 1 ++ 1\nyes\n#endif\n", "", "EXPERRONE"},
    {"DecrementIsNoOperator", "#if 2 --1\nyes\n#endif\n", "", "EXPERRONE"},
    {"TrailingIncrement", "#if + +1 ++\nyes\n#endif\n", "", "EXPERRONE"},
    {"LeadingDecrement", "#if -- 1\nyes\n#endif\n", "", "EXPERRONE"},
    {"OperatorsMetThroughExpansion",
     "#define M -1\n#define N(x) -x\n#if 2 -M == 3 && 2 N(-1) == 3 && - -1 == 1\nyes\n#endif\n", "yes"},
    {"DeepParentheses", "#if " + std::string(100000, '(') + "1" + std::string(100000, ')') + "\nyes\n#endif\n", "yes"},
    {"DeepUnaryOperators", "#if " + std::string(199999, '!') + "0\nyes\n#endif\n", "yes"},
    {"FaultyIfTakesNoGroup", "#if 1 +\na\n#else\nb\n#endif\n", "b", "EXPERRONE"},
    {"NoDivisionWhereNotEvaluated",
     "#if 0 && 1/0\n#endif\n#if 1 || 1/0\n#endif\n#if 1 ? 2 : 1/0\n#endif\n#if 0 ? 1/0 : 2\n#endif\n", ""},
    // Pragmas: the analysis switch, width pragmas kept for the lexer, aliases.
    {"AnalysisSwitch", "a\n#pragma zenta stop\n#define HIDDEN 1\n#if 1\nb\n#pragma zenta start\nc HIDDEN\n",
     "a c HIDDEN"},
    {"WidthPragmasReachTheOutput",
     "#pragma zenta sizeof int = 4\n#pragma zenta signof char = unsigned\n#pragma zenta stop_analyse\n"
     "#pragma zenta start_analyse\n#pragma once\n",
     "#pragma zenta sizeof int = 4 #pragma zenta signof char = unsigned"},
    {"AliasRunsItsTextWithoutOutput",
     "#pragma zenta pragma setup #define ALIASED 7\n#pragma setup\nALIASED\n"
     "#pragma zenta pragma setup #define ALIASED 8\n#pragma setup\nALIASED\n",
     "7 8", "IDENREDEF"},
    {"AliasCanRestartAnalysis",
     "#pragma zenta pragma go #pragma zenta start_analyse\n#pragma zenta stop_analyse\nhidden\n#pragma go\nseen\n",
     "seen"},
    // Redefinitions, #error, calls left open.
    {"SilentRedefinitions", "#define S(a)  a  +  1\n#define S(a) a + 1\n#define __STDC__ 2\n#undef __STDC__\n", ""},
    {"RedefinitionReplacesAll", "#define R 1\n#define R 2\nR\n#define __LINE__ L\n__LINE__\n", "2 L", nullptr},
    {"ErrorLineReachesTheOutput", "a\n#error bad thing\nb\n", "a #error bad thing b", "WARNERR"},
    {"UnterminatedCallKeepsTheName", "#define f(a) a\nx f(1,\n", "x f", "ERRINLINE"},
    {"CallLeftOpenInAnArgument",  // ends with the argument
     "#define sub(x, y) (x - y)\n#define head sub(\n#define body(x, y) x,y\n#define tail )\n"
     "#define hbt(a, b, c) a b c\nhbt(head, body(a,b), tail);\n",
     "sub a,b );", "ERRINLINE"},
};

INSTANTIATE_TEST_SUITE_P(Preprocessor, Expansion, ::testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(PreprocessorScan, LineMarkersAndLengthsFollowTheInput) {
  fresh();
  EXPECT_EQ(body(run("a<:1:>\n")), "a[1]  \n");  // a digraph line keeps its length
  EXPECT_EQ(run("a\n#if 0\n\n\n\n\n\n\n\n\n\n#endif\nb\n#define X\nc\n", "m.c"),
            "#line 1 \"m.c\"\na\n#line 13 \"m.c\"\nb\n\nc\n");
  std::string out;
  zenta::analyser::preprocess_text("x\n", false, "s.ptu", 41, out, nullptr, capture);
  EXPECT_EQ(out, "#line 42 \"s.ptu\"\nx\n");
  // After a call over several lines, line 4 of the input is line 4 of the output.
  out = run("#define f(a,b) a+b\nf(1,\n2)\n__LINE__\n", "m.c");
  const std::string b = out.substr(out.find('\n') + 1);
  ASSERT_NE(b.find('4'), std::string::npos) << out;
  EXPECT_EQ(std::count(b.begin(), b.begin() + static_cast<long>(b.find('4')), '\n'), 3) << out;
  // __DATE__ and __TIME__ are literals.
  out = body(run("__DATE__ __TIME__\n"));
  ASSERT_EQ(out.size(), 13u + 1 + 10u + 1) << out;
  EXPECT_EQ(out[0], '"');
  EXPECT_EQ(out[12], '"');
  EXPECT_EQ(out[17], ':');
}

TEST(PreprocessorScan, DefinitionsFromTheCommandLineAndEarlierCalls) {
  fresh({"A", "B=2", "C(x)=x*3", "=bad", "9x"});
  run("#define KEEP 5\n");
  EXPECT_EQ(flat(run("A B C(4) KEEP\n")), "1 2 4*3 5");
  EXPECT_TRUE(zenta::analyser::preprocessorMacroDefined("KEEP"));
  EXPECT_FALSE(zenta::analyser::preprocessorMacroDefined("GONE"));
  ASSERT_EQ(codes(), "MALFOROPT MALFOROPT");
  for (const auto& m : messages()) {
    EXPECT_EQ(m.severity, 3);
    EXPECT_EQ(m.file, "*Initialization*");
  }
  EXPECT_EQ(messages()[0].argument, "=bad");
  // The traditional language has no __STDC__ and accepts an empty call.
  fresh({}, {}, true);
  EXPECT_EQ(flat(run("__STDC__\n#define q(x) [x]\nq()\n")), "__STDC__ []");
  EXPECT_TRUE(messages().empty());
}

}  // namespace

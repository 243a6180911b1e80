// Diagnostics of the preprocessor: codes, severities, arguments, positions.
#include <gtest/gtest.h>

#include "pp_support.h"

using namespace pptest;

namespace {

struct Case {
  const char* name;
  const char* input;
  const char* code;
  int severity;
  const char* argument;  // nullptr: not checked
  int line;              // 0: not checked
};

class Diagnostic : public ::testing::TestWithParam<Case> {};

TEST_P(Diagnostic, IsReportedOnce) {
  const Case& c = GetParam();
  fresh();
  run(c.input, "d.c");
  int count = 0;
  for (const auto& m : messages()) {
    if (m.code != c.code) continue;
    ++count;
    EXPECT_EQ(m.severity, c.severity);
    if (c.argument) {
      EXPECT_EQ(m.argument, c.argument);
    }
    if (c.line) {
      EXPECT_EQ(m.line, c.line);
    }
    EXPECT_EQ(m.file, "d.c");
  }
  EXPECT_EQ(count, 1) << c.input;
}

const Case kCases[] = {
    // #define
    {"InvalidName", "#define 3x 1\n", "INVAMACRO", 3, nullptr, 1},
    {"DefiningDefined", "#define defined 1\n", "INVDEFINE", 3, nullptr, 1},
    {"ParameterStartsWithDigit", "#define f(1a) a\n", "PARASTART", 3, nullptr, 1},
    {"EllipsisNotLast", "#define f(..., a) a\n", "BADPARDEF", 3, "another parameter follow \"...\"", 1},
    {"BadEllipsis", "#define f(a, ..) a\n", "BADPARDEF", 3, "\"...\" expected", 1},
    {"UnterminatedParameters", "#define f(a, b\n", "UNTPARDEF", 3, nullptr, 1},
    {"StringiseWithoutParameter", "#define f(x) #y\n", "OPERMACRO", 3, nullptr, 1},
    {"Redefinition", "#define R 1\n#define R 2\n", "IDENREDEF", 3, "R", 2},
    {"RedefiningSpecial", "#define __FILE__ x\n", "IDENREDEF", 3, "__FILE__", 1},
    {"UndefiningSpecial", "\n#undef __LINE__\n", "UNDEFININ", 3, "__LINE__", 2},
    // conditionals
    {"ElseOutside", "#else\n", "NOCONDITI", 3, "#else", 1},
    {"ElifOutside", "#elif 1\n", "NOCONDITI", 3, "#elif", 1},
    {"EndifOutside", "#endif\n", "UNBAENDIF", 3, nullptr, 1},
    {"ElseAfterElse", "#if 0\n#else\n#else\n#endif\n", "ELIFAELSE", 3, "#else", 3},
    {"ElifAfterElse", "#if 0\n#else\n#elif 1\n#endif\n", "ELIFAELSE", 3, "#elif", 3},
    {"MatchLine", "#if 0\n#else\n#else\n#endif\n", "MATCHLINE", 4, " 2 file d.c", 3},
    {"IfdefWithoutName", "#ifdef\n#endif\n", "NOARGUMEN", 3, "#ifdef", 1},
    {"IfndefPunctuation", "#ifndef +x\n#endif\n", "ARGPUNCTU", 3, "#ifndef", 1},
    {"IfdefTrailingText", "#ifdef X Y\n#endif\n", "INVALIEND", 3, "#ifdef", 1},
    // #if expressions
    {"DivisionByZero", "#if 1/0\n#endif\n", "DIVISZERO", 3, "#if", 1},
    {"RemainderByZeroInElif", "#if 0\n#elif 1%0\n#endif\n", "DIVISZERO", 3, "#if", 2},
    {"EmptyIf", "#if\n#endif\n", "EMPTYEXPR", 3, "#if", 1},
    {"EmptyElif", "#if 0\n#elif\n#endif\n", "EMPTYEXPR", 3, "#elif", 2},
    {"TextAfterExpression", "#if 1 2\n#endif\n", "ERRAFTEND", 3, nullptr, 1},
    {"FloatingConstant", "#if 1.5\n#endif\n", "EXPERRONE", 3, "1.5", 1},
    {"StringInIf", "#if \"s\"\n#endif\n", "EXPERRONE", 3, nullptr, 1},
    {"MissingOperand", "#if 1 +\n#endif\n", "EXPERRONE", 3, "1 +", 1},
    {"UnbalancedParenthesis", "#if (1\n#endif\n", "EXPERRONE", 3, nullptr, 1},
    {"LongExpressionShowsItsEnd",
     "#if 1111111111 + 2222222222 + 3333333333 + 4444444444 +\n#endif\n", "EXPERRONE", 3,
     " 2222222222 + 3333333333 + 4444444444 +", 1},
    {"DefinedWithoutName", "#if defined\n#endif\n", "ERDEFINED", 3, nullptr, 1},
    {"CharacterTooBig", "#if '\\777'\n#endif\n", "NOFITBYTE", 3, nullptr, 1},
    // #include, #error, #pragma
    {"IncludeWithoutName", "#include foo\n", "ERINCLUDE", 3, "foo", 1},
    {"IncludeTrailingText", "#include \"a.h\" b\n", "ERINCLUDE", 3, nullptr, 1},
    {"IncludeNotFound", "\n#include \"surely-missing-header.h\"\n", "IMPOUVFIC", 1,
     "surely-missing-header.h", 2},
    {"ErrorDirective", "#error stop   here\n", "WARNERR", 3, "#error stop   here", 1},
    {"WarningDirective", "#warning careful\n", "WARNERR", 3, "#warning careful", 1},
    {"UnknownZentaPragma", "#pragma zenta foo\n", "PRAGMAINC", 3, "foo", 1},
    {"EmptyZentaPragma", "#pragma zenta (x)\n", "PRAGMAINC", 3, "(", 1},
    {"EmptyInclStd", "#pragma zenta incl_std\n", "SYNTAXERR", 3, "empty pragma zenta incl_std", 1},
    {"TypeModifierWithoutEquals", "#pragma zenta type_modifier far\n", "TYPMODINC", 3, nullptr, 1},
    {"BadLine", "#line x\n", "DIESELINE", 3, nullptr, 1},
    // calls
    {"ArgumentToMacroWithoutParameters", "#define p() 1\np(2)\n", "ARGTOMACR", 3, "p", 2},
    {"TooManyArguments", "#define f(a) a\nf(1,2)\n", "TOMANYARG", 3, "f", 2},
    {"NoArgumentForOneParameter", "#define q(x) x\nq()\n", "NOARTOMAC", 3, "q", 2},
    {"NoArgumentForTwoParameters", "#define r(x,y) x\nr()\n", "NOARTOMAC", 3, "r", 2},
    {"TooFewArguments", "#define r(x,y,z) x\nr(1,2)\n", "NBARGMACR", 3, "r", 2},
    {"UnterminatedCall", "#define f(a) a\nf(1,\n", "ERRINLINE", 3, "unterminated macro call", 0},
    // scanning
    {"UnterminatedComment", "a /* b\n", "UNTERCOMM", 3, nullptr, 1},
    {"UnterminatedString", "\"abc\n", "UNTERSTRI", 3, nullptr, 1},
    {"UnterminatedCharacter", "x = 'a;\n", "UNTERSTRI", 3, nullptr, 1},
};

INSTANTIATE_TEST_SUITE_P(Preprocessor, Diagnostic, ::testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(PreprocessorMessages, ErrorsAreCountedAndPlacedInTheInnermostNamedFrame) {
  // The preprocessor itself raises no severity-2 message: the count is zero
  // even with warnings.
  fresh();
  std::string out;
  EXPECT_EQ(zenta::analyser::preprocess_text("#define f(a) a\n\nf(1,2)\n", false, "", 0, out, nullptr, capture), 0);
  ASSERT_EQ(codes(), "TOMANYARG");
  EXPECT_EQ(messages()[0].file, "");
  EXPECT_EQ(messages()[0].line, 0);
}

TEST(PreprocessorMessages, OpenConditionalsReportedAtClose) {
  fresh();
  run("#if 1\n#ifdef X\n#else\n", "c.h");
  EXPECT_TRUE(messages().empty());
  zenta::analyser::close_preprocessor();
  ASSERT_EQ(codes(), "UNTERCOND UNTERCOND");
  EXPECT_EQ(messages()[0].argument, "if");
  EXPECT_EQ(messages()[0].line, 1);
  EXPECT_EQ(messages()[1].argument, "else");
  EXPECT_EQ(messages()[1].line, 2);
  EXPECT_EQ(messages()[1].file, "c.h");
  EXPECT_FALSE(zenta::analyser::preprocessorMacroDefined("ZNT_WIN32"));
}

TEST(PreprocessorMessages, OverlongVariadicArgumentIsFatalAndStops) {
  fresh();
  std::string call = "#define v(...) <__VA_ARGS__>\nv(";
  for (int i = 0; i < 3000; ++i) call += "abcd,";
  call += "x)\nafter\n";
  std::string out = flat(run(call));
  const Message* m = find("TOMANYARG");
  ASSERT_NE(m, nullptr);
  EXPECT_EQ(m->severity, 1);
  EXPECT_EQ(out, "after");
}

}  // namespace

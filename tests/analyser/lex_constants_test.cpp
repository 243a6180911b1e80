// Constants of both lexers: integer values and types against the target
// widths, every escape and fault of character constants, the floating and
// script-only notations, and the character image.
#include "analyser/lex/char_image.h"
#include "tests/analyser/lex_support.h"

namespace lextest {
namespace {

struct ConstantCase {
  const char* text;
  const char* value;             // value of the first token (a constant)
  int width;
  const char* codes;             // messages raised
  const char* tokens = nullptr;  // token texts joined by blanks, when not the text
};

void expectConstant(const ConstantCase& c, const std::vector<Token>& ts) {
  SCOPED_TRACE(c.text);
  EXPECT_EQ(texts(ts), c.tokens ? c.tokens : c.text);
  ASSERT_FALSE(ts.empty());
  EXPECT_EQ(ts[0].constant.value.toString(), c.value);
  EXPECT_EQ(ts[0].constant.width, c.width);
  EXPECT_EQ(codes(), c.codes);
}

using IntegerConstants = LexTest;

TEST_F(IntegerConstants, ValuesTypesAndRange) {
  const ConstantCase cases[] = {
      {"0", "0", -32, ""}, {"42", "42", -32, ""}, {"017", "15", -32, ""},
      {"089", "0", -32, "", "0 89"}, {"0x1F", "31", -32, ""}, {"0x", "0", -32, "", "0 x"},
      {"0XffU", "255", 32, ""}, {"10l", "10", -32, ""}, {"10Lu", "10", 32, ""},
      {"5ll", "5", -64, ""}, {"7ULL", "7", 64, ""}, {"2147483647", "2147483647", -32, ""},
      // Needs the sign bit: the unsigned type of the same width.
      {"2147483648", "2147483648", 32, ""}, {"0xFFFFFFFF", "4294967295", 32, ""},
      {"4294967296", "0", -32, "ENTOUTRAN"}, {"4294967296L", "0", -32, "ENTOUTRAN"},
      {"4294967301u", "5", 32, "ENTOUTRAN"}, {"4294967296LL", "4294967296", -64, ""},
      {"0x123456789", "591751049", -32, "ENTOUTRAN"},
      {"0xFFFFFFFFFFFFFFFFULL", "18446744073709551615", 64, ""},
      {"18446744073709551621LL", "5", -64, "ENTOUTRAN"},
      {"99999999999999999999999999999999999999999999999999ULL", "13070572018536022015", 64, "ENTOUTRAN"},
      {"1e", "1", -32, "", "1 e"},
  };
  for (const auto& c : cases) {
    messages().clear();
    expectConstant(c, declTokens(c.text));
    messages().clear();
    expectConstant(c, exprTokens(c.text));
  }
  ASSERT_EQ(messages().size(), 0u);
  exprTokens("4294967296");
  ASSERT_EQ(messages().size(), 1u);
  EXPECT_EQ(messages()[0].severity, 3);
  EXPECT_EQ(messages()[0].argument, "4294967296");
  EXPECT_EQ(messages()[0].file, "script.ptu");
  EXPECT_EQ(messages()[0].line, 7);
}

TEST_F(IntegerConstants, WidthsAndSignednessFromPragmas) {
  auto ts = declTokens(
      "65536 65535 32767\n"
      "#pragma zenta sizeof int = 16\n"
      "65536 65535 32767 4294967296L\n"
      "#pragma zenta sizeof long = 64\n"
      "4294967296L\n"
      "#pragma zenta signof int = unsigned\n"
      "1 1L\n");
  ASSERT_EQ(ts.size(), 10u);
  const int widths[] = {-32, -32, -32, -16, 16, -16, -32, -64, 16, -64};
  for (std::size_t i = 0; i < ts.size(); ++i) EXPECT_EQ(ts[i].constant.width, widths[i]) << i;
  EXPECT_EQ(ts[3].constant.value.toString(), "0");
  EXPECT_EQ(ts[7].constant.value.toString(), "4294967296");
  // 65536 with a 16-bit int, 4294967296L with a 32-bit long.
  EXPECT_EQ(codes(), "ENTOUTRAN ENTOUTRAN");
  EXPECT_EQ(messages()[0].line, 3);
  EXPECT_EQ(messages()[1].argument, "4294967296L");
}

using ScriptNotations = LexTest;

TEST_F(ScriptNotations, BinaryAndHexadecimalSuffixes) {
  const ConstantCase cases[] = {
      {"101b", "5", -32, ""}, {"0b", "0", -32, ""}, {"1B", "1", -32, ""},
      {"0FFh", "255", -32, ""}, {"1Fh", "31", -32, ""}, {"1e5h", "485", -32, ""},
      {"0b1h", "177", -32, ""}, {"12b", "12", -32, "", "12 b"}, {"0xFFh", "255", -32, "", "0xFF h"},
      {"0FFhL", "255", -32, "", "0FFh L"}, {"100000000h", "0", -32, "ENTOUTRAN"},
      {"111111111111111111111111111111111b", "4294967295", 32, "ENTOUTRAN"},
  };
  for (const auto& c : cases) {
    messages().clear();
    expectConstant(c, exprTokens(c.text));
  }
  // Header texts know neither notation.
  messages().clear();
  EXPECT_EQ(texts(declTokens("0FFh 101b")), "0 FFh 101 b");
  EXPECT_EQ(declTokens("0FFh")[1].code, Tok::Identifier);
}

struct FloatCase {
  const char* text;
  const char* declaration;  // tokens of the declaration lexer
  const char* expression;   // tokens of the expression lexer
};

TEST_F(ScriptNotations, FloatingRulesOfEachLexer) {
  const FloatCase cases[] = {
      {"1.", "1.", "1 ."}, {".5", ".5", ".5"}, {"1.e5", "1.e5", "1 . e5"}, {"1.5e+3", "1.5e+3", "1.5e+3"},
      {"1e5", "1e5", "1e5"}, {"1.0e5", "1.0e5", "1.0e5"}, {"1e+", "1 e +", "1 e +"},
      {"089.5", "089.5", "089.5"}, {"0..9", "0. .9", "0 .. 9"},
      {"a[1.5..2.5]", "a [ 1.5 . .2 .5 ]", "a [ 1.5 .. 2.5 ]"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(texts(declTokens(c.text)), c.declaration);
    EXPECT_EQ(texts(exprTokens(c.text)), c.expression);
  }
  struct Suffix {
    const char* text;
    const char* body;
    FloatSuffix suffix;
  } suffixes[] = {{"1.5f", "1.5", FloatSuffix::Float},
                  {"2.L", "2.", FloatSuffix::LongDouble}, {"3e2", "3e2", FloatSuffix::None},
                  {".5F", ".5", FloatSuffix::Float}};
  for (const auto& s : suffixes) {
    auto ts = declTokens(s.text);
    ASSERT_EQ(ts.size(), 1u) << s.text;
    EXPECT_EQ(ts[0].code, Tok::FloatConstant);
    EXPECT_EQ(ts[0].body, s.body);
    EXPECT_EQ(ts[0].floatSuffix, s.suffix);
  }
  EXPECT_EQ(messages().size(), 0u);
}

using CharacterConstants = LexTest;

TEST_F(CharacterConstants, EscapesAndFaults) {
  const ConstantCase cases[] = {
      {"'a'", "97", 8, ""}, {"'\\n'", "10", 8, ""}, {"'\\t'", "9", 8, ""}, {"'\\v'", "11", 8, ""},
      {"'\\b'", "8", 8, ""}, {"'\\r'", "13", 8, ""}, {"'\\f'", "12", 8, ""}, {"'\\a'", "7", 8, ""},
      {"'\\E'", "27", 8, ""}, {"'\\''", "39", 8, ""}, {"'\\\\'", "92", 8, ""}, {"'\\?'", "63", 8, ""},
      {"'\\('", "40", 8, ""}, {"'\\['", "91", 8, ""}, {"'\\{'", "123", 8, ""}, {"'\\\"'", "34", 8, ""},
      {"'\\0'", "0", 8, ""}, {"'\\101'", "65", 8, ""}, {"'\\x41'", "65", 8, ""}, {"'\\377'", "-1", -8, ""},
      {"'\\x7fff'", "-1", -8, ""}, {"'\\1234'", "21300", 32, "MULCARCST"},
      {"'\\xq'", "113", 32, "NOHEXDIGI MULCARCST"}, {"'\\q'", "113", 8, "SEQUEINCO"},
      {"'\\e'", "101", 8, "SEQUEINCO"},
      {"'ab'", "24930", 32, "MULCARCST"}, {"'abcde'", "1633837924", 32, "TOLOCSTCA"},
      {"'\\xff\\xff'", "-1", -32, "MULCARCST"},
      {"''", "0", 8, "CSTCARVID"}, {"'ab\nx", "24930", 32, "INVCSTCAR", "'ab x"}, {"L'x'", "120", -32, ""},
      {"L'\\377'", "255", -32, ""}, {"L", "0", 0, ""},
  };
  for (const auto& c : cases) {
    messages().clear();
    expectConstant(c, declTokens(c.text));
  }
  messages().clear();
  exprTokens(R"(x = '\q' + 'abcde')");
  ASSERT_EQ(codes(), "SEQUEINCO TOLOCSTCA");
  EXPECT_EQ(messages()[0].argument, R"(\q)");
  EXPECT_EQ(messages()[1].argument, "'abcde'");
  EXPECT_EQ(messages()[1].file, "script.ptu");
}

TEST_F(CharacterConstants, PlainCharSignednessAndWidth) {
  auto ts = declTokens(
      "'\\377'\n#pragma zenta signof char = unsigned\n'\\377' 'a'\n"
      "#pragma zenta sizeof char = 16\n'abc' '\\xffff'\n");
  ASSERT_EQ(ts.size(), 5u);
  EXPECT_EQ(ts[0].constant.value.toString(), "-1");
  EXPECT_EQ(ts[1].constant.value.toString(), "255");
  EXPECT_EQ(ts[1].constant.width, 8);
  EXPECT_TRUE(ts[1].constant.isChar);
  // Two 16-bit characters fill a 32-bit int.
  EXPECT_EQ(ts[3].constant.value.toString(), std::to_string(('a' << 16) | 'b'));
  EXPECT_EQ(ts[4].constant.value.toString(), "65535");
  EXPECT_EQ(codes(), "TOLOCSTCA");
}

TEST(CharacterImage, NamedPrintableAndOctal) {
  resetTargetWidths();
  const std::pair<std::int64_t, const char*> cases[] = {
      {0, R"('\0')"},    {8, R"('\b')"},    {12, R"('\f')"},   {10, R"('\n')"},   {13, R"('\r')"},
      {9, R"('\t')"},    {11, R"('\v')"},   {39, R"('\'')"},   {92, R"('\\')"},   {34, R"('\"')"},
      {65, "'A'"},       {32, "' '"},       {126, "'~'"},      {27, R"('\033')"}, {1, R"('\01')"},
      {7, R"('\07')"},   {63, "'?'"},       {31, R"('\037')"}, {64, "'@'"},       {127, R"('\177')"},
      {200, R"('\310')"}, {255, R"('\377')"}, {-1, R"('\377')"}, {-128, R"('\200')"},
  };
  for (const auto& [value, image] : cases) EXPECT_EQ(charConstantImage(value), image) << value;
}

}  // namespace
}  // namespace lextest

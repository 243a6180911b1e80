// Both lexers: operators by longest match, keywords, identifiers and their
// classification, the template-argument state, line markers and width
// pragmas of the declaration lexer, and marks; constants, their values and
// types against the target widths, every escape and fault of character
// constants, the floating and script-only notations, and the character
// image.
#include "analyser/lex/char_image.h"
#include "tests/analyser/lex_support.h"

namespace lextest {
namespace {

std::vector<Tok> codesOf(const std::vector<Token>& ts) {
  std::vector<Tok> r;
  for (const auto& t : ts) r.push_back(t.code);
  return r;
}

using Tokens = LexTest;

TEST_F(Tokens, OperatorsKeywordsIdentifiersAndLiterals) {
  // Every operator alone, then glued to its neighbours.
  for (auto code = Tok::LParen; code <= Tok::Not; code = static_cast<Tok>(static_cast<int>(code) + 1)) {
    const std::string_view text = tokenSpelling(code);
    auto d = declTokens(text);
    ASSERT_EQ(d.size(), 1u) << text;
    EXPECT_EQ(d[0].code, code) << text;
    EXPECT_EQ(codesOf(exprTokens(text)), codesOf(d)) << text;
  }
  EXPECT_EQ(texts(declTokens("a->*b<<=c>>=d...e.*f::g&&=h||i---j+++k")),
            "a ->* b <<= c >>= d ... e .* f :: g && = h || i -- - j ++ + k");
  EXPECT_EQ(texts(declTokens("x/*y*/z//w")), "x / * y * / z / / w");
  // Script additions, and the characters each lexer takes or not.
  EXPECT_EQ(codesOf(exprTokens("a..b => # @")), (std::vector<Tok>{Tok::Identifier, Tok::DotDot, Tok::Identifier,
                                                                  Tok::Associate, Tok::Hash, Tok::Unknown}));
  EXPECT_EQ(codesOf(declTokens("a..b => x # @ \\ `")),
            (std::vector<Tok>{Tok::Identifier, Tok::Dot, Tok::Dot, Tok::Identifier, Tok::Assign, Tok::Greater,
                              Tok::Identifier, Tok::Unknown, Tok::At, Tok::Unknown, Tok::Unknown}));
  const char* const words[] = {
      "asm", "auto", "bool", "break", "case", "catch", "char", "class", "const", "const_cast", "continue",
      "default", "delete", "do", "double", "dynamic_cast", "else", "enum", "explicit", "export", "extern",
      "false", "float", "for", "friend", "goto", "if", "inline", "int", "long", "mutable", "namespace", "new",
      "operator", "overload", "private", "protected", "public", "register", "reinterpret_cast", "return",
      "short", "signed", "sizeof", "static", "static_cast", "struct", "switch", "template", "this", "throw",
      "true", "try", "typedef", "typeid", "typename", "union", "unsigned", "using", "virtual", "void",
      "volatile", "wchar_t", "while"};
  std::string all;
  for (const char* w : words) all += std::string(w) + "\n";
  auto ts = declTokens(all);
  ASSERT_EQ(ts.size(), std::size(words));
  for (std::size_t i = 0; i < ts.size(); ++i) {
    EXPECT_TRUE(isKeyword(ts[i].code)) << words[i];
    EXPECT_EQ(tokenSpelling(ts[i].code), words[i]);
    EXPECT_EQ(ts[i].line, static_cast<int>(i) + 1);
  }
  // Later keywords, compiler words and near misses are identifiers.
  FakeClassifier none;
  for (const char* w : {"constexpr", "nullptr", "__int64", "far", "Int", "int_", "$name", "a$b", "_", "L1"}) {
    auto t = exprTokens(w, &none);
    ASSERT_EQ(t.size(), 1u) << w;
    EXPECT_EQ(t[0].code, Tok::Identifier) << w;
    EXPECT_EQ(t[0].name.text(), w);
  }
  auto twice = declTokens("alpha beta alpha");  // one interned entry per word
  EXPECT_EQ(twice[0].name, twice[2].name);
  EXPECT_NE(twice[0].name, twice[1].name);
  auto lit = declTokens(R"(L"wide" "a\"b" 'x' "open)");
  ASSERT_EQ(lit.size(), 4u);
  EXPECT_EQ(lit[0].code, Tok::StringLiteral);
  EXPECT_TRUE(lit[0].constant.wide);
  EXPECT_EQ(lit[0].body, "wide");
  EXPECT_EQ(lit[1].text, R"("a\"b")");
  EXPECT_FALSE(lit[1].constant.wide);
  EXPECT_EQ(lit[2].code, Tok::CharConstant);
  EXPECT_EQ(lit[3].text, R"("open)");
  EXPECT_EQ(codes(), "");
}

TEST_F(Tokens, ClassificationFromTheParsersScope) {
  FakeClassifier c;
  c.words[{-1, "_out"}] = NameClass::Modifier;
  c.words[{-1, "vector"}] = NameClass::TemplateName;
  c.words[{-1, "S"}] = NameClass::ClassName;
  c.words[{-1, "size_t"}] = NameClass::TypeName;
  c.words[{2, "T"}] = NameClass::TypeName;
  const char* text = "_out vector S size_t T int";
  auto ts = declTokens(text, &c);
  EXPECT_EQ(codesOf(ts), (std::vector<Tok>{Tok::ModifierName, Tok::TemplateName, Tok::ClassName, Tok::TypeName,
                                           Tok::Identifier, Tok::KwInt}));
  EXPECT_EQ(ts[0].name.text(), "_out");
  EXPECT_EQ(c.calls, 5);  // keywords are not classified

  ExpressionLexer e(text);
  e.setClassifier(&c);
  e.setScope(2);
  auto es = tokensOf(e);
  EXPECT_EQ(codesOf(es), (std::vector<Tok>{Tok::ModifierName, Tok::TemplateName, Tok::ClassName, Tok::TypeName,
                                           Tok::TypeName, Tok::KwInt}));
}

TEST_F(Tokens, TemplateArgumentStart) {
  FakeClassifier c;
  c.words[{-1, "vector"}] = NameClass::TemplateName;
  struct Case { const char* text; const char* tokens; std::vector<Tok> codes; } cases[] = {
      {"vector<int>", "vector < int >", {Tok::TemplateName, Tok::TemplateLess, Tok::KwInt, Tok::Greater}},
      {"vector \n\t <int>", "vector < int >", {Tok::TemplateName, Tok::TemplateLess, Tok::KwInt, Tok::Greater}},
      {"vector\n#line 9 \"x.h\"\n<", "vector <", {Tok::TemplateName, Tok::TemplateLess}},
      {"vector<<x", "vector < < x", {Tok::TemplateName, Tok::TemplateLess, Tok::Less, Tok::Identifier}},
      {"vector<=", "vector < =", {Tok::TemplateName, Tok::TemplateLess, Tok::Assign}},
      {"vector::x<y", "vector :: x < y",
       {Tok::TemplateName, Tok::ColonColon, Tok::Identifier, Tok::Less, Tok::Identifier}},
      {"a<b", "a < b", {Tok::Identifier, Tok::Less, Tok::Identifier}},
      {"vector<vector<int>>", "vector < vector < int >>",
       {Tok::TemplateName, Tok::TemplateLess, Tok::TemplateName, Tok::TemplateLess, Tok::KwInt, Tok::ShiftRight}},
  };
  for (const auto& k : cases) {
    auto ts = declTokens(k.text, &c);
    EXPECT_EQ(texts(ts), k.tokens) << k.text;
    EXPECT_EQ(codesOf(ts), k.codes) << k.text;
  }
  // The expression lexer has no such state.
  EXPECT_EQ(exprTokens("vector<int>", &c)[1].code, Tok::Less);
}

TEST_F(Tokens, LineMarkersAndPositions) {
  const char* text =
      "int a;\n#line 42 \"a.h\"\nx = 'abcde';\n\n  # line 7 \"b.h\"\ny 'ab'\n# 100 \"c.h\" 2\n#pragma other\n"
      "#ident \"v\"\nz 'ab'\n#line 5\nw\n#line 3 \"\"\nv 'ab'\nq # r\n";
  auto ts = declTokens(text);
  EXPECT_EQ(texts(ts), "int a ; x = 'abcde' ; y 'ab' z 'ab' w v 'ab' q # r");
  const struct { const char* text; int line; const char* file; } where[] = {
      {"int", 1, ""}, {"x", 42, "a.h"}, {"y", 7, "b.h"}, {"z", 102, "c.h"}, {"w", 5, "c.h"}, {"v", 3, ""},
      {"q", 4, ""}};
  for (const auto& w : where) {
    auto it = std::find_if(ts.begin(), ts.end(), [&](const Token& t) { return t.text == w.text; });
    ASSERT_NE(it, ts.end());
    EXPECT_EQ(it->line, w.line) << w.text;
    EXPECT_EQ(it->file.text(), w.file) << w.text;
  }
  ASSERT_EQ(codes(), "TOLOCSTCA MULCARCST MULCARCST MULCARCST");
  const std::pair<int, const char*> at[] = {{42, "a.h"}, {7, "b.h"}, {102, "c.h"}, {3, ""}};
  for (std::size_t i = 0; i < 4; ++i) {
    EXPECT_EQ(messages()[i].line, at[i].first);
    EXPECT_EQ(messages()[i].file, at[i].second);
    EXPECT_EQ(messages()[i].severity, 3);
  }
}

struct Sink : PragmaSink {
  std::vector<std::string> calls;
  bool setTypedefWidth(Name name, int bits) override {
    calls.push_back(name.text() + "=" + std::to_string(bits));
    return name.text() == "UINT16";
  }
  bool setTypedefSignedness(Name name, bool isUnsigned) override {
    calls.push_back(name.text() + (isUnsigned ? "=unsigned" : "=signed"));
    return name.text() == "UINT16";
  }
};

TEST_F(Tokens, WidthPragmas) {
  using enum BaseWidth;
  const struct { const char* line; BaseWidth which; int width; bool isUnsigned; } cases[] = {
      {"#pragma zenta sizeof char = 16", Char, 16, false}, {"#pragma zenta sizeof short = 8", Short, 8, false},
      {"#pragma zenta sizeof int = 64", Int, 64, false}, {"#pragma zenta sizeof long = 64", Long, 64, false},
      {"#pragma zenta sizeof longlong = 32", LongLong, 32, false},
      {"#pragma zenta sizeof long long = 32", LongLong, 32, false},
      {"#pragma zenta size int=16", Int, 16, false}, {"#pragma  zenta  si  i = 8", Int, 8, false},
      {"#pragma zenta signof char = unsigned", Char, 8, true}, {"#pragma zenta sig long = unsigned", Long, 32, true},
      {"#pragma zenta sizeof cat = 12", Char, 12, false},
      // Not applied: bad width, bad word, other pragmas.
      {"#pragma zenta sizeof int = 0", Int, 32, false}, {"#pragma zenta sizeof int = 65", Int, 32, false},
      {"#pragma zenta sizeof int 16", Int, 32, false}, {"#pragma zenta sizeof = 16", Int, 32, false},
      {"#pragma zenta signof int = maybe", Int, 32, false}, {"#pragma zenta sizeof u = 16", Int, 32, false},
      {"#pragma zenta stop_analyse int = 16", Int, 32, false}, {"#pragma other sizeof int = 16", Int, 32, false},
  };
  for (const auto& c : cases) {
    resetTargetWidths();
    EXPECT_TRUE(declTokens(c.line).empty());
    EXPECT_EQ(targetWidth(c.which), c.width) << c.line;
    EXPECT_EQ(targetUnsigned(c.which), c.isUnsigned) << c.line;
  }
  // A typedef name goes to the sink first; what it does not know goes by
  // its first letter.
  resetTargetWidths();
  Sink sink;
  DeclarationLexer lx(
      "#pragma zenta sizeof UINT16 = 16\n#pragma zenta signof UINT16 = unsigned\n"
      "#pragma zenta sizeof int = 16\n");
  lx.setPragmaSink(&sink);
  EXPECT_EQ(lx.next().code, Tok::End);
  EXPECT_EQ(sink.calls, (std::vector<std::string>{"UINT16=16", "UINT16=unsigned", "int=16"}));
  EXPECT_EQ(targetWidth(BaseWidth::Int), 16);
  EXPECT_FALSE(targetUnsigned(BaseWidth::Int));
}

TEST_F(Tokens, MarkAndResetReadTheSameTokensOnce) {
  FakeClassifier c;
  c.words[{-1, "vector"}] = NameClass::TemplateName;
  DeclarationLexer lx("a\n#line 10 \"m.h\"\nvector\n<'ab'\n#pragma zenta sizeof int = 16\n70000 b");
  lx.setMessageHook(capture);
  lx.setClassifier(&c);
  EXPECT_EQ(lx.next().text, "a");
  const LexerMark m = lx.mark();
  auto first = tokensOf(lx);
  EXPECT_EQ(codes(), "MULCARCST ENTOUTRAN");
  EXPECT_EQ(targetWidth(BaseWidth::Int), 16);
  setTargetWidth(BaseWidth::Int, 32);  // a pragma read again is not applied again

  lx.reset(m);
  EXPECT_EQ(lx.line(), 1);
  auto second = tokensOf(lx);
  ASSERT_EQ(second.size(), first.size());
  for (std::size_t i = 0; i < first.size(); ++i) {
    EXPECT_EQ(second[i].code, first[i].code);
    EXPECT_EQ(second[i].text, first[i].text);
    EXPECT_EQ(second[i].line, first[i].line);
    EXPECT_EQ(second[i].file, first[i].file);
  }
  EXPECT_EQ(second[1].code, Tok::TemplateLess);
  EXPECT_EQ(second[1].line, 11);
  EXPECT_EQ(codes(), "MULCARCST ENTOUTRAN");
  EXPECT_EQ(targetWidth(BaseWidth::Int), 32);
  EXPECT_EQ(lx.next().code, Tok::End);
  EXPECT_TRUE(lx.atEnd());
}

// ---------------------------------------------------------------- constants

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

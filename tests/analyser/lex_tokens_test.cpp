// The token set of both lexers: operators by longest match, keywords,
// identifiers and their classification, the template-argument state, line
// markers and width pragmas of the declaration lexer, and marks.
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
      "int a;\n"
      "#line 42 \"a.h\"\n"
      "x = 'abcde';\n"
      "\n"
      "  # line 7 \"b.h\"\n"
      "y 'ab'\n"
      "# 100 \"c.h\" 2\n"
      "#pragma other\n"
      "#ident \"v\"\n"
      "z 'ab'\n"
      "#line 5\n"
      "w\n"
      "#line 3 \"\"\n"
      "v 'ab'\n"
      "q # r\n";
  auto ts = declTokens(text);
  EXPECT_EQ(texts(ts), "int a ; x = 'abcde' ; y 'ab' z 'ab' w v 'ab' q # r");
  struct Where {
    const char* text;
    int line;
    const char* file;
  } where[] = {{"int", 1, ""}, {"x", 42, "a.h"}, {"y", 7, "b.h"}, {"z", 102, "c.h"},
               {"w", 5, "c.h"}, {"v", 3, ""},   {"q", 4, ""}};
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
  struct Case { const char* line; BaseWidth which; int width; bool isUnsigned; } cases[] = {
      {"#pragma zenta sizeof char = 16", BaseWidth::Char, 16, false},
      {"#pragma zenta sizeof short = 8", BaseWidth::Short, 8, false},
      {"#pragma zenta sizeof int = 64", BaseWidth::Int, 64, false},
      {"#pragma zenta sizeof long = 64", BaseWidth::Long, 64, false},
      {"#pragma zenta sizeof longlong = 32", BaseWidth::LongLong, 32, false},
      {"#pragma zenta sizeof long long = 32", BaseWidth::LongLong, 32, false},
      {"#pragma zenta size int=16", BaseWidth::Int, 16, false},
      {"#pragma  zenta  si  i = 8", BaseWidth::Int, 8, false},
      {"#pragma zenta signof char = unsigned", BaseWidth::Char, 8, true},
      {"#pragma zenta sig long = unsigned", BaseWidth::Long, 32, true},
      {"#pragma zenta sizeof cat = 12", BaseWidth::Char, 12, false},
      // Not applied: bad width, bad word, other pragmas.
      {"#pragma zenta sizeof int = 0", BaseWidth::Int, 32, false},
      {"#pragma zenta sizeof int = 65", BaseWidth::Int, 32, false},
      {"#pragma zenta sizeof int 16", BaseWidth::Int, 32, false},
      {"#pragma zenta sizeof = 16", BaseWidth::Int, 32, false},
      {"#pragma zenta signof int = maybe", BaseWidth::Int, 32, false},
      {"#pragma zenta sizeof u = 16", BaseWidth::Int, 32, false},
      {"#pragma zenta stop_analyse int = 16", BaseWidth::Int, 32, false},
      {"#pragma other sizeof int = 16", BaseWidth::Int, 32, false},
  };
  for (const auto& c : cases) {
    resetTargetWidths();
    auto ts = declTokens(c.line);
    EXPECT_TRUE(ts.empty());
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
    EXPECT_EQ(second[i].text.data(), first[i].text.data());
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

}  // namespace
}  // namespace lextest

// The expression parser: refused forms, syntax faults, images and folding.
#include <string>

#include "tests/analyser/expr_support.h"

namespace exprtest {
namespace {

class ExprParse : public ExprTest {};

TEST_F(ExprParse, RefusedFormsAndSyntaxFaults) {
  struct Case {
    const char* text;
    bool script;
    const char* code;  // first message, "" for none
    int severity;
    const char* argument;  // checked when not null
  };
  const Case cases[] = {
      {"x = 3", false, "AFFECTATI", 3, "x = 3"}, {"t[0] <<= 1", false, "AFFECTATI", 3, nullptr},
      {"f(a = 1)", false, "AFFECTATI", 3, nullptr}, {"i++", false, "POSTINCRE", 3, nullptr},
      {"i--", false, "POSTDECRE", 3, nullptr}, {"++i", false, "POSTINCRE", 3, nullptr},
      {"s.t[--i]", false, "POSTDECRE", 3, nullptr}, {"a, b", false, "SOUSEXPRE", 3, "a, b"},
      {"(a, b)", false, "SOUSEXPRE", 3, nullptr}, {"c ? a, b : d", false, "SOUSEXPRE", 3, nullptr},
      {"f(a, b)", false, "", 0, nullptr}, {"{a, b}", false, "", 0, nullptr},
      {"t[1..]", false, "SYNTAXERR", 3, "[min..max]"}, {"..5", false, "SYNTAXERR", 3, nullptr},
      {"1..2..3", false, "SYNTAXERR", 3, nullptr}, {"(1..2)", false, "SYNTAXERR", 3, nullptr},
      {"f(1..2)", false, "SYNTAXERR", 3, nullptr}, {"{1.. , 2}", false, "SYNTAXERR", 3, nullptr},
      {"a +", false, "UNEXP_EOF", 2, "a +"}, {"(a", false, "UNEXP_EOF", 2, nullptr},
      {"s.", false, "UNEXP_EOF", 2, nullptr}, {"a )", false, "EXPERRONE", 3, "a )"},
      {"a b", false, "EXPERRONE", 3, nullptr}, {"x => 1", false, "EXPERRONE", 3, nullptr},
      {"@", false, "EXPERRONE", 3, nullptr}, {"BYTE + 1", false, "EXPERRONE", 3, nullptr},
      {"(zz_unknown_type *)p", false, "EXPERRONE", 3, nullptr}, {"new int", false, "EXPERRONE", 3, nullptr},
      {"\"abc", false, "UNEXP_EOF", 2, nullptr}, {"\"a\\\"", false, "UNEXP_EOF", 2, nullptr},
      {"\"a\\\\\" + 1", false, "", 0, nullptr},
      // The script's syntax names what was expected.
      {"1 +", true, "SYNTAXERO", 2, "<TERME>"}, {"a < ", true, "SYNTAXERO", 2, "<TERME>"},
      {"2 *", true, "SYNTAXERO", 2, "<FACTEUR>"}, {"-", true, "SYNTAXERO", 2, "<FACTEUR>"},
      {"s.", true, "SYNTAXERO", 2, "<IDENTIFICATEUR>"},
      {")", true, "SYNTAXERO", 2, "'(' ou '[' ou '@' ou <CONSTANTE> ou <IDENTIFICATEUR>"},
      {"1 2", true, "SYNTAXERO", 2, "<fin d'expression>"},
      {"a, b", true, "SYNTAXERO", 2, "<fin d'expression>"},
      {"x = 1", true, "SYNTAXERO", 2, "<fin d'expression>"}, {"(1", true, "SYNTAXERO", 2, "')'"},
  };
  for (const Case& c : cases) {
    messages().clear();
    ExpressionTree tree;
    const ParseStatus status = parse(c.text, tree, c.script);
    SCOPED_TRACE(c.text);
    if (c.code[0] == '\0') {
      EXPECT_EQ(status, ParseStatus::Ok);
      EXPECT_EQ(codes(), "");
      continue;
    }
    EXPECT_EQ(status, ParseStatus::Fault);
    EXPECT_FALSE(tree);
    ASSERT_EQ(messages().size(), 1u) << codes();
    EXPECT_EQ(messages()[0].code, c.code);
    EXPECT_EQ(messages()[0].severity, c.severity);
    if (c.argument != nullptr) {
      EXPECT_EQ(messages()[0].argument, c.argument);
    }
  }
}

TEST_F(ExprParse, EmptyTextIsNoTreeAndNoMessage) {
  ExpressionTree tree;
  EXPECT_EQ(parse("  \t", tree), ParseStatus::Empty);
  EXPECT_EQ(parse("", tree, true), ParseStatus::Empty);
  EXPECT_EQ(codes(), "");
}

TEST_F(ExprParse, DeepNestingEndsWithAMessage) {
  for (const std::string& text :
       {std::string(10000, '(') + "1" + std::string(10000, ')'), std::string(10000, '!') + "x",
        std::string(10000, '{') + std::string(10000, '}'), "x" + std::string(6000, '[') + std::string(6000, ']')}) {
    messages().clear();
    ExpressionTree tree;
    EXPECT_EQ(parse(text, tree), ParseStatus::Fault);
    EXPECT_EQ(codes(), "EXPERRONE");
  }
  std::string chain = "x";
  for (int i = 0; i < 3000; ++i) chain += "+x";
  messages().clear();
  EXPECT_EQ(image(chain), "-");
  EXPECT_EQ(codes(), "EXPERRONE");
  EXPECT_EQ(image(std::string(200, '(') + "1" + std::string(200, ')')), std::string(200, '(') + "1" + std::string(200, ')'));
}

TEST_F(ExprParse, Images) {
  const std::pair<const char*, const char*> cases[] = {
      // Characters by their image.
      {"'\\n'", "'\\n'"}, {"'\\033'", "'\\033'"}, {"'\\x1b'", "'\\033'"}, {"'\\1'", "'\\01'"}, {"'a'", "'a'"},
      {"'\\''", "'\\''"}, {"L'a'", "L'a'"},
      // Folded constants in the C types of their operations.
      {"(10)-1", "9"}, {"2*3+1", "7"}, {"-5", "-5"}, {"7/2", "3"}, {"-7/2", "-3"}, {"-7%3", "-1"},
      {"'a'+1", "98"}, {"1?2:3", "2"}, {"!5", "0"}, {"~0", "-1"}, {"0xFFFFFFFF+1", "0U"}, {"10U-1", "9U"},
      {"1L+1", "2L"}, {"-1<0U", "0"}, {"2147483647+1", "-2147483648"}, {"1<<4", "16"}, {"0FFh", "255"},
      {"101b+0", "5"}, {"0x10", "0x10"}, {"10UL", "10UL"},
      // Left as written.
      {"1/0", "1/0"}, {"5%(2-2)", "5%(0)"}, {"1<<40", "1<<40"}, {"1<<-1", "1<<-1"}, {"(char)65", "(char)65"},
      {"x+(1+2)", "x+(3)"}, {"a - -1", "a- -1"}, {"a-(-1)", "a-(-1)"}, {"a & &b", "a& &b"},
      // Constructs.
      {"s . f [ 3 ]", "s.f[3]"}, {"p -> m", "p->m"}, {"t[0..9]", "t[0..9]"}, {"t [ 1 .. N-1 ]", "t[1..N-1]"},
      {"1 .. 5", "1..5"}, {"x ? 1 : 2", "(x?1:2)"}, {"( x ? 1 : 2 )", "((x?1:2))"}, {"{1, , 3}", "{1,,3}"},
      {"{1,}", "{1,}"}, {"{}", "{}"},
      {"{i => {1, 2}, 3..4 => 0, others => 5}", "{i=>{1,2},3..4=>0,others=>5}"}, {"f ( a , b )", "f(a,b)"},
      {"sizeof x", "sizeof(x)"}, {"sizeof ( x )", "sizeof(x)"},
      {"sizeof(unsigned long)", "sizeof(unsigned long)"}, {"sizeof(struct point)", "sizeof(point)"},
      {"(unsigned char *) p", "(unsigned char *)p"}, {"(const char*)p", "(const char *)p"},
      {"(BYTE)x", "(BYTE)x"}, {"(ns::count_t)1", "(ns::count_t)1"}, {"(point_t*)vp", "(point_t *)vp"},
      {"static_cast < int > ( d )", "static_cast<int>(d)"}, {"Obj(1, 2)", "Obj(1,2)"}, {"int(d)", "int(d)"},
      {"ns :: counter", "ns::counter"}, {":: c", "::c"}, {"& t [ 0 ]", "&t[0]"}, {"* * q", "**q"},
      {"obj .* pm", "obj.*pm"}, {"pobj ->* pm", "pobj->*pm"}, {"\"a\" \"b\"", "\"a\"\"b\""},
      {"this -> a", "this->a"}, {"true + 1", "2"}, {"stamp . year", "stamp.year"}, {"1.5e3f", "1.5e3f"},
  };
  for (const auto& [text, expected] : cases) EXPECT_EQ(image(text), expected) << text;
  EXPECT_EQ(codes(), "");
}

TEST_F(ExprParse, FoldingFollowsTheTargetWidths) {
  setTargetWidth(BaseWidth::Int, 16);
  EXPECT_EQ(image("32767+1"), "-32768");
  EXPECT_EQ(image("1<<16"), "1<<16");
  setTargetWidth(BaseWidth::Long, 64);
  EXPECT_EQ(image("0xFFFFU+1L"), "65536L");
}

}  // namespace
}  // namespace exprtest

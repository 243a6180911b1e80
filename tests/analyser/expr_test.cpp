// The expression parser and typer: refused forms, syntax faults, images and
// folding; the typer's messages, the result types of the operators, and the
// type classes.
#include <string>

#include "analyser/ast/images.h"
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

class ExprTyping : public ExprTest {
 protected:
  std::string typeText(const std::string& text) {
    Type* t = typeOf(text);
    ImageOptions o;
    o.table = &table;
    return t != nullptr ? typeImage(t, {}, o) : "-";
  }
};

TEST_F(ExprTyping, EachFaultIsReportedOnceWithTheImage) {
  const struct { const char* text; const char* code; const char* argument; } cases[] = {
      {"zz + 1", "IDENTIINC", "zz"},
      {"BYTE", "", nullptr},  // a type name is no expression: the parser says so
      {"r->d", "NOPOSTRUC", "r->d"}, {"pr.d", "POINSTRUC", "pr.d"}, {"c.x", "INVCHASTR", "c.x"},
      {"r.zz", "CHAMPINCO", "r.zz"}, {"r.pos.z", "CHAMPINCO", "r.pos.z"}, {"c.*pm", "INCPOIMEM", "c.*pm"},
      {"obj.*c", "INCPOIMEM", "obj.*c"}, {"c[1]", "NONTABLEA", "c"}, {"r.d[0..2]", "NONTABLEA", "r.d"},
      {"*c", "NONPOINTE", "c"}, {"c(1)", "NONFONCTI", "c"}, {"Obj(1, 2, 3)", "CONSTRINC", "Obj(1,2,3)"},
      {"Obj()", "CONSTRINC", "Obj()"}, {"-r", "OPERARITH", "-r"}, {"+pr", "OPERARITH", "+pr"},
      {"r * 2", "OPERARITH", "r*2"}, {"~1.5", "OPERENTIE", "~1.5"}, {"f % 2", "OPERENTIE", "f%2"},
      {"d << 1", "OPERENTIE", "d<<1"}, {"!r", "OPERSCALA", "!r"}, {"r && 1", "OPERSCALA", "r&&1"},
      {"r < r", "OPERSCALA", "r<r"}, {"c ? r : 1", "TYPESDIFF", "(c?r:1)"},
      {"c ? p : d", "TYPESDIFF", "(c?p:d)"}, {"this", "IDENTIINC", "this"},
  };
  for (const auto& c : cases) {
    messages().clear();
    EXPECT_EQ(typeOf(c.text), nullptr) << c.text;
    if (c.argument == nullptr) continue;
    ASSERT_EQ(messages().size(), 1u) << c.text << ": " << codes();
    EXPECT_EQ(messages()[0].code, c.code) << c.text;
    EXPECT_EQ(messages()[0].argument, c.argument) << c.text;
    EXPECT_EQ(messages()[0].severity, 3) << c.text;
  }
}

// The result types of the operators where g++ cannot tell (expr_gxx_test
// compares the others): structures, member pointers, slices, widths.
TEST_F(ExprTyping, ResultTypesFollowCpp) {
  const std::pair<const char*, const char*> cases[] = {
      {"l + 1", "long"},       {"p < p", "int"},          {"us + us", "int"}, {"b << u", "int"},
      {"c ? p : 0", "int *"},  {"*pr", "rec"},            {"Obj(1)", "Obj"},  {"&Obj::a", "int Obj::*"},
      {"t[0..9]", "int"},      {"&r.tab[1]", "int (*)[5]"}, {"true", "bool"}, {"u + l", "unsigned long"},
  };
  for (const auto& [text, expected] : cases) EXPECT_EQ(typeText(text), expected) << text;
  EXPECT_EQ(codes(), "");
  setTargetWidth(BaseWidth::Long, 64);
  EXPECT_EQ(typeText("u + l"), "long");
}

TEST_F(ExprTyping, ParametersAndThisOfTheContextFunction) {
  FunctionType* f = ctx.functionType(ctx.integerType("int"));
  ctx.addParameter(f, ctx.makeParameter(internName("count"), ctx.floatingType("double")));
  TypingScope where;
  where.function = f;
  where.thisClass = table.lookupTag(internName("point"), -1, 0)->type;
  EXPECT_EQ(typeClassOf(typeOf("count", where)).word, "double");
  EXPECT_EQ(typeClassOf(typeOf("this->y", where)).value, 0);
  EXPECT_EQ(codes(), "");
}

// The C type texts that g++ cannot check: strings, arrays of char and
// structures; and the class of what has no expression.
TEST_F(ExprTyping, TypeClassesWithoutAComparison) {
  const std::pair<const char*, const char*> cases[] = {
      {"str", "char *"}, {"r.label", "char *"}, {"buf", ""}, {"names[1]", ""}, {"r", ""}, {"val", ""}};
  for (const auto& [text, cType] : cases) EXPECT_EQ(classOf(text).cType, cType) << text;
  EXPECT_EQ(codes(), "");
  EXPECT_EQ(typeClassOf(typeOf("b"), false).cType, "");
  EXPECT_EQ(typeClassOf(nullptr).value, 8);
  EXPECT_EQ(typeClassOf(ctx.integerType("wchar_t")).word, "caractere");
  EXPECT_EQ(typeClassOf(ctx.pointerTo(nullptr)).cType, "void *");
  setPlainCharUnsigned(true);
  EXPECT_EQ(classOf("c").word, "unsigned");
  EXPECT_EQ(classOf("str").value, 4);
}

}  // namespace
}  // namespace exprtest

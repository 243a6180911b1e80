// The typer's messages, the result types of the operators, and the type
// classes.
#include <string>

#include "analyser/ast/images.h"
#include "tests/analyser/expr_support.h"

namespace exprtest {
namespace {

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
  const struct {
    const char* text;
    const char* code;
    const char* argument;
  } cases[] = {
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

TEST_F(ExprTyping, ResultTypesFollowCpp) {
  const std::pair<const char*, const char*> cases[] = {
      {"c + c", "int"},          {"u + 1", "unsigned"},        {"u + l", "unsigned long"},
      {"l + 1", "long"},         {"ll + u", "long long"},      {"f + 1", "float"},
      {"f + d", "double"},       {"d + ld", "long double"},    {"p + 1", "int *"},
      {"1 + p", "int *"},        {"t + 1", "int *"},           {"p - p", "long"},
      {"p < p", "int"},          {"!p", "int"},                {"-c", "int"},
      {"~b", "int"},             {"us + us", "int"},           {"b << u", "int"},
      {"u >> 1", "unsigned"},    {"c ? f : d", "double"},      {"c ? p : 0", "int *"},
      {"sizeof(int)", "unsigned long"}, {"(char)65", "char"}, {"&t[1]", "int *"},
      {"*pr", "rec"},            {"fp(1, 'a')", "int"},        {"(*fp)(1, 'a')", "int"},
      {"dfn()", "double"},       {"pobj->get()", "int"},       {"h.pts[1].y", "int"},
      {"m[1]", "int [4]"},       {"*m", "int [4]"},            {"2[t]", "int"},
      {"obj.*pm", "int"},        {"pobj->*pm", "int"},         {"&Obj::a", "int Obj::*"},
      {"r.v.f", "float"},        {"pr->next->y", "int"},       {"stamp.year", "int"},
      {"ns::counter", "int"},    {"Obj(1)", "Obj"},            {"int(d)", "int"},
      {"RED + 1", "int"},        {"col", "color"},             {"'a'", "char"},
      {"\"s\"", "char *"},       {"1.5", "double"},            {"1.5f", "float"},
      {"10L", "long"},           {"0xFFFFFFFF", "unsigned"},   {"t[0..9]", "int"},
      {"&r.tab[1]", "int (*)[5]"}, {"static_cast<double>(c)", "double"}, {"true", "bool"},
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

TEST_F(ExprTyping, TypeClassTable) {
  const struct {
    const char* text;
    int value;
    const char* word;
    const char* cType;
    int size;
  } cases[] = {
      {"c", 2, "caractere", "char", -8}, {"sc", 2, "caractere", "signed char", -8},
      {"uc", 0, "unsigned", "unsigned char", 8}, {"b", 0, "unsigned", "BYTE", 8},
      {"r.flags", 0, "unsigned", "BYTE", 8}, {"s", 0, "entier", "short", -16},
      {"u", 0, "unsigned", "unsigned", 32}, {"ll", 0, "entier", "long long", -64},
      {"col", 0, "entier", "color", -32}, {"ci", 0, "entier", "int", -32},
      {"vfn(1)", 0, "entier", "void", -32}, {"f", 3, "float", "float", -32},
      {"d", 3, "double", "double", -32}, {"ld", 3, "longdouble", "long double", -32},
      {"rl", 3, "double", "real", -32}, {"str", 4, "chaine", "char *", -32},
      {"r.label", 4, "chaine", "char *", -32}, {"buf", 4, "chaine", "", -32},
      {"names[1]", 4, "chaine", "", -32}, {"p", 6, "pointeur", "int *", -32},
      {"vp", 6, "pointeur", "void *", -32}, {"t", 6, "pointeur", "int [10]", -32},
      {"names", 6, "pointeur", "char [5][8]", -32}, {"&r", 6, "pointeur", "rec *", -32},
      {"fn", 6, "pointeur", "int", -32}, {"vfn", 6, "pointeur", "void", -32},
      {"fp", 6, "pointeur", "int (*)(int, char)", -32}, {"r", 8, "", "", -32}, {"val", 8, "", "", -32},
      {"origin", 8, "", "", -32},
  };
  for (const auto& c : cases) {
    const TypeClass k = classOf(c.text);
    EXPECT_EQ(k.value, c.value) << c.text;
    EXPECT_EQ(k.word, c.word) << c.text;
    EXPECT_EQ(k.cType, c.cType) << c.text;
    EXPECT_EQ(k.size, c.size) << c.text;
  }
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

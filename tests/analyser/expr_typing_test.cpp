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

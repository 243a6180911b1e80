// The compiler's expression requests, on the run's tables filled with the
// declarations of expr_declarations.h; messages are read from the standard
// error stream as the compiler reports them.
#include "tests/analyser/expr_declarations.h"
#include "tests/analyser/interface_support.h"

namespace interfacetest {
namespace {

class ExprInterface : public InterfaceTest {
 protected:
  void SetUp() override {
    InterfaceTest::SetUp();
    zenta::analyser::testing::declareExpressionFixture(analyserContext(), analyserSymbols());
  }
};

// The codes each tested variable gives and its components: every field in
// declaration order, arrays by their index variables, the union's first
// member with a warning.
TEST_F(ExprInterface, TestedVariables) {
  const struct { const char* name; const char* codes; const char* components; } cases[] = {
      {"x = 3", "AFFECTATI", ""}, {"fn", "VARNOTEST", ""}, {"zz", "IDENTIINC", ""}, {"*p", "", "(*p):0"},
      {"buf", "", "buf:4"}, {"ext", "", "[I1=0..0 ext[I1]:0 ]"},
      {"r", "CHAMUNION",
       "{ r.name:4 [I1=0..9 [I2=0..4 r.tab[I1][I2]:0 ] ] r.flags:0 { r.pos.x:0 r.pos.y:0 } r.next:6 r.v.i:0 "
       "r.col:0 r.d:3 r.label:4 r.big:0 r.us:0 }"},
  };
  for (const auto& c : cases) {
    TestedVariable v;
    EXPECT_EQ(codesOf([&] { v = analyseTestedVariable(c.name, {}); }), c.codes) << c.name;
    EXPECT_EQ(components(v), c.components) << c.name;
    EXPECT_EQ(v.parsed, c.name != std::string("x = 3")) << c.name;
    EXPECT_EQ(v.tested, c.components[0] != '\0') << c.name;
  }
  TestedVariable v = analyseTestedVariable("*p", {});
  EXPECT_EQ(v.name, "(*p)");
  EXPECT_FALSE(analyseTestedVariable("ext", {}).components[0].sizeKnown);
  v = analyseTestedVariable("r", {});
  EXPECT_EQ(v.typeClass.value, 8);
  EXPECT_EQ(v.components[1].typeClass.cType, "");
  EXPECT_EQ(v.components[7].typeClass.cType, "BYTE");
}

TEST_F(ExprInterface, ValuesReachTheComponents) {
  TestedVariable v;
  VariableValues values;
  values.init = "{1, {2}, {{1, 2}, {3, 4}, others => {5, 6}}}";
  values.ev = "h";
  EXPECT_EQ(codesOf([&] { v = analyseTestedVariable("h", values); }), "CHAMUNION");
  EXPECT_EQ(components(v), "{ h.n:0 h.u.i:0 [I1=0..2 { h.pts[I1].x:0 h.pts[I1].y:0 } ] }");
  const std::pair<const char*, const char*> expected[] = {
      {"1", "h.n"}, {"2", "h.u.i"}, {"{1,3,others=>5}", "h.pts[I1].x"}, {"{2,4,others=>6}", "h.pts[I1].y"}};
  std::size_t k = 0;
  for (const TestedComponent& c : v.components) {
    if (c.kind != ComponentKind::Element) continue;
    ASSERT_LT(k, std::size(expected));
    EXPECT_EQ(c.values.init, expected[k].first);
    EXPECT_EQ(c.values.ev, expected[k].second);
    ++k;
  }
  EXPECT_EQ(v.components[5].listLevels, 1);

  values = {};
  values.ev = "r.pos";
  v = analyseTestedVariable("origin", values);
  EXPECT_EQ(v.components[1].values.ev, "r.pos.x");
  values.ev = "{y => 2, others => 0}";
  v = analyseTestedVariable("origin", values);
  EXPECT_EQ(v.components[1].values.ev, "0");
  EXPECT_EQ(v.components[2].values.ev, "2");
  values.ev = "t";
  v = analyseTestedVariable("m[1]", values);
  EXPECT_EQ(v.components[1].values.ev, "t[I1]");
}

TEST_F(ExprInterface, ValueListsMustMatchTheComponent) {
  const struct { const char* name; const char* init; const char* codes; } cases[] = {
      {"c", "{1, 2}", "LISTEINVA"}, {"t", "{{1}}", "LISTEINVA"}, {"m", "{{1}}", ""}, {"t", "{1, 2", "LISTEINVA"}};
  VariableValues values;
  for (const auto& c : cases) {
    values.init = c.init;
    EXPECT_EQ(codesOf([&] { analyseTestedVariable(c.name, values); }), c.codes) << c.name << " " << c.init;
  }
  // A slice is a loop of its own: it takes I1 and the outer list level.
  values.init = "{{1, 2}, {3, 4}}";
  TestedVariable v;
  EXPECT_EQ(codesOf([&] { v = analyseTestedVariable("m[0..1]", values); }), "");
  EXPECT_EQ(components(v), "[I2=0..3 m[0..1][I2]:0 ]");
  EXPECT_EQ(v.components[1].listLevels, 2);

  TestedComponent u;
  u.access = "val";
  u.type = analyserSymbols().lookupSymbol(internName("val"), 0)->type;
  u.values.init = "{7, 8}";
  u.values.ev = "other";
  u.values.min = "3";
  u.values.max = "3 + 4";
  EXPECT_EQ(codesOf([&] { EXPECT_TRUE(checkComponentValues(u, "val")); }), "CHAMUNION");
  EXPECT_EQ(u.access, "val.i");
  EXPECT_EQ(u.values.init, "7");
  EXPECT_EQ(u.values.ev, "other.i");
  // A scalar goes to the member as it stands.
  EXPECT_EQ(u.values.min, "3");
  EXPECT_EQ(u.values.max, "3 + 4");
  EXPECT_EQ(u.typeClass.word, "entier");
}

TEST_F(ExprInterface, ArrayBounds) {
  const struct { const char* name; const char* expected; const char* codes; } cases[] = {
      {"t", "t[0..9]", ""}, {"m", "m[0..2][0..3]", ""}, {"r.tab", "r.tab[0..9][0..4]", ""}, {"buf", "buf", ""},
      {"names", "names[0..4]", ""}, {"c", "c", ""}, {"pts", "pts[0..3]", ""}, {"h.pts", "h.pts[0..2]", ""},
      {"ext", "ext[0..0]", "ERTAILTAB"}, {"zz", "zz", "IDENTIINC"},
  };
  for (const auto& c : cases) {
    std::string out;
    EXPECT_EQ(codesOf([&] { out = completeArrayBounds(c.name); }), c.codes) << c.name;
    EXPECT_EQ(out, c.expected);
  }
}

TEST_F(ExprInterface, ArrayValueChains) {
  const std::vector<ArrayBound> five{{"", 0, 4}, {"", 0, 1}};
  const struct {
    const char* list;
    std::vector<ArrayBound> bounds;
    bool french;
    const char* expected;
    const char* codes;
  } cases[] = {
      {"{1, 2, others => 0}", five, false, "(I1 == (0)?1:(I1 == (1)?2:0))", ""},
      {"{1, 2, 3}", five, false, "(I1 == (0)?1:(I1 == (1)?2:3))", ""},
      {"{2 => 5, 1..3 => 6, N+1 => 7, 0}", five, false,
       "(I1 == 2?5:(((I1>=1) && (I1<=(3)))?6:(I1 == (N+1)?7:0)))", ""},
      {"{{1, 2}, others => {0, 0}}", five, false, "(I1 == (0)?(I2 == (0)?1:2):(I2 == (0)?0:0))", ""},
      {"{5, 6}", {{"1", 1, 2}}, false, "(I1 == (0+1)?5:6)", ""},
      {"{1, autres => 0}", five, true, "(I1 == (0)?1:0)", ""},
      {"{1, autres => 0}", five, false, "(I1 == (0)?1:0)", "TABEXPINC"},
      {"{1, , 3}", five, false, "(I1 == (0)?1:3)", "OMIVALTAB"},
      {"{1, 2, }", five, false, "(I1 == (0)?1:(I1 == (1)?2:0))", "OMIVALTAB"},
      {"{7 => 1, others => 0}", five, false, "(I1 == 7?1:0)", "INDICEINC"},
      {"{1, 2, 3, 4, 5, 6}", five, false, "(I1 == (0)?1:(I1 == (1)?2:(I1 == (2)?3:(I1 == (3)?4:(I1 == (4)?5:6)))))",
       "INDICEINC"},
      {"{N => 1, others => 0}", five, false, "0", "TABEXPINC"},
  };
  for (const auto& c : cases) {
    std::optional<std::string> out;
    EXPECT_EQ(codesOf([&] { out = arrayValueExpression(c.list, c.bounds, 1, c.french); }), c.codes) << c.list;
    ASSERT_TRUE(out.has_value()) << c.list;
    EXPECT_EQ(*out, c.expected) << c.list;
  }
  EXPECT_EQ(codesOf([&] { EXPECT_FALSE(arrayValueExpression("{1, 2", five, 1, false)); }), "UNEXP_EOF");
}

TEST_F(ExprInterface, ScriptValues) {
  const struct { const char* text; ScriptValueKind kind; const char* image; } cases[] = {
      {"1 + 2", ScriptValueKind::Integer, "3"}, {"10 / 4", ScriptValueKind::Integer, "2"},
      {"-7 % 3", ScriptValueKind::Integer, "-1"}, {"2147483647 + 1", ScriptValueKind::Integer, "2147483648"},
      {"170141183460469231731687303715884105727 * 4", ScriptValueKind::Integer,
       "680564733841876926926749214863536422908"},
      {"1.5 * 2", ScriptValueKind::Real, "3.0"}, {"1 / 2.0", ScriptValueKind::Real, "0.5"},
      {"(1 < 2) + 1", ScriptValueKind::Integer, "2"}, {"0FFh", ScriptValueKind::Integer, "255"},
      {"0x10", ScriptValueKind::Integer, "0x10"}, {"'a'", ScriptValueKind::Character, "'a'"},
      {"\"s\"", ScriptValueKind::String, "\"s\""}, {"x", ScriptValueKind::Name, "x"},
      {"ns::counter", ScriptValueKind::Name, "ns::counter"},
      {"x + 2 * 3", ScriptValueKind::Expression, "x+2*3"}, {"{1, 2}", ScriptValueKind::List, "{1,2}"},
      {"2 * 3 .. N", ScriptValueKind::Range, "6..N"},
  };
  for (const auto& c : cases) {
    ScriptValue v;
    EXPECT_EQ(codesOf([&] { v = analyseScriptExpression(c.text, 6); }), "") << c.text;
    EXPECT_TRUE(v.wellFormed) << c.text;
    EXPECT_EQ(v.kind, c.kind) << c.text;
    EXPECT_EQ(v.image, c.image) << c.text;
  }
  ScriptValue v;
  EXPECT_EQ(codesOf([&] { v = analyseScriptExpression("1 +", 6); }), "SYNTAXERO");
  EXPECT_FALSE(v.wellFormed);
  EXPECT_EQ(codesOf([&] { v = analyseScriptExpression("1 / 0", 6); }), "DIVBYZERO");
  EXPECT_EQ(v.image, "1/0");
  EXPECT_EQ(codesOf([&] { v = analyseScriptExpression("1 << 200", 6); }), "OVERFLOW");
  EXPECT_EQ(codesOf([&] { v = analyseScriptExpression("", 6); }), "");
  EXPECT_FALSE(v.wellFormed);
  v = analyseScriptExpression("\"" + std::string(30000, 'a') + "\"", 6);
  EXPECT_EQ(v.image.size(), kMaxScriptImage);
  v = analyseScriptExpression("3 * 4", 6);
  ASSERT_TRUE(v.integer);
  EXPECT_EQ(*v.integer, zenta::support::ScriptInt(12));
}

TEST_F(ExprInterface, FormatPaths) {
  FormatLookup lookup;
  lookup.isTestedVariable = [](const std::string& n) { return n != "zz"; };
  lookup.hasFormat = [](const std::string& p) { return p == "r.d"; };
  FormatTarget out;
  EXPECT_EQ(codesOf([&] { out = resolveFormatPath("r.pos.x", "int", lookup); }), "");
  EXPECT_TRUE(out.ok);
  EXPECT_EQ(typeClass(out.type).cType, "int");
  EXPECT_EQ(codesOf([&] { out = resolveFormatPath("pr.next.y", "BYTE", lookup); }), "");
  EXPECT_TRUE(out.ok);
  EXPECT_EQ(typeClass(out.formatType).cType, "BYTE");
  const std::pair<const char*, const char*> faults[] = {
      {"zz.a", "NOMVARINC"}, {"qq", "IDENTINCO"}, {"r.zz", "CHAMPINCO"}, {"c.x", "CHAMPINCO"}, {"r.d", "FORMREDEF"}};
  for (const auto& [path, code] : faults) {
    EXPECT_EQ(codesOf([&] { out = resolveFormatPath(path, "int", lookup); }), code) << path;
    EXPECT_FALSE(out.ok);
  }
  EXPECT_EQ(codesOf([&] { out = resolveFormatPath("r.pos", "nosuch", lookup); }), "TYPEINCON");
}

TEST_F(ExprInterface, ContextAndException) {
  AnalysisContext inMember;
  inMember.contextName = "Obj::get";
  ExpressionTree tree = parseExpression("this->a + a", inMember);
  EXPECT_EQ(typeClass(typeExpression(tree, inMember)).word, "entier");
  AnalysisContext inNamespace;
  inNamespace.contextName = "ns";
  EXPECT_NE(typeExpression(parseExpression("counter", inNamespace), inNamespace), nullptr);
  EXPECT_EQ(codesOf([&] { typeExpression(parseExpression("counter")); }), "IDENTIINC");
  EXPECT_EQ(expressionImage(parseExpression("( 10 ) - 1")), "9");

  analyserSymbols().declareSymbol(internName("exception"), analyserContext().integerType("int"), 0, 0);
  EXPECT_TRUE(removeDeclaredException());
  EXPECT_EQ(analyserSymbols().lookupSymbol(internName("exception"), 0), nullptr);
  EXPECT_FALSE(removeDeclaredException());
}

}  // namespace
}  // namespace interfacetest

// The class and C type text the typer gives an expression, against g++: a
// program compiled with the same declarations works the class out of the
// properties of each expression's C++ type (integral, signed, char, floating,
// pointer, array, function, class) and tells whether the C type text names
// that type.
#include <string>
#include <vector>

#include "tests/analyser/expr_support.h"
#include "tests/analyser/gxx_probe_run.h"

namespace exprtest {
namespace {

// gxx_class_probe.h holds the mapping of C++ type properties to classes.
const char* const kExpressions[] = {
    "r.name", "r.tab", "r.tab[1]", "r.tab[1][2]", "r.flags", "r.pos", "r.pos.x", "r.next", "r.next->y",
    "r.v", "r.v.f", "r.v.c", "r.col", "r.d", "r.label", "r.big", "r.us", "pr->d", "*pr", "pr->name[3]",
    "pts[2].x", "pts", "t", "t[3]", "m[1]", "m[1][2]", "buf", "buf[0]", "names[2]", "c", "sc", "uc", "u", "l",
    "ul", "s", "us", "ll", "f", "d", "ld", "p", "*p", "str", "vp", "b", "rl", "col", "val", "ci", "fn(1, 'a')",
    "dfn()", "vfn(2)", "fn", "fp", "fp(1, 'b')", "(*fp)(1, 'b')", "&t[0]", "&r", "&c", "&b", "c + 1", "c + c",
    "sc * 2", "uc + uc", "u + 1", "u + l", "ul - 1", "s + s", "us * 2", "ll + u", "ul + ll", "f + 1", "f * d",
    "d + ld", "1 + 1.5f", "p + 1", "1 + p", "p - p", "buf + 1", "t + 2", "str + 1", "c < 1", "p == vp", "!p",
    "-c", "~b", "-f", "+uc", "b << 2", "u >> 1", "l % 3", "u & 0xff", "c ? 1 : 2L", "c ? f : d", "c ? str : 0",
    "sizeof(int)", "sizeof r", "(char)65", "(unsigned char)c", "(float)1", "(char *)vp", "(BYTE)c",
    "(const char *)p", "'a'", "\"str\"", "10", "10u", "10L", "0xFFFFFFFF", "1.5", "'a' + 1", "(10)-1", "BLUE",
    "RED + 1", "col + 1", "stamp.year", "h.u.i", "h.pts[1].y", "h.pts", "origin.x", "Obj(1)", "obj.a",
    "pobj->get()", "obj.*pm", "pobj->*pm", "ns::counter", "(ns::count_t)1", "static_cast<double>(c)",
    "int(d)", "*m", "2[t]", "&r.tab[1]", "r.tab[1] + 1", "-7 / 2U", "1 ? 'a' : 'b'", "str[0]", "*str",
    "r.label[0]", "&pts[1]", "vfn",
};

class ExprGxx : public ExprTest {
 protected:
  void SetUp() override {
    ExprTest::SetUp();
    setTargetWidth(BaseWidth::Long, 64);  // the host's widths, as g++ has them
  }
};

TEST_F(ExprGxx, ClassesAndTypeTextsAgreeWithGxx) {
  std::vector<std::string> expressions(std::begin(kExpressions), std::end(kExpressions));
  std::vector<TypeClass> ours;
  for (const std::string& e : expressions) {
    messages().clear();
    ours.push_back(classOf(e));
    EXPECT_EQ(codes(), "") << e;
  }
  gxxprobe::expectAgreement(std::string("#include \"tests/analyser/gxx_class_probe.h\"\n") +
                                zenta::analyser::testing::kExpressionDeclarations + "int main() {\n" +
                                gxxprobe::probeCalls(expressions, ours) + "}\n",
                            "c++20", expressions, ours);
}

}  // namespace
}  // namespace exprtest

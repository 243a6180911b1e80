// The class and C type text the typer gives an expression, against g++: a
// program compiled with the same declarations works the class out of the
// properties of each expression's C++ type (integral, signed, char, floating,
// pointer, array, function, class) and tells whether the C type text names
// that type.
#include <sstream>
#include <string>
#include <vector>

#include "tests/analyser/expr_support.h"
#include "tests/testkit/process.h"

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
  ASSERT_GE(std::size(kExpressions), 50u);
  // Ours, and the program that asks g++: the class of each expression, and
  // whether the C type text names its type (a string's is "char *" whatever
  // its spelling).
  std::vector<TypeClass> ours;
  std::string src = "#include \"tests/analyser/gxx_class_probe.h\"\n";
  src += zenta::analyser::testing::kExpressionDeclarations;
  src += "int main() {\n";
  for (std::size_t i = 0; i < std::size(kExpressions); ++i) {
    const std::string e = kExpressions[i], n = std::to_string(i);
    messages().clear();
    ours.push_back(classOf(e));
    EXPECT_EQ(codes(), "") << e;
    src += "  GXX_PROBE(" + n + ", " + e + ");\n";
    if (!ours.back().cType.empty() && ours.back().value != 4)
      src += "  GXX_SAME(" + n + ", " + e + ", " + ours.back().cType + ");\n";
  }
  src += "}\n";
  testkit::ScratchDir dir;
  dir.write("classes.cpp", src);
  const testkit::Result built =
      testkit::run({"/usr/bin/g++", "-std=c++20", "-w", "-I", ZENTA_SOURCE_DIR, "-o", dir.file("classes"),
                    dir.file("classes.cpp")});
  ASSERT_EQ(built.status, 0) << built.err;
  const testkit::Result ran = testkit::run({dir.file("classes")});
  ASSERT_EQ(ran.status, 0);
  std::istringstream lines(ran.out);
  int probed = 0, named = 0;
  for (std::string line; std::getline(lines, line);) {
    std::istringstream fields(line);
    std::size_t index = 0;
    std::string value, word, size;
    fields >> index >> value >> word >> size;
    ASSERT_LT(index, std::size(kExpressions)) << line;
    const char* text = kExpressions[index];
    const TypeClass& k = ours[index];
    if (word.empty()) {  // GXX_SAME: value is 1 when the type text names the type
      EXPECT_EQ(value, "1") << text << ": " << k.cType;
      ++named;
      continue;
    }
    EXPECT_EQ(k.value, std::stoi(value)) << text;
    EXPECT_EQ(k.word, word == "-" ? "" : word) << text;
    if (size != "*") EXPECT_EQ(std::to_string(k.size), size) << text;
    ++probed;
  }
  EXPECT_EQ(probed, static_cast<int>(std::size(kExpressions)));
  EXPECT_GT(named, probed / 2);
}

}  // namespace
}  // namespace exprtest

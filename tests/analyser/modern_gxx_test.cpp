// Types of C++17 declarations against g++: objects declared with `auto`,
// `decltype (e)` and `decltype(auto)`, scoped and unscoped enumerations with
// an underlying type, rvalue references, constants of a nested namespace,
// comparisons, std::string and std::string_view. A program compiled by g++
// with the same declarations works out the class, word and size of each
// expression from the properties of its C++ type, and tells whether the C
// type text the analyser gives names that type.
#include <sstream>
#include <string>
#include <vector>

#include "tests/analyser/interface_support.h"
#include "tests/testkit/process.h"

namespace interfacetest {
namespace {

const char* const kDeclarations = R"(#include <string>
#include <string_view>
enum class Phase : unsigned char { Idle, Run = 5 };
enum class Level { Low = -1, High = 1 };
enum Small : short { S1, S2 };
struct Box {
  int n;
  static constexpr auto kMax = 8u;
  auto twice() const -> long;
};
namespace a::b {
constexpr auto kRatio = 0.25;
inline constexpr int kCount = 3;
}
int counter = 1;
int&& moved();
std::string title;
std::string_view view;
const std::string& label();
Phase phase;
Level level;
Small small;
Box box;
auto copy = counter;
auto ptr = &counter;
auto sum = counter + 2L;
const auto limit = 7;
auto text = std::string("x");
decltype(counter) same_counter;
decltype(auto) ratio = a::b::kRatio;
decltype(title) other_title;
auto chars = "abc";
auto truth = counter > 2;
int table[4];
auto decayed = table;
const auto &alias = box;
)";

const char* const kExpressions[] = {
    "phase", "level", "small", "Phase::Run", "Level::Low", "S2", "box.n", "Box::kMax", "box.twice()",
    "a::b::kRatio", "a::b::kCount", "moved()", "title", "view", "label()", "copy", "ptr", "sum", "limit",
    "text", "same_counter", "ratio", "other_title", "chars", "truth", "decayed", "alias.n", "counter == 1",
    "!counter", "counter && ptr", "phase == Phase::Run", "counter > 1 ? 1 : 2",
};

// The class of a C++ type as the harness tests it in the dialects: bool a
// boolean, the standard strings one string value, an enumeration with a
// fixed underlying type of that type's width and sign.
const char* const kProbe = R"(
#include <cstdio>
#include <string>
#include <string_view>
#include <type_traits>
template <class U> constexpr bool charLike =
    std::is_same_v<U, char> || std::is_same_v<U, signed char> || std::is_same_v<U, unsigned char>;
template <class T> void show(int i) {
  using U = std::remove_cv_t<std::remove_reference_t<T>>;
  int k = 8, size = -32;
  const char* w = "-";
  if constexpr (std::is_same_v<U, bool>) {
    k = 1; w = "booleen"; size = -8;
  } else if constexpr (std::is_same_v<U, std::string> || std::is_same_v<U, std::string_view>) {
    k = 10; w = "chaine";
  } else if constexpr (std::is_enum_v<U>) {
    using B = std::underlying_type_t<U>;
    k = 0; w = std::is_signed_v<B> ? "entier" : "unsigned";
    size = 8 * static_cast<int>(sizeof(B)) * (std::is_signed_v<B> ? -1 : 1);
  } else if constexpr (std::is_integral_v<U>) {
    size = 8 * static_cast<int>(sizeof(U)) * (std::is_signed_v<U> ? -1 : 1);
    if constexpr (!std::is_signed_v<U>) { k = 0; w = "unsigned"; }
    else if constexpr (charLike<U>) { k = 2; w = "caractere"; }
    else { k = 0; w = "entier"; }
  } else if constexpr (std::is_floating_point_v<U>) {
    k = 3; w = std::is_same_v<U, float> ? "float" : std::is_same_v<U, double> ? "double" : "longdouble";
  } else if constexpr (std::is_pointer_v<U>) {
    if constexpr (charLike<std::remove_cv_t<std::remove_pointer_t<U>>>) { k = 4; w = "chaine"; }
    else { k = 6; w = "pointeur"; }
  }
  std::printf("%d\t%d\t%s\t%d\n", i, k, w, size);
}
// Whether C names the type of the expression, qualifiers and references aside.
template <class E, class C> void same(int i) {
  using U = std::remove_cv_t<std::remove_reference_t<E>>;
  std::printf("%d\tsame\t%d\n", i, std::is_same_v<U, std::remove_cv_t<std::remove_reference_t<C>>> ? 1 : 0);
}
)";

class ModernGxx : public InterfaceTest {
 protected:
  void SetUp() override {
    InterfaceTest::SetUp();
    if (!startWithStandardDefinitions(Dialect::Cxx17)) GTEST_SKIP() << "no standard definitions";
  }
};

TEST_F(ModernGxx, ClassesAndTypeTextsAgreeWithGxx) {
  ASSERT_EQ(codesOf([] { preprocessNativeCode(kDeclarations, "t.ptu", 1); }), "");
  // Ours, and the program that asks g++.
  std::vector<TypeClass> ours;
  std::string program = std::string(kProbe) + kDeclarations + "int main() {\n";
  for (std::size_t i = 0; i < std::size(kExpressions); ++i) {
    const std::string e = kExpressions[i];
    TypeClass k;
    EXPECT_EQ(codesOf([&] {
                const ExpressionTree tree = parseExpression(e);
                k = typeClass(tree ? typeExpression(tree) : nullptr);
              }),
              "")
        << e;
    ours.push_back(k);
    const std::string n = std::to_string(i);
    program += "  show<decltype((" + e + "))>(" + n + ");\n";
    // A string's C type text is "char *" whatever its spelling.
    if (!ours.back().cType.empty() && ours.back().value != 4) program += "  same<decltype((" + e + ")), " + ours.back().cType + ">(" + n + ");\n";
  }
  program += "}\n";

  testkit::ScratchDir dir;
  dir.write("probe.cpp", program);
  const testkit::Result built =
      testkit::run({"/usr/bin/g++", "-std=c++17", "-w", "-o", dir.file("probe"), dir.file("probe.cpp")});
  ASSERT_EQ(built.status, 0) << built.err << program;
  const testkit::Result ran = testkit::run({dir.file("probe")});
  ASSERT_EQ(ran.status, 0);
  std::istringstream lines(ran.out);
  int shown = 0, named = 0;
  for (std::string line; std::getline(lines, line);) {
    std::istringstream fields(line);
    std::size_t i = 0;
    std::string second;
    fields >> i >> second;
    ASSERT_LT(i, std::size(kExpressions)) << line;
    const char* e = kExpressions[i];
    if (second == "same") {
      int equal = 0;
      fields >> equal;
      EXPECT_EQ(equal, 1) << e << ": " << ours[i].cType;
      ++named;
      continue;
    }
    std::string word;
    int size = 0;
    fields >> word >> size;
    if (word == "-") word.clear();
    EXPECT_EQ(ours[i].value, std::stoi(second)) << e;
    EXPECT_EQ(ours[i].word, word) << e;
    if (ours[i].value != 8) {
      EXPECT_EQ(ours[i].size, size) << e;
    }
    ++shown;
  }
  EXPECT_EQ(shown, static_cast<int>(std::size(kExpressions)));
  EXPECT_GE(named, shown - 2);  // every class has a C type text of its own but strings'
}

}  // namespace
}  // namespace interfacetest

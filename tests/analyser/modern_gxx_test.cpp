// Types of C++17 declarations against g++: objects declared with `auto`,
// `decltype (e)` and `decltype(auto)`, scoped and unscoped enumerations with
// an underlying type, rvalue references, constants of a nested namespace,
// comparisons, std::string and std::string_view. A program compiled by g++
// with the same declarations works out the class, word and size of each
// expression from the properties of its C++ type (gxx_class_probe.h), and
// tells whether the C type text the analyser gives names that type.
#include <string>
#include <vector>

#include "tests/analyser/gxx_probe_run.h"
#include "tests/analyser/interface_support.h"

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

class ModernGxx : public InterfaceTest {
 protected:
  void SetUp() override {
    InterfaceTest::SetUp();
    if (!startWithStandardDefinitions(Dialect::Cxx17)) GTEST_SKIP() << "no standard definitions";
  }
};

TEST_F(ModernGxx, ClassesAndTypeTextsAgreeWithGxx) {
  ASSERT_EQ(codesOf([] { preprocessNativeCode(kDeclarations, "t.ptu", 1); }), "");
  std::vector<std::string> expressions(std::begin(kExpressions), std::end(kExpressions));
  std::vector<TypeClass> ours;
  for (const std::string& e : expressions) {
    TypeClass k;
    EXPECT_EQ(codesOf([&] {
                const ExpressionTree tree = parseExpression(e);
                k = typeClass(tree ? typeExpression(tree) : nullptr);
              }),
              "")
        << e;
    ours.push_back(k);
  }
  gxxprobe::expectAgreement(std::string("#define GXX_PROBE_MODERN\n#include \"tests/analyser/gxx_class_probe.h\"\n") +
                                kDeclarations + "int main() {\n" + gxxprobe::probeCalls(expressions, ours) + "}\n",
                            "c++20", expressions, ours);
}

}  // namespace
}  // namespace interfacetest

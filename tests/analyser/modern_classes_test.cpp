// The type classes of bool and of the standard character strings: in the
// C++11 dialects and later a bool is a boolean and a std::string (found
// through the inline namespace std::__cxx11 of the host's library) one string
// value; in the classic language both keep their plain classes.
#include "tests/analyser/interface_support.h"

namespace interfacetest {
namespace {

// The host's <string>, and look-alikes that are not the standard's.
const char* const kHeader =
    "#include <string>\n"
    "struct Rec { std::string name; bool on; int n; };\n"
    "namespace lib { template <class C> class basic_string { public: C first; };"
    " typedef basic_string<char> string; }\n"
    "namespace std { namespace detail { template <class C> class basic_string { public: C first; }; } }\n"
    "std::string title; const std::string &label(); std::basic_string<char> raw; std::wstring wide;\n"
    "bool flag; lib::string other; std::detail::basic_string<char> hidden; Rec rec; std::string names[3];\n"
    "const bool *pflag;\n";

class ModernClasses : public InterfaceTest, public ::testing::WithParamInterface<Dialect> {
 protected:
  void SetUp() override {
    InterfaceTest::SetUp();
    if (!startWithStandardDefinitions(GetParam())) GTEST_SKIP() << "no standard definitions";
    EXPECT_EQ(codesOf([] { preprocessNativeCode(kHeader, "t.ptu", 1); }), "");
  }
  bool modern() const { return GetParam() != Dialect::Classic; }
  // The components of a tested variable, then the codes of the messages.
  std::string expansion(const std::string& name) {
    TestedVariable v;
    const std::string codes = codesOf([&] { v = analyseTestedVariable(name, {}); });
    const std::string parts = components(v);
    return parts + (parts.empty() || codes.empty() ? "" : " ") + codes;
  }
};

TEST_P(ModernClasses, ExpansionOfEachVariable) {
  struct Case { const char* name; const char* classic; const char* modern; };
  const Case cases[] = {
      {"title", "VARNOTEST", "title:10"}, {"label()", "VARNOTEST", "label():10"},
      {"raw", "VARNOTEST", "raw:10"},
      {"wide", "VARNOTEST", "VARNOTEST"},  // wide characters are not char strings
      {"flag", "flag:0", "flag:1"}, {"*pflag", "(*pflag):0", "(*pflag):1"},
      {"other", "{ other.first:2 }", "{ other.first:2 }"},    // not in std
      {"hidden", "{ hidden.first:2 }", "{ hidden.first:2 }"},  // not an inline namespace
      {"rec", "{ rec.on:0 rec.n:0 }", "{ rec.name:10 rec.on:1 rec.n:0 }"},
      {"names", "VARNOTEST", "[I1=0..2 names[I1]:10 ]"},
  };
  for (const Case& c : cases) EXPECT_EQ(expansion(c.name), modern() ? c.modern : c.classic) << c.name;
}

TEST_P(ModernClasses, WordsAndTypeTexts) {
  struct Case { const char* name; int cls; const char* word; const char* cType; };
  const Case modernCases[] = {
      {"title", 10, "chaine", "std::string"}, {"rec.name", 10, "chaine", "std::string"},
      {"flag", 1, "booleen", "bool"},
  };
  const Case classicCases[] = {
      {"title", 8, "", ""}, {"flag", 0, "entier", "bool"},
  };
  for (const Case& c : modern() ? std::vector<Case>(std::begin(modernCases), std::end(modernCases))
                                : std::vector<Case>(std::begin(classicCases), std::end(classicCases))) {
    const ExpressionTree tree = parseExpression(c.name);
    ASSERT_TRUE(tree) << c.name;
    const TypeClass k = typeClass(typeExpression(tree));
    EXPECT_EQ(k.value, c.cls) << c.name;
    EXPECT_EQ(k.word, c.word) << c.name;
    EXPECT_EQ(k.cType, c.cType) << c.name;
  }
  // A standard string is a value, not a structure, for the variable
  // statements.
  EXPECT_EQ(peekVariable("title").structured, !modern());
  EXPECT_TRUE(peekVariable("rec").structured);
}

INSTANTIATE_TEST_SUITE_P(Dialects, ModernClasses, ::testing::Values(Dialect::Classic, Dialect::Cxx11, Dialect::Cxx17),
                         [](const ::testing::TestParamInfo<Dialect>& info) {
                           return info.param == Dialect::Classic ? std::string("Classic")
                                                                 : "Cxx" + dialectName(info.param).substr(3);
                         });

}  // namespace
}  // namespace interfacetest

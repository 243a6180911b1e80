// Declarations reach the tables through the compiler's interface: native
// code of the script and headers, then typed by the script's expressions.
#include "tests/analyser/interface_support.h"

namespace interfacetest {
namespace {

class DeclNative : public InterfaceTest {
 protected:
  void SetUp() override {
    InterfaceTest::SetUp();
    startAnalyser({}, {}, std::string());
  }
};

TEST_F(DeclNative, NativeCodeDeclarationsTypeLaterExpressions) {
  EXPECT_EQ(codesOf([] {
              preprocessNativeCode("#define N 4\nstruct S {int a; char name[N];};\nS s;\n"
                                   "struct Base { int a; union { int tag; float weight; }; };\n"
                                   "struct Child : Base {};\nBase base; Child child;\n"
                                   "template <class T> struct Box { typedef T value_type; T item; value_type copy;"
                                   " T *ptr; int size() const; };\nBox<double> b;\nBox<char *> bs;\n",
                                   "t.ptu", 10);
            }),
            "");
  const TestedVariable v = analyseTestedVariable("s.a", {"1", "1", "", ""});
  EXPECT_TRUE(v.parsed);
  EXPECT_TRUE(v.tested);
  EXPECT_EQ(completeArrayBounds("s.name"), "s.name");
  EXPECT_TRUE(analyseScriptExpression("s.a + 1", 6).wellFormed);
  EXPECT_TRUE(analyseTestedVariable("s", {"", "", "", ""}).tested);  // expands into its fields
  // Members of anonymous unions, also through a base; members of template
  // instances take the arguments.
  const std::pair<const char*, int> classes[] = {
      {"s.a", 0},      {"base.tag", 0}, {"base.weight", 3}, {"child.tag", 0}, {"b.item", 3},
      {"b.copy", 3},   {"b.size()", 0}, {"*b.ptr", 3},      {"bs.item", 4},
  };
  for (const auto& [name, cls] : classes) EXPECT_EQ(classOf(name), cls) << name;
}

TEST_F(DeclNative, ScriptDeclarationsGoToTheCurrentScopeAndKeepTheirPosition) {
  ::testing::internal::CaptureStderr();
  preprocessNativeCode("int counter;\nint counter;\ndouble counter;\n", "script.ptu", 20);
  const std::string err = ::testing::internal::GetCapturedStderr();
  EXPECT_NE(err.find("REDEFSYMB"), std::string::npos) << err;
  EXPECT_NE(err.find("[script.ptu:22]"), std::string::npos) << err;
  const Symbol* c = analyserSymbols().lookupSymbol(internName("counter"), kGlobalScope);
  ASSERT_NE(c, nullptr);
  EXPECT_EQ(c->file.text(), "script.ptu");
  EXPECT_EQ(c->line, 20);
  // A new start of the analyser starts from empty tables.
  startAnalyser({}, {}, std::string());
  EXPECT_EQ(analyserSymbols().lookupSymbol(internName("counter"), kGlobalScope), nullptr);
}

}  // namespace
}  // namespace interfacetest

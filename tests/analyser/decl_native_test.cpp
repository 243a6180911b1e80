// Declarations reach the tables through the compiler's interface: native
// code of the script and headers, then typed by the script's expressions.
#include <gtest/gtest.h>

#include <string>

#include "analyser/ast/symbols.h"
#include "analyser/interface.h"
#include "diag/catalogue.h"
#include "diag/report.h"

using namespace zenta::analyser;
namespace diag = zenta::diag;

namespace {

class DeclNative : public ::testing::Test {
 protected:
  void SetUp() override {
    diag::resetForTests();
    diag::registerCatalogues();
    diag::setCurrentFile("t.ptu");
    startAnalyser({}, {}, std::string());
  }
  void TearDown() override {
    closeAnalyser();
    analyserSymbols().clear();
    diag::resetForTests();
  }
};

TEST_F(DeclNative, NativeCodeDeclarationsTypeLaterExpressions) {
  ::testing::internal::CaptureStderr();
  preprocessNativeCode("#define N 4\nstruct S {int a; char name[N];};\nS s;\n", "t.ptu", 10);
  const std::string err = ::testing::internal::GetCapturedStderr();
  EXPECT_EQ(err, "");
  const TestedVariable v = analyseTestedVariable("s.a", {"1", "1", "", ""});
  EXPECT_TRUE(v.parsed);
  EXPECT_TRUE(v.tested);
  EXPECT_EQ(v.typeClass.value, 0);
  EXPECT_EQ(completeArrayBounds("s.name"), "s.name");
  const ScriptValue e = analyseScriptExpression("s.a + 1", 6);
  EXPECT_TRUE(e.wellFormed);
  // The whole structure expands into its fields.
  const TestedVariable whole = analyseTestedVariable("s", {"", "", "", ""});
  EXPECT_TRUE(whole.tested);
}

TEST_F(DeclNative, MembersOfAnonymousUnionsAreTyped) {
  preprocessNativeCode("struct Base { int a; union { int tag; float weight; }; };\n"
                       "struct Child : Base {};\nBase base; Child child;\n",
                       "t.ptu", 30);
  EXPECT_EQ(analyseTestedVariable("base.tag", {"1", "1", "", ""}).typeClass.value, 0);
  EXPECT_EQ(analyseTestedVariable("base.weight", {"1", "1", "", ""}).typeClass.value, 3);
  EXPECT_EQ(analyseTestedVariable("child.tag", {"1", "1", "", ""}).typeClass.value, 0);
}

TEST_F(DeclNative, MembersOfTemplateInstancesTakeTheArguments) {
  ::testing::internal::CaptureStderr();
  preprocessNativeCode("template <class T> struct Box { typedef T value_type; T item; value_type copy; T *ptr;"
                       " int size() const; };\nBox<double> b;\nBox<char *> s;\n",
                       "t.ptu", 40);
  EXPECT_EQ(::testing::internal::GetCapturedStderr(), "");
  EXPECT_EQ(analyseTestedVariable("b.item", {"1", "1", "", ""}).typeClass.value, 3);
  EXPECT_EQ(analyseTestedVariable("b.copy", {"1", "1", "", ""}).typeClass.value, 3);
  EXPECT_EQ(analyseTestedVariable("b.size()", {"1", "1", "", ""}).typeClass.value, 0);
  EXPECT_EQ(analyseTestedVariable("*b.ptr", {"1", "1", "", ""}).typeClass.value, 3);
  EXPECT_EQ(analyseTestedVariable("s.item", {"", "", "", ""}).typeClass.value, 4);
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

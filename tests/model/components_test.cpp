// The analyser's expansion of a tested variable, recorded with its
// description.
#include <gtest/gtest.h>

#include "analyser/ast/symbols.h"
#include "analyser/interface.h"
#include "diag/report.h"
#include "model/components.h"
#include "model/variable.h"
#include "tests/analyser/expr_declarations.h"

namespace {

using namespace zenta;

TEST(Components, ExpansionIsRecordedWithTheDescription) {
  diag::resetForTests();
  analyser::analyserSymbols().clear();
  analyser::testing::declareExpressionFixture(analyser::analyserContext(), analyser::analyserSymbols());
  analyser::VariableValues values;
  values.init = "{{1, 2}, {3, 4}}";
  model::VariableDescription d;
  model::recordTestedVariable(d, analyser::analyseTestedVariable("m[0..1]", values));
  model::recordTestedVariable(d, analyser::analyseTestedVariable("pts", values));
  EXPECT_EQ(d.typeClass, 6);
  EXPECT_EQ(d.classWord, "pointeur");
  EXPECT_EQ(d.cType, "point [4]");
  ASSERT_EQ(d.components.size(), 6u);  // replaced, not appended
  EXPECT_EQ(d.components[0].kind, model::ComponentOpenArray);
  EXPECT_EQ(d.components[0].upper, "3");
  EXPECT_EQ(d.components[2].access, "pts[I1].x");
  EXPECT_EQ(d.components[2].cType, "int");
  EXPECT_EQ(d.components[2].size, -32);
  EXPECT_EQ(d.components[2].init, "{1,3}");
  EXPECT_EQ(d.components[2].listLevels, 1);
  EXPECT_EQ(d.components[5].kind, model::ComponentCloseArray);
  analyser::analyserSymbols().clear();
}

}  // namespace

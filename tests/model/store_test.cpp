// The test model: pools by level, the access-path parser, same-name chains
// with index-ordered insertion, environment definitions and the use stack.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "diag/report.h"
#include "model/access_path.h"
#include "model/pool.h"
#include "model/store.h"

using namespace zenta::model;

namespace {

class ModelTest : public ::testing::Test {
 protected:
  void SetUp() override {
    zenta::diag::resetForTests();
    resetModel();
  }
};

TEST_F(ModelTest, PoolsInternOnceAndEmptyByLevel) {
  const Handle a = intern(LevelTest, "beta");
  const Handle b = intern(LevelTest, "alpha");
  const Handle c = intern(LevelTest, "beta");
  EXPECT_EQ(a.index, c.index);
  EXPECT_GT(compare(a, b), 0);
  EXPECT_EQ(poolSize(LevelTest), 2u);
  const Handle keep = intern(LevelService, "kept");
  emptyPool(LevelTest);
  EXPECT_EQ(poolSize(LevelTest), 0u);
  EXPECT_EQ(text(a), "");  // stale handle reads as empty, never as another text
  intern(LevelTest, "gamma");
  EXPECT_EQ(text(a), "");
  EXPECT_EQ(text(keep), "kept");
}

TEST_F(ModelTest, NormalisesVariableTexts) {
  struct Row {
    const char* in;
    const char* out;
  } rows[] = {
      {"  t [ 10L ] . f  ", "t[10].f"},
      {"x1l", "x1l"},
      {"unsigned  int", "unsigned int"},
      {"s[\"a  b\"]", "s[\"a  b\"]"},
      {"a [ 1 .. 3 ]", "a[1..3]"},
  };
  for (const Row& r : rows) EXPECT_EQ(normaliseVariableText(r.in), r.out) << r.in;
}

TEST_F(ModelTest, ParsesAccessPaths) {
  AccessPath p;
  ASSERT_TRUE(parseAccessPath("tab[2][1..3].field", LevelElement, p));
  EXPECT_EQ(p.rootText(), "tab");
  ASSERT_EQ(p.elements.size(), 3u);
  EXPECT_EQ(p.elements[0].kind, PathIndex);
  EXPECT_TRUE(p.elements[0].boundGiven);
  EXPECT_EQ(p.elements[0].lower, 2);
  EXPECT_EQ(p.elements[0].upper, 2);
  EXPECT_EQ(p.elements[1].lower, 1);
  EXPECT_EQ(p.elements[1].upper, 3);
  EXPECT_EQ(p.elements[2].kind, PathField);
  EXPECT_EQ(text(p.elements[2].text), "field");

  ASSERT_TRUE(parseAccessPath("m[i, -4]", LevelElement, p));
  ASSERT_EQ(p.elements.size(), 2u);
  EXPECT_FALSE(p.elements[0].boundGiven);
  EXPECT_EQ(text(p.elements[0].text), "i");
  EXPECT_TRUE(p.elements[1].boundGiven);
  EXPECT_EQ(p.elements[1].lower, -4);

  ASSERT_TRUE(parseAccessPath("*ptr", LevelElement, p));
  EXPECT_EQ(p.rootText(), "ptr");
  ASSERT_EQ(p.elements.size(), 1u);
  EXPECT_EQ(p.elements[0].kind, PathDereference);

  ASSERT_TRUE(parseAccessPath("obj->member", LevelElement, p));
  EXPECT_EQ(p.rootText(), "obj->member");

  ASSERT_TRUE(parseAccessPath("s[\"a]b\"]", LevelElement, p));
  EXPECT_EQ(text(p.elements[0].text), "\"a]b\"");

  for (const char* bad : {"", "[1]", "t[", "t[]", "t[1..]", "t.", "3x", "t[1]]"}) {
    EXPECT_FALSE(parseAccessPath(bad, LevelElement, p)) << bad;
  }
  EXPECT_TRUE(transitionUsed(0, 1));
}

std::vector<std::string> chainTexts(const VariableStore& s, const std::string& root) {
  std::vector<std::string> out;
  for (const VariableNode* n = findVariable(s, root); n; n = n->sameName.get())
    out.push_back(n->description->variableText);
  return out;
}

void add(VariableStore& s, const std::string& var, bool check) {
  AccessPath p;
  parseAccessPath(var, LevelElement, p);
  auto d = std::make_shared<VariableDescription>();
  d->variableText = var;
  insertVariable(s, p, intern(LevelElement, var), d, check);
}

TEST_F(ModelTest, SameNameChainsAndTreeOrder) {
  VariableStore s;
  for (const char* v : {"m", "t[1]", "a", "t[2]", "z", "t[0]"}) add(s, v, false);
  EXPECT_EQ(chainTexts(s, "t"), (std::vector<std::string>{"t[1]", "t[2]", "t[0]"}));
  std::vector<std::string> order;
  forEachVariable(s.root.get(), [&](const VariableNode& n) { order.push_back(n.description->variableText); });
  EXPECT_EQ(order, (std::vector<std::string>{"a", "m", "t[1]", "t[2]", "t[0]", "z"}));
  EXPECT_EQ(s.variableCount, 6);
  // Generation walks the script's order.
  order.clear();
  forEachVariableInScriptOrder(s, [&](const VariableNode& n) { order.push_back(n.description->variableText); });
  EXPECT_EQ(order, (std::vector<std::string>{"m", "t[1]", "a", "t[2]", "z", "t[0]"}));
}

TEST_F(ModelTest, IndexOrderedInsertion) {
  VariableStore s;
  add(s, "t[5]", true);
  add(s, "t[1..2]", true);   // below 5: goes first (takes the tree slot)
  add(s, "t[9]", true);      // above everything: appended
  add(s, "t[3][1]", true);   // before 5
  add(s, "q", true);
  EXPECT_EQ(chainTexts(s, "t"), (std::vector<std::string>{"t[1..2]", "t[3][1]", "t[5]", "t[9]"}));
  EXPECT_NE(findVariable(s, "q"), nullptr);
  EXPECT_EQ(zenta::diag::warningCount(), 0);
  add(s, "t[i]", true);  // no bounds: warning, placed before the first
  EXPECT_EQ(zenta::diag::warningCount(), 1);
  EXPECT_EQ(chainTexts(s, "t").front(), "t[i]");
  EXPECT_NE(findVariable(s, "q"), nullptr);  // the tree survived the head change
}

TEST_F(ModelTest, ExpectedExceptionOnce) {
  VariableStore s;
  EXPECT_TRUE(setExpectedException(s, "E1"));
  EXPECT_FALSE(setExpectedException(s, "E2"));
  EXPECT_EQ(s.expectedException, "E1");
  EXPECT_EQ(zenta::diag::warningCount(), 1);
  appendRegisterVariable(nullptr, "r");
  EXPECT_EQ(zenta::diag::errorCount(), 1);
}

TEST_F(ModelTest, EnvironmentsInNameOrderAndDuplicates) {
  ASSERT_NE(createEnvironment("ENV_B", LevelProgram), nullptr);
  ASSERT_NE(createEnvironment("ENV_A", LevelTest), nullptr);
  ASSERT_NE(createEnvironment("ENV_C", LevelService), nullptr);
  EXPECT_EQ(createEnvironment("ENV_B", LevelElement), nullptr);
  EXPECT_EQ(zenta::diag::errorCount(), 1);
  std::vector<std::string> names;
  for (const EnvironmentDefinition* d = firstEnvironment(); d; d = d->next) names.push_back(d->nameText());
  EXPECT_EQ(names, (std::vector<std::string>{"ENV_A", "ENV_B", "ENV_C"}));
  discardEnvironments(LevelTest);
  EXPECT_EQ(findEnvironment("ENV_A"), nullptr);
  EXPECT_NE(findEnvironment("ENV_B"), nullptr);
  EXPECT_EQ(poolSize(LevelTest), 0u);
}

TEST_F(ModelTest, UseStackMarksAcrossLevels) {
  createEnvironment("E", LevelProgram);
  createEnvironment("P", LevelProgram)->parameterCount = 1;
  EXPECT_TRUE(pushUse("E", LevelProgram, {}, 0));
  EXPECT_TRUE(pushUse("E", LevelService, {}, 1));
  EXPECT_TRUE(pushUse("P", LevelTest, {intern(LevelTest, "3")}, 2));
  EXPECT_TRUE(pushUse("E", LevelElement, {}, 3));
  EXPECT_EQ(useTop(), 4);
  popUses(LevelElement);
  EXPECT_EQ(useTop(), 3);
  popUses(LevelTest);
  EXPECT_EQ(useTop(), 2);
  EXPECT_EQ(useMark(LevelElement), 2);
  popUses(LevelService);
  EXPECT_EQ(useTop(), 1);  // the program-level use stays
  EXPECT_NE(useAt(1), nullptr);
  EXPECT_EQ(useAt(2), nullptr);

  EXPECT_FALSE(pushUse("NOPE", LevelTest, {}, 2));
  EXPECT_FALSE(pushUse("P", LevelTest, {}, 2));
  EXPECT_EQ(zenta::diag::errorCount(), 2);
  popUses(0);
  EXPECT_EQ(zenta::diag::errorCount(), 3);
}

TEST_F(ModelTest, UseStackRefusesBeyondItsSize) {
  createEnvironment("E", LevelProgram);
  for (int i = 0; i < kUseStackSize - 1; ++i) ASSERT_TRUE(pushUse("E", LevelProgram, {}, 0));
  ASSERT_TRUE(pushUse("E", LevelService, {}, 1));
  EXPECT_FALSE(pushUse("E", LevelService, {}, 1));
  EXPECT_EQ(useTop(), kUseStackSize);
  EXPECT_EQ(zenta::diag::errorCount(), 1);
  popUses(LevelService);
  EXPECT_EQ(useTop(), kUseStackSize - 1);
  EXPECT_TRUE(pushUse("E", LevelService, {}, 1));
}

}  // namespace
